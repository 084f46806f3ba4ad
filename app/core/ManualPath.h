#pragma once
// Where the user's manual lies. It is kept per language, as
// <manual dir>/<language>/index.md with its pictures in img/ beside the pages.
// In a build tree the manual is copied to share/varotem/manual beside the
// program's bin/; installed, the program lies in <prefix>/lib/varotem and the
// manual in <prefix>/share/varotem/manual.
#include <QString>

// The manual's language for the program's language: "en" for English, "ru"
// (the program's own language) for anything else.
QString ManualLanguage(const QString &language);

// The first page of the manual in language ("ru", "en", or a locale name such
// as "en_GB") for a program in programDir: the first existing of
// <programDir>/../share/varotem/manual/<lang>/index.md and
// <programDir>/../../share/varotem/manual/<lang>/index.md. Empty when there is
// none.
QString FindManualIndex(const QString &programDir, const QString &language);

// FindManualIndex for the running program (needs a QCoreApplication).
QString ManualPath(const QString &language);

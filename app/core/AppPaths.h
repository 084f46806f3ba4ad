#pragma once
// Where the program keeps its own files: the settings file and the defaults
// of the autosave and reference-point files.
#include <QString>

// The directory of the program file when files can be created there,
// otherwise the per-user configuration directory (created when needed); with
// a trailing '/'. Needs a QCoreApplication.
QString ProgramDataDir();

// The rule behind ProgramDataDir, on given directories: programDir when a file
// can be created in it, otherwise userDir, created when missing. Both are
// returned with a trailing '/'.
QString ChooseDataDir(const QString &programDir, const QString &userDir);

// dataDir + "Varotem.ini".
QString SettingsFilePath(const QString &dataDir);

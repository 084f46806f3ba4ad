#pragma once
// Where the program keeps its own files: the settings file and the defaults
// of the autosave and reference-point files.
#include <QString>

// The file that an installed copy of the program (cmake --install, the Debian
// package) carries beside itself. Its presence sends the program's files to
// the per-user configuration directory even where the program could write
// beside itself, as root can anywhere.
inline constexpr char kInstalledMarkerName[] = "varotem-installed";

// The directory of the program file when files can be created there and the
// program is not an installed copy, otherwise the per-user configuration
// directory (created when needed); with a trailing '/'. Needs a
// QCoreApplication.
QString ProgramDataDir();

// The rule behind ProgramDataDir, on given directories: programDir when it
// holds no installed-copy marker and a file can be created in it, otherwise
// userDir, created when missing. Both are returned with a trailing '/'.
QString ChooseDataDir(const QString &programDir, const QString &userDir);

// dataDir + "Varotem.ini".
QString SettingsFilePath(const QString &dataDir);

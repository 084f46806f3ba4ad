#pragma once
// Directories of the user's own, for files no other user may read or replace
// (the workbooks of the spreadsheet exports).
#include <QString>

// Makes dir ready to write into: created when absent (its missing parents as
// usual, dir itself with mode 0700), and an existing one checked: it must be
// a directory (a symbolic link to one counts) owned by the user running the
// program; group and other permissions it has are taken away. Returns an
// empty string, or the message to show, naming dir: then it must not be used.
[[nodiscard]] QString PreparePrivateDir(const QString &dir);

// Whether dir is a directory (or a link to one) owned by the user running
// the program. Nothing is created or changed.
bool IsOwnDirectory(const QString &dir);

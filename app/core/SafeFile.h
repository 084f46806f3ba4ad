#pragma once
// Whole-file reads and writes. Writes go to a temporary file beside the
// target that is renamed over it only when everything was written, so a
// failed or interrupted write leaves the previous file whole.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringView>
#include <functional>
#include <optional>

class QCryptographicHash;

// Writes data as the whole content of fileName. Returns an empty string on
// success, otherwise the message to show, naming the file.
[[nodiscard]] QString WriteFileSafely(const QString &fileName, const QByteArray &data);

// The longest file name a directory takes, in bytes.
inline constexpr int kMaxFileNameBytes = 255;

// name as the stem of a longer name the program derives from it (a prefix
// and a suffix of extraBytes bytes in all): unchanged when the whole fits in
// kMaxFileNameBytes; otherwise cut at a character and followed by "~" and
// eight hexadecimal digits of the CRC-32 of the whole name, so that two long
// names that start alike still get names of their own.
QString FitFileName(const QString &name, int extraBytes);

// The name of a safe write's temporary file for fileName, its six random
// characters given as "XXXXXX".
QString WriteTempNameFor(const QString &fileName);

// Makes a rename or removal in fileName's directory survive a power cut: the
// file's data are already on disk, its directory entry is not until the
// directory itself is synced. Best effort: the change is made either way.
void SyncDirectoryOf(const QString &fileName);

// A write killed before renaming its temporary file leaves that file beside
// the target as ".<target name>.varotem-XXXXXX.tmp" (six letters or digits;
// a target name too long for that is shortened by FitFileName).
// Removes such files of fileName that were last modified before olderThan
// (so that a write still under way in another instance of the program is left
// alone); nothing else: no other name, however close, no directory, no
// symbolic link. Returns how many were removed.
int RemoveStaleWriteFiles(const QString &fileName, const QDateTime &olderThan);

// Removes the regular files directly in dir whose names isOwnName accepts and
// that were last modified before olderThan: files the program itself made
// there and no longer needs. Never a directory or a symbolic link, whatever
// its name. Returns how many were removed.
int RemoveOldOwnFiles(const QString &dir, const std::function<bool(QStringView)> &isOwnName,
                      const QDateTime &olderThan);

// Age after which a leftover temporary file is taken as stale: no write of
// the program takes nearly as long.
inline constexpr qint64 kStaleWriteSeconds = 600;

// The first maxBytes bytes of fileName (all of a shorter file), or nullopt
// when it cannot be opened or read; then error receives the message to show,
// naming the file. With wholeFile, every byte of the file goes into that
// hash in the same reading, so that head and hash are of one state of it.
std::optional<QByteArray> ReadFileHead(const QString &fileName, qint64 maxBytes, QString &error,
                                       QCryptographicHash *wholeFile = nullptr);

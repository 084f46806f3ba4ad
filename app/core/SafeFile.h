#pragma once
// Whole-file reads and writes. Writes go to a temporary file beside the
// target that is renamed over it only when everything was written, so a
// failed or interrupted write leaves the previous file whole.
#include <QByteArray>
#include <QString>
#include <optional>

// Writes data as the whole content of fileName. Returns an empty string on
// success, otherwise the message to show, naming the file.
[[nodiscard]] QString WriteFileSafely(const QString &fileName, const QByteArray &data);

// The first maxBytes bytes of fileName (all of a shorter file), or nullopt
// when it cannot be opened or read; then error receives the message to show,
// naming the file.
std::optional<QByteArray> ReadFileHead(const QString &fileName, qint64 maxBytes, QString &error);

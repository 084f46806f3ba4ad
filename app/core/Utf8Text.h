#pragma once
// Text of UTF-8 bytes taken out of a file. QString::fromUtf8 drops a byte
// order mark at the start of what it is given; a value cut out of the middle
// of a line or a record starts with U+FEFF only when that character is its
// own, so it is kept and the text writes back as it was read.
#include <QByteArrayView>
#include <QString>

QString Utf8Text(QByteArrayView bytes);

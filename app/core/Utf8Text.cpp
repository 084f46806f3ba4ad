#include "app/core/Utf8Text.h"

#include <QStringDecoder>

QString Utf8Text(QByteArrayView bytes)
{
    QStringDecoder decode(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return decode(bytes);
}

#include "analysis/core/CsvSpreadsheet.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

QString Quoted(const QString &text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    QString escaped = text;
    escaped.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + escaped + u'"';
}

} // namespace

QString TCsvSpreadsheet::NewWorkbook()
{
    rows_.clear();
    return {};
}

void TCsvSpreadsheet::SetCell(int row, int column, const QString &text)
{
    if (row < 1 || column < 1)
        return;
    if (rows_.size() < size_t(row))
        rows_.resize(size_t(row));
    QStringList &fields = rows_[size_t(row) - 1];
    while (fields.size() < column)
        fields << QString();
    fields[column - 1] = Quoted(text);
}

void TCsvSpreadsheet::SetCell(int row, int column, double value) { SetCell(row, column, Number(value)); }

QString TCsvSpreadsheet::Number(double value)
{
    if (!std::isfinite(value))
        return {};
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QByteArray TCsvSpreadsheet::Text() const
{
    qsizetype width = 0;
    for (const QStringList &fields : rows_)
        width = std::max(width, fields.size());
    QByteArray text;
    for (QStringList fields : rows_) {
        while (fields.size() < width)
            fields << QString();
        text += fields.join(u',').toUtf8() + '\n';
    }
    return text;
}

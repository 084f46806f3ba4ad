#include "eval/EvalOutput.h"

#include <QCoreApplication>
#include <cstdio>

namespace {
// The context of this file's texts in the translation catalogue.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(eval::EvalOutput)
};
} // namespace

void PrintOut(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

void PrintError(const QString &message)
{
    const QByteArray line = message.toUtf8() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
}

bool PrintReport(const analysis::TCommandReport &report)
{
    for (const QString &notice : report.Notices)
        PrintError(notice);
    if (report.Failure.isEmpty())
        return true;
    PrintError(report.Failure);
    return false;
}

QCommandLineOption FormatOption()
{
    return QCommandLineOption(QStringLiteral("format"),
                              QT_TRANSLATE_NOOP("eval::Help",
                                                "вид вывода: table (тексты таблицы окна, по умолчанию), csv или json "
                                                "(полная точность)"),
                              QStringLiteral("table|csv|json"), QStringLiteral("table"));
}

std::optional<TFormat> FormatOf(const QCommandLineParser &parser)
{
    const QString word = parser.value(QStringLiteral("format"));
    if (word == QStringLiteral("table"))
        return TFormat::Table;
    if (word == QStringLiteral("csv"))
        return TFormat::Csv;
    if (word == QStringLiteral("json"))
        return TFormat::Json;
    PrintError(Tr::tr("Неверный вид вывода \"%1\": нужен table, csv или json!").arg(word));
    return std::nullopt;
}

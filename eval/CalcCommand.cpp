// varotem-eval calc: "Расчет" on a run file, with the parameters of its
// dialog as options; parameters not given are the run's own, as the dialog
// is filled.
#include "analysis/core/CsvSpreadsheet.h"
#include "analysis/core/ExpansionCalc.h"
#include "eval/EvalInput.h"
#include "eval/EvalOutput.h"
#include "eval/Subcommand.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// The context of this file's texts in the translation catalogue.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(eval::CalcCommand)
};

using analysis::TCalcParams;
using analysis::TCalcRow;

// The options that set a parameter of the dialog; false, with the message
// printed, when one is not a number or out of range.
bool ReadOptions(const QCommandLineParser &parser, TCalcParams &params)
{
    const auto points = IntOption(parser, QStringLiteral("points"), params.CalcPoints);
    if (!points)
        return false;
    if (*points < analysis::kMinCalcPoints || *points > analysis::kMaxCalcPoints) {
        PrintError(Tr::tr("Неверный параметр --points %1: число интервалов должно быть от %2 до %3!")
                       .arg(*points)
                       .arg(analysis::kMinCalcPoints)
                       .arg(analysis::kMaxCalcPoints));
        return false;
    }
    params.CalcPoints = *points;
    for (const auto &[name, field] : {std::pair{"sample-length", &TCalcParams::SampleLength},
                                      std::pair{"quartz-length", &TCalcParams::QuartzLength},
                                      std::pair{"quartz-alpha", &TCalcParams::QuartzAlpha}}) {
        const auto value = RealOption(parser, QString::fromLatin1(name), params.*field);
        if (!value)
            return false;
        params.*field = *value;
    }
    if (!ReadBaselineOptions(parser, params.BaseLineFile, params.QuartzTable))
        return false;
    params.DLFromZero = parser.isSet(QStringLiteral("dl-from-zero"));
    params.DLQFromZero = parser.isSet(QStringLiteral("dlq-from-zero"));
    return true;
}

QByteArray Table(const std::vector<TCalcRow> &rows)
{
    QByteArray text = analysis::CalcHeader().join(u'\t').toUtf8() + '\n';
    for (const TCalcRow &row : rows)
        text += analysis::FormatCalcRow(row).join(u'\t').toUtf8() + '\n';
    return text;
}

QByteArray Csv(const std::vector<TCalcRow> &rows)
{
    TCsvSpreadsheet sheet;
    const QStringList header = analysis::CalcHeader();
    for (int a = 0; a < header.size(); ++a)
        sheet.SetCell(1, a + 1, header[a]);
    int line = 1;
    for (const TCalcRow &r : rows) {
        ++line;
        const double values[] = {double(r.J), r.T, r.DL, r.DLQ, r.Diff, r.Relative, r.Alpha};
        for (int a = 0; a < 7; ++a)
            sheet.SetCell(line, a + 1, values[a]);
    }
    return sheet.Text();
}

QByteArray Json(const std::vector<TCalcRow> &rows)
{
    QJsonArray array;
    for (const TCalcRow &r : rows) {
        array.append(QJsonObject{{QStringLiteral("n"), r.J},
                                 {QStringLiteral("t"), r.T},
                                 {QStringLiteral("dl"), r.DL},
                                 {QStringLiteral("dlq"), r.DLQ},
                                 {QStringLiteral("dl_dlq"), r.Diff},
                                 {QStringLiteral("dl_dlq_l0"), r.Relative},
                                 {QStringLiteral("alpha"), r.Alpha}});
    }
    return QJsonDocument(QJsonObject{{QStringLiteral("rows"), array}}).toJson();
}

int Calc(const QCommandLineParser &parser)
{
    const std::optional<TFormat> format = FormatOf(parser);
    if (!format)
        return kExitUsage;
    const std::optional<TEvalInput> input = ReadEvalInput(parser, parser.positionalArguments().constFirst());
    if (!input)
        return kExitFailed;
    TCalcParams params = analysis::CalcParamsOf(*input->run, analysis::kNoBaseline);
    if (!ReadOptions(parser, params))
        return kExitUsage;
    const auto calibrated = input->Calibrated();
    if (!calibrated)
        return kExitFailed;
    const analysis::TCalcOutcome outcome =
        analysis::Calculate(*calibrated, params, input->settings, input->tTable, input->lTable);
    if (!PrintReport(outcome))
        return kExitFailed;
    switch (*format) {
    case TFormat::Table: PrintOut(Table(outcome.Rows)); break;
    case TFormat::Csv: PrintOut(Csv(outcome.Rows)); break;
    case TFormat::Json: PrintOut(Json(outcome.Rows)); break;
    }
    return kExitOk;
}

QCommandLineOption Valued(const char *name, const char *value, const QString &description)
{
    return QCommandLineOption(QString::fromLatin1(name), description, QString::fromLatin1(value));
}

QCommandLineOption Flag(const char *name, const QString &description)
{
    return QCommandLineOption(QString::fromLatin1(name), description);
}

const TSubcommandRegistration registration(TSubcommand{
    QStringLiteral("calc"),
    {QStringLiteral("RUN.dat")},
    QT_TRANSLATE_NOOP("eval::Help",
                      "Расчет: коэффициент расширения по интервалам, таблица окна \"Результаты расчета\"."),
    {Valued("points", "N", QT_TRANSLATE_NOOP("eval::Help", "\"Точек\": число интервалов, от 2 до 1000")),
     Valued("sample-length", "L0", QT_TRANSLATE_NOOP("eval::Help", "\"Длина образца\"")),
     Valued("quartz-length", "LQ", QT_TRANSLATE_NOOP("eval::Help", "\"L кварца\"")),
     Valued("quartz-alpha", "A", QT_TRANSLATE_NOOP("eval::Help", "\"Alpha кварца\"")),
     Valued("quartz-table", "FILE", QT_TRANSLATE_NOOP("eval::Help",
                                                      "\"Таблица\": коэффициент кварца по таблице из файла .dat")),
     Valued("baseline", "FILE", QT_TRANSLATE_NOOP("eval::Help", "\"Базовая линия\": файл .dat (по умолчанию нет)")),
     Flag("dl-from-zero", QT_TRANSLATE_NOOP("eval::Help", "\"dL от нуля\"")),
     Flag("dlq-from-zero", QT_TRANSLATE_NOOP("eval::Help", "\"dLQ от нуля\"")),
     CalibrationOption(),
     FormatOption()},
    Calc,
});

} // namespace

// varotem-eval physical: "Физический КТР" on a run file. Parameters not given
// are the run's own (L0, LQ, alpha_q) and the dialog's defaults (a step of
// 10 K from 20 deg C, the smoothing chosen by cross-validation).
#include "analysis/core/PhysicalCoefficient.h"
#include "analysis/core/PhysicalExport.h"
#include "eval/EvalInput.h"
#include "eval/EvalOutput.h"
#include "eval/Subcommand.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace {

using analysis::TPhysicalOutcome;
using analysis::TPhysicalParams;

// False, with the message printed, when an option is not a number.
bool ReadOptions(const QCommandLineParser &parser, TPhysicalParams &params)
{
    for (const auto &[name, field] : {std::pair{"sample-length", &TPhysicalParams::SampleLength},
                                      std::pair{"quartz-length", &TPhysicalParams::QuartzLength},
                                      std::pair{"quartz-alpha", &TPhysicalParams::QuartzAlpha},
                                      std::pair{"step", &TPhysicalParams::Step},
                                      std::pair{"reference-temperature", &TPhysicalParams::ReferenceTemperature}}) {
        const auto value = RealOption(parser, QString::fromLatin1(name), params.*field);
        if (!value)
            return false;
        params.*field = *value;
    }
    if (parser.isSet(QStringLiteral("smoothing"))) {
        const auto r = RealOption(parser, QStringLiteral("smoothing"), 0);
        if (!r)
            return false;
        params.Smoothing = *r;
    }
    if (!ReadBaselineOptions(parser, params.BaseLineFile, params.QuartzTable))
        return false;
    return true;
}

QByteArray Table(const TPhysicalOutcome &out)
{
    QByteArray text = analysis::PhysicalHeader(out.ReferenceTemperature).join(u'\t').toUtf8() + '\n';
    for (const analysis::TPhysicalRow &row : out.Rows)
        text += analysis::FormatPhysicalRow(row).join(u'\t').toUtf8() + '\n';
    return text;
}

// A number, or null where it is undefined.
QJsonValue Value(double v) { return std::isfinite(v) ? QJsonValue(v) : QJsonValue(QJsonValue::Null); }

QByteArray Json(const TPhysicalOutcome &out)
{
    QJsonArray rows;
    for (const analysis::TPhysicalRow &r : out.Rows) {
        rows.append(QJsonObject{{QStringLiteral("t"), Value(r.T)},
                                {QStringLiteral("dl"), Value(r.DL)},
                                {QStringLiteral("strain"), Value(r.Strain)},
                                {QStringLiteral("mean_alpha"), Value(r.MeanAlpha)},
                                {QStringLiteral("alpha"), Value(r.Alpha)}});
    }
    const analysis::TPhysicalSmoothing &s = out.Smoothing;
    QJsonObject smoothing{{QStringLiteral("automatic"), s.Automatic},
                          {QStringLiteral("samples"), s.Samples},
                          {QStringLiteral("r"), Value(s.R)},
                          {QStringLiteral("edf"), Value(s.T.edf)},
                          {QStringLiteral("rss_t"), Value(s.T.rss)},
                          {QStringLiteral("rss_l"), Value(s.L.rss)}};
    if (s.Automatic) {
        smoothing.insert(QStringLiteral("k"), Value(s.K));
        smoothing.insert(QStringLiteral("r_gcv"), Value(s.GcvR));
        smoothing.insert(QStringLiteral("raised"), s.Raised);
        smoothing.insert(QStringLiteral("gcv"), Value(s.Combined.gcv));
        smoothing.insert(QStringLiteral("rss_combined"), Value(s.Combined.rss));
    }
    return QJsonDocument(QJsonObject{{QStringLiteral("format"), QStringLiteral("varotem-physical")},
                                     {QStringLiteral("version"), 1},
                                     {QStringLiteral("reference_temperature"), Value(out.ReferenceTemperature)},
                                     {QStringLiteral("rate_threshold"), Value(out.RateThreshold)},
                                     {QStringLiteral("smoothing"), smoothing},
                                     {QStringLiteral("rows"), rows}})
        .toJson();
}

int Physical(const QCommandLineParser &parser)
{
    const std::optional<TFormat> format = FormatOf(parser);
    if (!format)
        return kExitUsage;
    const std::optional<TEvalInput> input = ReadEvalInput(parser, parser.positionalArguments().constFirst());
    if (!input)
        return kExitFailed;
    TPhysicalParams params = analysis::PhysicalParamsOf(*input->run);
    if (!ReadOptions(parser, params))
        return kExitUsage;
    const auto calibrated = input->Calibrated();
    if (!calibrated)
        return kExitFailed;
    const TPhysicalOutcome outcome =
        analysis::CalculatePhysical(*calibrated, params, input->settings, input->tTable, input->lTable);
    if (!PrintReport(outcome))
        return kExitFailed;
    PrintError(analysis::SmoothingSummary(outcome.Smoothing));
    switch (*format) {
    case TFormat::Table: PrintOut(Table(outcome)); break;
    case TFormat::Csv: PrintOut(analysis::PhysicalCsv(outcome)); break;
    case TFormat::Json: PrintOut(Json(outcome)); break;
    }
    return kExitOk;
}

QCommandLineOption Valued(const char *name, const char *value, const QString &description)
{
    return QCommandLineOption(QString::fromLatin1(name), description, QString::fromLatin1(value));
}

const TSubcommandRegistration registration(TSubcommand{
    QStringLiteral("physical"),
    {QStringLiteral("RUN.dat")},
    QT_TRANSLATE_NOOP("eval::Help",
                      "Физический КТР: удлинение, деформация, средний и физический коэффициенты по температуре; "
                      "CSV: T, dL, dL/L0 (1E-6), средний, физический."),
    {Valued("baseline", "FILE", QT_TRANSLATE_NOOP("eval::Help", "\"Базовая линия\": файл .dat (по умолчанию нет)")),
     Valued("step", "K", QT_TRANSLATE_NOOP("eval::Help", "шаг таблицы по температуре, K (по умолчанию 10)")),
     Valued("reference-temperature", "T",
            QT_TRANSLATE_NOOP("eval::Help",
                              "температура отсчета удлинения и среднего коэффициента, deg C (по умолчанию 20)")),
     Valued("smoothing", "R",
            QT_TRANSLATE_NOOP("eval::Help", "сглаживание R, точек, от 0 до 1000 (по умолчанию выбирается по GCV)")),
     Valued("sample-length", "L0", QT_TRANSLATE_NOOP("eval::Help", "\"Длина образца\"")),
     Valued("quartz-length", "LQ", QT_TRANSLATE_NOOP("eval::Help", "\"L кварца\"")),
     Valued("quartz-alpha", "A", QT_TRANSLATE_NOOP("eval::Help", "\"Alpha кварца\"")),
     Valued("quartz-table", "FILE", QT_TRANSLATE_NOOP("eval::Help",
                                                      "\"Таблица\": коэффициент кварца по таблице из файла .dat")),
     CalibrationOption(),
     FormatOption()},
    Physical,
});

} // namespace

// varotem-eval glass: "Стеклование и размягчение" on a run file: Tg by the
// tangent method, the coefficients of the two straight portions and the
// softening point Ts, with the portions chosen automatically or given.
#include "analysis/core/CsvSpreadsheet.h"
#include "analysis/core/GlassReport.h"
#include "analysis/core/GlassTransition.h"
#include "app/core/SofteningSettings.h"
#include "eval/EvalInput.h"
#include "eval/EvalOutput.h"
#include "eval/Subcommand.h"
#include "numerics/NumberFormat.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// The context of this file's texts in the translation catalogue.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(eval::GlassCommand)
};

// --ranges "T1 T2 T3 T4": four numbers with a point; false, with the message
// printed, for anything else.
bool ReadRanges(const QCommandLineParser &parser, analysis::TGlassRanges &ranges)
{
    const QString text = parser.value(QStringLiteral("ranges"));
    const QStringList words = text.split(u' ', Qt::SkipEmptyParts);
    double values[4] = {0, 0, 0, 0};
    bool ok = words.size() == 4;
    for (int k = 0; ok && k < 4; ++k)
        ok = numerics::ParseReal(words[k].toStdString(), ".", values[k]);
    if (!ok) {
        PrintError(Tr::tr("Неверный параметр --ranges \"%1\": нужны четыре температуры T1 T2 T3 T4!").arg(text));
        return false;
    }
    ranges = {values[0], values[1], values[2], values[3]};
    return true;
}

bool ReadOptions(const QCommandLineParser &parser, analysis::TGlassParams &params)
{
    if (parser.isSet(QStringLiteral("baseline")))
        params.BaseLineFile = parser.value(QStringLiteral("baseline"));
    if (parser.isSet(QStringLiteral("ranges"))) {
        analysis::TGlassRanges ranges;
        if (!ReadRanges(parser, ranges))
            return false;
        params.Ranges = ranges;
    }
    const auto margin = RealOption(parser, QStringLiteral("margin"), params.MarginPercent);
    if (!margin)
        return false;
    if (!(*margin >= kMinMarginPercent && *margin <= kMaxMarginPercent)) {
        PrintError(Tr::tr("Неверный параметр --margin: запас должен быть от %1 до %2 %!")
                       .arg(kMinMarginPercent)
                       .arg(kMaxMarginPercent));
        return false;
    }
    params.MarginPercent = *margin;
    return true;
}

QByteArray Table(const analysis::TGlassResult &result)
{
    const QStringList header = analysis::GlassHeader(), texts = analysis::GlassValueTexts(result);
    QByteArray out;
    for (int k = 0; k < header.size(); ++k)
        out += (header[k] + u'\t' + texts[k]).toUtf8() + '\n';
    return out;
}

QByteArray Csv(const analysis::TGlassResult &result)
{
    TCsvSpreadsheet sheet;
    analysis::ExportGlass(result, sheet, QString());
    return sheet.Text();
}

QByteArray Json(const analysis::TGlassResult &result)
{
    const std::vector<std::optional<double>> v = analysis::GlassValues(result);
    const auto number = [](const std::optional<double> &x) { return x ? QJsonValue(*x) : QJsonValue(); };
    return QJsonDocument(QJsonObject{{QStringLiteral("tg"), number(v[0])},
                                     {QStringLiteral("alpha_glass"), number(v[1])},
                                     {QStringLiteral("alpha_liquid"), number(v[2])},
                                     {QStringLiteral("ts"), number(v[3])},
                                     {QStringLiteral("ranges"), QJsonArray{*v[4], *v[5], *v[6], *v[7]}}})
        .toJson();
}

int Glass(const QCommandLineParser &parser)
{
    const std::optional<TFormat> format = FormatOf(parser);
    if (!format)
        return kExitUsage;
    analysis::TGlassParams params;
    if (!ReadOptions(parser, params))
        return kExitUsage;
    const std::optional<TEvalInput> input = ReadEvalInput(parser, parser.positionalArguments().constFirst());
    if (!input)
        return kExitFailed;
    const auto calibrated = input->Calibrated();
    if (!calibrated)
        return kExitFailed;
    const analysis::TGlassResult result =
        analysis::AnalyseGlass(*calibrated, params, input->settings, input->tTable, input->lTable);
    if (!PrintReport(result))
        return kExitFailed;
    if (!result.Tangents.Failure.isEmpty()) {
        PrintError(result.Tangents.Failure);
        return kExitFailed;
    }
    switch (*format) {
    case TFormat::Table: PrintOut(Table(result)); break;
    case TFormat::Csv: PrintOut(Csv(result)); break;
    case TFormat::Json: PrintOut(Json(result)); break;
    }
    return kExitOk;
}

const TSubcommandRegistration registration(TSubcommand{
    QStringLiteral("glass"),
    {QStringLiteral("RUN.dat")},
    QT_TRANSLATE_NOOP("eval::Help",
                      "Стеклование и размягчение: Tg по касательным к прямым участкам, коэффициенты участков "
                      "(1e-6 1/K, с поправкой на толкатель, как в \"Расчет\") и температура размягчения Ts."),
    {QCommandLineOption(QStringLiteral("baseline"), QT_TRANSLATE_NOOP("eval::Help",
                                                                      "базовая линия: файл .dat (по умолчанию нет)"),
                        QStringLiteral("FILE")),
     QCommandLineOption(QStringLiteral("ranges"),
                        QT_TRANSLATE_NOOP("eval::Help",
                                          "участки, °C: стеклообразного состояния от T1 до T2, жидкого от T3 до T4 "
                                          "(по умолчанию выбираются автоматически)"),
                        QStringLiteral("T1 T2 T3 T4")),
     QCommandLineOption(QStringLiteral("margin"),
                        QT_TRANSLATE_NOOP("eval::Help",
                                          "на сколько процентов удлинения кривая должна опуститься ниже максимума, "
                                          "чтобы он считался температурой размягчения (по умолчанию 0.5)"),
                        QStringLiteral("P")),
     CalibrationOption(), FormatOption()},
    Glass,
});

} // namespace

#include "analysis/core/GlassReport.h"

#include <QCoreApplication>

#include "app/core/LocaleFormat.h"

namespace analysis {
namespace {

// The context of this file's texts in the translation catalogue.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(analysis::GlassReport)
};

constexpr int kTsColumn = 3;
constexpr int kFirstCoefficient = 1, kLastCoefficient = 2;

} // namespace

QString TsNotReached() { return Tr::tr("не достигнута"); }

QStringList GlassHeader()
{
    return {QStringLiteral("Tg, deg C"), Tr::tr("Alpha стекла, 1e-6 1/K"),
            Tr::tr("Alpha жидкости, 1e-6 1/K"), QStringLiteral("Ts, deg C"),
            QStringLiteral("T1, deg C"), QStringLiteral("T2, deg C"),
            QStringLiteral("T3, deg C"), QStringLiteral("T4, deg C")};
}

std::vector<std::optional<double>> GlassValues(const TGlassResult &result)
{
    const TGlassTangents &t = result.Tangents;
    const bool tangents = result.Failure.isEmpty() && t.Failure.isEmpty();
    const auto ifTangents = [tangents](double v) { return tangents ? std::optional<double>(v) : std::nullopt; };
    const TGlassRanges &r = result.Ranges;
    return {ifTangents(t.Tg),
            ifTangents(t.AlphaGlass),
            ifTangents(t.AlphaLiquid),
            result.Softening ? std::optional<double>(result.Softening->Ts) : std::nullopt,
            r.T1,
            r.T2,
            r.T3,
            r.T4};
}

QStringList GlassValueTexts(const TGlassResult &result)
{
    QStringList texts;
    const std::vector<std::optional<double>> values = GlassValues(result);
    for (int column = 0; column < int(values.size()); ++column) {
        const std::optional<double> &v = values[size_t(column)];
        if (!v) {
            texts << (column == kTsColumn && result.Failure.isEmpty() ? TsNotReached() : QString());
            continue;
        }
        const bool coefficient = column >= kFirstCoefficient && column <= kLastCoefficient;
        texts << (coefficient ? LocaleFixed(*v, 5, 2) : LocaleFixed(*v, 6, 1));
    }
    return texts;
}

QString ExportGlass(const TGlassResult &result, TSpreadsheet &sheet, const QString &notReached)
{
    if (QString error = sheet.NewWorkbook(); !error.isEmpty())
        return error;
    const QStringList header = GlassHeader();
    const std::vector<std::optional<double>> values = GlassValues(result);
    for (int column = 0; column < header.size(); ++column) {
        sheet.SetCell(1, column + 1, header[column]);
        if (const std::optional<double> &v = values[size_t(column)])
            sheet.SetCell(2, column + 1, *v);
        else if (column == kTsColumn && result.Failure.isEmpty() && !notReached.isEmpty())
            sheet.SetCell(2, column + 1, notReached);
    }
    return sheet.MakeVisible();
}

} // namespace analysis

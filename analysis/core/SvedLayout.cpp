#include "analysis/core/SvedLayout.h"

#include "analysis/core/AnalysisMessages.h"
#include "analysis/core/Baseline.h"
#include "analysis/core/Correction.h"
#include "app/core/LocaleFormat.h"
#include "chart/PlotArea.h"
#include "numerics/ArrayFuncs.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

namespace analysis {
namespace {

// The context of this file's texts in the translation catalogue.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(analysis::SvedLayout)
};

constexpr uint32_t kBlue = 0xFF0000FFu;
constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kBlack = 0xFF000000u;

// The plot: columns 50 .. 350, rows 10 .. 310.
constexpr chart::TPlotMargins kSvedMargins{50, 10, 50, 50};

chart::TPlotArea SvedArea(const TSvedRanges &r)
{
    return {kSvedWidth, kSvedHeight, r.TMin, r.TMax, r.LMin, r.LMax, kSvedMargins};
}

TSvedItem Line(int x1, int y1, int x2, int y2)
{
    TSvedItem item;
    item.kind = TSvedItem::Kind::Line;
    item.color = kBlue;
    item.line = QLine(x1, y1, x2, y2);
    return item;
}

TSvedItem Text(int x, int y, const QString &text)
{
    TSvedItem item;
    item.kind = TSvedItem::Kind::Text;
    item.color = kBlack;
    item.at = QPoint(x, y);
    item.text = text;
    return item;
}

// A pixel coordinate clamped to lo..hi before it is rounded, so that any
// value (an infinity included) gives a point on or inside the border.
int ClampRound(double v, int lo, int hi) { return int(std::nearbyint(std::clamp(v, double(lo), double(hi)))); }

QList<QPoint> Curve(const chart::TPlotArea &area, const std::vector<double> &X, const std::vector<double> &Y)
{
    QList<QPoint> curve;
    const size_t n = std::min(X.size(), Y.size());
    for (size_t i = 0; i < n; ++i) {
        const double x = area.Px(X[i]);
        const double y = area.Py(Y[i]);
        if (std::isnan(x) || std::isnan(y))
            continue;
        const QPoint point(ClampRound(x, area.Left(), area.Right()), ClampRound(y, area.Top(), area.Bottom()));
        // A line to the point the pen is at draws nothing.
        if (curve.isEmpty() || curve.back() != point)
            curve << point;
    }
    return curve;
}

double Min(const std::vector<double> &v) { return numerics::ArrayMin(int32_t(v.size()), v.data()); }
double Max(const std::vector<double> &v) { return numerics::ArrayMax(int32_t(v.size()), v.data()); }

// Both limits typed as numbers, or nothing.
std::optional<std::pair<double, double>> Typed(const std::optional<double> &lo, const std::optional<double> &hi)
{
    if (!lo || !hi)
        return std::nullopt;
    return std::pair{*lo, *hi};
}

// "0" for exactly 0; exponent(expDigits, 1) below lo or above hi; otherwise
// fixed(fixedDigits, decimals).
QString Label(double v, double lo, double hi, int expDigits, int fixedDigits, int decimals)
{
    if (v == 0.0)
        return QStringLiteral("0");
    if (v > hi || v < lo)
        return LocaleExponent(v, expDigits, 1);
    return LocaleFixed(v, fixedDigits, decimals);
}

TSvedPlan Refused(TSvedPlan plan, const QString &message)
{
    plan.Failure = message;
    return plan;
}

} // namespace

TSvedRanges DataRanges(const std::vector<double> &X, const std::vector<double> &Y)
{
    return {Min(X), Max(X), Min(Y), Max(Y)};
}

TSvedPlan PlanSved(const TSvedParams &params, std::vector<double> X, std::vector<double> Y,
                   const TSettings &settings, const TSplineTable &tTable, const TSplineTable &lTable)
{
    TSvedPlan plan;
    TSvedRanges &r = plan.Ranges;
    r = DataRanges(X, Y);
    if (params.Baseline) {
        const TBaseline baseline =
            LoadBaseline(params.BaseLineFile, TMissingBaseline::IsIgnored, settings, tTable, lTable);
        plan.BaselineMissing = baseline.Missing;
        if (baseline.State == TBaselineState::NotLoaded)
            return Refused(std::move(plan), BaselineMessage(baseline.State));
        plan.Notices << BaselineNotices(baseline, params.SampleLength);
        if (baseline.State == TBaselineState::Loaded) {
            const TParabola c = FitParabola(baseline.Points, plan.Notices);
            for (size_t i = 0; i < Y.size(); ++i)
                Y[i] -= c(X[i]);
        }
    }
    if (!params.AutoT) {
        const auto t = Typed(params.TMin, params.TMax);
        if (!t)
            return Refused(std::move(plan), MsgBadParameter());
        std::tie(r.TMin, r.TMax) = *t;
    }
    if (params.AutoL) {
        r.LMin = Min(Y);
        r.LMax = Max(Y);
    } else {
        const auto l = Typed(params.LMin, params.LMax);
        if (!l)
            return Refused(std::move(plan), MsgBadParameter());
        std::tie(r.LMin, r.LMax) = *l;
    }
    if (params.LFromZero) {
        for (double &v : Y)
            v -= r.LMin;
        r.LMin = Min(Y);
        r.LMax = Max(Y);
    }
    if (QString error = CheckSvedRanges(r); !error.isEmpty())
        return Refused(std::move(plan), error);
    plan.X = std::move(X);
    plan.Y = std::move(Y);
    return plan;
}

QString CheckSvedRanges(const TSvedRanges &r)
{
    // Bounds that are not numbers come from a run without points or with
    // values that are not numbers; they are named, never written out.
    auto problem = [](const QString &axis, double lo, double hi) -> QString {
        if (!std::isfinite(lo) || !std::isfinite(hi))
            return Tr::tr("Границы диапазона по оси %1 не являются числами (в данных нет точек или есть "
                          "значения, не являющиеся числами)! Сведение не построено!")
                .arg(axis);
        if (hi == lo)
            return Tr::tr("Диапазон по оси %1 пуст (%2 .. %3)! Сведение не построено!")
                .arg(axis, LocaleGeneral(lo), LocaleGeneral(hi));
        if (!std::isfinite(hi - lo))
            return Tr::tr("Диапазон по оси %1 слишком велик (%2 .. %3)! Сведение не построено!")
                .arg(axis, LocaleGeneral(lo), LocaleGeneral(hi));
        return {};
    };
    if (QString t = problem(QStringLiteral("T"), r.TMin, r.TMax); !t.isEmpty())
        return t;
    return problem(QStringLiteral("L"), r.LMin, r.LMax);
}

QString SvedTLabel(double v) { return Label(v, 1, 1000, 2, 3, 0); }

QString SvedLLabel(double v) { return Label(v, 0.01, 100, 3, 2, 3); }

std::vector<TSvedItem> LayoutSvedPicture(const TSvedRanges &r, const std::vector<double> &X,
                                         const std::vector<double> &Y)
{
    const chart::TPlotArea area = SvedArea(r);
    const int labelRow = area.Bottom() + 20;
    std::vector<TSvedItem> items;
    // Eight T lines at the eighths of the plot's width, to the nearest pixel
    // (ties to even): 50, 88, 125, 162, 200, 238, 275, 312. Each reaches 10
    // pixels below the plot; the ninth eighth, at the right edge, gets none.
    for (int i = 0; i < 8; ++i) {
        const int x = area.Left() + int(std::nearbyint(area.PW() * i / 8.0));
        items.push_back(Line(x, area.Top(), x, area.Bottom() + 10));
        items.push_back(Text(x, labelRow, SvedTLabel(r.TMin + (r.TMax - r.TMin) * i / 8)));
    }
    items.push_back(Text(area.Right(), labelRow, QStringLiteral("T, deg. C")));
    // Twelve L lines at the twelfths of its height from the bottom (310, 285,
    // ..., 35), each starting 10 pixels left of the plot; the top one gets none.
    for (int i = 0; i < 12; ++i) {
        const int y = area.Bottom() - area.PH() * i / 12;
        items.push_back(Line(area.Left() - 10, y, area.Right(), y));
        items.push_back(Text(1, y - 10, SvedLLabel(r.LMin + (r.LMax - r.LMin) * i / 12)));
    }
    items.push_back(Text(1, 1, QStringLiteral("L, mkm")));

    TSvedItem curve;
    curve.kind = TSvedItem::Kind::Curve;
    curve.color = kRed;
    curve.curve = Curve(area, X, Y);
    items.push_back(curve);
    return items;
}

} // namespace analysis

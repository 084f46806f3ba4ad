#include "analysis/core/GlassLayout.h"

#include "analysis/core/GlassReport.h"
#include "app/core/LocaleFormat.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <cmath>

namespace analysis {
namespace {

// The context of this file's texts in the translation catalogue.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(analysis::GlassLayout)
};

constexpr int kDivisions = 4;
constexpr int kLineHeight = 14;
constexpr int kWrapColumns = 64;
constexpr double kWiden = 0.03;
// How far a tangent reaches past the meeting point, as a share of the T span.
constexpr double kTangentReach = 0.05;

void Widen(double &lo, double &hi)
{
    const double span = hi - lo;
    if (span > 0) {
        lo -= kWiden * span;
        hi += kWiden * span;
    } else {
        lo -= 1;
        hi += 1;
    }
}

TGlassItem Line(uint32_t color, int x1, int y1, int x2, int y2, bool dotted = false)
{
    TGlassItem item;
    item.kind = TGlassItem::Kind::Line;
    item.color = color;
    item.dotted = dotted;
    item.line = QLine(x1, y1, x2, y2);
    return item;
}

TGlassItem Text(uint32_t color, int x, int y, const QString &text)
{
    TGlassItem item;
    item.kind = TGlassItem::Kind::Text;
    item.color = color;
    item.at = QPoint(x, y);
    item.text = text;
    return item;
}

// The points (t[i], l[i]) in pixels, held inside the plot, a point equal to
// the one before it kept once.
TGlassItem Polyline(uint32_t color, const TGlassFrame &f, const std::vector<double> &t, const std::vector<double> &l)
{
    TGlassItem item;
    item.kind = TGlassItem::Kind::Curve;
    item.color = color;
    for (size_t i = 0; i < t.size() && i < l.size(); ++i) {
        const QPoint p(std::clamp(f.X(t[i]), kGlassLeft, kGlassRight), std::clamp(f.Y(l[i]), kGlassTop, kGlassBottom));
        if (item.curve.isEmpty() || item.curve.back() != p)
            item.curve << p;
    }
    return item;
}

void Grid(const TGlassFrame &f, std::vector<TGlassItem> &items)
{
    for (int i = 0; i <= kDivisions; ++i) {
        const int x = kGlassLeft + (kGlassRight - kGlassLeft) * i / kDivisions;
        const int y = kGlassBottom - (kGlassBottom - kGlassTop) * i / kDivisions;
        items.push_back(Line(kGlassGridColor, x, kGlassTop, x, kGlassBottom));
        items.push_back(Line(kGlassGridColor, kGlassLeft, y, kGlassRight, y));
        const QString t = LocaleFixed(f.TMin + (f.TMax - f.TMin) * i / kDivisions, 6, 0);
        const QString l = LocaleGeneral(f.LMin + (f.LMax - f.LMin) * i / kDivisions, 4);
        items.push_back(Text(kGlassTextColor, x - 3 * int(t.size()), kGlassBottom + 3, t));
        items.push_back(Text(kGlassTextColor, 4, y - 6, l));
    }
    items.push_back(Text(kGlassTextColor, kGlassRight - 48, kGlassBottom + 20, QStringLiteral("T, deg C")));
    items.push_back(Text(kGlassTextColor, kGlassLeft + 2, 0, QStringLiteral("L, mkm")));
    for (const auto &[x1, y1, x2, y2] : {std::array{kGlassLeft, kGlassTop, kGlassRight, kGlassTop},
                                         std::array{kGlassRight, kGlassTop, kGlassRight, kGlassBottom},
                                         std::array{kGlassRight, kGlassBottom, kGlassLeft, kGlassBottom},
                                         std::array{kGlassLeft, kGlassBottom, kGlassLeft, kGlassTop}})
        items.push_back(Line(kGlassTextColor, x1, y1, x2, y2));
}

// The segment of the line l(t) between t0 and t1 that lies within the
// frame's box (Liang-Barsky), in pixels; nothing when none does.
void ClippedTangent(const TGlassFrame &f, const TTangent &line, double t0, double t1, std::vector<TGlassItem> &items)
{
    double lo = 0, hi = 1;
    const double dt = t1 - t0, l0 = line(t0), dl = line(t1) - l0;
    const double p[4] = {-dt, dt, -dl, dl};
    const double q[4] = {t0 - f.TMin, f.TMax - t0, l0 - f.LMin, f.LMax - l0};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0)
                return;
            continue;
        }
        const double r = q[k] / p[k];
        if (p[k] < 0)
            lo = std::max(lo, r);
        else
            hi = std::min(hi, r);
    }
    if (lo > hi)
        return;
    const double a = t0 + lo * dt, b = t0 + hi * dt;
    items.push_back(Line(kGlassTangentColor, f.X(a), f.Y(line(a)), f.X(b), f.Y(line(b))));
}

void Cross(uint32_t color, int x, int y, std::vector<TGlassItem> &items)
{
    items.push_back(Line(color, x - kGlassCrossArm, y, x + kGlassCrossArm, y));
    items.push_back(Line(color, x, y - kGlassCrossArm, x, y + kGlassCrossArm));
}

void Markers(const TGlassFrame &f, const TGlassRanges &r, std::vector<TGlassItem> &items)
{
    const double at[4] = {r.T1, r.T2, r.T3, r.T4};
    for (int k = 0; k < 4; ++k) {
        const int x = std::clamp(f.X(at[k]), kGlassLeft, kGlassRight);
        items.push_back(Line(kGlassMarkerColor, x, kGlassTop, x, kGlassBottom, true));
        items.push_back(Text(kGlassMarkerColor, x + 2, kGlassBottom - 14 - kLineHeight * (k % 2),
                             QStringLiteral("T%1").arg(k + 1)));
    }
}

void Tangents(const TGlassFrame &f, const TGlassResult &r, std::vector<TGlassItem> &items)
{
    const TGlassTangents &t = r.Tangents;
    const double reach = kTangentReach * (f.TMax - f.TMin);
    const auto [gLo, gHi] = std::minmax(r.Ranges.T1, r.Ranges.T2);
    const auto [qLo, qHi] = std::minmax(r.Ranges.T3, r.Ranges.T4);
    ClippedTangent(f, t.Glass, std::min(gLo, t.Tg), std::max(gHi, t.Tg) + reach, items);
    ClippedTangent(f, t.Liquid, std::min(qLo, t.Tg) - reach, std::max(qHi, t.Tg), items);
    Cross(kGlassTgColor, f.X(t.Tg), f.Y(t.Lg), items);
}

void Softening(const TGlassFrame &f, const TSoftening &s, std::vector<TGlassItem> &items)
{
    if (s.Top) {
        TGlassItem top;
        top.kind = TGlassItem::Kind::Curve;
        top.color = kGlassTsColor;
        for (int x = f.X(s.TopFrom); x <= f.X(s.TopTo); ++x)
            top.curve << QPoint(x, std::clamp(f.Y((*s.Top)(f.TAt(x))), kGlassTop, kGlassBottom));
        items.push_back(top);
    }
    Cross(kGlassTsColor, f.X(s.Ts), f.Y(s.Ls), items);
}

// Lines of at most kWrapColumns characters, broken between words.
QStringList Wrapped(const QString &text)
{
    QStringList lines{QString()};
    for (const QString &word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (!lines.back().isEmpty() && lines.back().size() + 1 + word.size() > kWrapColumns)
            lines << QString();
        lines.back() += (lines.back().isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    return lines;
}

void Values(const TGlassResult &r, std::vector<TGlassItem> &items)
{
    QStringList lines;
    uint32_t color = kGlassTextColor;
    const QStringList v = GlassValueTexts(r);
    if (r.Tangents.Failure.isEmpty()) {
        lines << QStringLiteral("Tg = %1 °C").arg(v[0]) << Tr::tr("α стекла = %1 ·1e-6 1/K").arg(v[1])
              << Tr::tr("α жидкости = %1 ·1e-6 1/K").arg(v[2]);
    } else {
        lines << Wrapped(r.Tangents.Failure);
        color = kGlassFailureColor;
    }
    for (int k = 0; k < lines.size(); ++k)
        items.push_back(Text(color, kGlassLeft + 6, kGlassTop + 6 + kLineHeight * k, lines[k]));
    const QString ts = r.Softening ? QStringLiteral("Ts = %1 °C").arg(v[3]) : Tr::tr("Ts не достигнута");
    items.push_back(Text(kGlassTextColor, kGlassLeft + 6, kGlassTop + 6 + kLineHeight * int(lines.size()), ts));
}

} // namespace

namespace {

// share of the way along pixels, to the nearest pixel; held far outside the
// picture rather than beyond what an int holds.
int Pixels(double share, int pixels)
{
    if (!std::isfinite(share))
        return 0;
    return int(std::lround(std::clamp(share, -100.0, 100.0) * pixels));
}

} // namespace

int TGlassFrame::X(double t) const { return kGlassLeft + Pixels((t - TMin) / (TMax - TMin), kGlassRight - kGlassLeft); }

int TGlassFrame::Y(double l) const
{
    return kGlassBottom - Pixels((l - LMin) / (LMax - LMin), kGlassBottom - kGlassTop);
}

double TGlassFrame::TAt(int x) const { return TMin + double(x - kGlassLeft) / (kGlassRight - kGlassLeft) * (TMax - TMin); }

TGlassFrame GlassFrameOf(const TGlassCurve &curve)
{
    TGlassFrame f{curve.TMin, curve.TMax, 0, 1};
    if (!curve.L.empty()) {
        const auto [lo, hi] = std::minmax_element(curve.L.begin(), curve.L.end());
        f.LMin = *lo;
        f.LMax = *hi;
    }
    Widen(f.TMin, f.TMax);
    Widen(f.LMin, f.LMax);
    return f;
}

std::vector<TGlassItem> LayoutGlassPicture(const TGlassResult &result)
{
    std::vector<TGlassItem> items;
    if (!result.Failure.isEmpty()) {
        const QStringList lines = Wrapped(result.Failure);
        for (int k = 0; k < lines.size(); ++k)
            items.push_back(Text(kGlassFailureColor, kGlassLeft, kGlassTop + kLineHeight * k, lines[k]));
        return items;
    }
    const TGlassFrame f = GlassFrameOf(result.Curve);
    Grid(f, items);
    items.push_back(Polyline(kGlassCurveColor, f, result.Curve.T, result.Curve.L));
    items.push_back(Polyline(kGlassSmoothColor, f, result.Curve.SmoothT, result.Curve.SmoothL));
    Markers(f, result.Ranges, items);
    if (result.Softening)
        Softening(f, *result.Softening, items);
    if (result.Tangents.Failure.isEmpty())
        Tangents(f, result, items);
    Values(result, items);
    return items;
}

} // namespace analysis

#include "analysis/core/GlassTransition.h"

#include "analysis/core/Baseline.h"
#include "analysis/core/Correction.h"
#include "analysis/core/Parabola.h"
#include "app/core/LocaleFormat.h"
#include "app/core/SofteningWatch.h"
#include "numerics/BentCable.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <utility>

namespace analysis {
namespace {

// The context of this file's texts in the translation catalogue.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(analysis::GlassTransition)
};

int32_t Size(const std::vector<double> &v) { return int32_t(v.size()); }

// The first sample whose value is not finite (1-based), or 0.
int32_t FirstNotFinite(const std::vector<double> &t, const std::vector<double> &l)
{
    for (size_t i = 0; i < t.size(); ++i) {
        if (!std::isfinite(t[i]) || !std::isfinite(l[i]))
            return int32_t(i) + 1;
    }
    return 0;
}

// The standard deviation of the drop between two smoothed lengths that
// noise alone would give, for the curve's own noise and smoothing.
double DropNoise(const TGlassCurve &curve)
{
    TNoiseEstimate noise;
    for (double l : curve.L)
        noise.Add(l);
    const int32_t m = 2 * curve.HalfWidth + 1;
    std::vector<double> value(static_cast<size_t>(m)), slope(static_cast<size_t>(m));
    numerics::QuadraticWindowWeights(m, curve.HalfWidth, value.data(), slope.data());
    return noise.Sigma() * std::sqrt(2 * value[size_t(curve.HalfWidth)]);
}

// The samples around the peak whose smoothed length lies within drop of it,
// widened to kMinPortionSamples when the curve has them.
std::pair<int32_t, int32_t> TopSamples(const TGlassCurve &curve, int32_t peak, double drop)
{
    const double floor = curve.SmoothL[size_t(peak)] - drop;
    int32_t lo = peak, hi = peak;
    while (lo > 0 && curve.SmoothL[size_t(lo - 1)] >= floor)
        --lo;
    while (hi + 1 < Size(curve.L) && curve.SmoothL[size_t(hi + 1)] >= floor)
        ++hi;
    while (hi - lo + 1 < kMinPortionSamples && (lo > 0 || hi + 1 < Size(curve.L))) {
        if (lo > 0)
            --lo;
        if (hi + 1 < Size(curve.L) && hi - lo + 1 < kMinPortionSamples)
            ++hi;
    }
    return {lo, hi};
}

// The vertex of the top's parabola of L over T, when the top bends down and
// the vertex lies among the top's temperatures.
void FitTop(const TGlassCurve &curve, int32_t lo, int32_t hi, TSoftening &s)
{
    const int32_t n = hi - lo + 1;
    if (n < kMinPortionSamples)
        return;
    const double *t = curve.T.data() + lo;
    const auto [from, to] = std::minmax_element(t, t + n);
    numerics::TLocalParabola top;
    if (numerics::FitLocalParabola(n, t, curve.L.data() + lo, curve.SmoothT[size_t(s.Peak)], top) !=
            numerics::Status::Ok ||
        !(top.c2 < 0))
        return;
    const double vertex = top.centre - top.c1 / (2 * top.c2);
    if (!(vertex >= *from && vertex <= *to))
        return;
    s.Top = top;
    s.TopFrom = *from;
    s.TopTo = *to;
    s.Ts = vertex;
    s.Ls = top(vertex);
}

// The upper end of the fitted range with the softening reached: going down
// from the peak, the first sample whose smoothed slope dL/dT is back to
// kLiquidSlopeShare of the largest below the peak. Slopes are read only where
// the temperature rises at least half as fast as it typically does, so a
// slow start (the sample's lag) does not blow up their noise.
double LiquidEnd(const TGlassCurve &curve, const TSoftening &softening)
{
    const int32_t peak = softening.Peak;
    std::vector<double> rates(curve.SlopeT.begin(), curve.SlopeT.begin() + peak + 1);
    std::nth_element(rates.begin(), rates.begin() + peak / 2, rates.end());
    const double typical = rates[size_t(peak / 2)];
    const auto admissible = [&](int32_t i) {
        return typical > 0 && curve.SlopeT[size_t(i)] >= 0.5 * typical;
    };
    const auto slope = [&](int32_t i) { return curve.SlopeL[size_t(i)] / curve.SlopeT[size_t(i)]; };
    double steepest = -HUGE_VAL;
    for (int32_t i = 0; i < peak; ++i) {
        if (admissible(i))
            steepest = std::max(steepest, slope(i));
    }
    for (int32_t i = peak; i >= 0; --i) {
        if (admissible(i) && slope(i) >= kLiquidSlopeShare * steepest)
            return curve.SmoothT[size_t(i)];
    }
    return softening.Ts;
}

// A least-squares line over the curve's samples with T in [lo, hi].
struct TPortionFit {
    TTangent line;
    double spread = 0;  // sum of squared deviations of T
};

TPortionFit FitPortion(const TGlassCurve &curve, double lo, double hi)
{
    TPortionFit fit;
    double sumT = 0, sumL = 0;
    for (size_t i = 0; i < curve.T.size(); ++i) {
        if (curve.T[i] >= lo && curve.T[i] <= hi) {
            sumT += curve.T[i];
            sumL += curve.L[i];
            ++fit.line.Samples;
        }
    }
    if (fit.line.Samples == 0)
        return fit;
    const double meanT = sumT / fit.line.Samples, meanL = sumL / fit.line.Samples;
    double stt = 0, stl = 0;
    for (size_t i = 0; i < curve.T.size(); ++i) {
        if (curve.T[i] >= lo && curve.T[i] <= hi) {
            stt += (curve.T[i] - meanT) * (curve.T[i] - meanT);
            stl += (curve.T[i] - meanT) * (curve.L[i] - meanL);
        }
    }
    fit.spread = stt;
    if (stt == 0.0)
        return fit;
    const double slope = stl / stt;
    double rss = 0;
    for (size_t i = 0; i < curve.T.size(); ++i) {
        if (curve.T[i] >= lo && curve.T[i] <= hi) {
            const double r = curve.L[i] - meanL - slope * (curve.T[i] - meanT);
            rss += r * r;
        }
    }
    fit.line.Slope = slope;
    fit.line.Intercept = meanL - slope * meanT;
    fit.line.SlopeError = fit.line.Samples > 2 ? std::sqrt(rss / (fit.line.Samples - 2) / stt) : 0.0;
    return fit;
}

QString PortionName(bool glassy)
{
    return glassy ? Tr::tr("стеклообразного состояния (T1-T2)") : Tr::tr("жидкого состояния (T3-T4)");
}

QString Degrees(double t) { return LocaleFixed(t, 6, 1); }

// The residual sum of squares of the least-squares parabola through the
// points, fitted over x mapped onto [-1, 1] so that the sums stay well
// conditioned.
double ParabolaResidual(const std::vector<double> &x, const std::vector<double> &y)
{
    const double mid = 0.5 * (x.front() + x.back()), half = 0.5 * (x.back() - x.front());
    TFitPoints points{{}, y};
    points.X.reserve(x.size());
    for (double v : x)
        points.X.push_back((v - mid) / half);
    QStringList ignored;
    const TParabola p = FitParabola(points, ignored);
    double rss = 0;
    for (size_t i = 0; i < x.size(); ++i) {
        const double r = y[i] - p(points.X[i]);
        rss += r * r;
    }
    return rss;
}

// Whether the bent cable describes a transformation: it must leave clearly
// less than the smooth parabola does, by the F statistic of its two more
// parameters, and the curve must not be a parabola (a straight line
// included) up to rounding. A metal, or a glass below its transformation
// range, gives a curve the parabola already follows.
bool HasTransformation(const std::vector<double> &x, const std::vector<double> &y,
                       const numerics::TBentCable &cable)
{
    const auto [lo, hi] = std::minmax_element(y.begin(), y.end());
    const double n = double(x.size());
    const double parabola = ParabolaResidual(x, y);
    const double rounding = kRoundingShare * std::max({std::fabs(*lo), std::fabs(*hi), *hi - *lo});
    if (!(parabola > n * rounding * rounding))
        return false;
    // F = ((parabola - cable) / 2) / (cable / (n - 5)), kept free of a
    // division for a cable that fits exactly.
    return (parabola - cable.rss) * (n - 5) > 2 * kTransformationF * std::max(cable.rss, 0.0);
}

} // namespace

TRodTerm RodTermOf(const TRunData &run) { return {run.SampleLength, run.QuartzAlpha, run.QuartzLength}; }

std::optional<TGlassCurve> PrepareGlassCurve(const TRunData &calibrated, const std::optional<TFitPoints> &baseline,
                                             QStringList &notices, QString &failure)
{
    constexpr int32_t kLeast = 2 * kMinPortionSamples + 1;
    std::vector<double> t = ChannelValues(calibrated, TChannel::T), l = ChannelValues(calibrated, TChannel::L);
    const int32_t n = Size(t);
    if (n < kLeast) {
        failure = Tr::tr("В записи %1 точек, для анализа нужно не меньше %2!").arg(n).arg(kLeast);
        return std::nullopt;
    }
    if (const int32_t bad = FirstNotFinite(t, l); bad > 0) {
        failure = Tr::tr("Значение точки %1 не является числом! Анализ невозможен.").arg(bad);
        return std::nullopt;
    }
    if (baseline) {
        const TParabola base = FitParabola(*baseline, notices);
        const double first = base(t[0]);
        for (int32_t i = 0; i < n; ++i)
            l[size_t(i)] -= base(t[size_t(i)]) - first;
    }

    TGlassCurve c;
    c.HalfWidth = numerics::ChooseQuadraticHalfWidth(n, l.data());
    const auto size = static_cast<size_t>(n);
    std::vector<double> st(size), sl(size), dt(size), dl(size);
    numerics::SmoothQuadratic(n, t.data(), c.HalfWidth, st.data(), dt.data());
    numerics::SmoothQuadratic(n, l.data(), c.HalfWidth, sl.data(), dl.data());
    const double top = *std::max_element(st.begin(), st.end());
    const auto end = size_t(std::find_if(st.begin(), st.end(), [top](double v) { return v >= top - kHeatingTopGap; }) -
                            st.begin()) +
                     1;
    if (int32_t(end) < kLeast) {
        failure = Tr::tr("Нагрев в записи слишком короткий: до наибольшей температуры %1 точек, нужно не "
                         "меньше %2!")
                      .arg(end)
                      .arg(kLeast);
        return std::nullopt;
    }
    const auto head = [end](std::vector<double> &v) { return std::vector<double>(v.begin(), v.begin() + long(end)); };
    c.T = head(t);
    c.L = head(l);
    c.SmoothT = head(st);
    c.SmoothL = head(sl);
    c.SlopeT = head(dt);
    c.SlopeL = head(dl);
    const auto [lo, hi] = std::minmax_element(c.T.begin(), c.T.end());
    c.TMin = *lo;
    c.TMax = *hi;
    return c;
}

std::optional<TSoftening> FindSoftening(const TGlassCurve &curve, double marginPercent)
{
    const int32_t n = Size(curve.SmoothL);
    const auto peak = int32_t(std::max_element(curve.SmoothL.begin(), curve.SmoothL.end()) - curve.SmoothL.begin());
    const double highest = curve.SmoothL[size_t(peak)];
    // The lowest smoothed length before the maximum: the expansion counts
    // from the bottom of a dip at the start of the heating.
    const auto base = size_t(std::min_element(curve.SmoothL.begin(), curve.SmoothL.begin() + peak + 1) -
                             curve.SmoothL.begin());
    const double expansion = highest - curve.SmoothL[base];
    const double heating = curve.SmoothT[size_t(peak)] - curve.SmoothT[base];
    const double dropNoise = DropNoise(curve);
    const double margin = marginPercent / 100;
    bool passed = false;
    for (int32_t j = peak + 1; j < n && !passed; ++j) {
        const TTurnOver turn{highest - curve.SmoothL[size_t(j)], expansion, dropNoise,
                             curve.SmoothT[size_t(j)] - curve.SmoothT[size_t(peak)], heating};
        passed = PassedMaximum(turn, margin);
    }
    if (!passed)
        return std::nullopt;

    TSoftening s;
    s.Peak = peak;
    s.Ts = curve.SmoothT[size_t(peak)];
    s.Ls = highest;
    const auto [lo, hi] = TopSamples(curve, peak, margin * expansion + kNoiseFactor * dropNoise);
    FitTop(curve, lo, hi, s);
    return s;
}

std::optional<TGlassRanges> ChooseGlassRanges(const TGlassCurve &curve, const std::optional<TSoftening> &softening,
                                              QString &failure)
{
    const double end = softening ? LiquidEnd(curve, *softening) : curve.TMax;
    std::vector<std::pair<double, double>> points;
    for (size_t i = 0; i < curve.T.size(); ++i) {
        if (curve.T[i] <= end)
            points.emplace_back(curve.T[i], curve.L[i]);
    }
    std::sort(points.begin(), points.end());
    std::vector<double> x, y;
    for (const auto &[t, l] : points) {
        x.push_back(t);
        y.push_back(l);
    }
    numerics::TBentCableSearch search;
    search.minOutside = kMinPortionSamples;
    numerics::TBentCable cable;
    if (numerics::FitBentCable(Size(x), x.data(), y.data(), search, cable) != numerics::Status::Ok) {
        failure = Tr::tr("Участки не выбраны автоматически: до %1 °C слишком мало точек для двух прямых "
                         "участков! Задайте участки маркерами.")
                      .arg(Degrees(end));
        return std::nullopt;
    }
    if (!HasTransformation(x, y, cable)) {
        failure = Tr::tr("Переход не найден: до %1 °C на кривой нет излома между двумя прямыми участками! Задайте "
                         "участки маркерами.")
                      .arg(Degrees(end));
        return std::nullopt;
    }
    const TGlassRanges ranges{x.front(), cable.tau - cable.gamma, cable.tau + cable.gamma, x.back()};
    for (const auto &[from, to] : {std::pair{ranges.T1, ranges.T2}, std::pair{ranges.T3, ranges.T4}}) {
        if (!(to - from >= kMinPortionWidth)) {
            failure = Tr::tr("Участки не выбраны автоматически: участок от %1 до %2 °C уже %3 K! Задайте участки "
                             "маркерами.")
                          .arg(Degrees(from), Degrees(to), LocaleGeneral(kMinPortionWidth));
            return std::nullopt;
        }
    }
    return ranges;
}

TGlassTangents FitTangents(const TGlassCurve &curve, const TGlassRanges &ranges, const TRodTerm &rod)
{
    TGlassTangents out;
    const auto [gLo, gHi] = std::minmax(ranges.T1, ranges.T2);
    const auto [qLo, qHi] = std::minmax(ranges.T3, ranges.T4);
    if (rod.SampleLength == 0.0) {
        out.Failure = Tr::tr("Длина образца равна нулю! Коэффициенты не вычисляются.");
        return out;
    }
    if (gHi > qLo) {
        out.Failure = Tr::tr("Участки перекрываются: участок стеклообразного состояния (T1-T2) должен лежать "
                             "ниже участка жидкого состояния (T3-T4)!");
        return out;
    }
    const TPortionFit glass = FitPortion(curve, gLo, gHi), liquid = FitPortion(curve, qLo, qHi);
    for (const auto &[fit, glassy] : {std::pair{&glass, true}, std::pair{&liquid, false}}) {
        if (fit->line.Samples < kMinPortionSamples || fit->spread == 0.0) {
            out.Failure = Tr::tr("Слишком мало точек на участке %1: %2 при разных температурах, нужно не "
                                 "меньше %3!")
                              .arg(PortionName(glassy))
                              .arg(fit->spread == 0.0 ? std::min(fit->line.Samples, 1) : fit->line.Samples)
                              .arg(kMinPortionSamples);
            return out;
        }
    }
    out.Glass = glass.line;
    out.Liquid = liquid.line;
    const double difference = out.Liquid.Slope - out.Glass.Slope;
    const double error = std::hypot(out.Glass.SlopeError, out.Liquid.SlopeError);
    if (!(std::fabs(difference) > 3 * error)) {
        out.Failure = Tr::tr("Касательные параллельны: наклоны участков не различаются больше погрешности!");
        return out;
    }
    out.Tg = (out.Glass.Intercept - out.Liquid.Intercept) / difference;
    out.Lg = out.Glass(out.Tg);
    if (!std::isfinite(out.Tg) || out.Tg < curve.TMin || out.Tg > curve.TMax) {
        out.Failure = Tr::tr("Касательные пересекаются вне записи (T = %1 °C, запись от %2 до %3 °C)!")
                          .arg(Degrees(out.Tg), Degrees(curve.TMin), Degrees(curve.TMax));
        return out;
    }
    const double rodTerm = rod.QuartzAlpha * rod.QuartzLength / rod.SampleLength;
    out.AlphaGlass = (out.Glass.Slope / rod.SampleLength + rodTerm) * 1e6;
    out.AlphaLiquid = (out.Liquid.Slope / rod.SampleLength + rodTerm) * 1e6;
    return out;
}

TGlassResult AnalyseGlass(const TRunData &calibrated, const TGlassParams &params, const TSettings &settings,
                          const TSplineTable &tTable, const TSplineTable &lTable)
{
    TGlassResult result;
    result.Rod = RodTermOf(calibrated);
    TBaseline baseline = LoadBaseline(params.BaseLineFile, TMissingBaseline::Stops, settings, tTable, lTable);
    if (baseline.State == TBaselineState::NotLoaded) {
        result.Failure = baseline.Error.isEmpty() ? BaselineMessage(baseline.State) : baseline.Error;
        return result;
    }
    result.Notices = BaselineNotices(baseline, calibrated.SampleLength,
                                     TRodParameters{calibrated.QuartzAlpha, calibrated.QuartzLength});
    std::optional<TFitPoints> points;
    if (baseline.State == TBaselineState::Loaded)
        points = std::move(baseline.Points);
    std::optional<TGlassCurve> curve = PrepareGlassCurve(calibrated, points, result.Notices, result.Failure);
    if (!curve)
        return result;
    result.Curve = std::move(*curve);
    result.Softening = FindSoftening(result.Curve, params.MarginPercent);
    if (params.Ranges) {
        result.Ranges = *params.Ranges;
    } else if (const auto chosen = ChooseGlassRanges(result.Curve, result.Softening, result.Tangents.Failure)) {
        result.Ranges = *chosen;
    } else {
        // Markers the operator can start from: the range in fifths.
        const double span = result.Curve.TMax - result.Curve.TMin;
        result.Ranges = {result.Curve.TMin, result.Curve.TMin + 0.4 * span, result.Curve.TMin + 0.6 * span,
                         result.Curve.TMax};
        return result;
    }
    result.Tangents = FitTangents(result.Curve, result.Ranges, result.Rod);
    return result;
}

} // namespace analysis

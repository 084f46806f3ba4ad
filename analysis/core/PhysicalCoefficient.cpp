#include "analysis/core/PhysicalCoefficient.h"

#include "analysis/core/Baseline.h"
#include "analysis/core/Correction.h"
#include "app/core/LocaleFormat.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <limits>

namespace analysis {
namespace {

// The context of this file's texts in the translation catalogue.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(analysis::PhysicalCoefficient)
};

using numerics::Status;
using Vec = std::vector<double>;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

QString Stopped(const QString &what) { return what + u' ' + Tr::tr("Расчет остановлен!"); }

QString Number(double x) { return LocaleGeneral(x, 6); }

QString CheckParams(const TPhysicalParams &p)
{
    if (p.SampleLength == 0.0)
        return Tr::tr("Длина образца равна нулю! Расчет остановлен!");
    for (double v : {p.SampleLength, p.QuartzAlpha, p.QuartzLength, p.ReferenceTemperature}) {
        if (!std::isfinite(v))
            return MsgBadParameter();
    }
    if (!(p.Step > 0) || !std::isfinite(p.Step))
        return Stopped(Tr::tr("Шаг по температуре должен быть больше нуля!"));
    if (p.Smoothing && !(*p.Smoothing >= 0 && *p.Smoothing <= kMaxSmoothing))
        return Stopped(Tr::tr("Сглаживание R должно быть от 0 до %1 точек!").arg(kMaxSmoothing));
    return {};
}

// One channel's spline over the sample numbers.
struct TSpline {
    Vec g, m;
    numerics::SmoothingFit fit;
};

double Lambda(double r) { return r * r * r * r; }

// The least-squares slope of L over T (0 when T does not vary).
double SlopeOfLOverT(const Vec &t, const Vec &l)
{
    const double n = double(t.size());
    double mt = 0, ml = 0;
    for (size_t i = 0; i < t.size(); ++i)
        mt += t[i], ml += l[i];
    mt /= n, ml /= n;
    double stt = 0, stl = 0;
    for (size_t i = 0; i < t.size(); ++i)
        stt += (t[i] - mt) * (t[i] - mt), stl += (t[i] - mt) * (l[i] - ml);
    return stt > 0 ? stl / stt : 0;
}

// R by generalised cross-validation on z = L - k T, k the slope of L over
// T. dL/dT is uncertain by the noise of z' over T' (for k near dL/dT), and
// the bends that holds and turning points put into both channels largely
// cancel in z, where a choice for each channel alone would follow them and
// smooth too little. False when no spline can be fitted.
bool ChooseSmoothing(const Vec &x, const Vec &t, const Vec &l, TPhysicalSmoothing &sm)
{
    sm.K = SlopeOfLOverT(t, l);
    Vec z(t.size()), g(t.size()), m(t.size());
    for (size_t i = 0; i < t.size(); ++i)
        z[i] = l[i] - sm.K * t[i];
    if (numerics::FitSmoothingSplineGcv(int32_t(z.size()), x.data(), z.data(), Lambda(kMinSmoothing),
                                        Lambda(kMaxSmoothing), g.data(), m.data(), &sm.Combined) != Status::Ok)
        return false;
    sm.GcvR = std::pow(sm.Combined.lambda, 0.25);
    sm.Raised = sm.GcvR < kMinAutoSmoothing;
    sm.R = sm.Raised ? kMinAutoSmoothing : sm.GcvR;
    return true;
}

bool Fit(const Vec &x, const Vec &y, double r, TSpline &s)
{
    s.g.resize(y.size());
    s.m.resize(y.size());
    return numerics::FitSmoothingSpline(int32_t(y.size()), x.data(), y.data(), Lambda(r), s.g.data(), s.m.data(),
                                        &s.fit) == Status::Ok;
}

// The push rod's coefficient over T, and its integral.
struct TPushRod {
    double alpha;
    std::optional<TParabola> table;

    double At(double t) const { return table ? (*table)(t) : alpha; }
    // The integral from a to b.
    double Integral(double a, double b) const
    {
        if (!table)
            return alpha * (b - a);
        const TParabola &p = *table;
        return p.c0 * (b - a) + p.c1 * (b * b - a * a) / 2 + p.c2 * (b * b * b - a * a * a) / 3;
    }
};

double Slope(const TParabola &p, double t) { return p.c1 + 2 * p.c2 * t; }

// The rate below which the coefficient is left empty: kHoldFraction of the
// rate that kUsualRateQuantile of the samples do not exceed.
double RateThreshold(const Vec &rate)
{
    Vec abs(rate.size());
    std::transform(rate.begin(), rate.end(), abs.begin(), [](double v) { return std::fabs(v); });
    const auto k = std::min(abs.size() - 1, size_t(std::floor(kUsualRateQuantile * double(abs.size() - 1))));
    std::nth_element(abs.begin(), abs.begin() + std::ptrdiff_t(k), abs.end());
    return kHoldFraction * abs[k];
}

// The sample time in [x[i], x[i+1]] at which the spline s takes the value v,
// which lies between its values at the two knots: Newton steps kept inside
// a shrinking bracket.
double Crossing(const Vec &x, const TSpline &s, int32_t i, double v)
{
    const auto n = int32_t(x.size());
    double lo = x[i], hi = x[i + 1];
    if (s.g[i] == v)
        return lo;
    if (s.g[i + 1] == v)
        return hi;
    const bool rising = s.g[i] < s.g[i + 1];
    double t = lo + (hi - lo) * (v - s.g[i]) / (s.g[i + 1] - s.g[i]);
    for (int step = 0; step < 60; ++step) {
        const double f = numerics::SmoothingSplineValue(n, x.data(), s.g.data(), s.m.data(), t) - v;
        if (f == 0)
            return t;
        ((f < 0) == rising ? lo : hi) = t;
        const double d = numerics::SmoothingSplineSlope(n, x.data(), s.g.data(), s.m.data(), t);
        double next = t - f / d;
        if (!(next > lo && next < hi))
            next = (lo + hi) / 2;
        if (std::fabs(next - t) <= 1e-14 * std::fabs(t))
            return next;
        t = next;
    }
    return t;
}

// Row k holds Tref + k step for k in kLo..kHi; each row's temperature is
// first reached at the time found for it.
struct TGrid {
    double tref, step;
    double kLo, kHi;
    Vec time;  // by row, NaN until reached

    double TempOf(size_t row) const { return tref + (kLo + double(row)) * step; }
};

// The rows Tref + k step whose computed temperature lies in [lo, hi], or
// none when there could be more than kMaxPhysicalRows; the count is checked
// before anything counts through them.
std::optional<TGrid> RowsWithin(double tref, double step, double lo, double hi)
{
    if (!((hi - lo) / step < kMaxPhysicalRows))
        return std::nullopt;
    TGrid g{tref, step, std::ceil((lo - tref) / step), std::floor((hi - tref) / step), {}};
    // The division may round across a row.
    while (tref + g.kLo * step < lo)
        ++g.kLo;
    while (tref + (g.kLo - 1) * step >= lo)
        --g.kLo;
    while (tref + g.kHi * step > hi)
        --g.kHi;
    while (tref + (g.kHi + 1) * step <= hi)
        ++g.kHi;
    g.time.assign(size_t(g.kHi - g.kLo + 1), kNaN);
    return g;
}

// The first time the smoothed temperature reaches each row's temperature.
// Up to knot i it has covered [low, high]; a rise of the next knot above
// high reaches the rows in between for the first time within segment i, and
// so does a fall below low.
void FindFirstTimes(const Vec &x, const TSpline &t, TGrid &grid)
{
    const auto rows = grid.time.size();
    const auto reach = [&](int32_t seg, double from, double to) {
        // Rows with from < T <= to (or to <= T < from): the rows near the
        // ends by division, each checked on its computed temperature.
        const double a = std::min(from, to), b = std::max(from, to);
        const double first = std::floor((a - grid.tref) / grid.step) - grid.kLo - 1;
        const double last = std::floor((b - grid.tref) / grid.step) - grid.kLo + 1;
        for (double r = std::max(first, 0.0); r <= last && r < double(rows); ++r) {
            const auto row = size_t(r);
            const double v = grid.TempOf(row);
            const bool inside = from < to ? (from < v && v <= to) : (to <= v && v < from);
            if (inside && std::isnan(grid.time[row]))
                grid.time[row] = seg < 0 ? x[0] : Crossing(x, t, seg, v);
        }
    };
    double low = t.g[0], high = t.g[0];
    reach(-1, std::nextafter(low, -INFINITY), low);
    for (int32_t i = 0; i + 1 < int32_t(x.size()); ++i) {
        const double next = t.g[i + 1];
        if (next > high)
            reach(i, high, next), high = next;
        if (next < low)
            reach(i, low, next), low = next;
    }
}

} // namespace

TPhysicalParams PhysicalParamsOf(const TRunData &run)
{
    TPhysicalParams params;
    params.SampleLength = run.SampleLength;
    params.QuartzAlpha = run.QuartzAlpha;
    params.QuartzLength = run.QuartzLength;
    return params;
}

void StorePhysicalParameters(const TPhysicalParams &params, TRunData &run)
{
    run.SampleLength = params.SampleLength;
    run.QuartzAlpha = params.QuartzAlpha;
    run.QuartzLength = params.QuartzLength;
}

TPhysicalOutcome ComputePhysical(const TRunData &calibrated, const TPhysicalParams &params,
                                 const std::optional<TFitPoints> &baselinePoints)
{
    TPhysicalOutcome out;
    out.ReferenceTemperature = params.ReferenceTemperature;
    const auto failed = [&out](const QString &message) {
        out.Failure = message;
        out.Rows.clear();
        return std::move(out);
    };
    const TParabola baseline = baselinePoints ? FitParabola(*baselinePoints, out.Notices) : TParabola{};
    TPushRod rod{params.QuartzAlpha, std::nullopt};
    if (params.QuartzTable)
        rod.table = FitParabola(*params.QuartzTable, out.Notices);
    if (const QString problem = CheckParams(params); !problem.isEmpty())
        return failed(problem);

    out.T = ChannelValues(calibrated, TChannel::T);
    out.L = ChannelValues(calibrated, TChannel::L);
    const auto n = int32_t(out.T.size());
    if (n < 3)
        return failed(Stopped(Tr::tr("В записи %1 точек, для расчета нужно не меньше 3!").arg(n)));
    for (int32_t i = 0; i < n; ++i) {
        if (!std::isfinite(out.T[i]) || !std::isfinite(out.L[i]))
            return failed(Stopped(Tr::tr("Значение точки %1 не является числом!").arg(i + 1)));
    }
    const Vec x(TimeAxis().begin(), TimeAxis().begin() + n);

    TPhysicalSmoothing &sm = out.Smoothing;
    sm.Automatic = !params.Smoothing;
    sm.Samples = n;
    if (sm.Automatic) {
        if (!ChooseSmoothing(x, out.T, out.L, sm))
            return failed(Stopped(Tr::tr("Сглаживание невозможно!")));
    } else {
        sm.R = *params.Smoothing;
    }
    TSpline t, l;
    if (!Fit(x, out.T, sm.R, t) || !Fit(x, out.L, sm.R, l))
        return failed(Stopped(Tr::tr("Сглаживание невозможно!")));
    sm.T = t.fit;
    sm.L = l.fit;
    out.TSmooth = t.g;
    out.LSmooth = l.g;

    const double l0 = params.SampleLength, lq = params.QuartzLength;
    // The physical coefficient from the slopes of the smoothed channels at
    // one time, at the smoothed temperature there.
    const auto alphaAt = [&](double rateT, double rateL, double temp) {
        if (!(std::fabs(rateT) > out.RateThreshold))
            return kNaN;
        return (rateL / rateT - Slope(baseline, temp)) / l0 + rod.At(temp) * lq / l0;
    };
    Vec rateT(x.size()), rateL(x.size());
    numerics::SmoothingSplineKnotSlopes(n, x.data(), t.g.data(), t.m.data(), rateT.data());
    numerics::SmoothingSplineKnotSlopes(n, x.data(), l.g.data(), l.m.data(), rateL.data());
    out.RateThreshold = RateThreshold(rateT);
    out.Alpha.resize(x.size());
    for (int32_t i = 0; i < n; ++i)
        out.Alpha[i] = alphaAt(rateT[i], rateL[i], t.g[i]);

    const double tref = params.ReferenceTemperature, step = params.Step;
    const auto [lo, hi] = std::minmax_element(t.g.begin(), t.g.end());
    if (!(*lo <= tref && tref <= *hi)) {
        return failed(Stopped(Tr::tr("Температура отсчета %1 deg C не достигнута: "
                                     "температура записи от %2 до %3 deg C!")
                                  .arg(Number(tref), Number(*lo), Number(*hi))));
    }
    std::optional<TGrid> grid = RowsWithin(tref, step, *lo, *hi);
    if (!grid) {
        return failed(Stopped(Tr::tr("Шаг %1 K слишком мал: строк получилось бы больше %2!")
                                  .arg(Number(step))
                                  .arg(kMaxPhysicalRows)));
    }
    FindFirstTimes(x, t, *grid);

    const auto lAt = [&](double time) {
        return numerics::SmoothingSplineValue(n, x.data(), l.g.data(), l.m.data(), time);
    };
    const auto refRow = size_t(-grid->kLo);
    const double lRef = lAt(grid->time[refRow]);
    out.Rows.reserve(grid->time.size());
    for (size_t row = 0; row < grid->time.size(); ++row) {
        const double temp = grid->TempOf(row), time = grid->time[row];
        TPhysicalRow r;
        r.T = temp;
        r.DL = lAt(time) - lRef - (baseline(temp) - baseline(tref)) + lq * rod.Integral(tref, temp);
        r.Strain = r.DL / l0 * 1e6;
        r.MeanAlpha = row == refRow ? kNaN : r.DL / l0 / (temp - tref);
        r.Alpha = alphaAt(numerics::SmoothingSplineSlope(n, x.data(), t.g.data(), t.m.data(), time),
                          numerics::SmoothingSplineSlope(n, x.data(), l.g.data(), l.m.data(), time), temp);
        if (!std::isfinite(r.DL) || !std::isfinite(r.Strain) || std::isinf(r.MeanAlpha) || std::isinf(r.Alpha))
            return failed(Stopped(Tr::tr("Результат при %1 deg C не является числом!").arg(Number(temp))));
        out.Rows.push_back(r);
    }
    return out;
}

TPhysicalOutcome CalculatePhysical(const TRunData &calibrated, const TPhysicalParams &params,
                                   const TSettings &settings, const TSplineTable &tTable,
                                   const TSplineTable &lTable)
{
    return WithBaseline<TPhysicalOutcome>(params, settings, tTable, lTable, [&](const auto &points) {
        return ComputePhysical(calibrated, params, points);
    });
}

QStringList PhysicalHeader(double referenceTemperature)
{
    const QString from = LocaleGeneral(referenceTemperature, 8);
    return {QStringLiteral("T, deg C"), Tr::tr("dL от %1 deg C").arg(from), Tr::tr("dL/L0 от %1 deg C, 1E-6").arg(from),
            Tr::tr("Alpha ср. от %1 deg C").arg(from), Tr::tr("Alpha физ.")};
}

QStringList FormatPhysicalRow(const TPhysicalRow &row)
{
    return {LocaleGeneral(row.T, 8), LocaleFixed(row.DL, 8, 4), LocaleFixed(row.Strain, 8, 2),
            LocaleExponent(row.MeanAlpha, 6, 2), LocaleExponent(row.Alpha, 6, 2)};
}

QString SmoothingSummary(const TPhysicalSmoothing &s)
{
    const auto g = [](double v) { return LocaleGeneral(v, 4); };
    const auto rms = [&s](const numerics::SmoothingFit &f) {
        return LocaleGeneral(std::sqrt(f.rss / std::max(s.Samples, 1)), 3);
    };
    // Whole sentences, so that a translation can order its words freely.
    if (s.Automatic && s.Raised)
        return Tr::tr("Сглаживание: R = %1 точек, по GCV для L - %2 T было %3 - поднято до наименьшего. "
                      "Эффективное число параметров %4. СКО остатков: T %5, L %6.")
            .arg(g(s.R), g(s.K), g(s.GcvR), g(s.T.edf), rms(s.T), rms(s.L));
    if (s.Automatic)
        return Tr::tr("Сглаживание: R = %1 точек, выбрано по GCV для L - %2 T. Эффективное число параметров %3. "
                      "СКО остатков: T %4, L %5.")
            .arg(g(s.R), g(s.K), g(s.T.edf), rms(s.T), rms(s.L));
    return Tr::tr("Сглаживание: R = %1 точек, задано. Эффективное число параметров %2. СКО остатков: T %3, L %4.")
        .arg(g(s.R), g(s.T.edf), rms(s.T), rms(s.L));
}

} // namespace analysis

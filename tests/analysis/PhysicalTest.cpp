// "Физический КТР" computed on runs built from closed forms: L a cubic in T,
// the baseline and the quartz table exact parabolas, so every row has an
// exact value to meet. Smoothing 0 makes the splines interpolate; a natural
// spline through a cubic errs only near the run's ends (its error shrinks
// by 2 - sqrt 3 per sample inward), so rows 20 samples inside are exact to
// rounding.
#include "AnalysisFixture.h"

#include "analysis/core/PhysicalCoefficient.h"

#include <limits>
#include <random>

using namespace analysis;

namespace {

// The sample's measured length change over T (mkm), and its slope.
double P(double t) { return 0.4 * t + 3e-4 * t * t - 2e-7 * t * t * t; }
double DP(double t) { return 0.4 + 6e-4 * t - 6e-7 * t * t; }
// A baseline parabola and a quartz coefficient parabola.
TParabola Baseline() { return {0.3, 0.02, 1e-5}; }
TParabola Quartz() { return {5e-7, 3e-10, -2e-13}; }

TFitPoints PointsOf(const TParabola &p, std::vector<double> x)
{
    TFitPoints points{x, {}};
    for (double t : x)
        points.Y.push_back(p(t));
    return points;
}

// A run through the temperatures given, with L = P(T) + offset where the
// temperature falls (a second branch that must not be read).
std::unique_ptr<TRunData> RunThrough(const std::vector<double> &temps, double fallingOffset = 0)
{
    auto r = ZeroRun();
    SetCalcDefaults(*r);
    r->Count = int32_t(temps.size());
    for (size_t i = 0; i < temps.size(); ++i) {
        const bool falling = i > 0 && temps[i] < temps[i - 1];
        r->T[i] = temps[i];
        r->L[i] = P(temps[i]) + (falling ? fallingOffset : 0);
    }
    return r;
}

std::vector<double> Ramp(double from, double to, double step)
{
    std::vector<double> t;
    const int n = int(std::lround((to - from) / step));
    for (int i = 0; i <= n; ++i)
        t.push_back(from + i * step);
    return t;
}

std::vector<double> Join(std::vector<double> a, const std::vector<double> &b)
{
    a.insert(a.end(), b.begin() + 1, b.end());
    return a;
}

// The exact row at temperature t.
TPhysicalRow Expected(double t, const TPhysicalParams &p, const std::optional<TParabola> &base,
                      const std::optional<TParabola> &quartz)
{
    const double tr = p.ReferenceTemperature;
    const TParabola b = base.value_or(TParabola{});
    // The push rod's expansion: the integral of its coefficient from tr to t.
    const auto q = [&](double x) {
        return quartz ? quartz->c0 * x + quartz->c1 * x * x / 2 + quartz->c2 * x * x * x / 3 : p.QuartzAlpha * x;
    };
    TPhysicalRow r;
    r.T = t;
    r.DL = P(t) - P(tr) - (b(t) - b(tr)) + p.QuartzLength * (q(t) - q(tr));
    r.Strain = r.DL / p.SampleLength * 1e6;
    r.MeanAlpha = r.DL / p.SampleLength / (t - tr);
    r.Alpha = (DP(t) - b.c1 - 2 * b.c2 * t) / p.SampleLength +
              (quartz ? (*quartz)(t) : p.QuartzAlpha) * p.QuartzLength / p.SampleLength;
    return r;
}

void ExpectRow(const TPhysicalRow &got, const TPhysicalRow &want)
{
    SCOPED_TRACE(testing::Message() << "row at " << want.T);
    EXPECT_NEAR(got.T, want.T, 1e-9);
    EXPECT_NEAR(got.DL, want.DL, 1e-9 * (1 + std::fabs(want.DL)));
    EXPECT_NEAR(got.Strain, want.Strain, 1e-9 * (1 + std::fabs(want.Strain)));
    EXPECT_NEAR(got.MeanAlpha, want.MeanAlpha, 1e-12 * std::fabs(want.MeanAlpha) + 1e-17);
    EXPECT_NEAR(got.Alpha, want.Alpha, 1e-9 * std::fabs(want.Alpha));
}

} // namespace

// Every row of a run from -30 to 430 deg C against the closed form: the
// length change from the reference temperature with the baseline removed
// and the push rod's expansion added, the strain, the mean coefficient and
// the physical one.
TEST(PhysicalCoefficient, RowsMatchTheClosedForm)
{
    const auto run = RunThrough(Ramp(-30, 430, 0.5));
    const struct {
        const char *name;
        double tref, step, l0, lq;
        std::optional<TParabola> base, quartz;
    } rows[] = {
        {"constant push rod", 20, 10, 50000, 50000, std::nullopt, std::nullopt},
        {"quartz table", 20, 10, 25000, 40000, std::nullopt, Quartz()},
        {"baseline", 20, 10, 25000, 25000, Baseline(), std::nullopt},
        {"reference between rows, odd step", 23.5, 7.5, 30000, 50000, Baseline(), Quartz()},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        TPhysicalParams params;
        params.ReferenceTemperature = row.tref;
        params.Step = row.step;
        params.SampleLength = row.l0;
        params.QuartzLength = row.lq;
        params.Smoothing = 0.0;
        if (row.quartz)
            params.QuartzTable = PointsOf(*row.quartz, {100, 300, 500, 700});
        const std::optional<TFitPoints> base =
            row.base ? std::optional(PointsOf(*row.base, {0, 150, 300, 450, 600})) : std::nullopt;
        const TPhysicalOutcome out = ComputePhysical(*run, params, base);
        ASSERT_EQ(out.Failure, "");
        EXPECT_TRUE(out.Notices.isEmpty());
        // Every Tref + k step from -30 to 430, rising.
        const double first = row.tref + std::ceil((-30 - row.tref) / row.step) * row.step;
        ASSERT_EQ(out.Rows.size(), size_t(std::floor((430 - first) / row.step)) + 1);
        for (size_t k = 0; k < out.Rows.size(); ++k) {
            const double t = first + double(k) * row.step;
            if (t == row.tref) {
                EXPECT_EQ(out.Rows[k].DL, 0.0);
                EXPECT_TRUE(std::isnan(out.Rows[k].MeanAlpha));
            }
            if (t >= -20 && t <= 420 && t != row.tref)
                ExpectRow(out.Rows[k], Expected(t, params, row.base, row.quartz));
        }
    }
}

// A row is read where the smoothed temperature first reaches it: after a
// turn, the second pass through the same temperatures (here with the length
// 5 mkm off) is not read; a run that only cools gives the rows as well.
TEST(PhysicalCoefficient, RowsComeFromWhereTheTemperatureFirstGetsThere)
{
    const struct {
        const char *name;
        std::vector<double> temps;
        double fallingOffset;
        double lowest, highest;  // the rows checked
    } rows[] = {
        {"heating, then cooling", Join(Ramp(0, 300, 0.5), Ramp(300, 100, -0.5)), 5, 10, 280},
        {"cooling only", Ramp(300, 0, -0.5), 0, 10, 290},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        TPhysicalParams params;
        params.Smoothing = 0.0;
        const TPhysicalOutcome out = ComputePhysical(*RunThrough(row.temps, row.fallingOffset), params, std::nullopt);
        ASSERT_EQ(out.Failure, "");
        ASSERT_EQ(out.Rows.size(), 31u);  // 0, 10, ..., 300
        for (const TPhysicalRow &r : out.Rows) {
            if (r.T >= row.lowest && r.T <= row.highest && r.T != 20)
                ExpectRow(r, Expected(r.T, params, std::nullopt, std::nullopt));
        }
    }
}

// Where the temperature stands (a hold) or turns, the physical coefficient
// is empty; elsewhere it holds. The usual rate here is the ramp's 0.5 K per
// sample, so the coefficient is kept down to about 0.1 K per sample.
TEST(PhysicalCoefficient, CoefficientIsEmptyWhereTheTemperatureStands)
{
    // 0..100 at 0.5 K per sample, 200 samples at 100, on to 250, back to 150.
    std::vector<double> temps = Ramp(0, 100, 0.5);
    temps.insert(temps.end(), 200, 100.0);
    temps = Join(Join(temps, Ramp(100, 250, 0.5)), Ramp(250, 150, -0.5));
    const size_t holdStart = 200, holdEnd = 400, peak = 700;
    ASSERT_EQ(temps[peak], 250.0);
    TPhysicalParams params;
    params.Smoothing = 5.0;
    const TPhysicalOutcome out = ComputePhysical(*RunThrough(temps), params, std::nullopt);
    ASSERT_EQ(out.Failure, "");
    // (The smoothed rate overshoots a little next to the bends.)
    EXPECT_NEAR(out.RateThreshold, 0.1, 0.005);
    ASSERT_EQ(out.Alpha.size(), temps.size());
    for (size_t i : {holdStart + 10, (holdStart + holdEnd) / 2, holdEnd - 10, peak - 1, peak, peak + 1})
        EXPECT_TRUE(std::isnan(out.Alpha[i])) << "sample " << i;
    for (size_t i : {size_t(100), holdStart - 40, holdEnd + 40, peak - 60, peak + 60}) {
        const double expected = DP(temps[i]) / params.SampleLength + params.QuartzAlpha;
        EXPECT_NEAR(out.Alpha[i], expected, 1e-3 * expected) << "sample " << i;
    }
    // The row at the hold's temperature is read where the hold begins.
    const auto at100 = std::find_if(out.Rows.begin(), out.Rows.end(), [](const TPhysicalRow &r) { return r.T == 100; });
    ASSERT_NE(at100, out.Rows.end());
    EXPECT_TRUE(std::isnan(at100->Alpha));
    EXPECT_NEAR(at100->DL, Expected(100, params, std::nullopt, std::nullopt).DL, 1e-3);
}

// What cannot be computed is refused with its reason, and no rows.
TEST(PhysicalCoefficient, RefusesWhatItCannotCompute)
{
    const auto run = RunThrough(Ramp(-30, 430, 0.5));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    auto notANumber = RunThrough(Ramp(-30, 430, 0.5));
    notANumber->L[7] = nan;
    const auto two = RunThrough({10, 30});
    const struct {
        const char *name;
        const TRunData &run;
        std::function<void(TPhysicalParams &)> set;
        QString message;
    } rows[] = {
        {"a sample length of 0", *run, [](TPhysicalParams &p) { p.SampleLength = 0; },
         "Длина образца равна нулю! Расчет остановлен!"},
        {"a step of 0", *run, [](TPhysicalParams &p) { p.Step = 0; },
         "Шаг по температуре должен быть больше нуля! Расчет остановлен!"},
        {"a step that is not a number", *run, [nan](TPhysicalParams &p) { p.Step = nan; },
         "Шаг по температуре должен быть больше нуля! Расчет остановлен!"},
        {"a smoothing beyond 1000", *run, [](TPhysicalParams &p) { p.Smoothing = 1000.5; },
         "Сглаживание R должно быть от 0 до 1000 точек! Расчет остановлен!"},
        {"two samples", *two, {}, "В записи 2 точек, для расчета нужно не меньше 3! Расчет остановлен!"},
        {"a sample that is not a number", *notANumber, {},
         "Значение точки 8 не является числом! Расчет остановлен!"},
        {"a reference above the run", *run, [](TPhysicalParams &p) { p.ReferenceTemperature = 500; },
         "Температура отсчета 500 deg C не достигнута: температура записи от -30 до 430 deg C! "
         "Расчет остановлен!"},
        {"a reference below the run", *run, [](TPhysicalParams &p) { p.ReferenceTemperature = -30.5; },
         "Температура отсчета -30.5 deg C не достигнута: температура записи от -30 до 430 deg C! "
         "Расчет остановлен!"},
        {"a step too small for the range", *run, [](TPhysicalParams &p) { p.Step = 0.04; },
         "Шаг 0.04 K слишком мал: строк получилось бы больше 10000! Расчет остановлен!"},
        {"the smallest step there is", *run, [](TPhysicalParams &p) { p.Step = 5e-324; },
         "Шаг 4.94066E-324 K слишком мал: строк получилось бы больше 10000! Расчет остановлен!"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        TPhysicalParams params;
        params.Smoothing = 0.0;
        if (row.set)
            row.set(params);
        const TPhysicalOutcome out = ComputePhysical(row.run, params, std::nullopt);
        EXPECT_EQ(out.Failure, row.message);
        EXPECT_TRUE(out.Rows.empty());
    }
}

// Noise that follows itself from sample to sample (drift of the readings, a
// slow wobble) looks like signal to cross-validation, which then smooths
// hardly at all and the coefficient is noise. The automatic choice keeps
// at least kMinAutoSmoothing and the summary says it was raised; a smooth
// run with independent noise keeps what cross-validation chose, and a
// smoothing the user set is never changed.
TEST(PhysicalCoefficient, AutomaticSmoothingKeepsItsFloor)
{
    struct TRow {
        const char *name;
        double follow;  // AR(1) coefficient of the noise on L
        double sd;      // its standard deviation, µm
        std::optional<double> set;
        bool raised;
    };
    const TRow rows[] = {
        {"noise following itself", 0.9, 0.05, std::nullopt, true},
        {"independent noise", 0.0, 0.05, std::nullopt, false},
        {"set by the user", 0.9, 0.05, 1.0, false},
    };
    for (const TRow &r : rows) {
        SCOPED_TRACE(r.name);
        auto run = RunThrough(Ramp(20, 620, 0.5));
        std::mt19937 random(7);
        std::normal_distribution<double> normal(0, r.sd * std::sqrt(1 - r.follow * r.follow));
        double e = 0;
        for (int32_t i = 0; i < run->Count; ++i) {
            e = r.follow * e + normal(random);
            run->L[i] += e;
        }
        TPhysicalParams params = PhysicalParamsOf(*run);
        params.Smoothing = r.set;
        const TPhysicalOutcome out = ComputePhysical(*run, params, std::nullopt);
        ASSERT_TRUE(out.Failure.isEmpty()) << out.Failure.toStdString();
        const TPhysicalSmoothing &s = out.Smoothing;
        EXPECT_EQ(s.Raised, r.raised);
        const QString summary = SmoothingSummary(s);
        EXPECT_EQ(summary.contains(QStringLiteral("поднято")), r.raised) << summary.toStdString();
        if (r.set) {
            EXPECT_EQ(s.R, *r.set);
        } else {
            EXPECT_GE(s.R, kMinAutoSmoothing);
        }
        if (r.raised) {
            EXPECT_EQ(s.R, kMinAutoSmoothing);
            EXPECT_LT(s.GcvR, kMinAutoSmoothing);
        }
    }
}

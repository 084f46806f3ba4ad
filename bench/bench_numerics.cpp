// Timings of the numerical routines over a full run of 10000 samples.
#include "numerics/MNKFuncs.h"
#include "numerics/SmoothFuncs.h"
#include "numerics/Splines.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

constexpr int32_t kCount = 10000;
using Vec = std::vector<double>;

Vec TimeAxis()
{
    Vec x(kCount);
    for (int32_t i = 0; i < kCount; ++i)
        x[i] = i + 1;
    return x;
}

// A heating curve with measurement noise.
Vec Samples()
{
    Vec y(kCount);
    for (int32_t i = 0; i < kCount; ++i)
        y[i] = 20.0 + 0.08 * i + 1e-6 * i * i + 0.3 * std::sin(2.7 * i);
    return y;
}

struct SplineArrays {
    Vec x = TimeAxis(), y = Samples(), d = Vec(kCount), c = Vec(kCount), b = Vec(kCount),
        a = Vec(kCount);
    void Build() { numerics::BuildSpline(kCount, x.data(), y.data(), 10.0, d.data(), c.data(), b.data(), a.data()); }
    // 10000 evaluations across the whole range, as when a chart draws the spline.
    double EvaluateAll() const
    {
        double sum = 0.0;
        for (int32_t i = 0; i < kCount; ++i)
            sum += numerics::SplineValue(kCount, x.data(), d.data(), c.data(), b.data(), a.data(),
                                         1.0 + i * 0.9999);
        return sum;
    }
};

void BM_BuildSplineAndEvaluate(benchmark::State &state)
{
    SplineArrays s;
    for (auto _ : state) {
        s.Build();
        benchmark::DoNotOptimize(s.EvaluateAll());
    }
}
BENCHMARK(BM_BuildSplineAndEvaluate)->Unit(benchmark::kMicrosecond);

void BM_BuildSpline(benchmark::State &state)
{
    SplineArrays s;
    for (auto _ : state) {
        s.Build();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BuildSpline)->Unit(benchmark::kMicrosecond);

void BM_SplineValue10000(benchmark::State &state)
{
    SplineArrays s;
    s.Build();
    for (auto _ : state)
        benchmark::DoNotOptimize(s.EvaluateAll());
}
BENCHMARK(BM_SplineValue10000)->Unit(benchmark::kMicrosecond);

void BM_PolyFitParabola(benchmark::State &state)
{
    const Vec x = TimeAxis(), y = Samples();
    double C[3] = {};
    for (auto _ : state) {
        benchmark::DoNotOptimize(numerics::PolyFit(kCount, 3, x.data(), y.data(), C));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PolyFitParabola)->Unit(benchmark::kMicrosecond);

// The filters work in place, so every iteration restores the samples first
// (a copy of 80 kB, a few microseconds, included in the figure).
template <typename Filter>
void RunFilter(benchmark::State &state, Filter filter)
{
    const Vec original = Samples();
    Vec y(kCount);
    for (auto _ : state) {
        y = original;
        filter(y.data());
        benchmark::ClobberMemory();
    }
}

void BM_MovingAverage10(benchmark::State &state)
{
    RunFilter(state, [](double *y) { numerics::MovingAverage(kCount, y, 10); });
}
BENCHMARK(BM_MovingAverage10)->Unit(benchmark::kMicrosecond);

void BM_SevenPointSmooth(benchmark::State &state)
{
    RunFilter(state, [](double *y) { numerics::SevenPointSmooth(kCount, y); });
}
BENCHMARK(BM_SevenPointSmooth)->Unit(benchmark::kMicrosecond);

void BM_SplineSmooth(benchmark::State &state)
{
    const Vec x = TimeAxis();
    RunFilter(state, [&x](double *y) { numerics::SplineSmooth(kCount, x.data(), y, 10.0); });
}
BENCHMARK(BM_SplineSmooth)->Unit(benchmark::kMicrosecond);

} // namespace

#include "app/core/RunData.h"

#include <algorithm>
#include <cmath>
#include <cstring>

void SetCalcDefaults(TRunData &run)
{
    run.CalcPoints = kDefaultCalcPoints;
    run.SampleLength = kDefaultSampleLength;
    run.QuartzLength = kDefaultQuartzLength;
    run.QuartzAlpha = kDefaultQuartzAlpha;
}

void ClearRun(TRunData &run)
{
    std::memset(static_cast<void *>(&run), 0, sizeof run);
    SetCalcDefaults(run);
}

void FillTestRun(TRunData &run)
{
    constexpr int32_t kTestCount = 600;
    run.Count = kTestCount;
    SetCalcDefaults(run);
    for (int32_t i = 1; i <= kTestCount; ++i) {
        run.T[i - 1] = i;
        run.L[i - 1] = std::log(i + 50.0) / 12.0;
        run.TC[i - 1] = i;
    }
}

int32_t ValidCount(const TRunData &run)
{
    const int32_t count = run.Count;  // by value: no reference into the packed record
    return std::clamp(count, 0, kRunCapacity);
}

std::vector<double> ChannelValues(const TRunData &run, TChannel channel)
{
    const int32_t n = ValidCount(run);
    std::vector<double> values(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i) {
        switch (channel) {
        case TChannel::T: values[i] = run.T[i]; break;
        case TChannel::L: values[i] = run.L[i]; break;
        case TChannel::TC: values[i] = run.TC[i]; break;
        }
    }
    return values;
}

const std::array<double, kRunCapacity> &TimeAxis()
{
    static const std::array<double, kRunCapacity> axis = [] {
        std::array<double, kRunCapacity> a{};
        for (int32_t i = 0; i < kRunCapacity; ++i)
            a[i] = i + 1;
        return a;
    }();
    return axis;
}

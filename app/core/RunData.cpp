#include "app/core/RunData.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
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

namespace {

// Where a channel's doubles lie in the packed record. They are copied as
// bytes, so no unaligned double is ever read or written.
size_t ChannelOffset(TChannel channel)
{
    switch (channel) {
    case TChannel::T: return offsetof(TRunData, T);
    case TChannel::L: return offsetof(TRunData, L);
    case TChannel::TC: return offsetof(TRunData, TC);
    }
    return offsetof(TRunData, T);
}

} // namespace

std::vector<double> ChannelValues(const TRunData &run, TChannel channel)
{
    std::vector<double> values(static_cast<size_t>(ValidCount(run)));
    if (!values.empty())
        std::memcpy(values.data(), reinterpret_cast<const char *>(&run) + ChannelOffset(channel),
                    values.size() * sizeof(double));
    return values;
}

void SetChannelValues(TRunData &run, TChannel channel, const std::vector<double> &values)
{
    const size_t n = std::min(values.size(), static_cast<size_t>(kRunCapacity));
    if (n > 0)
        std::memcpy(reinterpret_cast<char *>(&run) + ChannelOffset(channel), values.data(), n * sizeof(double));
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

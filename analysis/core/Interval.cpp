#include "analysis/core/Interval.h"

#include "numerics/ArrayFuncs.h"

#include <algorithm>

namespace {

void CopySample(TRunData &run, int32_t from, int32_t to)
{
    run.T[to - 1] = run.T[from - 1];
    run.L[to - 1] = run.L[from - 1];
    run.TC[to - 1] = run.TC[from - 1];
}

} // namespace

void KeepInterval(TRunData &run, int32_t n0, double f1, double f2)
{
    const int32_t count = ValidCount(run);
    n0 = std::clamp(n0, 0, count);
    // Slots are only ever copied downwards (to <= from), so the cut can be made
    // in place, in ascending order.
    int32_t kept = 0;
    if (n0 > 0) {
        const double *time = TimeAxis().data();
        const double tmin = numerics::ArrayMin(n0, time);
        const double tmax = numerics::ArrayMax(n0, time);
        const double lo = tmin + (tmax - tmin) * f1;
        const double hi = tmin + (tmax - tmin) * f2;
        for (int32_t i = 1; i <= n0; ++i) {
            if (lo <= time[i - 1] && time[i - 1] <= hi)
                CopySample(run, i, ++kept);
        }
    }
    for (int32_t i = n0 + 1; i <= count; ++i)
        CopySample(run, i, ++kept);
    run.Count = kept;
}

#include "analysis/core/Parabola.h"

#include "analysis/core/AnalysisMessages.h"
#include "numerics/MNKFuncs.h"

#include <algorithm>
#include <cstdint>

namespace analysis {

TParabola FitParabola(const TFitPoints &points, QStringList &notices)
{
    const auto n = static_cast<int32_t>(std::min(points.X.size(), points.Y.size()));
    double c[3] = {0, 0, 0};
    if (numerics::PolyFit(n, 3, points.X.data(), points.Y.data(), c) != numerics::Status::Ok) {
        notices << MsgFitFailed();
        return {};
    }
    return {c[0], c[1], c[2]};
}

} // namespace analysis

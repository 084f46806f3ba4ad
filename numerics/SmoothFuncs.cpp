#include "numerics/SmoothFuncs.h"

#include "numerics/Splines.h"

#include <cmath>
#include <cstddef>
#include <vector>

namespace numerics {
namespace {

using Vec = std::vector<double>;

std::size_t Size(int32_t n) { return static_cast<std::size_t>(n); }

// Weights m^2 and m^4 of the offsets m = -3..3.
constexpr double kSquareWeights[7] = {9, 4, 1, 0, 1, 4, 9};
constexpr double kFourthWeights[7] = {81, 16, 1, 0, 1, 16, 81};

// Eight-digit roundings of 131/231, 35/132 and 1/44, kept as written so the
// filter gives the same numbers as before (its weights sum to 0.99999991).
constexpr double kSumFactor = 0.56709957;
constexpr double kSquareFactor = 0.2651515;
constexpr double kFourthFactor = 0.02272727;

double SevenPointValue(const double *Y, int32_t i)
{
    double s0 = 0.0, s2 = 0.0, s4 = 0.0;
    for (int32_t m = -3; m <= 3; ++m) {
        const double y = Y[i + m];
        s0 += y;
        s2 += kSquareWeights[m + 3] * y;
        s4 += kFourthWeights[m + 3] * y;
    }
    return kSumFactor * s0 - kSquareFactor * s2 + kFourthFactor * s4;
}

} // namespace

void MovingAverage(int32_t n, double *Y, int32_t M)
{
    if (M <= 0)
        return; // a window of one sample; a negative M is taken as 0
    // Half-width M div 2, plus 1 for an odd M; 2k + 1 may exceed int32.
    const int32_t k = M / 2 + M % 2;
    const int64_t window = 2 * int64_t{k} + 1;
    if (n < window)
        return;

    Vec smoothed(Size(n));
    for (int32_t j = k; j <= n - k - 1; ++j) {
        double sum = 0.0;
        for (int32_t i = j - k; i <= j + k; ++i)
            sum += Y[i];
        smoothed[j] = sum / static_cast<double>(window);
    }
    for (int32_t j = k; j <= n - k - 1; ++j)
        Y[j] = smoothed[j];
}

void SevenPointSmooth(int32_t n, double *Y)
{
    if (n < 7)
        return;
    Vec smoothed(Size(n));
    for (int32_t i = 3; i <= n - 4; ++i)
        smoothed[i] = SevenPointValue(Y, i);
    for (int32_t i = 3; i <= n - 4; ++i)
        Y[i] = smoothed[i];
}

Status SplineSmooth(int32_t n, const double *X, double *Y, double alpha)
{
    if (n < 3)
        return Status::TooFewPoints;
    // The four coefficient arrays and the smoothed values share one block.
    const std::size_t size = Size(n);
    Vec work(5 * size);
    double *d = work.data(), *c = d + size, *b = c + size, *a = b + size, *smoothed = a + size;
    const Status built = BuildSpline(n, X, Y, alpha, d, c, b, a);
    if (built != Status::Ok)
        return built;

    for (int32_t i = 0; i < n; ++i) {
        smoothed[i] = SplineValue(n, X, d, c, b, a, X[i]);
        if (!std::isfinite(smoothed[i]))
            return Status::Singular;
    }
    for (int32_t i = 0; i < n; ++i)
        Y[i] = smoothed[i];
    return Status::Ok;
}

} // namespace numerics

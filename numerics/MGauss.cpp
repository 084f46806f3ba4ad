#include "numerics/MGauss.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace numerics {
namespace {

constexpr int32_t kMaxOrder = 19;

struct Work {
    double B[20][20];
    double b[20];
};

// Row of the largest |B[r][k]| for r >= k; a tie keeps the upper row.
int32_t PivotRow(int32_t m, const Work &w, int32_t k)
{
    int32_t p = k;
    double best = std::fabs(w.B[k][k]);
    for (int32_t r = k + 1; r < m; ++r) {
        if (std::fabs(w.B[r][k]) > best) {
            best = std::fabs(w.B[r][k]);
            p = r;
        }
    }
    return p;
}

// Forward elimination with partial pivoting; false on a zero pivot.
bool Eliminate(int32_t m, Work &w)
{
    for (int32_t k = 0; k <= m - 2; ++k) {
        const int32_t p = PivotRow(m, w, k);
        if (w.B[p][k] == 0.0)
            return false;
        if (p != k) {
            // Only the m columns in use: the rest of the work rows is never set.
            std::swap_ranges(w.B[k], w.B[k] + m, w.B[p]);
            std::swap(w.b[k], w.b[p]);
        }
        for (int32_t r = k + 1; r < m; ++r) {
            const double f = w.B[r][k] / w.B[k][k];
            for (int32_t j = k + 1; j < m; ++j)
                w.B[r][j] -= f * w.B[k][j];
            w.b[r] -= f * w.b[k];
        }
    }
    return w.B[m - 1][m - 1] != 0.0;
}

// Back substitution into x; false when a component is not finite.
bool BackSubstitute(int32_t m, const Work &w, double *x)
{
    x[m - 1] = w.b[m - 1] / w.B[m - 1][m - 1];
    for (int32_t i = m - 2; i >= 0; --i) {
        double s = 0.0;
        for (int32_t j = i + 1; j < m; ++j)
            s += w.B[i][j] * x[j];
        x[i] = (w.b[i] - s) / w.B[i][i];
    }
    for (int32_t i = 0; i < m; ++i) {
        if (!std::isfinite(x[i]))
            return false;
    }
    return true;
}

} // namespace

Status GaussSolve(int32_t m, TGaussMatrix &A)
{
    if (m < 1 || m > kMaxOrder)
        return Status::BadArgument;

    Work w;
    for (int32_t i = 0; i < m; ++i) {
        for (int32_t j = 0; j < m; ++j)
            w.B[i][j] = A.a[i][j];
        w.b[i] = A.a[i][m];
    }
    double x[20];
    if (!Eliminate(m, w) || !BackSubstitute(m, w, x))
        return Status::Singular;

    for (int32_t i = 0; i < m; ++i)
        A.a[i][m] = x[i];
    return Status::Ok;
}

} // namespace numerics

#include "numerics/MNKFuncs.h"

#include "numerics/MGauss.h"

#include <cmath>

namespace numerics {
namespace {

// x^e for a whole e >= 0 by repeated squaring; x^0 = 1, also for x = 0.
double IntPower(double x, int32_t e)
{
    double result = 1.0;
    while (e > 0) {
        if (e & 1)
            result *= x;
        x *= x;
        e >>= 1;
    }
    return result;
}

// Normal equations: A[i][j] = sum X^(i+j), A[i][m] = sum X^i Y, each sum
// accumulated over k in index order; the full matrix is filled.
void FillNormalEquations(int32_t n, int32_t m, const double *X, const double *Y, TGaussMatrix &A)
{
    double power[2 * 19 - 1];
    for (int32_t k = 0; k < n; ++k) {
        for (int32_t e = 0; e <= 2 * m - 2; ++e)
            power[e] = IntPower(X[k], e);
        for (int32_t i = 0; i < m; ++i) {
            for (int32_t j = 0; j < m; ++j)
                A.a[i][j] += power[i + j];
            A.a[i][m] += power[i] * Y[k];
        }
    }
    A.a[0][0] = n;
}

// An overflowed sum would let the solver produce a plausible-looking answer.
bool AllFinite(int32_t m, const TGaussMatrix &A)
{
    for (int32_t i = 0; i < m; ++i) {
        for (int32_t j = 0; j <= m; ++j) {
            if (!std::isfinite(A.a[i][j]))
                return false;
        }
    }
    return true;
}

} // namespace

Status PolyFit(int32_t n, int32_t m, const double *X, const double *Y, double *C)
{
    if (m < 2 || m > 19 || n < 0)
        return Status::BadArgument;

    TGaussMatrix A;
    FillNormalEquations(n, m, X, Y, A);
    if (!AllFinite(m, A))
        return Status::Singular;

    if (GaussSolve(m, A) != Status::Ok)
        return Status::Singular;
    for (int32_t i = 0; i < m; ++i)
        C[i] = A.a[i][m];
    return Status::Ok;
}

} // namespace numerics

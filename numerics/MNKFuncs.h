#pragma once
// Least-squares polynomial fit through the normal equations.
#include "numerics/Status.h"
#include <cstdint>

namespace numerics {

// Fits p(x) = C[0] + C[1] x + ... + C[m-1] x^(m-1) to the n points (X[k], Y[k]).
// Ok: C[0..m-1] written. Singular: the normal system has a zero pivot, a sum
// of powers overflows or the solution is not finite; the caller shows
// "Невозможно закончить расчет!"; C untouched. BadArgument: m outside 2..19 or
// n < 0; C untouched.
Status PolyFit(int32_t n, int32_t m, const double *X, const double *Y, double *C);

} // namespace numerics

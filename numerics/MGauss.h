#pragma once
// Gauss elimination with partial pivoting on an augmented matrix.
#include "numerics/Status.h"

#include <cstdint>

namespace numerics {

// Rows 0..m-1 are used; columns 0..m-1 hold the coefficients, column m the
// right-hand side, so m <= 19.
struct TGaussMatrix {
    double a[20][20] = {};
};

// Solves the order-m system in A. Ok: the solution is in column m (rows
// 0..m-1); every other entry of A is unchanged. Singular: a zero pivot (exact
// comparison) or a solution component that is not finite; A unchanged. Pivot
// rows are chosen by strictly greater absolute value; on a tie the upper row
// stays. BadArgument: m outside 1..19; A unchanged.
Status GaussSolve(int32_t m, TGaussMatrix &A);

} // namespace numerics

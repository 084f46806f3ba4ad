#pragma once
// Gauss elimination with partial pivoting on an augmented matrix.
#include <cstdint>

namespace numerics {

// Rows 0..m-1 are used; columns 0..m-1 hold the coefficients, column m the
// right-hand side, so m <= 19.
struct TGaussMatrix {
    double a[20][20] = {};
};

// Solves the order-m system in A. On success writes the solution into column m
// (rows 0..m-1) and sets failed = false; every other entry of A is unchanged.
// A zero pivot (exact comparison) or a solution component that is not finite
// sets failed = true and leaves A unchanged. Pivot rows are chosen by strictly
// greater absolute value; on a tie the upper row stays.
// m outside 1..19 sets failed = true without touching A.
void GaussSolve(int32_t m, TGaussMatrix &A, bool &failed);

} // namespace numerics

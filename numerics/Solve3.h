#pragma once
// The 3 x 3 linear systems of the small least-squares fits (a parabola, two
// lines joined by a bend), in long double.

namespace numerics {

// Solves the system whose augmented matrix is a (right-hand side in column
// 3) by Gaussian elimination with partial pivoting; a is overwritten. False
// when a pivot is not larger in magnitude than minPivot times the sum of the
// magnitudes of a's diagonal (0: only a zero or undefined pivot refuses).
bool Solve3(long double a[3][4], long double out[3], long double minPivot);

} // namespace numerics

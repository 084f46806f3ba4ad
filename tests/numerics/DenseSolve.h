#pragma once
// Reference linear solve for the tests, independent of the code under test:
// plain Gauss-Jordan elimination with partial pivoting on an augmented matrix.
#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

using Matrix = std::vector<std::vector<double>>;

// A holds n rows of n coefficients and the right-hand side; returns the solution.
inline std::vector<double> DenseSolve(Matrix A)
{
    const size_t n = A.size();
    for (size_t k = 0; k < n; ++k) {
        size_t p = k;
        for (size_t r = k + 1; r < n; ++r)
            if (std::fabs(A[r][k]) > std::fabs(A[p][k]))
                p = r;
        std::swap(A[k], A[p]);
        for (size_t r = 0; r < n; ++r) {
            if (r == k)
                continue;
            const double f = A[r][k] / A[k][k];
            for (size_t j = k; j <= n; ++j)
                A[r][j] -= f * A[k][j];
        }
    }
    std::vector<double> x(n);
    for (size_t i = 0; i < n; ++i)
        x[i] = A[i][n] / A[i][i];
    return x;
}

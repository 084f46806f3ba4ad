#include "numerics/Solve3.h"

#include <cmath>
#include <utility>

namespace numerics {

bool Solve3(long double a[3][4], long double out[3], long double minPivot)
{
    const long double least =
        minPivot > 0 ? minPivot * (std::fabs(a[0][0]) + std::fabs(a[1][1]) + std::fabs(a[2][2])) : 0.0L;
    for (int c = 0; c < 3; ++c) {
        int pivot = c;
        for (int r = c + 1; r < 3; ++r) {
            if (std::fabs(a[r][c]) > std::fabs(a[pivot][c]))
                pivot = r;
        }
        if (!(std::fabs(a[pivot][c]) > least))
            return false;
        std::swap(a[c], a[pivot]);
        for (int r = c + 1; r < 3; ++r) {
            const long double f = a[r][c] / a[c][c];
            for (int k = c; k < 4; ++k)
                a[r][k] -= f * a[c][k];
        }
    }
    for (int c = 2; c >= 0; --c) {
        long double s = a[c][3];
        for (int k = c + 1; k < 3; ++k)
            s -= a[c][k] * out[k];
        out[c] = s / a[c][c];
    }
    return true;
}

} // namespace numerics

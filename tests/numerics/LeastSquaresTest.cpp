#include "numerics/MGauss.h"
#include "numerics/MNKFuncs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

using numerics::Status;
using numerics::TGaussMatrix;

namespace {

using Vec = std::vector<double>;
constexpr double kSentinel = -777.0;

double Poly(const Vec &C, double x)
{
    double p = 0.0;
    for (size_t i = C.size(); i-- > 0;)
        p = p * x + C[i];
    return p;
}

TEST(PolyFit, RecoversExactPolynomials)
{
    Vec many;
    for (int k = 0; k < 25; ++k)
        many.push_back(0.37 * k - 3.0);
    const struct {
        const char *name;
        Vec C, X;
    } rows[] = {
        {"parabola through three points", {1, 2, 3}, {-1, 0, 2}},
        {"parabola, 25 points", {1, 2, 3}, many},
        {"line", {-4, 0.5}, {0, 1, 2, 5}},
        {"cubic", {1, -1, 0.5, 0.25}, {-2, -1.5, -1, 0, 0.5, 1, 2}},
    };
    for (const auto &row : rows) {
        Vec Y;
        for (double x : row.X)
            Y.push_back(Poly(row.C, x));
        Vec C(row.C.size(), kSentinel);
        ASSERT_EQ(numerics::PolyFit(int32_t(row.X.size()), int32_t(C.size()), row.X.data(),
                                    Y.data(), C.data()),
                  Status::Ok) << row.name;
        for (size_t i = 0; i < C.size(); ++i)
            EXPECT_NEAR(C[i], row.C[i], 1e-10) << row.name << " C[" << i << "]";
    }
}

TEST(PolyFit, RefusesWithoutTouchingTheCoefficients)
{
    const struct {
        const char *name;
        int32_t n, m;
        Vec X, Y;
        Status expected;
    } rows[] = {
        {"all points at x = 1", 4, 3, {1, 1, 1, 1}, {1, 2, 3, 4}, Status::Singular},
        {"one point at x = 0", 1, 3, {0}, {5}, Status::Singular},
        {"two points at -1 and 1", 2, 3, {-1, 1}, {2, 3}, Status::Singular},
        {"no points", 0, 3, {}, {}, Status::Singular},
        {"sums overflow", 3, 3, {1e100, 2e100, 3e100}, {1, 2, 3}, Status::Singular},
        {"order 1", 3, 1, {0, 1, 2}, {1, 2, 3}, Status::BadArgument},
        {"order 20", 3, 20, {0, 1, 2}, {1, 2, 3}, Status::BadArgument},
        {"negative count", -1, 3, {}, {}, Status::BadArgument},
    };
    for (const auto &row : rows) {
        Vec C(20, kSentinel);
        EXPECT_EQ(numerics::PolyFit(row.n, row.m, row.X.data(), row.Y.data(), C.data()),
                  row.expected) << row.name;
        EXPECT_EQ(C, Vec(20, kSentinel)) << row.name;
    }
}

// A matrix whose every entry is distinct, so a stray write shows.
TGaussMatrix Marked()
{
    TGaussMatrix A;
    for (int i = 0; i < 20; ++i)
        for (int j = 0; j < 20; ++j)
            A.a[i][j] = 1000.0 + 20 * i + j;
    return A;
}

bool SameExceptSolution(const TGaussMatrix &x, const TGaussMatrix &y, int m)
{
    for (int i = 0; i < 20; ++i)
        for (int j = 0; j < 20; ++j)
            if (!(j == m && i < m) && std::memcmp(&x.a[i][j], &y.a[i][j], sizeof(double)) != 0)
                return false;
    return true;
}

TGaussMatrix Order2(double a00, double a01, double b0, double a10, double a11, double b1)
{
    TGaussMatrix A = Marked();
    A.a[0][0] = a00, A.a[0][1] = a01, A.a[0][2] = b0;
    A.a[1][0] = a10, A.a[1][1] = a11, A.a[1][2] = b1;
    return A;
}

TEST(GaussSolve, PivotsOnTheLargestEntryOnly)
{
    const struct {
        const char *name;
        TGaussMatrix A;
        double x0, x1;
    } rows[] = {
        {"larger lower row", Order2(1, 2, 3, 2, 1, 3), 1.0, 1.0},
        // Without the row exchange the first pivot would be zero.
        {"zero upper pivot", Order2(0, 1, 2, 1, 1, 3), 1.0, 2.0},
        // Without it, x0 = (1 - 1) / 1e-20 = 0.
        {"tiny upper pivot", Order2(1e-20, 1, 1, 1, 1, 2), 1.0, 1.0},
        // |1| = |-1|: the upper row stays; the lower would give x0 = -(0.3 - 0.1 * 2),
        // which is not -0.1 in binary floating point.
        {"tie keeps upper row", Order2(1, 0.1, 0.1, -1, 0.1, 0.3), -0.1, 2.0},
    };
    EXPECT_NE(-(0.3 - 0.1 * 2.0), -0.1);
    for (const auto &row : rows) {
        TGaussMatrix A = row.A;
        ASSERT_EQ(numerics::GaussSolve(2, A), Status::Ok) << row.name;
        EXPECT_EQ(A.a[0][2], row.x0) << row.name;
        EXPECT_EQ(A.a[1][2], row.x1) << row.name;
        EXPECT_TRUE(SameExceptSolution(A, row.A, 2)) << row.name;
    }
}

TEST(GaussSolve, SolvesTheLargestOrder)
{
    TGaussMatrix A = Marked();
    for (int i = 0; i < 19; ++i) {
        for (int j = 0; j < 19; ++j)
            A.a[i][j] = i == j ? 30.0 : std::sin(i + 2.0 * j);
        A.a[i][19] = i - 9.0;
    }
    const TGaussMatrix original = A;
    ASSERT_EQ(numerics::GaussSolve(19, A), Status::Ok);
    for (int i = 0; i < 19; ++i) {
        double lhs = 0.0;
        for (int j = 0; j < 19; ++j)
            lhs += original.a[i][j] * A.a[j][19];
        EXPECT_NEAR(lhs, original.a[i][19], 1e-12) << "row " << i;
    }
    EXPECT_TRUE(SameExceptSolution(A, original, 19));
}

TEST(GaussSolve, FailsWithoutChangingTheMatrix)
{
    const struct {
        const char *name;
        int32_t m;
        TGaussMatrix A;
        Status status;
    } rows[] = {
        {"zero column", 2, Order2(0, 1, 2, 0, 3, 4), Status::Singular},
        {"zero last pivot", 2, Order2(1, 2, 3, 2, 4, 6), Status::Singular},
        {"solution overflows", 2, Order2(1e-300, 0, 1e300, 0, 1, 1), Status::Singular},
        {"order 0", 0, Marked(), Status::BadArgument},
        {"order 20", 20, Marked(), Status::BadArgument},
        {"negative order", -3, Marked(), Status::BadArgument},
    };
    for (const auto &row : rows) {
        TGaussMatrix A = row.A;
        EXPECT_EQ(numerics::GaussSolve(row.m, A), row.status) << row.name;
        EXPECT_EQ(std::memcmp(&A, &row.A, sizeof A), 0) << row.name;
    }
}

} // namespace

// Number texts and array helpers. Expected texts are worked out by hand from
// the decimal value of the double (or, for random values, by printf in the "C"
// locale, which rounds the exact binary value to nearest).
#include "numerics/ArrayFuncs.h"
#include "numerics/NumberFormat.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace numerics;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();
const char *const kSeparators[] = {".", ",", "\xD9\xAB"}; // point, comma, Arabic decimal separator

std::string WithSeparator(std::string text, const std::string &sep)
{
    if (const size_t at = text.find('.'); at != std::string::npos)
        text.replace(at, 1, sep);
    return text;
}

// kind: 'F' fixed(a, b), 'E' exponent(a, b), 'G' general(a).
struct FormatRow {
    const char *name;
    char kind;
    double x;
    int a, b;
    const char *text;
};

const FormatRow kFormatRows[] = {
    {"FixedDigitsLimitThenPadded", 'F', 123.456, 4, 3, "123.500"},
    {"FixedDecimalsLimit", 'F', 0.0077938, 3, 5, "0.00779"},
    {"FixedIntegerPartTooLong", 'F', 1234.5, 3, 5, "1.23E3"},
    {"FixedThousand", 'F', 1000, 8, 3, "1000.000"},
    {"FixedNoDecimals", 'F', 75.875, 3, 0, "76"},
    {"FixedZero", 'F', 0, 4, 3, "0.000"},
    {"FixedNegative", 'F', -123.456, 4, 3, "-123.500"},
    {"FixedRoundsUpAboveLeadingDigit", 'F', 0.0006, 3, 3, "0.001"},
    {"FixedNegativeToZeroHasNoSign", 'F', -0.0004, 3, 3, "0.000"},
    {"FixedFarBelowLastDecimal", 'F', 1e-20, 4, 3, "0.000"},
    {"FixedCarryMakesIntegerPartTooLong", 'F', 999.7, 3, 1, "1E3"},
    {"FixedCarryWithinLimits", 'F', 99.97, 4, 1, "100.0"},
    {"FixedExactTieAwayFromZero", 'F', 0.125, 2, 3, "0.130"},
    {"FixedExactHalf", 'F', 0.5, 1, 0, "1"},
    {"FixedNegativeExactTie", 'F', -2.5, 3, 0, "-3"},
    {"FixedStoredBelowTie", 'F', 2.675, 3, 2, "2.67"},            // 2.67499999999999982...
    {"FixedStoredAboveTie", 'F', 12.345, 4, 2, "12.35"},          // 12.3450000000000006...
    {"FixedBelowTieByNines", 'F', 0.125 - 0x1p-56, 2, 3, "0.120"}, // 0.12499999999999998612...
    {"FixedHugeGivesGeneral", 'F', 1e20, 4, 3, "1E20"},
    {"FixedTableColumn", 'F', 0.0123456, 3, 5, "0.01230"},
    {"FixedLabelTwoDigits", 'F', 0.0567, 2, 3, "0.057"},
    {"ExpTwoExponentDigits", 'E', 2500, 3, 2, "2.50E+03"},
    {"ExpExactTieAwayFromZero", 'E', 1250, 2, 1, "1.3E+3"},
    {"ExpBelowTieByNines", 'E', 1250 - 0x1p-42, 2, 1, "1.2E+3"}, // 1249.99999999999977...
    {"ExpOneExponentDigit", 'E', 250, 3, 1, "2.50E+2"},
    {"ExpTableCoefficient", 'E', 5.2e-7, 6, 2, "5.20000E-07"},
    {"ExpTableCoefficientFull", 'E', 5.51175e-7, 6, 2, "5.51175E-07"},
    {"ExpNegativeZero", 'E', -0.0, 3, 2, "0.00E+00"},
    {"ExpNegative", 'E', -2500, 3, 2, "-2.50E+03"},
    {"ExpCarryRaisesExponent", 'E', 9.996, 3, 2, "1.00E+01"},
    {"ExpThreeDigitExponent", 'E', 1e-300, 3, 2, "1.00E-300"},
    {"ExpSingleDigit", 'E', 123, 1, 2, "1E+02"},
    {"ExpSubnormal", 'E', 4.9406564584124654e-324, 3, 2, "4.94E-324"},
    {"GenSmallGoesScientific", 'G', 5.2e-7, 15, 0, "5.2E-7"},
    {"GenLargeGoesScientific", 'G', 1e20, 15, 0, "1E20"},
    {"GenZero", 'G', 0, 15, 0, "0"},
    {"GenNegativeZero", 'G', -0.0, 15, 0, "0"},
    {"GenInteger", 'G', 600, 15, 0, "600"},
    {"GenSumOfTenths", 'G', 0.1 + 0.2, 15, 0, "0.3"},
    {"GenTwoThirds", 'G', 2.0 / 3, 15, 0, "0.666666666666667"},
    {"GenLowerBoundStaysFixed", 'G', 1e-5, 15, 0, "0.00001"},
    {"GenBelowLowerBound", 'G', 9.9e-6, 15, 0, "9.9E-6"},
    {"GenFifteenDigitInteger", 'G', 123456789012345, 15, 0, "123456789012345"},
    {"GenSixteenDigitInteger", 'G', 1234567890123456, 15, 0, "1.23456789012346E15"},
    {"GenNegative", 'G', -2.5, 15, 0, "-2.5"},
    {"GenThreeDigits", 'G', 1234.5, 3, 0, "1.23E3"},
    {"GenCarryToUpperBound", 'G', 999.7, 3, 0, "1E3"},
    {"GenSmallestSubnormal", 'G', 4.9406564584124654e-324, 15, 0, "4.94065645841247E-324"},
    {"GenLargestDouble", 'G', DBL_MAX, 15, 0, "1.79769313486232E308"},
    {"GenSeventeenDigits", 'G', 0.1, 17, 0, "0.10000000000000001"},
};

std::string Format(const FormatRow &r, const char *sep)
{
    switch (r.kind) {
    case 'F': return FormatFixed(r.x, r.a, r.b, sep);
    case 'E': return FormatExponent(r.x, r.a, r.b, sep);
    default: return FormatGeneral(r.x, sep, r.a);
    }
}

class Formats : public ::testing::TestWithParam<FormatRow> {};

TEST_P(Formats, EachSeparator)
{
    for (const char *sep : kSeparators)
        EXPECT_EQ(Format(GetParam(), sep), WithSeparator(GetParam().text, sep)) << "separator " << sep;
}

INSTANTIATE_TEST_SUITE_P(Rows, Formats, ::testing::ValuesIn(kFormatRows),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(NumberFormat, NonFiniteValuesHaveNames)
{
    for (double x : {kNaN, -kNaN}) {
        EXPECT_EQ(FormatGeneral(x, "."), "NAN");
        EXPECT_EQ(FormatFixed(x, 4, 3, "."), "NAN");
        EXPECT_EQ(FormatExponent(x, 3, 2, "."), "NAN");
    }
    EXPECT_EQ(FormatGeneral(kInf, "."), "INF");
    EXPECT_EQ(FormatFixed(-kInf, 4, 3, ","), "-INF");
    EXPECT_EQ(FormatExponent(kInf, 3, 2, ","), "INF");
}

// True when x lies exactly halfway between two P-digit decimals; glibc
// prints the exact expansion when asked for enough digits.
bool IsExactTie(double x, int P)
{
    char buf[1024];
    std::snprintf(buf, sizeof buf, "%.*E", 800, std::fabs(x));
    std::string digits(buf, std::strchr(buf, 'E'));
    digits.erase(1, 1); // the point
    return digits[P] == '5' && digits.find_first_not_of('0', P + 1) == std::string::npos;
}

double RandomDouble(std::mt19937_64 &rng, int minExp, int maxExp)
{
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(minExp, maxExp), sign(0, 1);
    return (sign(rng) ? -1 : 1) * mantissa(rng) * std::pow(10.0, exponent(rng));
}

// Random values, exact ties aside (the rows above cover them): printf's
// nearest rounding must agree digit for digit.
TEST(NumberFormat, AgreesWithPrintfRounding)
{
    std::mt19937_64 rng(20240607);
    std::uniform_int_distribution<int> digits(1, 17), decimals(0, 6);
    char buf[512];
    for (int i = 0; i < 20000; ++i) {
        const double x = RandomDouble(rng, -300, 300);
        const int P = digits(rng);
        if (!IsExactTie(x, P)) {
            std::snprintf(buf, sizeof buf, "%.*E", P - 1, x);
            ASSERT_EQ(FormatExponent(x, P, 2, "."), buf) << "x = " << x << ", P = " << P;
        }
        // Below 10^6 with at most six decimals the decimals limit the digits, as in %.*f.
        const double y = RandomDouble(rng, 0, 5);
        const int D = decimals(rng);
        if (!IsExactTie(y, static_cast<int>(std::floor(std::log10(std::fabs(y)))) + 1 + D)) {
            std::snprintf(buf, sizeof buf, "%.*f", D, y);
            ASSERT_EQ(FormatFixed(y, 17, D, "."), buf) << "y = " << y << ", D = " << D;
        }
    }
}

// 17 digits always read back as the same double; 15 digits read back as the
// double nearest to x rounded to 15 digits, which writes the same text again.
TEST(NumberFormat, ReadsBackWhatItWrites)
{
    std::mt19937_64 rng(7);
    char buf[64];
    for (int i = 0; i < 20000; ++i) {
        const double x = RandomDouble(rng, -300, 300);
        std::snprintf(buf, sizeof buf, "%.14e", x);
        const double rounded = std::strtod(buf, nullptr);
        const bool tie = IsExactTie(x, 15);
        for (const char *sep : kSeparators) {
            double back = 0;
            const std::string text17 = FormatGeneral(x, sep, 17);
            ASSERT_TRUE(ParseReal(text17, sep, back)) << text17;
            ASSERT_EQ(back, x) << text17;
            if (tie)
                continue;
            const std::string text15 = FormatGeneral(x, sep);
            ASSERT_TRUE(ParseReal(text15, sep, back)) << text15;
            ASSERT_EQ(back, rounded) << text15;
            ASSERT_EQ(FormatGeneral(back, sep), text15);
        }
    }
}

struct ParseRow {
    const char *name;
    const char *text;
    const char *sep;
    bool ok;
    double value;
};

const ParseRow kParseRows[] = {
    {"CommaWithExponent", "5,2E-7", ",", true, 5.2e-7},
    {"PointWithExponent", "5.2E-7", ".", true, 5.2e-7},
    {"SurroundingBlanks", " \t12,5 \r\n", ",", true, 12.5},
    {"Negative", "-0,5", ",", true, -0.5},
    {"PlusSign", "+3", ",", true, 3},
    {"NoWholeDigits", ",5", ",", true, 0.5},
    {"NoFractionDigits", "5,", ",", true, 5},
    {"LowerCaseExponent", "1e+3", ",", true, 1000},
    {"WideSeparator", "1\xD9\xAB" "25", "\xD9\xAB", true, 1.25},
    {"LongDigitRun", "0.1000000000000000055511151231257827", ".", true, 0.1},
    {"Subnormal", "4,94065645841247E-324", ",", true, 4.9406564584124654e-324},
    {"Empty", "", ",", false, 0},
    {"Blanks", "  \t", ",", false, 0},
    {"PointUnderComma", "1.5", ",", false, 0},
    {"CommaUnderPoint", "1,5", ".", false, 0},
    {"Word", "abc", ".", false, 0},
    {"TrailingGarbage", "1,5x", ",", false, 0},
    {"Infinity", "inf", ".", false, 0},
    {"InfinityUpper", "INF", ".", false, 0},
    {"NotANumber", "nan", ".", false, 0},
    {"Hex", "0x1p3", ".", false, 0},
    {"ExponentWithoutDigits", "1e", ".", false, 0},
    {"ExponentAlone", "e5", ".", false, 0},
    {"TwoSeparators", "1,2,3", ",", false, 0},
    {"PlusMinus", "+-1", ".", false, 0},
    {"SeparatorAlone", ",", ",", false, 0},
    {"SignAlone", "-", ",", false, 0},
    {"InnerBlank", "1 000", ".", false, 0},
    {"Overflow", "1e400", ".", false, 0},
    {"Underflow", "1e-400", ".", false, 0},
};

class Parse : public ::testing::TestWithParam<ParseRow> {};

TEST_P(Parse, ValueOrOutUnchanged)
{
    const ParseRow &r = GetParam();
    double out = 42;
    ASSERT_EQ(ParseReal(r.text, r.sep, out), r.ok);
    EXPECT_EQ(out, r.ok ? r.value : 42);
}

INSTANTIATE_TEST_SUITE_P(Rows, Parse, ::testing::ValuesIn(kParseRows),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ParseInt, ThirtyTwoBitsOnly)
{
    const std::pair<const char *, int32_t> good[] = {
        {"42", 42}, {" -17 ", -17}, {"+5", 5}, {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN}, {"007", 7}};
    for (const auto &[text, value] : good) {
        int32_t out = 0;
        EXPECT_TRUE(ParseInt(text, out)) << text;
        EXPECT_EQ(out, value) << text;
    }
    for (const char *text : {"2147483648", "-2147483649", "", " ", "1.0", "12a", "0x10", "--1", "+", "1 2"}) {
        int32_t out = 99;
        EXPECT_FALSE(ParseInt(text, out)) << text;
        EXPECT_EQ(out, 99) << text;
    }
}

// ---- array helpers ----

TEST(ArrayFuncs, MinMaxAndCopyUseOnlyTheCount)
{
    const double up[] = {1, 3, 3, 2}, down[] = {2, 1, 1, 5}, one[] = {-7.5};
    EXPECT_EQ(ArrayMax(4, up), 3);
    EXPECT_EQ(ArrayMin(4, down), 1);
    EXPECT_EQ(ArrayMin(1, one), -7.5);
    EXPECT_EQ(ArrayMax(1, one), -7.5);
    EXPECT_EQ(ArrayMax(2, down), 2);
    // Nothing is read for an empty count.
    EXPECT_TRUE(std::isnan(ArrayMin(0, nullptr)));
    EXPECT_TRUE(std::isnan(ArrayMax(-5, nullptr)));
    CopyValues(-1, nullptr, nullptr);
    double dst[] = {0, 0, 0, -1};
    CopyValues(3, up, dst);
    EXPECT_EQ(dst[2], 3);
    EXPECT_EQ(dst[3], -1);
}

// The element-by-element rule, worked by hand: an element replaces the running
// result unless the result is strictly better, so a NaN is taken and given up
// again at the next element, and of equal zeros the last one seen wins. The
// one-pass extremes must agree bit for bit, for every length around its pairs.
TEST(ArrayFuncs, MinMaxInOnePassFollowsTheElementRule)
{
    struct Row { const char *name; std::vector<double> a; double lo, hi; };
    const Row rows[] = {
        {"one", {4}, 4, 4},
        {"plain", {3, -1, 7, 2, 9, -5, 0.5}, -5, 9},
        {"NaN first", {kNaN, 2, 1}, 1, 2},
        {"NaN inside", {9, 1, kNaN, 5, 6, 7, 8, 4, 3}, 3, 8},
        {"NaN last", {1, 2, 3, 4, 5, 6, kNaN}, kNaN, kNaN},
        {"zeros, the last wins", {1, 0.0, 2, -0.0, 3}, -0.0, 3},
        {"zero maximum", {-4, -0.0, -1, -3, -2, 0.0}, -4, 0.0},
        {"infinities", {2, -kInf, 1, kInf, 5}, -kInf, kInf},
    };
    const auto same = [](double a, double b) {
        return std::isnan(a) ? std::isnan(b) : a == b && std::signbit(a) == std::signbit(b);
    };
    for (const Row &r : rows) {
        double lo = 0, hi = 0;
        ArrayMinMax(int32_t(r.a.size()), r.a.data(), lo, hi);
        EXPECT_TRUE(same(lo, r.lo)) << r.name << ": " << lo;
        EXPECT_TRUE(same(hi, r.hi)) << r.name << ": " << hi;
    }
    std::mt19937 rng(5);
    for (int32_t n = 1; n <= 40; ++n) {
        std::vector<double> a(static_cast<size_t>(n));
        for (double &v : a)
            v = std::uniform_int_distribution<int>(-9, 9)(rng) * 0.5;
        if (n % 3 == 0)
            a[rng() % size_t(n)] = kNaN;
        double lo = 0, hi = 0;
        ArrayMinMax(n, a.data(), lo, hi);
        EXPECT_TRUE(same(lo, ArrayMin(n, a.data())) && same(hi, ArrayMax(n, a.data()))) << "n " << n;
    }
    double lo = 0, hi = 0;
    ArrayMinMax(0, nullptr, lo, hi);
    EXPECT_TRUE(std::isnan(lo) && std::isnan(hi));
}

// Overlapping arrays are copied element by element upward, as written: a copy
// one slot up repeats the first element.
TEST(ArrayFuncs, CopyValuesGoesUpElementByElement)
{
    double up[] = {1, 2, 3, 4, 5}, down[] = {1, 2, 3, 4, 5}, apart[5] = {};
    CopyValues(4, up, up + 1);
    CopyValues(4, down + 1, down);
    CopyValues(5, down, apart);
    using Values = std::vector<double>;
    EXPECT_EQ(Values(up, up + 5), (Values{1, 1, 1, 1, 1}));
    EXPECT_EQ(Values(down, down + 5), (Values{2, 3, 4, 5, 5}));
    EXPECT_EQ(Values(apart, apart + 5), Values(down, down + 5));
}

TEST(ArrayFuncs, WidenRangeOnlyWhenEqual)
{
    double lo = 5, hi = 5;
    WidenRange(lo, hi);
    EXPECT_EQ(lo, 4);
    EXPECT_EQ(hi, 6);
    lo = 5, hi = 5.000001;
    WidenRange(lo, hi);
    EXPECT_EQ(lo, 5);
    EXPECT_EQ(hi, 5.000001);
}

TEST(ArrayFuncs, LineFit)
{
    const double x[] = {0, 1, 2}, y[] = {1, 3, 5};
    double a = 0, b = 0;
    ASSERT_EQ(LineFit(3, x, y, a, b), Status::Ok);
    EXPECT_DOUBLE_EQ(a, 1);
    EXPECT_DOUBLE_EQ(b, 2);
    EXPECT_EQ(LineValue(3, 1, 2), 7);
    // Residuals +1, -1, -1, +1 about y = 4 - 0.5 x are orthogonal to 1 and x.
    const double x2[] = {1, 2, 3, 4}, y2[] = {4.5, 2.0, 1.5, 3.0};
    ASSERT_EQ(LineFit(4, x2, y2, a, b), Status::Ok);
    EXPECT_NEAR(a, 4, 1e-12);
    EXPECT_NEAR(b, -0.5, 1e-12);

    const double same[] = {2, 2, 2}, huge[] = {1e200, 2e200, 3e200};
    a = 11, b = 22;
    EXPECT_EQ(LineFit(3, same, y, a, b), Status::Singular) << "all X equal";
    EXPECT_EQ(LineFit(1, y, y, a, b), Status::TooFewPoints) << "one point";
    EXPECT_EQ(LineFit(0, nullptr, nullptr, a, b), Status::TooFewPoints) << "no points";
    EXPECT_EQ(LineFit(3, huge, y, a, b), Status::Singular) << "sums overflow";
    EXPECT_EQ(a, 11);
    EXPECT_EQ(b, 22);
}

TEST(NumberFormat, FormatMinSec)
{
    const std::pair<double, const char *> rows[] = {
        {65, "1:5"},    {600, "10:0"},   {90.5, "1:30"},   {119.6, "1:60"},   {59.6, "0:60"},
        {-30, "0:-30"}, {-0.3, "0:0"},   {150.5, "2:30"},  {151.5, "2:32"},   {-90.5, "-1:-30"},
        {kNaN, "NAN"},  {kInf, "INF"},   {-kInf, "-INF"},  {6e16, "1000000000000000:0"},
    };
    for (const auto &[x, text] : rows)
        EXPECT_EQ(FormatMinSec(x), text) << x;
    for (double x : {1e300, DBL_MAX, -DBL_MAX}) {
        const std::string text = FormatMinSec(x);
        EXPECT_GE(text.find(':'), 299u) << "all the minutes' digits: " << text;
        EXPECT_EQ(text.find_first_of("IN"), std::string::npos) << text;
    }
}

} // namespace

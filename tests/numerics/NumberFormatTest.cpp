// Number texts and array helpers. Expected texts are worked out by hand from
// the decimal value (or, for the random checks, by the C library's printf in
// the "C" locale, which rounds the exact binary value to nearest).
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

// The expected text written with another separator.
std::string WithSeparator(std::string text, const std::string &sep)
{
    const size_t at = text.find('.');
    if (at != std::string::npos)
        text.replace(at, 1, sep);
    return text;
}

const char *const kSeparators[] = {".", ",", "\xD9\xAB"}; // point, comma, Arabic decimal separator

struct FixedRow {
    const char *name;
    double x;
    int P, D;
    const char *text;
};

const FixedRow kFixedRows[] = {
    {"DigitsLimitThenPadded", 123.456, 4, 3, "123.500"},
    {"DecimalsLimit", 0.0077938, 3, 5, "0.00779"},
    {"IntegerPartTooLongGivesGeneral", 1234.5, 3, 5, "1.23E3"},
    {"ThousandWithThreeDecimals", 1000, 8, 3, "1000.000"},
    {"NoDecimals", 75.875, 3, 0, "76"},
    {"Zero", 0, 4, 3, "0.000"},
    {"Negative", -123.456, 4, 3, "-123.500"},
    {"RoundsUpAboveLeadingDigit", 0.0006, 3, 3, "0.001"},
    {"RoundsDownAboveLeadingDigit", 0.0004, 3, 3, "0.000"},
    {"NegativeRoundingToZeroHasNoSign", -0.0004, 3, 3, "0.000"},
    {"FarBelowLastDecimal", 1e-20, 4, 3, "0.000"},
    {"CarryMakesIntegerPartTooLong", 999.7, 3, 1, "1E3"},
    {"CarryWithinLimits", 99.97, 4, 1, "100.0"},
    {"ExactTieAwayFromZero", 0.125, 2, 3, "0.130"},
    {"ExactHalfToOne", 0.5, 1, 0, "1"},
    {"ExactHalfTwoAndAHalf", 2.5, 3, 0, "3"},
    {"NegativeExactTie", -2.5, 3, 0, "-3"},
    {"StoredBelowTie", 2.675, 3, 2, "2.67"},   // 2.67499999999999982...
    {"StoredBelowTieToo", 1.005, 4, 2, "1.00"}, // 1.00499999999999989...
    {"HugeGivesGeneral", 1e20, 4, 3, "1E20"},
    {"TableColumn", 0.0123456, 3, 5, "0.01230"},
    {"TableColumnWhole", 25, 3, 5, "25.00000"},
    {"LabelTwoDigits", 0.0567, 2, 3, "0.057"},
    {"StoredAboveTie", 12.345, 4, 2, "12.35"}, // 12.3450000000000006...
    {"BelowTieByLongRunOfNines", 0.125 - 0x1p-56, 2, 3, "0.120"}, // 0.12499999999999998612...
};

class FixedFormat : public ::testing::TestWithParam<FixedRow> {};

TEST_P(FixedFormat, EachSeparator)
{
    const FixedRow &r = GetParam();
    for (const char *sep : kSeparators)
        EXPECT_EQ(FormatFixed(r.x, r.P, r.D, sep), WithSeparator(r.text, sep)) << "separator " << sep;
}

INSTANTIATE_TEST_SUITE_P(Rows, FixedFormat, ::testing::ValuesIn(kFixedRows),
                         [](const auto &info) { return std::string(info.param.name); });

struct ExponentRow {
    const char *name;
    double x;
    int P, E;
    const char *text;
};

const ExponentRow kExponentRows[] = {
    {"LabelTwoExponentDigits", 2500, 3, 2, "2.50E+03"},
    {"ExactTieAwayFromZero", 1250, 2, 1, "1.3E+3"},
    {"OneExponentDigit", 250, 3, 1, "2.50E+2"},
    {"TableCoefficient", 5.2e-7, 6, 2, "5.20000E-07"},
    {"TableCoefficientFull", 5.51175e-7, 6, 2, "5.51175E-07"},
    {"Zero", 0, 3, 2, "0.00E+00"},
    {"NegativeZero", -0.0, 3, 2, "0.00E+00"},
    {"Negative", -2500, 3, 2, "-2.50E+03"},
    {"CarryRaisesExponent", 9.996, 3, 2, "1.00E+01"},
    {"ThreeDigitExponent", 1e-300, 3, 2, "1.00E-300"},
    {"SingleDigit", 123, 1, 2, "1E+02"},
    {"Subnormal", 4.9406564584124654e-324, 3, 2, "4.94E-324"},
    {"BelowTieByLongRunOfNines", 1250 - 0x1p-42, 2, 1, "1.2E+3"}, // 1249.99999999999977...
};

class ExponentFormat : public ::testing::TestWithParam<ExponentRow> {};

TEST_P(ExponentFormat, EachSeparator)
{
    const ExponentRow &r = GetParam();
    for (const char *sep : kSeparators)
        EXPECT_EQ(FormatExponent(r.x, r.P, r.E, sep), WithSeparator(r.text, sep)) << "separator " << sep;
}

INSTANTIATE_TEST_SUITE_P(Rows, ExponentFormat, ::testing::ValuesIn(kExponentRows),
                         [](const auto &info) { return std::string(info.param.name); });

struct GeneralRow {
    const char *name;
    double x;
    int P;
    const char *text;
};

const GeneralRow kGeneralRows[] = {
    {"SmallGoesScientific", 5.2e-7, 15, "5.2E-7"},
    {"LargeGoesScientific", 1e20, 15, "1E20"},
    {"Zero", 0, 15, "0"},
    {"NegativeZero", -0.0, 15, "0"},
    {"Integer", 600, 15, "600"},
    {"Tenth", 0.1, 15, "0.1"},
    {"SumOfTenths", 0.1 + 0.2, 15, "0.3"},
    {"Third", 1.0 / 3, 15, "0.333333333333333"},
    {"TwoThirdsRoundsUp", 2.0 / 3, 15, "0.666666666666667"},
    {"LowerBoundStaysFixed", 1e-5, 15, "0.00001"},
    {"BelowLowerBound", 9.9e-6, 15, "9.9E-6"},
    {"FifteenDigitInteger", 123456789012345, 15, "123456789012345"},
    {"SixteenDigitInteger", 1234567890123456, 15, "1.23456789012346E15"},
    {"PowerAtUpperBound", 1e15, 15, "1E15"},
    {"Negative", -2.5, 15, "-2.5"},
    {"ThreeDigits", 1234.5, 3, "1.23E3"},
    {"CarryToUpperBound", 999.7, 3, "1E3"},
    {"HundredthPower", 1e100, 15, "1E100"},
    {"SmallestSubnormal", 4.9406564584124654e-324, 15, "4.94065645841247E-324"},
    {"LargestDouble", DBL_MAX, 15, "1.79769313486232E308"},
    {"SeventeenDigits", 0.1, 17, "0.10000000000000001"},
};

class GeneralFormat : public ::testing::TestWithParam<GeneralRow> {};

TEST_P(GeneralFormat, EachSeparator)
{
    const GeneralRow &r = GetParam();
    for (const char *sep : kSeparators)
        EXPECT_EQ(FormatGeneral(r.x, sep, r.P), WithSeparator(r.text, sep)) << "separator " << sep;
}

INSTANTIATE_TEST_SUITE_P(Rows, GeneralFormat, ::testing::ValuesIn(kGeneralRows),
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

// True when x lies exactly halfway between two P-digit decimals; glibc prints
// the exact expansion when asked for enough digits.
bool IsExactTie(double x, int P)
{
    static char buf[1024];
    std::snprintf(buf, sizeof buf, "%.*E", 800, std::fabs(x));
    std::string digits(buf, std::strchr(buf, 'E'));
    digits.erase(1, 1); // the point
    return digits[P] == '5' && digits.find_first_not_of('0', P + 1) == std::string::npos;
}

// Random values, exact ties aside (the tables above cover them): printf's
// nearest rounding of the binary value must agree digit for digit.
TEST(NumberFormat, AgreesWithPrintfRounding)
{
    std::mt19937_64 rng(20240607);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-300, 300), digits(1, 17), decimals(0, 6), smallExp(0, 5);
    char buf[512];
    int compared = 0;
    for (int i = 0; i < 20000; ++i) {
        const double sign = (i % 2) ? -1.0 : 1.0;
        const double x = sign * mantissa(rng) * std::pow(10.0, exponent(rng));
        const int P = digits(rng);
        if (!IsExactTie(x, P)) {
            std::snprintf(buf, sizeof buf, "%.*E", P - 1, x);
            ASSERT_EQ(FormatExponent(x, P, 2, "."), buf) << "x = " << x << ", P = " << P;
            ++compared;
        }

        // Integer part of at most six digits and at most six decimals: the
        // decimals limit rounding, as with %.*f.
        const double y = sign * mantissa(rng) * std::pow(10.0, smallExp(rng));
        const int D = decimals(rng);
        const int leading = static_cast<int>(std::floor(std::log10(std::fabs(y)))) + 1;
        if (!IsExactTie(y, leading + D)) {
            std::snprintf(buf, sizeof buf, "%.*f", D, y);
            ASSERT_EQ(FormatFixed(y, 17, D, "."), buf) << "y = " << y << ", D = " << D;
        }
    }
    EXPECT_GT(compared, 19000);
}

double RandomDouble(std::mt19937_64 &rng)
{
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-300, 300);
    return mantissa(rng) * std::pow(10.0, exponent(rng));
}

TEST(NumberFormat, SeventeenDigitsReadBackExactly)
{
    std::mt19937_64 rng(7);
    for (int i = 0; i < 20000; ++i) {
        const double x = RandomDouble(rng);
        for (const char *sep : kSeparators) {
            double back = 0;
            const std::string text = FormatGeneral(x, sep, 17);
            ASSERT_TRUE(ParseReal(text, sep, back)) << text;
            ASSERT_EQ(back, x) << text;
        }
    }
}

// Fifteen digits read back as the nearest double to x rounded to fifteen
// significant digits, and that value writes the same text again.
TEST(NumberFormat, FifteenDigitsReadBackAsRoundedValue)
{
    std::mt19937_64 rng(11);
    char buf[64];
    for (int i = 0; i < 20000; ++i) {
        const double x = RandomDouble(rng);
        if (IsExactTie(x, 15))
            continue;
        std::snprintf(buf, sizeof buf, "%.14e", x);
        const double rounded = std::strtod(buf, nullptr);
        for (const char *sep : {".", ","}) {
            const std::string text = FormatGeneral(x, sep);
            double back = 0;
            ASSERT_TRUE(ParseReal(text, sep, back)) << text;
            ASSERT_EQ(back, rounded) << text;
            ASSERT_EQ(FormatGeneral(back, sep), text);
        }
    }
}

struct ParseRow {
    const char *name;
    const char *text;
    const char *sep;
    double value;
};

const ParseRow kAcceptedReals[] = {
    {"CommaWithExponent", "5,2E-7", ",", 5.2e-7},
    {"PointWithExponent", "5.2E-7", ".", 5.2e-7},
    {"SurroundingBlanks", " \t12,5 \r\n", ",", 12.5},
    {"Negative", "-0,5", ",", -0.5},
    {"PlusSign", "+3", ",", 3},
    {"NoWholeDigits", ",5", ",", 0.5},
    {"NoFractionDigits", "5,", ",", 5},
    {"LowerCaseExponent", "1e3", ",", 1000},
    {"SignedExponent", "1E+3", ".", 1000},
    {"Integer", "600", ".", 600},
    {"WideSeparator", "1\xD9\xAB" "25", "\xD9\xAB", 1.25},
    {"LongDigitRun", "0.1000000000000000055511151231257827", ".", 0.1},
    {"Subnormal", "4,94065645841247E-324", ",", 4.9406564584124654e-324},
};

class ParseRealAccepts : public ::testing::TestWithParam<ParseRow> {};

TEST_P(ParseRealAccepts, Value)
{
    const ParseRow &r = GetParam();
    double out = -1;
    ASSERT_TRUE(ParseReal(r.text, r.sep, out));
    EXPECT_EQ(out, r.value);
}

INSTANTIATE_TEST_SUITE_P(Rows, ParseRealAccepts, ::testing::ValuesIn(kAcceptedReals),
                         [](const auto &info) { return std::string(info.param.name); });

struct RejectRow {
    const char *name;
    const char *text;
    const char *sep;
};

const RejectRow kRejectedReals[] = {
    {"Empty", "", ","},
    {"Blanks", "  \t", ","},
    {"PointUnderComma", "1.5", ","},
    {"CommaUnderPoint", "1,5", "."},
    {"Word", "abc", "."},
    {"TrailingGarbage", "1,5x", ","},
    {"Infinity", "inf", "."},
    {"InfinityUpper", "INF", "."},
    {"NotANumber", "nan", "."},
    {"Hex", "0x1p3", "."},
    {"ExponentWithoutDigits", "1e", "."},
    {"ExponentAlone", "e5", "."},
    {"TwoSeparators", "1,2,3", ","},
    {"DoubleSign", "--1", "."},
    {"PlusMinus", "+-1", "."},
    {"SeparatorAlone", ",", ","},
    {"SignAlone", "-", ","},
    {"InnerBlank", "1 000", "."},
    {"Overflow", "1e400", "."},
    {"Underflow", "1e-400", "."},
};

class ParseRealRejects : public ::testing::TestWithParam<RejectRow> {};

TEST_P(ParseRealRejects, LeavesOutUnchanged)
{
    const RejectRow &r = GetParam();
    double out = 42;
    EXPECT_FALSE(ParseReal(r.text, r.sep, out));
    EXPECT_EQ(out, 42);
}

INSTANTIATE_TEST_SUITE_P(Rows, ParseRealRejects, ::testing::ValuesIn(kRejectedReals),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ParseInt, AcceptsThirtyTwoBitWholeNumbers)
{
    const std::pair<const char *, int32_t> rows[] = {
        {"42", 42}, {" -17 ", -17}, {"+5", 5}, {"2147483647", 2147483647}, {"-2147483648", INT32_MIN}, {"007", 7}};
    for (const auto &[text, value] : rows) {
        int32_t out = 0;
        EXPECT_TRUE(ParseInt(text, out)) << text;
        EXPECT_EQ(out, value) << text;
    }
}

TEST(ParseInt, RejectsEverythingElse)
{
    for (const char *text : {"2147483648", "-2147483649", "", " ", "1.0", "1,0", "12a", "0x10", "--1", "+", "1 2"}) {
        int32_t out = 99;
        EXPECT_FALSE(ParseInt(text, out)) << text;
        EXPECT_EQ(out, 99) << text;
    }
}

// ---- array helpers ----

TEST(ArrayFuncs, MinMaxOfSmallArrays)
{
    const double up[] = {1, 3, 3, 2};
    const double down[] = {2, 1, 1, 5};
    const double one[] = {-7.5};
    EXPECT_EQ(ArrayMax(4, up), 3);
    EXPECT_EQ(ArrayMin(4, down), 1);
    EXPECT_EQ(ArrayMin(1, one), -7.5);
    EXPECT_EQ(ArrayMax(1, one), -7.5);
    // Only the first n elements count.
    EXPECT_EQ(ArrayMax(2, down), 2);
    EXPECT_EQ(ArrayMin(3, up), 1);
}

TEST(ArrayFuncs, EmptyCountReadsNothing)
{
    EXPECT_TRUE(std::isnan(ArrayMin(0, nullptr)));
    EXPECT_TRUE(std::isnan(ArrayMax(-5, nullptr)));
    CopyValues(0, nullptr, nullptr);
    CopyValues(-1, nullptr, nullptr);
    double a = 1, b = 2;
    EXPECT_FALSE(LineFit(0, nullptr, nullptr, a, b));
}

TEST(ArrayFuncs, CopyValuesCopiesOnlyTheCount)
{
    const double src[] = {1, 2, 3, 4};
    double dst[] = {0, 0, 0, -1};
    CopyValues(3, src, dst);
    EXPECT_EQ(dst[0], 1);
    EXPECT_EQ(dst[2], 3);
    EXPECT_EQ(dst[3], -1);
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

TEST(ArrayFuncs, LineFitRecoversLines)
{
    const double x[] = {0, 1, 2};
    const double y[] = {1, 3, 5};
    double a = 0, b = 0;
    ASSERT_TRUE(LineFit(3, x, y, a, b));
    EXPECT_DOUBLE_EQ(a, 1);
    EXPECT_DOUBLE_EQ(b, 2);
    EXPECT_EQ(LineValue(3, 1, 2), 7);

    // Symmetric scatter about y = 4 - 0.5 x: residuals +1, -1, -1, +1 at
    // x = 1, 2, 3, 4 are orthogonal to 1 and x, so the fit is the line itself.
    const double x2[] = {1, 2, 3, 4};
    const double y2[] = {4.5, 2.0, 1.5, 3.0};
    ASSERT_TRUE(LineFit(4, x2, y2, a, b));
    EXPECT_NEAR(a, 4, 1e-12);
    EXPECT_NEAR(b, -0.5, 1e-12);
}

TEST(ArrayFuncs, LineFitRefusesWithoutWriting)
{
    const double same[] = {2, 2, 2};
    const double y[] = {1, 2, 3};
    const double huge[] = {1e200, 2e200, 3e200};
    double a = 11, b = 22;
    EXPECT_FALSE(LineFit(3, same, y, a, b)) << "all X equal";
    EXPECT_FALSE(LineFit(1, y, y, a, b)) << "one point";
    EXPECT_FALSE(LineFit(3, huge, y, a, b)) << "sums overflow";
    EXPECT_EQ(a, 11);
    EXPECT_EQ(b, 22);
}

TEST(ArrayFuncs, FormatMinSecTable)
{
    const std::pair<double, const char *> rows[] = {
        {65, "1:5"},      {600, "10:0"},    {90.5, "1:30"},  {119.6, "1:60"}, {59.6, "0:60"},
        {-30, "0:-30"},   {0, "0:0"},       {-0.3, "0:0"},   {150.5, "2:30"}, {151.5, "2:32"},
        {-90.5, "-1:-30"}, {3600, "60:0"},
    };
    for (const auto &[x, text] : rows)
        EXPECT_EQ(FormatMinSec(x), text) << x;
}

TEST(ArrayFuncs, FormatMinSecOfExtremeValues)
{
    EXPECT_EQ(FormatMinSec(kNaN), "NAN");
    EXPECT_EQ(FormatMinSec(kInf), "INF");
    EXPECT_EQ(FormatMinSec(-kInf), "-INF");
    // 6e16 s = 1e15 min exactly.
    EXPECT_EQ(FormatMinSec(6e16), "1000000000000000:0");
    for (double x : {1e300, DBL_MAX, -DBL_MAX}) {
        const std::string text = FormatMinSec(x);
        const size_t colon = text.find(':');
        ASSERT_NE(colon, std::string::npos);
        EXPECT_EQ(text.find("INF"), std::string::npos) << text;
        EXPECT_EQ(text.find("NAN"), std::string::npos) << text;
        EXPECT_GE(colon, 299u) << "all the minutes' digits";
    }
}

} // namespace

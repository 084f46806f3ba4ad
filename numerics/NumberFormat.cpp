#include "numerics/NumberFormat.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

// Every text is built from the exact decimal expansion of the binary value:
// std::to_chars gives correctly rounded digits independent of the C locale,
// and the rounding to P digits is done here, half away from zero, so an exact
// tie such as 1250 at two digits reads 1.3E+3 while 2.675 (stored a little
// below) reads 2.67.

namespace numerics {
namespace {

constexpr int kMaxDigits = 40;          // P beyond this adds nothing a double holds
constexpr int kMaxDecimals = 40;
constexpr int kMaxExponentDigits = 10;

// A positive value as significant digits d1 d2 d3 ... and the power of ten of d1:
// value = d1.d2d3... x 10^exp10. A zero value has digits "0" and exp10 0.
struct TDecimal {
    std::string digits;
    int exp10 = 0;
};

// ax > 0 in scientific notation with `precision` digits after the point.
TDecimal Scientific(double ax, int precision)
{
    std::array<char, 832> buf;
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), ax, std::chars_format::scientific,
                                   precision);
    const std::string_view text(buf.data(), static_cast<size_t>(res.ptr - buf.data()));
    const size_t e = text.find('e');
    TDecimal d;
    for (char c : text.substr(0, e))
        if (c != '.')
            d.digits += c;
    std::string_view exp = text.substr(e + 1);
    if (!exp.empty() && exp.front() == '+')
        exp.remove_prefix(1);
    std::from_chars(exp.data(), exp.data() + exp.size(), d.exp10);
    return d;
}

// Digits after the point that show the whole exact expansion of ax > 0 (at
// most 767 significant digits for a double), with a little to spare.
int ExactPrecision(double ax)
{
    int e2 = 0;
    const double f = std::frexp(ax, &e2);
    auto mantissa = static_cast<uint64_t>(std::ldexp(f, 53)); // ax = mantissa * 2^(e2 - 53)
    int k = e2 - 53;
    while ((mantissa & 1u) == 0) {
        mantissa >>= 1;
        ++k;
    }
    // ax = odd * 2^k: a fraction with k < 0 ends at the 10^k place.
    const int leading = static_cast<int>(std::floor(std::log10(ax))) + 1; // may be one off
    return std::min(800, leading + 1 + std::max(0, -k));
}

// The first n significant digits of the exact expansion of ax > 0, cut off
// (not rounded). A rendering with nine more digits shows them, unless its
// rounding may have carried into them (the nine are then all zeros); in that
// case the exact expansion decides.
TDecimal Truncated(double ax, int n)
{
    TDecimal d = Scientific(ax, n + 8);
    if (d.digits.find_first_not_of('0', static_cast<size_t>(n)) == std::string::npos)
        d = Scientific(ax, std::max(ExactPrecision(ax), n + 8));
    d.digits.resize(static_cast<size_t>(n), '0');
    return d;
}

// Adds one unit in the last place; "999" becomes "100" one power higher.
void IncrementLast(TDecimal &d)
{
    for (size_t i = d.digits.size(); i-- > 0;) {
        if (d.digits[i] != '9') {
            ++d.digits[i];
            return;
        }
        d.digits[i] = '0';
    }
    d.digits.front() = '1';
    ++d.exp10;
}

// Cut-off digits rounded to their first `keep` >= 1 (fewer than they hold),
// halves away from zero: only the first dropped digit matters.
TDecimal RoundAt(TDecimal d, int keep)
{
    const bool up = d.digits[static_cast<size_t>(keep)] >= '5';
    d.digits.resize(static_cast<size_t>(keep));
    if (up)
        IncrementLast(d);
    return d;
}

TDecimal Rounded(double ax, int keep) { return RoundAt(Truncated(ax, keep + 1), keep); }

void StripTrailingZeros(std::string &digits)
{
    const size_t last = digits.find_last_not_of('0');
    digits.resize(last == std::string::npos ? 1 : last + 1);
}

// Integer part and fraction digits of d in positional notation; the fraction
// keeps whatever digits d has below the units.
struct TPositional {
    std::string whole;
    std::string fraction;
};

TPositional Positional(const TDecimal &d)
{
    TPositional p;
    if (d.exp10 < 0) {
        p.whole = "0";
        p.fraction.assign(static_cast<size_t>(-d.exp10 - 1), '0');
        p.fraction += d.digits;
        return p;
    }
    const auto wholeLen = static_cast<size_t>(d.exp10) + 1;
    p.whole = d.digits.substr(0, wholeLen);
    p.whole.resize(wholeLen, '0');
    if (d.digits.size() > wholeLen)
        p.fraction = d.digits.substr(wholeLen);
    return p;
}

bool IsZero(const TDecimal &d) { return d.digits.find_first_not_of('0') == std::string::npos; }

std::string NonFinite(double x)
{
    if (std::isnan(x))
        return "NAN";
    return x < 0 ? "-INF" : "INF";
}

std::string_view SeparatorOrPoint(std::string_view sep) { return sep.empty() ? std::string_view(".") : sep; }

std::string Sign(double x, const TDecimal &d) { return (x < 0 && !IsZero(d)) ? "-" : ""; }

// d in fixed notation with exactly `decimals` digits after the separator.
std::string FixedText(const TDecimal &d, int decimals, std::string_view sep)
{
    TPositional p = Positional(d);
    std::string text = p.whole;
    if (decimals > 0) {
        p.fraction.resize(static_cast<size_t>(decimals), '0');
        text += sep;
        text += p.fraction;
    }
    return text;
}

// The value 10^exp10 rounded at the 10^-decimals place, for the case where
// that place lies above the leading digit of ax.
TDecimal RoundedAboveLeading(const TDecimal &truncated, int decimals)
{
    TDecimal d{"0", 0};
    if (truncated.exp10 + 1 + decimals == 0 && truncated.digits.front() >= '5')
        d = TDecimal{"1", -decimals};
    return d;
}

} // namespace

std::string FormatGeneral(double x, std::string_view sep, int P)
{
    if (!std::isfinite(x))
        return NonFinite(x);
    if (x == 0)
        return "0";
    sep = SeparatorOrPoint(sep);
    P = std::clamp(P, 1, kMaxDigits);
    TDecimal d = Rounded(std::fabs(x), P);
    StripTrailingZeros(d.digits);
    std::string text = Sign(x, d);
    if (d.exp10 >= -5 && d.exp10 < P) {
        const TPositional p = Positional(d);
        text += p.whole;
        if (!p.fraction.empty()) {
            text += sep;
            text += p.fraction;
        }
        return text;
    }
    text += d.digits.front();
    if (d.digits.size() > 1) {
        text += sep;
        text += d.digits.substr(1);
    }
    text += 'E';
    text += std::to_string(d.exp10);
    return text;
}

std::string FormatFixed(double x, int P, int D, std::string_view sep)
{
    if (!std::isfinite(x))
        return NonFinite(x);
    sep = SeparatorOrPoint(sep);
    P = std::clamp(P, 1, kMaxDigits);
    D = std::clamp(D, 0, kMaxDecimals);
    if (x == 0)
        return FixedText(TDecimal{"0", 0}, D, sep);

    // One rounding, at the coarser of the two places: the P-th significant
    // digit or the D-th decimal.
    const double ax = std::fabs(x);
    const TDecimal truncated = Truncated(ax, P + 1);
    const int keep = std::min(P, truncated.exp10 + 1 + D);
    TDecimal d;
    if (keep >= 1) {
        d = RoundAt(truncated, keep);
    } else {
        d = RoundedAboveLeading(truncated, D);
    }
    if (d.exp10 + 1 > P)
        return FormatGeneral(x, sep, P);
    return Sign(x, d) + FixedText(d, D, sep);
}

std::string FormatExponent(double x, int P, int E, std::string_view sep)
{
    if (!std::isfinite(x))
        return NonFinite(x);
    sep = SeparatorOrPoint(sep);
    P = std::clamp(P, 1, kMaxDigits);
    E = std::clamp(E, 1, kMaxExponentDigits);
    TDecimal d{std::string(static_cast<size_t>(P), '0'), 0};
    if (x != 0)
        d = Rounded(std::fabs(x), P);

    std::string text = Sign(x, d);
    text += d.digits.front();
    if (P > 1) {
        text += sep;
        text += d.digits.substr(1);
    }
    text += 'E';
    text += d.exp10 < 0 ? '-' : '+';
    std::string exponent = std::to_string(std::abs(d.exp10));
    if (exponent.size() < static_cast<size_t>(E))
        exponent.insert(0, static_cast<size_t>(E) - exponent.size(), '0');
    return text + exponent;
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Moves the leading digits of text into out; returns how many there were.
size_t TakeDigits(std::string_view &text, std::string &out)
{
    size_t n = 0;
    while (n < text.size() && IsDigit(text[n]))
        out += text[n++];
    text.remove_prefix(n);
    return n;
}

// An optional sign: '-' is copied to out, '+' dropped.
void TakeSign(std::string_view &text, std::string &out)
{
    if (text.empty() || (text.front() != '+' && text.front() != '-'))
        return;
    if (text.front() == '-')
        out += '-';
    text.remove_prefix(1);
}

// [sign] digits [sep digits] [(E|e) [sign] digits], with a digit on at least
// one side of the separator, rewritten in the form std::from_chars reads.
bool ToPlainNotation(std::string_view text, std::string_view sep, std::string &plain)
{
    TakeSign(text, plain);
    const size_t wholeDigits = TakeDigits(text, plain);
    size_t fractionDigits = 0;
    if (text.starts_with(sep)) {
        text.remove_prefix(sep.size());
        std::string fraction = ".";
        fractionDigits = TakeDigits(text, fraction);
        if (fractionDigits > 0)
            plain += fraction;
    }
    if (wholeDigits + fractionDigits == 0)
        return false;
    if (wholeDigits == 0)
        plain.insert(plain.size() - fractionDigits - 1, "0");
    if (!text.empty() && (text.front() == 'E' || text.front() == 'e')) {
        text.remove_prefix(1);
        plain += 'e';
        TakeSign(text, plain);
        if (TakeDigits(text, plain) == 0)
            return false;
    }
    return text.empty();
}

} // namespace

bool ParseReal(std::string_view text, std::string_view sep, double &out)
{
    std::string plain;
    if (!ToPlainNotation(Trimmed(text), SeparatorOrPoint(sep), plain))
        return false;
    double value = 0;
    const char *end = plain.data() + plain.size();
    const auto res = std::from_chars(plain.data(), end, value, std::chars_format::general);
    if (res.ec != std::errc() || res.ptr != end)
        return false; // out of range either way
    out = value;
    return true;
}

bool ParseInt(std::string_view text, int32_t &out)
{
    text = Trimmed(text);
    std::string plain;
    TakeSign(text, plain);
    if (TakeDigits(text, plain) == 0 || !text.empty())
        return false;
    int32_t value = 0;
    const char *end = plain.data() + plain.size();
    const auto res = std::from_chars(plain.data(), end, value);
    if (res.ec != std::errc() || res.ptr != end)
        return false;
    out = value;
    return true;
}

namespace {

// A whole number held in a double, in plain decimal without a sign for zero.
std::string WholeText(double v)
{
    if (std::isnan(v))
        return "NAN";
    if (std::isinf(v))
        return v < 0 ? "-INF" : "INF";
    std::array<char, 400> buf; // the largest double has 309 digits
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), v + 0.0, std::chars_format::fixed, 0);
    return std::string(buf.data(), res.ptr);
}

} // namespace

// Minutes and seconds stay doubles throughout, so no value of x meets an
// out-of-range conversion to an integer type.
std::string FormatMinSec(double x)
{
    if (!std::isfinite(x))
        return WholeText(x);
    const double m = std::trunc(x / 60.0);
    double rest = x - 60.0 * m;
    if (!std::isfinite(rest)) // 60 m overflowed, only next to the largest doubles
        rest = std::fmod(x, 60.0);
    const double s = std::nearbyint(rest);
    return WholeText(m) + ":" + WholeText(s);
}

} // namespace numerics

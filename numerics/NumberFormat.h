#pragma once
// The number texts the program shows and reads back. The decimal separator is
// the caller's (the user's locale in the program), as UTF-8; an empty one
// counts as ".". Digits come from the exact value of the double, rounded half
// away from zero (1250 at two digits is 1.3E+3; 2.675, stored just below, is
// 2.67 at three). A value that rounds to zero is written without a sign.
// P is taken in 1..40, D in 0..40, E in 1..10. Nothing depends on the C locale.
#include <cstdint>
#include <string>
#include <string_view>

namespace numerics {

// Shortest text keeping P significant digits, trailing zeros dropped; fixed
// notation while 1e-5 <= |x| < 10^P, otherwise mantissa, "E", exponent with a
// minus sign only when negative and no leading zeros: 5.2e-7 -> "5.2E-7",
// 1e20 -> "1E20", 0 -> "0". Non-finite values give "NAN", "INF", "-INF".
std::string FormatGeneral(double x, std::string_view sep, int P = 15);

// Rounded once to at most P significant digits and at most D decimals, written
// with exactly D decimals (123.456 in fixed(4, 3) -> "123.500"); an integer part
// of more than P digits gives FormatGeneral(x, sep, P) instead.
std::string FormatFixed(double x, int P, int D, std::string_view sep);

// One digit, the separator, P - 1 digits, "E", a sign always, at least E exponent
// digits (2500 in exponent(3, 2) -> "2.50E+03").
std::string FormatExponent(double x, int P, int E, std::string_view sep);

// A real written with the given separator, surrounding blanks ignored. Only that
// separator is accepted; anything else (a point where a comma is expected, an
// empty text, trailing garbage, inf or nan, hexadecimal, a value beyond the
// range of a double) is not a number: returns false and leaves out unchanged.
// Accepted: [sign] digits [separator digits] [E|e [sign] digits], with a digit
// on at least one side of the separator.
bool ParseReal(std::string_view text, std::string_view sep, double &out);

// A whole number in 32 bits, surrounding blanks ignored, optional sign; out of
// range or anything else is refused with out unchanged.
bool ParseInt(std::string_view text, int32_t &out);

// Seconds as "m:s": m = x / 60 truncated toward zero, s = x - 60 m rounded half
// to even, no leading zeros, s never carried into m (65 -> "1:5", 119.6 -> "1:60").
// Any double is safe: NaN and infinities give "NAN", "INF", "-INF".
std::string FormatMinSec(double x);

} // namespace numerics

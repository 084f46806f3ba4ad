// Number texts typed into fields: read as reals with a point, a comma and a
// two-byte separator, as whole numbers, and through the locale wrappers. A
// text read must agree with the C library's reading of the same text (in the
// C locale, the separator turned into the point), and the value must come
// back from the texts the program writes it in.
#include "app/core/LocaleFormat.h"
#include "fuzz/FuzzCheck.h"
#include "numerics/NumberFormat.h"

#include <QLocale>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace numerics;

constexpr double kSentinel = 12345.678;  // what a refused text must leave in place

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

std::string Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

bool OnlyOf(std::string_view text, std::string_view allowed)
{
    return text.find_first_not_of(allowed) == std::string_view::npos;
}

// The 15-digit text of the largest doubles lies beyond the range and does
// not read back (fewer digits reach further down).
bool Huge(double x, double limit = 1.7976931348623e308) { return std::fabs(x) > limit; }

// Reading back a text that rounded x at the 10^place digit: within half a
// unit there, plus the rounding of the reading itself.
void CheckRounded(const std::string &text, std::string_view sep, double x, int place)
{
    double back = kSentinel;
    FUZZ_CHECK(ParseReal(text, sep, back));
    const double slack = 0.5 * std::pow(10.0, place) * (1 + 1e-9) + 2 * std::fabs(std::nextafter(x, 0.0) - x);
    FUZZ_CHECK(std::fabs(back - x) <= slack);
}

// The texts the program writes a value in: the general format with 17
// digits (exact) and 15 (stable when read and written again), the fixed
// format of the result grid and its exponent format.
void CheckWrittenBack(double x, std::string_view sep)
{
    double back = kSentinel;
    FUZZ_CHECK(ParseReal(FormatGeneral(x, sep, 17), sep, back) && back == x);
    if (Huge(x, 1.79e308))
        return;
    const std::string general = FormatGeneral(x, sep, 15);
    FUZZ_CHECK(ParseReal(general, sep, back) && FormatGeneral(back, sep, 15) == general);
    const int lead = x == 0 ? 0 : int(std::floor(std::log10(std::fabs(x))));
    CheckRounded(FormatFixed(x, 3, 5, sep), sep, x, std::max(lead - 2, -5));
    CheckRounded(FormatExponent(x, 6, 2, sep), sep, x, lead - 5);
}

// The reading agrees with strtod's: what ParseReal accepts, strtod reads
// whole to the same value; what strtod reads whole, in range, from the
// characters of ParseReal's form, ParseReal accepts.
void CheckReal(std::string_view text, std::string_view sep)
{
    double x = kSentinel;
    const bool ok = ParseReal(text, sep, x);
    FUZZ_CHECK(ok || x == kSentinel);
    std::string plain = Trimmed(text);
    const bool hasPoint = plain.find('.') != std::string::npos;
    if (const size_t at = plain.find(sep); at != std::string::npos)
        plain = plain.substr(0, at) + '.' + plain.substr(at + sep.size());
    errno = 0;
    char *end = nullptr;
    const double c = std::strtod(plain.c_str(), &end);
    const bool cWhole = !plain.empty() && end == plain.c_str() + plain.size();
    const bool cInRange = errno != ERANGE;
    if (ok) {
        FUZZ_CHECK(std::isfinite(x) && cWhole && c == x);
        FUZZ_CHECK(sep == "." || !hasPoint);
        CheckWrittenBack(x, sep);
    } else if (cWhole && cInRange && std::isfinite(c) && OnlyOf(plain, "0123456789+-.eE")) {
        FUZZ_CHECK(hasPoint && sep != ".");  // only a point where another separator belongs
    }
}

// Whole numbers: what ParseInt accepts, strtoll reads whole to the same value
// and ParseReal reads too; what strtoll reads whole from a sign and digits,
// within 32 bits, ParseInt accepts.
void CheckInt(std::string_view text)
{
    int32_t n = 4321;
    const bool ok = ParseInt(text, n);
    FUZZ_CHECK(ok || n == 4321);
    const std::string plain = Trimmed(text);
    errno = 0;
    char *end = nullptr;
    const long long c = std::strtoll(plain.c_str(), &end, 10);
    const bool cWhole = !plain.empty() && end == plain.c_str() + plain.size() && errno != ERANGE;
    const bool fits = c >= INT32_MIN && c <= INT32_MAX;
    if (ok) {
        double x = kSentinel;
        FUZZ_CHECK(cWhole && c == n);
        FUZZ_CHECK(ParseReal(text, ".", x) && x == n);
    } else {
        FUZZ_CHECK(!(cWhole && fits && OnlyOf(plain, "0123456789+-")));
    }
}

// The locale wrappers read as the separator of the default locale says.
void CheckLocale(std::string_view text)
{
    const QString q = QString::fromUtf8(text.data(), qsizetype(text.size()));
    if (q.toUtf8() != QByteArray(text.data(), qsizetype(text.size())))
        return;  // not UTF-8: a field's text always is
    for (const auto &[language, sep] : {std::pair{QLocale::C, "."}, std::pair{QLocale::Russian, ","}}) {
        QLocale::setDefault(QLocale(language));
        double viaLocale = kSentinel, direct = kSentinel;
        FUZZ_CHECK(LocaleParseReal(q, viaLocale) == ParseReal(text, sep, direct));
        FUZZ_CHECK(viaLocale == direct);
    }
    int32_t viaLocale = 4321, direct = 4321;
    FUZZ_CHECK(LocaleParseInt(q, viaLocale) == ParseInt(text, direct) && viaLocale == direct);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    std::setlocale(LC_ALL, "C");  // strtod with the point
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    for (std::string_view sep : {".", ",", "\xD9\xAB"})  // U+066B ARABIC DECIMAL SEPARATOR
        CheckReal(text, sep);
    CheckInt(text);
    CheckLocale(text);
    return 0;
}

#include "materials/MaterialFile.h"

#include <charconv>
#include <cmath>
#include <map>
#include <set>
#include <tuple>

namespace materials {
namespace {

std::string_view Trim(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::optional<double> Number(std::string_view s)
{
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    double v = 0.0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

// Blank-separated numbers; nullopt when one is not a number or none is there.
std::optional<std::vector<double>> Numbers(std::string_view s)
{
    std::vector<double> values;
    while (true) {
        s = Trim(s);
        if (s.empty())
            break;
        const size_t end = s.find_first_of(" \t");
        const auto v = Number(s.substr(0, end));
        if (!v)
            return std::nullopt;
        values.push_back(*v);
        if (end == std::string_view::npos)
            break;
        s.remove_prefix(end);
    }
    if (values.empty())
        return std::nullopt;
    return values;
}

bool ValidId(std::string_view id)
{
    if (id.empty() || id.size() > 64)
        return false;
    for (char c : id) {
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_'))
            return false;
    }
    return true;
}

struct TLine {
    int number = 0;
    std::string value;
};

const std::set<std::string_view> kKeys = {"format", "id", "name", "source", "range", "temperature",
                                          "unit", "alpha-polynomial", "alpha-numerator",
                                          "alpha-denominator", "strain-polynomial", "alpha-table"};

TMaterialParse Fail(int line, const std::string &message)
{
    return {std::nullopt, line > 0 ? "line " + std::to_string(line) + ": " + message : message};
}

// A kelvin value from a number and its unit word "K" or "C".
std::optional<std::pair<double, double>> Range(std::string_view value)
{
    const size_t unitAt = value.find_last_of(" \t");
    if (unitAt == std::string_view::npos)
        return std::nullopt;
    const std::string_view unit = Trim(value.substr(unitAt + 1));
    const auto ends = Numbers(value.substr(0, unitAt));
    if (!ends || ends->size() != 2 || (unit != "K" && unit != "C"))
        return std::nullopt;
    const double offset = unit == "C" ? kZeroCelsius : 0.0;
    return std::pair{(*ends)[0] + offset, (*ends)[1] + offset};
}

// The denominator keeps one sign over the range: checked at every kelvin
// and at both ends, far finer than any fit of a certificate bends.
bool DenominatorKeepsSign(const TReferenceMaterial &m)
{
    const double offset = m.celsiusVariable ? kZeroCelsius : 0.0;
    const auto value = [&](double kelvin) {
        double sum = 0.0;
        for (size_t i = m.denominator.size(); i-- > 0;)
            sum = sum * (kelvin - offset) + m.denominator[i];
        return sum;
    };
    const double first = value(m.lowKelvin);
    const int steps = int(std::ceil(m.highKelvin - m.lowKelvin));
    for (int k = 0; k <= steps; ++k) {
        const double v = value(std::min(m.lowKelvin + k, m.highKelvin));
        if (!(v * first > 0.0) || !std::isfinite(v))
            return false;
    }
    return true;
}

TMaterialParse Build(const std::map<std::string, TLine> &single, const std::vector<TLine> &source,
                     const std::vector<TLine> &table)
{
    const auto get = [&](const char *key) -> const TLine * {
        const auto it = single.find(key);
        return it == single.end() ? nullptr : &it->second;
    };
    for (const char *key : {"format", "id", "name", "range", "temperature", "unit"}) {
        if (!get(key))
            return Fail(0, std::string("the key \"") + key + "\" is missing");
    }
    if (source.empty())
        return Fail(0, "the key \"source\" is missing");
    const auto version = Number(get("format")->value);
    if (!version || *version != kMaterialFormatVersion)
        return Fail(get("format")->number, "format " + get("format")->value + " is not version 1");

    TReferenceMaterial m;
    m.id = get("id")->value;
    if (!ValidId(m.id))
        return Fail(get("id")->number, "an id is lower-case letters, digits, '-' and '_'");
    m.name = get("name")->value;
    if (m.name.empty())
        return Fail(get("name")->number, "the name is empty");
    for (const TLine &line : source)
        m.source += (m.source.empty() ? "" : "\n") + line.value;
    const auto range = Range(get("range")->value);
    if (!range || !(range->first > 0.0) || !(range->first < range->second))
        return Fail(get("range")->number, "a range is two increasing temperatures and K or C, above 0 K");
    std::tie(m.lowKelvin, m.highKelvin) = *range;
    const std::string &variable = get("temperature")->value;
    if (variable != "K" && variable != "C")
        return Fail(get("temperature")->number, "the temperature of the formula is K or C");
    m.celsiusVariable = variable == "C";
    const auto unit = Number(get("unit")->value);
    if (!unit || *unit == 0.0)
        return Fail(get("unit")->number, "the unit is a number other than 0");
    m.unit = *unit;

    int forms = 0;
    const auto coefficients = [&](const char *key, std::vector<double> &into) -> std::optional<TMaterialParse> {
        const TLine *line = get(key);
        if (!line)
            return std::nullopt;
        const auto values = Numbers(line->value);
        if (!values)
            return Fail(line->number, "coefficients are numbers separated by blanks");
        into = *values;
        return std::nullopt;
    };
    for (const auto &[key, form] : {std::pair{"alpha-polynomial", TExpansionForm::AlphaPolynomial},
                                    std::pair{"alpha-numerator", TExpansionForm::AlphaRational},
                                    std::pair{"strain-polynomial", TExpansionForm::StrainPolynomial}}) {
        if (get(key)) {
            ++forms;
            m.form = form;
            if (auto failed = coefficients(key, m.numerator))
                return *failed;
        }
    }
    if (!table.empty()) {
        ++forms;
        m.form = TExpansionForm::AlphaTable;
        for (const TLine &line : table) {
            const auto point = Numbers(line.value);
            if (!point || point->size() != 2)
                return Fail(line.number, "a table line is a temperature and a value");
            if (!m.denominator.empty() && !((*point)[0] > m.denominator.back()))
                return Fail(line.number, "the table's temperatures must increase");
            m.denominator.push_back((*point)[0]);
            m.numerator.push_back((*point)[1]);
        }
        if (m.denominator.size() < 2)
            return Fail(table.front().number, "a table needs two points at least");
    }
    if (forms != 1)
        return Fail(0, "give exactly one of alpha-polynomial, alpha-numerator, strain-polynomial, alpha-table");
    if (m.form == TExpansionForm::AlphaRational) {
        if (!get("alpha-denominator"))
            return Fail(get("alpha-numerator")->number, "a rational formula needs alpha-denominator");
        if (auto failed = coefficients("alpha-denominator", m.denominator))
            return *failed;
        if (!DenominatorKeepsSign(m))
            return Fail(get("alpha-denominator")->number, "the denominator changes sign within the range");
    } else if (get("alpha-denominator")) {
        return Fail(get("alpha-denominator")->number, "alpha-denominator belongs to alpha-numerator");
    }
    return {std::move(m), {}};
}

} // namespace

TMaterialParse ParseMaterial(std::string_view text)
{
    if (text.size() > kMaxMaterialFileBytes)
        return Fail(0, "the file is larger than 64 KiB");
    std::map<std::string, TLine> single;
    std::vector<TLine> source, table;
    int number = 0;
    while (!text.empty()) {
        ++number;
        const size_t end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == '#')
            continue;
        if (line.find('\0') != std::string_view::npos)
            return Fail(number, "the line holds a zero byte");
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            return Fail(number, "a line is \"key = value\"");
        const std::string key(Trim(line.substr(0, eq)));
        TLine entry{number, std::string(Trim(line.substr(eq + 1)))};
        if (!kKeys.count(key))
            return Fail(number, "unknown key \"" + key + "\"");
        if (key == "source")
            source.push_back(std::move(entry));
        else if (key == "alpha-table")
            table.push_back(std::move(entry));
        else if (!single.emplace(key, std::move(entry)).second)
            return Fail(number, "the key \"" + key + "\" is given twice");
    }
    return Build(single, source, table);
}

} // namespace materials

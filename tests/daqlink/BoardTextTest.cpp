// The board library's texts: values put into their placeholders, and the
// program's translator asked for each text before the values go in.
#include "daqlink/board/BoardText.h"
#include "daqlink/daqlink.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using daqboard::Arg;
using daqboard::Tr;

TEST(BoardText, ArgPutsValuesIntoTheirPlaceholders)
{
    const struct {
        const char *name;
        std::string text;
        std::initializer_list<std::string> values;
        std::string expected;
    } rows[] = {
        {"in order", "%1: %2", {"a", "b"}, "a: b"},
        {"reordered", "%2 before %1", {"a", "b"}, "b before a"},
        {"repeated", "%1/%1", {"x"}, "x/x"},
        {"nine", "%9%8%7%6%5%4%3%2%1", {"1", "2", "3", "4", "5", "6", "7", "8", "9"}, "987654321"},
        {"a value holding a placeholder is not filled again", "%1 %2", {"%2", "b"}, "%2 b"},
        {"a placeholder without a value stays", "%1 %3", {"a"}, "a %3"},
        {"a lone or trailing percent stays", "50% of %1%", {"L"}, "50% of L%"},
        {"%0 and %10 are no placeholders of their own", "%0 %10", {"a"}, "%0 a0"},
        {"UTF-8 around placeholders", "нагрев %1 K/мин", {"5"}, "нагрев 5 K/мин"},
        {"empty", "", {"a"}, ""},
    };
    for (const auto &r : rows)
        EXPECT_EQ(Arg(r.text, r.values), r.expected) << r.name;
}

namespace {

std::string g_answer;      // what the translator gives
std::string g_lastContext; // what it was asked for
int g_calls = 0;

int32_t Translate(const char *context, const char *, char *text, int32_t lastIndex)
{
    ++g_calls;
    g_lastContext = context;
    const int32_t length = static_cast<int32_t>(g_answer.size());
    if (text && lastIndex >= 0) {
        const int32_t n = std::min(length, lastIndex);
        std::memcpy(text, g_answer.data(), static_cast<size_t>(n));
        text[n] = '\0';
    }
    return length;
}

} // namespace

TEST(BoardText, TextsGoThroughTheProgramsTranslator)
{
    const char *source = "Следующий прием: %1";
    EXPECT_EQ(Tr(source), source) << "no translator: the text itself";

    DaqlinkSetTranslator(&Translate);
    const struct {
        const char *name;
        std::string answer;
        std::string expected;
    } rows[] = {
        {"a translation", "Next acquisition: %1", "Next acquisition: %1"},
        {"no translation", "", source},
        {"longer than the first buffer", std::string(5000, 'e') + "%1", std::string(5000, 'e') + "%1"},
    };
    for (const auto &r : rows) {
        g_answer = r.answer;
        g_calls = 0;
        EXPECT_EQ(Tr(source), r.expected) << r.name;
        EXPECT_EQ(g_lastContext, "daqlink") << r.name;
        EXPECT_LE(g_calls, 2) << r.name;
    }
    DaqlinkSetTranslator(nullptr);
    EXPECT_EQ(Tr(source), source) << "translator removed";
}

#include "daqlink/board/BoardText.h"
#include "daqlink/board/BoardExport.h"
#include "daqlink/daqlink.h"

#include <vector>

namespace daqboard {
namespace {

DaqlinkTranslator g_translator = nullptr;

} // namespace

std::string Tr(const char *source)
{
    if (!g_translator)
        return source;
    // The translator returns the full length; a longer text is asked for again.
    std::vector<char> text(1024);
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int32_t length = g_translator("daqlink", source, text.data(), static_cast<int32_t>(text.size()) - 1);
        if (length <= 0)
            return source;
        if (static_cast<size_t>(length) < text.size())
            return std::string(text.data(), static_cast<size_t>(length));
        text.resize(static_cast<size_t>(length) + 1);
    }
    return source;
}

std::string Arg(const std::string &text, std::initializer_list<std::string> values)
{
    const std::vector<std::string> args(values);
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const size_t n = static_cast<size_t>(text[i + 1] - '1');
            if (n < args.size()) {
                result += args[n];
                ++i;
                continue;
            }
        }
        result += c;
    }
    return result;
}

} // namespace daqboard

extern "C" DAQBOARD_API void DaqlinkSetTranslator(DaqlinkTranslator translator)
{
    daqboard::g_translator = translator;
}

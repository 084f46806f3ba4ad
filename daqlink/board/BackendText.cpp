// The C functions of the board library that the main program calls beside
// the five exports, declared in daqlink/daqlink.h: the "DAQ Setup" report and
// the program's failure code.
#include "daqlink/board/Board.h"
#include "daqlink/daqlink.h"

#include <algorithm>
#include <cstring>

namespace {

// The longest prefix of text that fits in room bytes without cutting a UTF-8
// character.
size_t Utf8Prefix(const std::string &text, size_t room)
{
    if (text.size() <= room)
        return text.size();
    size_t n = room;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    return n;
}

} // namespace

extern "C" DAQBOARD_API int32_t DaqlinkBackendText(char *text, int32_t lastIndex)
{
    try {
        const std::string report = daqboard::Report();
        if (text && lastIndex >= 0) {
            const size_t n = Utf8Prefix(report, static_cast<size_t>(lastIndex));
            std::memcpy(text, report.data(), n);
            text[n] = '\0';
        }
        return static_cast<int32_t>(std::min<size_t>(report.size(), INT32_MAX));
    } catch (...) {
        if (text && lastIndex >= 0)
            text[0] = '\0';
        return 0;
    }
}

extern "C" DAQBOARD_API void DaqlinkSetFailureCode(int16_t code) { daqboard::SetProgramFailureCode(code); }

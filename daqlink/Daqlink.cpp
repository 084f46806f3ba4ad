// The five exports of libdaqlink.so: the channel list, one reading cell, and
// the calls through the driver layer.
// The library is built with hidden visibility: its exports are the functions
// of its header.
#pragma GCC visibility push(default)
#include "daqlink/daqlink.h"
#pragma GCC visibility pop
#include "daqlink/board/Board.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int16_t kDevice = 1;
constexpr int16_t kGain = 1;

struct TLinkState {
    std::vector<int16_t> channels;
    bool open = false;
    int16_t cell = 0;
};

TLinkState &State()
{
    static TLinkState state;
    return state;
}

// Elements the caller's open array really has for a count of n.
int32_t Usable(int32_t n, const void *array, int32_t lastIndex)
{
    if (!array || n <= 0 || lastIndex < 0)
        return 0;
    return static_cast<int32_t>(std::min<int64_t>(n, int64_t{lastIndex} + 1));
}

} // namespace

extern "C" {

uint8_t InitDaqlink(int32_t n, const int32_t *channels, int32_t lastIndex)
{
    try {
        TLinkState &state = State();
        const int32_t count = Usable(n, channels, lastIndex);
        state.channels.resize(count);
        for (int32_t i = 0; i < count; ++i)
            state.channels[i] = static_cast<int16_t>(static_cast<uint32_t>(channels[i]) & 0xFFFFu);
        state.open = daqboard::OpenBoard();
        return state.open ? 1 : 0;
    } catch (...) {
        State().open = false;
        return 0;
    }
}

void GetRes(int32_t n, int32_t *results, int32_t lastIndex)
{
    TLinkState &state = State();
    if (!state.open || Usable(n, results, lastIndex) < n || static_cast<size_t>(n) > state.channels.size())
        return;
    const int16_t failure = daqboard::FailureCode();
    daqboard::BeginScan();
    for (int32_t i = 0; i < n; ++i) {
        state.cell = 0;
        const int16_t status = daqboard::AI_Read(kDevice, state.channels[i], kGain, &state.cell);
        results[i] = status == daqboard::kReadOk ? state.cell : failure;
    }
    daqboard::EndScan();
}

void SetRes(int32_t n, const uint8_t *data, int32_t lastIndex)
{
    daqboard::SendCommand(data, Usable(n, data, lastIndex));
}

void DoneDaqlink(void)
{
    TLinkState &state = State();
    state.open = false;
    state.channels.clear();
    daqboard::CloseBoard();
}

void DAQSetup(void)
{
    try {
        daqboard::RefreshReport();
    } catch (...) {
    }
}

} // extern "C"

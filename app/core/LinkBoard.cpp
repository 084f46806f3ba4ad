#include "app/core/LinkBoard.h"

#include "auxlink/auxlink.h"
#include "daqlink/daqlink.h"

#include <vector>

bool TLinkBoard::InitDaqlink(const std::array<int32_t, 3> &channels)
{
    return ::InitDaqlink(3, channels.data(), 2) != 0;
}

void TLinkBoard::GetRes(std::array<int32_t, 3> &readings) { ::GetRes(3, readings.data(), 2); }

void TLinkBoard::SetFailureCode(int16_t code) { DaqlinkSetFailureCode(code); }

void TLinkBoard::DoneDaqlink() { ::DoneDaqlink(); }

void TLinkBoard::SetRes(int32_t n, const uint8_t *data, int32_t lastIndex) { ::SetRes(n, data, lastIndex); }

double TLinkBoard::GetStatusWindow() { return ::GetStatusWindow(); }

bool TLinkBoard::InitAuxlink() { return ::InitAuxlink() != 0; }

void TLinkBoard::GetWRes(double &w) { ::GetWRes(&w); }

void TLinkBoard::DoneAuxlink() { ::DoneAuxlink(); }

QString TLinkBoard::DaqSetup()
{
    ::DAQSetup();
    std::vector<char> text(4096);
    const int32_t length = DaqlinkBackendText(text.data(), static_cast<int32_t>(text.size()) - 1);
    if (length >= static_cast<int32_t>(text.size())) {
        text.resize(static_cast<size_t>(length) + 1);
        DaqlinkBackendText(text.data(), static_cast<int32_t>(text.size()) - 1);
    }
    return QString::fromUtf8(text.data());
}

#include "app/core/LinkBoard.h"

#include "auxlink/auxlink.h"
#include "daqlink/daqlink.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// The board library's texts in the language the program speaks now: Qt's
// translation of them, written as the library asks (daqlink/daqlink.h).
int32_t TranslateBoardText(const char *context, const char *source, char *text, int32_t lastIndex)
{
    if (!context || !source)
        return 0;
    const QByteArray translation = QCoreApplication::translate(context, source).toUtf8();
    const int32_t length = static_cast<int32_t>(std::min<qsizetype>(translation.size(), INT32_MAX - 1));
    if (text && lastIndex >= 0) {
        // A text that does not fit is asked for again with room for it.
        const int32_t n = std::min(length, lastIndex);
        std::memcpy(text, translation.constData(), static_cast<size_t>(n));
        text[n] = '\0';
    }
    return length;
}

// The reports are made when the board opens or is looked at.
void UseProgramLanguage() { DaqlinkSetTranslator(&TranslateBoardText); }

} // namespace

bool TLinkBoard::InitDaqlink(const std::array<int32_t, 3> &channels)
{
    UseProgramLanguage();
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
    UseProgramLanguage();
    ::DAQSetup();
    std::vector<char> text(4096);
    const int32_t length = DaqlinkBackendText(text.data(), static_cast<int32_t>(text.size()) - 1);
    if (length >= static_cast<int32_t>(text.size())) {
        text.resize(static_cast<size_t>(length) + 1);
        DaqlinkBackendText(text.data(), static_cast<int32_t>(text.size()) - 1);
    }
    return QString::fromUtf8(text.data());
}

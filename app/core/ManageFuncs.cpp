#include "app/core/ManageFuncs.h"

#include "app/core/BinToIntFuncs.h"

#include <array>

void SendManage(THeaterPort &port, uint8_t v)
{
    const std::array<uint8_t, 3> command{kManageByte0, kManageByte1, v};
    port.SetRes(static_cast<int32_t>(command.size()), command.data(), static_cast<int32_t>(command.size()) - 1);
}

void HeaterOn(THeaterPort &port)
{
    std::array<uint8_t, 8> bits{};
    bits[kHeaterBit] = 1;
    SendManage(port, static_cast<uint8_t>(BitsToInt(static_cast<int32_t>(bits.size()), bits)));
}

void HeaterOff(THeaterPort &port) { SendManage(port, 0); }

bool HeaterThresholdReached(const TRunData &calibrated, const TSettings &settings)
{
    const int32_t n = ValidCount(calibrated);
    if (!settings.ManageFlag || n < 1)
        return false;
    const double t = calibrated.T[n - 1];
    const double l = calibrated.L[n - 1];
    switch (settings.ManageStopEvent) {
    case kStopTAbove: return t > settings.ManageValue;
    case kStopLAbove: return l > settings.ManageValue;
    case kStopTBelow: return t < settings.ManageValue;
    case kStopLBelow: return l < settings.ManageValue;
    default: return false;
    }
}

bool CheckHeaterThreshold(THeaterPort &port, const TRunData &calibrated, const TSettings &settings)
{
    if (!HeaterThresholdReached(calibrated, settings))
        return false;
    HeaterOff(port);
    return true;
}

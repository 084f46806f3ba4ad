#pragma once
// Heater commands: three bytes [86, 1, v] sent through the board library's
// output call, v carrying the heater on bit 5.
#include "app/core/RunData.h"
#include "app/core/Settings.h"

#include <cstdint>

inline constexpr uint8_t kManageByte0 = 86;
inline constexpr uint8_t kManageByte1 = 1;
inline constexpr int32_t kHeaterBit = 5;

// The board library's output call SetRes(n, data, last index), behind an
// interface so that the commands can be sent to the real library, or
// recorded by a test.
class THeaterPort {
public:
    virtual ~THeaterPort() = default;
    virtual void SetRes(int32_t n, const uint8_t *data, int32_t lastIndex) = 0;
};

// Sends [86, 1, v].
void SendManage(THeaterPort &port, uint8_t v);

// Output byte with only the heater bit set (32).
void HeaterOn(THeaterPort &port);

// Output byte 0.
void HeaterOff(THeaterPort &port);

// Switch-off events of ManageStopEvent.
enum TManageStopEvent : int32_t {
    kStopAtEnd = 0,      // the end of acquisition
    kStopTAbove = 1,     // last calibrated T > ManageValue
    kStopLAbove = 2,     // last calibrated L > ManageValue
    kStopTBelow = 3,     // last calibrated T < ManageValue
    kStopLBelow = 4,     // last calibrated L < ManageValue
};

// Whether a calibrated record meets the switch-off condition: ManageFlag set,
// at least one sample, and event 1..4 with its strict comparison of the last
// sample's T or L with ManageValue. Event 0 and other values: false.
bool HeaterThresholdReached(const TRunData &calibrated, const TSettings &settings);

// HeaterOff when HeaterThresholdReached; returns whether it was sent.
bool CheckHeaterThreshold(THeaterPort &port, const TRunData &calibrated, const TSettings &settings);

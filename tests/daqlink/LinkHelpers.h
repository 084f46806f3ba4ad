#pragma once
// Drives the board libraries through their public headers, the way the main
// program does: three channels, last index 2.
#include "auxlink/auxlink.h"
#include "daqlink/board/Board.h"
#include "daqlink/daqlink.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace daqtest {

// Settings that silence the noise, for exact expectations.
inline const std::string kQuiet = "TemperatureNoise = 0\nLengthNoise = 0\n";

struct TScan {
    int32_t t = 0;  // channel list entry 0: sample temperature
    int32_t l = 0;  // entry 1: length change
    int32_t tc = 0; // entry 2: control thermocouple
    bool operator==(const TScan &) const = default;
};

// One run of the simulated instrument with the given daqlink.ini text. The
// run is closed at the end of the scope.
class TRun {
public:
    explicit TRun(const std::string &settings, std::array<int32_t, 3> channels = {0, 1, 2})
    {
        daqboard::OverrideSettings(settings);
        ready_ = InitDaqlink(3, channels.data(), 2) == 1;
    }
    ~TRun()
    {
        DoneAuxlink();
        DoneDaqlink();
    }
    TRun(const TRun &) = delete;
    TRun &operator=(const TRun &) = delete;

    bool Ready() const { return ready_; }

    TScan Read()
    {
        int32_t r[3] = {0, 0, 0};
        GetRes(3, r, 2);
        return {r[0], r[1], r[2]};
    }

    std::vector<TScan> Read(int count)
    {
        std::vector<TScan> scans;
        for (int i = 0; i < count; ++i)
            scans.push_back(Read());
        return scans;
    }

    // The main program's heater commands: [86, 1, 32] on, [86, 1, 0] off.
    static void Heater(bool on)
    {
        const uint8_t command[3] = {86, 1, static_cast<uint8_t>(on ? 32 : 0)};
        SetRes(3, command, 2);
    }

private:
    bool ready_ = false;
};

inline std::string BackendText()
{
    char text[2048];
    DaqlinkBackendText(text, sizeof text - 1);
    return text;
}

} // namespace daqtest

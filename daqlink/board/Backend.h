#pragma once
// One back end of the driver layer: the simulated dilatometer or a Comedi board.
#include <cstdint>
#include <string>

namespace daqboard {

class TBackend {
public:
    virtual ~TBackend() = default;

    // A scan of the channel list begins and ends; the simulator latches its
    // readings and moves its clock, a board needs nothing.
    virtual void BeginScan() {}
    virtual void EndScan() {}
    // One conversion of an analog channel into a signed 16-bit code; false
    // when it fails.
    virtual bool Read(int16_t channel, int16_t *code) = 0;
    // The heater bit of the output command.
    virtual void SetHeater(bool on) = 0;
    // What this back end is, for the "DAQ Setup" report.
    virtual std::string Describe() const = 0;
    virtual bool IsSimulator() const { return false; }
};

} // namespace daqboard

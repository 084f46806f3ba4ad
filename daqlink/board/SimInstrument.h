#pragma once
// The simulated push-rod dilatometer. A furnace with its own controller heats
// at a steady rate from the start of a run up to its highest temperature;
// with heating cut it cools toward room temperature (Newton's law). The sample
// follows the furnace with a first-order lag. The length signal is the
// sample's expansion minus that of an equal length of the fused-silica push
// rod at the sample's temperature (a constant coefficient, or a material of
// the reference library), zero at the start of the run, less what a softened
// glass has flowed under the push rod. Each channel's code is its value
// divided by the channel's scale. The clock
// moves only when a scan ends, one fixed step each time, so a run is
// deterministic and needs no waiting.
#include "daqlink/board/BoardExport.h"
#include "daqlink/board/BoardSettings.h"
#include "daqlink/board/Random.h"

#include <cstdint>

namespace daqboard {

// Converter channels of the simulated instrument.
enum TSimChannel : int16_t {
    SampleTemperatureChannel = 0, // degrees Celsius (times TemperatureScale per code)
    LengthChangeChannel = 1,      // micrometres (times LengthScale per code)
    ControlTemperatureChannel = 2 // degrees Celsius, the furnace's thermocouple
};

// One instant of the instrument as the converter sees it, noise included.
struct TSimReading {
    double sampleTemperature = 0.0;
    double lengthChange = 0.0;
    double controlTemperature = 0.0;
};

class DAQBOARD_API TSimInstrument {
public:
    explicit TSimInstrument(const TSimSettings &settings = {});

    // A new run with the given settings: clock at 0, furnace and sample at the
    // start temperature, heating on, random streams restarted from the seed.
    void Start(const TSimSettings &settings);

    // Latches the noisy readings of the present instant for one scan.
    void BeginScan();
    // One conversion of a channel from the latched readings in codes of the
    // channel's scale, rounded to a 16-bit code. False for a failed conversion or a channel the instrument
    // does not have.
    bool Convert(int16_t channel, int16_t *code);
    // The clock moves on by one step.
    void EndScan();

    // The furnace controller's heating switch.
    void SetHeating(bool on) { heating_ = on; }

    // Noise-free state, for the weigher and for checks.
    double Time() const { return time_; }
    double FurnaceTemperature() const { return furnace_; }
    double SampleTemperature() const { return sample_; }
    double LengthChange() const;
    // How far a softened glass has flowed shorter so far, micrometres.
    double Flow() const { return flow_; }
    const TSimReading &Latched() const { return latched_; }
    const TSimSettings &Settings() const { return settings_; }

private:
    void Advance(double seconds);
    double NextFurnace(double temperature, double h) const;

    TSimSettings settings_;
    TRandom noise_;
    TRandom failures_;
    double time_ = 0.0;
    double furnace_ = 0.0;
    double sample_ = 0.0;
    double flow_ = 0.0;
    bool heating_ = true;
    TSimReading latched_;
};

// A reading rounded half to even and held within the signed 16-bit range, as a
// converter saturates at its ends.
DAQBOARD_API int16_t RoundToCode(double value);

} // namespace daqboard

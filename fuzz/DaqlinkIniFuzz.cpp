// The simulator's daqlink.ini from outside: parsed, then a short simulated
// run with the settings read (heating on, then cut), which must keep every
// quantity finite and the furnace and sample within the temperatures the
// settings allow.
#include "daqlink/board/BoardSettings.h"
#include "daqlink/board/SimInstrument.h"
#include "fuzz/FuzzCheck.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace {

using namespace daqboard;

constexpr int kScans = 12;
constexpr double kRunSeconds = 2 * 3600.0;  // a run stops after its first scan past this

bool Finite(const TSimSettings &s)
{
    for (double x : {s.material.alpha, s.sampleLength, s.rodAlpha, s.heatingRate, s.maxTemperature,
                     s.roomTemperature, s.StartTemperature(), s.coolingTime, s.lagTime, s.step,
                     s.temperatureNoise, s.lengthNoise, s.failureRate})
        if (!std::isfinite(x))
            return false;
    return true;
}

void CheckSettings(const TBoardSettings &s)
{
    const TSimSettings &sim = s.sim;
    FUZZ_CHECK(Finite(sim));
    FUZZ_CHECK(sim.sampleLength > 0 && sim.coolingTime > 0 && sim.step > 0 && sim.lagTime >= 0);
    FUZZ_CHECK(sim.heatingRate >= 0 && sim.temperatureNoise >= 0 && sim.lengthNoise >= 0);
    FUZZ_CHECK(sim.failureRate >= 0 && sim.failureRate <= 1);
    FUZZ_CHECK(s.heaterLine >= 0);
    FUZZ_CHECK(!s.device.empty() && s.device.find('\0') == std::string::npos);
}

void CheckRun(const TSimSettings &sim)
{
    // Rounding may leave a convex mix of two temperatures a hair outside them.
    constexpr double kSlack = 1e-9;
    const double lo = std::min({sim.StartTemperature(), sim.roomTemperature, sim.maxTemperature}) - kSlack;
    const double hi = std::max({sim.StartTemperature(), sim.roomTemperature, sim.maxTemperature}) + kSlack;
    TSimInstrument instrument(sim);
    for (int scan = 0; scan < kScans && instrument.Time() < kRunSeconds; ++scan) {
        instrument.SetHeating(scan < kScans / 2);
        instrument.BeginScan();
        const TSimReading &r = instrument.Latched();
        FUZZ_CHECK(std::isfinite(r.sampleTemperature) && std::isfinite(r.lengthChange) &&
                   std::isfinite(r.controlTemperature));
        for (int16_t channel = -1; channel <= 3; ++channel) {
            int16_t code = 0;
            const bool read = instrument.Convert(channel, &code);
            FUZZ_CHECK(!read || (channel >= 0 && channel <= 2));
        }
        instrument.EndScan();
        FUZZ_CHECK(instrument.FurnaceTemperature() >= lo && instrument.FurnaceTemperature() <= hi);
        FUZZ_CHECK(instrument.SampleTemperature() >= lo && instrument.SampleTemperature() <= hi);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const TBoardSettings settings = ParseSettings(std::string_view(reinterpret_cast<const char *>(data), size));
    CheckSettings(settings);
    CheckRun(settings.sim);
    return 0;
}

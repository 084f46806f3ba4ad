#include "daqlink/board/SimInstrument.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace daqboard {
namespace {

// The physics advances in sub-steps of at most one second, short against the
// sample's lag and the furnace's cooling time.
constexpr double kMaxSubStep = 1.0;

// The failure stream is seeded apart from the noise stream, so a failure rate
// changes which conversions fail but not the noise of the others.
constexpr uint64_t kFailureStreamSalt = 0x6A09E667F3BCC909ull;

// The integral over h seconds of max(0, T - top) for T going linearly from a
// to b.
double ExcessIntegral(double a, double b, double top, double h)
{
    const double ea = a - top, eb = b - top;
    if (ea <= 0.0 && eb <= 0.0)
        return 0.0;
    if (ea >= 0.0 && eb >= 0.0)
        return 0.5 * (ea + eb) * h;
    // Above the top for the share of the step on the far side of the crossing.
    const double above = std::max(ea, eb);
    return 0.5 * above * h * above / (above - std::min(ea, eb));
}

} // namespace

int16_t RoundToCode(double value)
{
    constexpr double lo = std::numeric_limits<int16_t>::min();
    constexpr double hi = std::numeric_limits<int16_t>::max();
    if (!(value >= lo))
        return std::numeric_limits<int16_t>::min();
    return static_cast<int16_t>(std::nearbyint(std::min(value, hi)));
}

TSimInstrument::TSimInstrument(const TSimSettings &settings)
{
    Start(settings);
}

void TSimInstrument::Start(const TSimSettings &settings)
{
    settings_ = settings;
    noise_ = TRandom(settings.seed);
    failures_ = TRandom(settings.seed ^ kFailureStreamSalt);
    time_ = 0.0;
    furnace_ = settings.StartTemperature();
    sample_ = furnace_;
    flow_ = 0.0;
    heating_ = true;
    latched_ = {sample_, 0.0, furnace_};
}

double TSimInstrument::LengthChange() const
{
    const double t0 = settings_.StartTemperature();
    const double sample = RelativeExpansion(settings_.material, t0, sample_);
    const double rod = settings_.pushRod.data ? LibraryExpansion(*settings_.pushRod.data, t0, sample_)
                                              : settings_.rodAlpha * (sample_ - t0);
    return settings_.sampleLength * (sample - rod) - flow_;
}

void TSimInstrument::BeginScan()
{
    // Three draws every scan, whatever the channel list, so the noise of a
    // run depends on the seed alone.
    latched_.sampleTemperature = sample_ + settings_.temperatureNoise * noise_.Gaussian();
    latched_.lengthChange = LengthChange() + settings_.lengthNoise * noise_.Gaussian();
    latched_.controlTemperature = furnace_ + settings_.temperatureNoise * noise_.Gaussian();
}

bool TSimInstrument::Convert(int16_t channel, int16_t *code)
{
    const bool failed = failures_.Uniform() < settings_.failureRate;
    if (failed || !code)
        return false;
    switch (channel) {
    case SampleTemperatureChannel:
        *code = RoundToCode(latched_.sampleTemperature / settings_.temperatureScale);
        return true;
    case LengthChangeChannel:
        *code = RoundToCode(latched_.lengthChange / settings_.lengthScale);
        return true;
    case ControlTemperatureChannel:
        *code = RoundToCode(latched_.controlTemperature / settings_.temperatureScale);
        return true;
    default:
        return false;
    }
}

void TSimInstrument::EndScan()
{
    Advance(settings_.step);
}

double TSimInstrument::NextFurnace(double temperature, double h) const
{
    const double room = settings_.roomTemperature;
    const double top = settings_.maxTemperature;
    const double cooled = room + (temperature - room) * std::exp(-h / settings_.coolingTime);
    if (!heating_)
        return cooled;
    // The controller ramps toward its highest temperature and holds it; above
    // it (a start above the limit) it cuts the power until the furnace is back.
    if (temperature < top)
        return std::min(temperature + settings_.heatingRate / 60.0 * h, top);
    return std::max(cooled, top);
}

void TSimInstrument::Advance(double seconds)
{
    if (!(seconds > 0.0))
        return;
    const int steps = static_cast<int>(std::ceil(seconds / kMaxSubStep));
    const double h = seconds / steps;
    const double keep = settings_.lagTime > 0.0 ? std::exp(-h / settings_.lagTime) : 0.0;
    for (int i = 0; i < steps; ++i) {
        const double before = furnace_;
        furnace_ = NextFurnace(furnace_, h);
        // First-order lag driven by the furnace's mean over the sub-step.
        const double drive = 0.5 * (before + furnace_);
        const double sampleBefore = sample_;
        sample_ = drive + (sample_ - drive) * keep;
        if (settings_.material.kind == TMaterialKind::Glass) {
            const TGlass &glass = settings_.material.glass;
            flow_ += glass.softeningRate / 60.0 *
                     ExcessIntegral(sampleBefore, sample_, glass.softeningTemperature, h);
        }
        time_ += h;
    }
}

} // namespace daqboard

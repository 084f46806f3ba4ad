#pragma once
// Softening of the sample: the moment its length, over temperature, has
// turned over. A glass heated past its softening point gives way under the
// push rod; the heating is best cut as soon as the curve has turned.
//
// The criterion, shared by the watch over a running acquisition and by the
// analysis of a finished run. It holds only for a maximum the sample has
// clearly expanded to on heating: the expansion (the maximum less the lowest
// smoothed length before it) beyond kArmNoiseFactor standard deviations of
// the noise, reached while the smoothed temperature rose by more than
// kArmHeating. The length dipping as the heating starts (the push rod
// settling, a sample that first shrinks a little) or wandering while the
// furnace has not yet begun to heat is no maximum. Such a maximum has been
// passed when, since it,
//  - the smoothed length has fallen by more than the margin (a share of that
//    expansion) plus kNoiseFactor standard deviations of the drop that the
//    readings' noise alone would give, so noise on a flat stretch never
//    passes for a maximum; and
//  - the smoothed temperature has risen by more than kSofteningRise: a fall
//    at a hold or while cooling is the sample contracting, not softening.
#include <array>
#include <cstdint>

inline constexpr double kSofteningRise = 0.5;  // K
inline constexpr double kNoiseFactor = 3.0;
inline constexpr double kArmNoiseFactor = 10.0;
inline constexpr double kArmHeating = 10.0;  // K

struct TTurnOver {
    double drop = 0;       // the maximum minus the present smoothed length
    double expansion = 0;  // the maximum minus the lowest smoothed length before it
    double dropNoise = 0;  // standard deviation of the drop due to noise
    double rise = 0;       // the present smoothed temperature minus that at the maximum
    double heating = 0;    // the smoothed temperature at the maximum minus that at the lowest length
};

bool PassedMaximum(const TTurnOver &turn, double marginFraction);

// The standard deviation of readings' noise from their second differences:
// for white noise s, y[i] - 2 y[i-1] + y[i-2] has the variance 6 s^2, and a
// smooth trend adds next to nothing. Kept up reading by reading.
class TNoiseEstimate {
public:
    void Add(double y);
    double Sigma() const;

private:
    double last_ = 0, beforeLast_ = 0;
    double sum_ = 0;
    int64_t seen_ = 0;
};

// Watches the calibrated readings of a run as they come. Each reading costs
// a fixed small amount of work: the length and the temperature are smoothed
// by the parabola through the last kWindow readings, read at the newest one
// (no lag on a curve that bends like a parabola), and compared with the
// largest smoothed length so far and the lowest one before it.
class TSofteningWatch {
public:
    static constexpr int32_t kWindow = 12;

    TSofteningWatch();

    // A new run.
    void Reset();
    // The readings no longer continue the ones seen (the run was cut or
    // replaced): the curve starts again, Passed() stays as it was.
    void Restart();

    // The next reading, T and L calibrated. Returns Passed().
    bool Add(double t, double l, double marginFraction);
    // The curve has passed its maximum by the margin (and stays so).
    bool Passed() const { return passed_; }

    // At the maximum: the smoothed temperature and length; and the smoothed
    // length's drop when the maximum was passed.
    double MaximumTemperature() const { return maxT_; }
    double MaximumLength() const { return maxL_; }
    double DropAtPass() const { return dropAtPass_; }

private:
    std::array<double, kWindow> weights_{};  // the newest reading's value of the window's parabola
    double dropNoiseFactor_ = 0;             // drop noise per unit of reading noise
    std::array<double, kWindow> t_{}, l_{};  // ring buffers
    int64_t seen_ = 0;                       // readings of this curve
    TNoiseEstimate noise_;
    double maxL_ = 0, maxT_ = 0;    // the largest smoothed length and the temperature there
    double lowL_ = 0, lowT_ = 0;    // the lowest smoothed length so far, and its temperature
    double baseL_ = 0, baseT_ = 0;  // the lowest before the largest
    bool passed_ = false;
    double dropAtPass_ = 0;
};

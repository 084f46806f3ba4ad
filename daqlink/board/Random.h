#pragma once
// Random numbers for the simulated instrument. The stream depends only on the
// seed (no library distribution whose algorithm varies between standard
// libraries), so a simulated run is repeatable everywhere.
#include <cmath>
#include <cstdint>
#include <numbers>

namespace daqboard {

class TRandom {
public:
    explicit TRandom(uint64_t seed = 0) : state_(seed) {}

    // SplitMix64 (G. Steele, D. Lea, C. Flood, "Fast splittable pseudorandom
    // number generators", OOPSLA 2014).
    uint64_t Next()
    {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1), 53 random bits.
    double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

    // Standard normal deviate by the Box-Muller transform; one per call, so
    // the stream advances by exactly two draws each time.
    double Gaussian()
    {
        const double u1 = 1.0 - Uniform(); // (0, 1]: the logarithm stays finite
        const double u2 = Uniform();
        return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * std::numbers::pi * u2);
    }

private:
    uint64_t state_;
};

} // namespace daqboard

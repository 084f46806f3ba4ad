#pragma once
// A glass's length over temperature written out here on its own, for runs
// made outside the program and for checking the simulated glass: expansion
// with a logistic step of the coefficient from alphaGlass to alphaLiquid
// about tg (width w), less the silica push rod's, and above ts the flow the
// sample reaches on a steady ramp of rate K/min at flowRate um/min per K:
// flowRate (T - ts)^2 / (2 rate).
#include "app/core/RunData.h"

#include <cmath>
#include <memory>
#include <random>

namespace glasstest {

struct TGlassModel {
    double alphaGlass = 9e-6, alphaLiquid = 30e-6, tg = 550, w = 8;
    double ts = 600, flowRate = 2, rate = 5;
    double l0 = 50000, rodAlpha = 5.2e-7, t0 = 20;

    static double Softplus(double u) { return u > 0 ? u + std::log1p(std::exp(-u)) : std::log1p(std::exp(u)); }

    double Alpha(double t) const { return alphaGlass + (alphaLiquid - alphaGlass) / (1 + std::exp(-(t - tg) / w)); }
    double Flow(double t) const { return t > ts ? flowRate * (t - ts) * (t - ts) / (2 * rate) : 0.0; }
    // Micrometres, zero at t0.
    double Length(double t) const
    {
        const double strain =
            alphaGlass * (t - t0) + (alphaLiquid - alphaGlass) * w * (Softplus((t - tg) / w) - Softplus((t0 - tg) / w));
        return l0 * (strain - rodAlpha * (t - t0)) - Flow(t);
    }
    // dL/dT = l0 (alpha - rodAlpha) - flowRate (T - ts) / rate: zero at the
    // maximum, found by bisection above ts, where it falls.
    double MaximumTemperature() const
    {
        const auto slope = [this](double t) { return l0 * (Alpha(t) - rodAlpha) - flowRate * (t - ts) / rate; };
        double lo = ts, hi = ts + 1000;
        for (int i = 0; i < 200; ++i) {
            const double mid = 0.5 * (lo + hi);
            (slope(mid) > 0 ? lo : hi) = mid;
        }
        return 0.5 * (lo + hi);
    }
    // The straight asymptotes below and above the transformation range,
    // l0 (alphaGlass - rodAlpha) (T - t0) and that plus l0 (alphaLiquid -
    // alphaGlass) (T - tg), meet at tg.
    double TangentIntersection() const { return tg; }
};

// A run of T = from, from + step, ..., up to to (double precision), L from
// the model with Gaussian noise of the given standard deviation; the
// calculation defaults.
inline std::unique_ptr<TRunData> ModelRun(const TGlassModel &model, double from, double to, double step, double noise,
                                          unsigned seed = 1)
{
    auto run = std::make_unique<TRunData>();
    ClearRun(*run);
    std::mt19937 random(seed);
    std::normal_distribution<double> gauss(0.0, noise);
    int32_t n = 0;
    for (double t = from; t <= to + 1e-9 && n < kRunCapacity; t = from + ++n * step) {
        run->T[n] = t;
        run->L[n] = model.Length(t) + gauss(random);
        run->TC[n] = t;
    }
    run->Count = n;
    return run;
}

} // namespace glasstest

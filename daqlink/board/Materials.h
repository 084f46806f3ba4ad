#pragma once
// Thermal expansion of the simulated sample.
#include "daqlink/board/BoardExport.h"

namespace daqboard {

enum class TMaterialKind {
    Copper,   // pure copper, from published reference data
    Constant, // a coefficient that does not depend on temperature
};

struct TMaterial {
    TMaterialKind kind = TMaterialKind::Copper;
    double alpha = 1.0e-5; // per K; used by Constant only

    friend bool operator==(const TMaterial &, const TMaterial &) = default;
};

// Linear expansion coefficient of pure copper at an absolute temperature, per K.
DAQBOARD_API double CopperAlpha(double kelvin);

// Linear expansion coefficient of the material at a temperature in degrees Celsius, per K.
DAQBOARD_API double ExpansionCoefficient(const TMaterial &material, double celsius);

// Relative length change from t0 to t1 (degrees Celsius): the integral of the
// coefficient over temperature.
DAQBOARD_API double RelativeExpansion(const TMaterial &material, double t0, double t1);

} // namespace daqboard

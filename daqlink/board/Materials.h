#pragma once
// Thermal expansion of the simulated sample.
#include "daqlink/board/BoardExport.h"
#include "materials/ReferenceMaterial.h"

#include <memory>
#include <string>

namespace daqboard {

enum class TMaterialKind {
    Copper,   // pure copper, from published reference data
    Constant, // a coefficient that does not depend on temperature
    Library,  // a material of the program's reference-material library
};

// A material of the reference-material library, by its id; equal by id.
struct TLibraryMaterial {
    std::string id;  // empty: none
    std::shared_ptr<const materials::TReferenceMaterial> data;

    friend bool operator==(const TLibraryMaterial &a, const TLibraryMaterial &b) { return a.id == b.id; }
};

struct TMaterial {
    TMaterialKind kind = TMaterialKind::Copper;
    double alpha = 1.0e-5;     // per K; used by Constant only
    TLibraryMaterial library;  // used by Library only

    friend bool operator==(const TMaterial &, const TMaterial &) = default;
};

// The strain of a library material from t0 to t1 (degrees Celsius): its
// certified expansion, continued outside the certified range with the
// coefficient of the range's nearer end.
DAQBOARD_API double LibraryExpansion(const materials::TReferenceMaterial &material, double t0, double t1);

// Linear expansion coefficient of pure copper at an absolute temperature, per K.
DAQBOARD_API double CopperAlpha(double kelvin);

// Linear expansion coefficient of the material at a temperature in degrees Celsius, per K.
DAQBOARD_API double ExpansionCoefficient(const TMaterial &material, double celsius);

// Relative length change from t0 to t1 (degrees Celsius): the integral of the
// coefficient over temperature.
DAQBOARD_API double RelativeExpansion(const TMaterial &material, double t0, double t1);

} // namespace daqboard

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
    Glass,    // a glass through its transformation range up to softening
};

// A material of the reference-material library, by its id; equal by id.
struct TLibraryMaterial {
    std::string id;  // empty: none
    std::shared_ptr<const materials::TReferenceMaterial> data;

    friend bool operator==(const TLibraryMaterial &a, const TLibraryMaterial &b) { return a.id == b.id; }
};

// A glass: its coefficient goes from the glassy to the liquid value across the
// transformation range as a logistic step,
//   alpha(T) = glassAlpha + (liquidAlpha - glassAlpha) / (1 + exp(-(T - tg) / width)),
// so the expansion has a closed form (GlassExpansion) whose two straight
// asymptotes meet exactly at tg. Above softeningTemperature the softened
// sample gives way under the push rod: it flows shorter at softeningRate
// micrometres per minute for every kelvin above that temperature.
struct TGlass {
    double glassAlpha = 9.0e-6;           // "GlassAlpha", per K
    double liquidAlpha = 30.0e-6;         // "LiquidAlpha", per K
    double tg = 550.0;                    // "GlassTg", degrees Celsius
    double width = 8.0;                   // "GlassWidth", K
    double softeningTemperature = 600.0;  // "SofteningTemperature", degrees Celsius
    double softeningRate = 2.0;           // "SofteningRate", um per minute per K above it

    friend bool operator==(const TGlass &, const TGlass &) = default;
};

struct TMaterial {
    TMaterialKind kind = TMaterialKind::Copper;
    double alpha = 1.0e-5;       // per K; used by Constant only
    TLibraryMaterial library{};  // used by Library only
    TGlass glass{};              // used by Glass only

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

// The glass's coefficient and its relative length change from t0 to t1
// (degrees Celsius), in closed form.
DAQBOARD_API double GlassAlpha(const TGlass &glass, double celsius);
DAQBOARD_API double GlassExpansion(const TGlass &glass, double t0, double t1);

// Relative length change from t0 to t1 (degrees Celsius): the integral of the
// coefficient over temperature.
DAQBOARD_API double RelativeExpansion(const TMaterial &material, double t0, double t1);

} // namespace daqboard

#pragma once
// A reference material: its certified thermal expansion as a function of
// temperature, from which the coefficient alpha(T) = (1/L20) dL/dT and the
// strain eps(T) = (L(T) - L20) / L20 relative to 20 °C follow. Standard
// library only: the program and the simulated instrument both use it.
#include <string>
#include <vector>

namespace materials {

inline constexpr double kZeroCelsius = 273.15;
// The strain's reference temperature, 20 °C.
inline constexpr double kStrainReferenceKelvin = 293.15;

// How the file gives the expansion.
enum class TExpansionForm {
    AlphaPolynomial,  // alpha = u * sum c_i x^i
    AlphaRational,    // alpha = u * (sum a_i x^i) / (sum b_i x^i)
    StrainPolynomial, // strain = u * (P(x) - P(x20)), alpha = u * P'(x)
    AlphaTable,       // alpha = u * linear interpolation of (x_k, alpha_k)
};

struct TReferenceMaterial {
    std::string id;          // "srm731": lower-case letters, digits, '-' and '_'
    std::string name;        // shown to the user
    std::string source;      // the citation, lines joined by '\n'
    double lowKelvin = 0;    // certified range, both ends included
    double highKelvin = 0;
    TExpansionForm form = TExpansionForm::AlphaPolynomial;
    double unit = 1;                 // u: the values' factor to 1/K (or to 1 for strain)
    bool celsiusVariable = false;    // x is T in °C rather than in kelvin
    std::vector<double> numerator;   // c_i, a_i, or the table's values
    std::vector<double> denominator; // b_i (rational), or the table's temperatures x_k

    // Whether a temperature lies in the certified range, widened by
    // tolerance (K) at either end.
    bool InRange(double kelvin, double tolerance = 0) const;
    // The coefficient in 1/K and the strain relative to 20 °C, by the
    // formula as written (outside the certified range too; a table holds its
    // end values beyond its ends).
    double Alpha(double kelvin) const;
    double Strain(double kelvin) const;
    // The same, continued outside the certified range with the coefficient
    // held at the nearer end of the range: what a simulated sample of the
    // material does at any temperature, finite and smooth in the strain.
    double ExtendedAlpha(double kelvin) const;
    double ExtendedStrain(double kelvin) const;
    // Mean coefficient between two temperatures: (eps(t1) - eps(t0)) / (t1 - t0).
    double MeanAlpha(double kelvin0, double kelvin1) const;
};

} // namespace materials

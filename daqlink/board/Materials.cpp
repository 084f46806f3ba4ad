#include "daqlink/board/Materials.h"

#include <algorithm>
#include <cmath>

namespace daqboard {
namespace {

constexpr double kZeroCelsius = 273.15;

// Copper: the certified rational fit of T. A. Hahn's measurements on the copper
// standard reference material SRM 736 ("Thermal expansion of copper from 20 to
// 800 K - Standard Reference Material 736", J. Appl. Phys. 41, 5096 (1970)),
// as published with its certified parameters in the NIST Statistical Reference
// Datasets (nonlinear regression, "Hahn1"). Coefficient in 1e-6 per K,
// temperature in kelvin:
//   alpha(x) = (b1 + b2 x + b3 x^2 + b4 x^3) / (1 + b5 x + b6 x^2 + b7 x^3).
// It gives 16.6e-6 at 20 C, 18.1e-6 at 200 C and 20.9e-6 at 577 C, the top of
// the measurements.
constexpr double kB[7] = {1.0776351733e+00, -1.2269296921e-01, 4.0863750610e-03,
                          -1.4262662514e-06, -5.7609940901e-03, 2.4053735503e-04,
                          -1.2314450199e-07};
// The measurements end at 851 K; above it the coefficient goes on along the
// fit's tangent there, which keeps it rising slowly instead of trusting a
// rational extrapolation.
constexpr double kFitTop = 850.0;

double HahnNumerator(double x) { return kB[0] + x * (kB[1] + x * (kB[2] + x * kB[3])); }
double HahnDenominator(double x) { return 1.0 + x * (kB[4] + x * (kB[5] + x * kB[6])); }
double HahnFit(double x) { return HahnNumerator(x) / HahnDenominator(x); }

double HahnSlope(double x)
{
    const double dn = kB[1] + x * (2.0 * kB[2] + x * 3.0 * kB[3]);
    const double dd = kB[4] + x * (2.0 * kB[5] + x * 3.0 * kB[6]);
    const double d = HahnDenominator(x);
    return (dn * d - HahnNumerator(x) * dd) / (d * d);
}

// Four-point Gauss-Legendre rule on [a, b].
template <class F>
double Gauss4(F f, double a, double b)
{
    static constexpr double kNode[2] = {0.3399810435848563, 0.8611363115940526};
    static constexpr double kWeight[2] = {0.6521451548625461, 0.3478548451374539};
    const double mid = 0.5 * (a + b);
    const double half = 0.5 * (b - a);
    double sum = 0.0;
    for (int i = 0; i < 2; ++i)
        sum += kWeight[i] * (f(mid - half * kNode[i]) + f(mid + half * kNode[i]));
    return sum * half;
}

// The integral of a smooth coefficient, in pieces of at most 20 K; exact to
// well below a nanometre over a 50 mm sample.
template <class F>
double IntegrateSmooth(F f, double a, double b)
{
    const int pieces = std::max(1, static_cast<int>(std::ceil(std::fabs(b - a) / 20.0)));
    const double h = (b - a) / pieces;
    double sum = 0.0;
    for (int i = 0; i < pieces; ++i)
        sum += Gauss4(f, a + i * h, a + (i + 1) * h);
    return sum;
}

double CopperIntegral(double k0, double k1)
{
    // Split at the end of the measurements so each piece is smooth.
    if ((k0 - kFitTop) * (k1 - kFitTop) < 0.0)
        return CopperIntegral(k0, kFitTop) + CopperIntegral(kFitTop, k1);
    return IntegrateSmooth(CopperAlpha, k0, k1);
}

// ln(1 + e^u) without overflow for large u.
double Softplus(double u) { return u > 0.0 ? u + std::log1p(std::exp(-u)) : std::log1p(std::exp(u)); }

} // namespace

double GlassAlpha(const TGlass &glass, double celsius)
{
    const double step = 1.0 / (1.0 + std::exp(-(celsius - glass.tg) / glass.width));
    return glass.glassAlpha + (glass.liquidAlpha - glass.glassAlpha) * step;
}

// The integral of the logistic step is width * softplus((T - tg) / width).
double GlassExpansion(const TGlass &glass, double t0, double t1)
{
    const double w = glass.width;
    const double blend = w * (Softplus((t1 - glass.tg) / w) - Softplus((t0 - glass.tg) / w));
    return glass.glassAlpha * (t1 - t0) + (glass.liquidAlpha - glass.glassAlpha) * blend;
}

double CopperAlpha(double kelvin)
{
    if (kelvin > kFitTop)
        return (HahnFit(kFitTop) + HahnSlope(kFitTop) * (kelvin - kFitTop)) * 1e-6;
    return HahnFit(kelvin) * 1e-6;
}

double LibraryExpansion(const materials::TReferenceMaterial &material, double t0, double t1)
{
    return material.ExtendedStrain(t1 + kZeroCelsius) - material.ExtendedStrain(t0 + kZeroCelsius);
}

double ExpansionCoefficient(const TMaterial &material, double celsius)
{
    switch (material.kind) {
    case TMaterialKind::Library:
        if (material.library.data)
            return material.library.data->ExtendedAlpha(celsius + kZeroCelsius);
        break;
    case TMaterialKind::Copper:
        return CopperAlpha(celsius + kZeroCelsius);
    case TMaterialKind::Constant:
        return material.alpha;
    case TMaterialKind::Glass:
        return GlassAlpha(material.glass, celsius);
    }
    return material.alpha;
}

double RelativeExpansion(const TMaterial &material, double t0, double t1)
{
    switch (material.kind) {
    case TMaterialKind::Library:
        if (material.library.data)
            return LibraryExpansion(*material.library.data, t0, t1);
        break;
    case TMaterialKind::Copper:
        return CopperIntegral(t0 + kZeroCelsius, t1 + kZeroCelsius);
    case TMaterialKind::Constant:
        return material.alpha * (t1 - t0);
    case TMaterialKind::Glass:
        return GlassExpansion(material.glass, t0, t1);
    }
    return material.alpha * (t1 - t0);
}

} // namespace daqboard

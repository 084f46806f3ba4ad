#include "materials/ReferenceMaterial.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace materials {
namespace {

double Horner(const std::vector<double> &c, double x)
{
    double sum = 0.0;
    for (size_t i = c.size(); i-- > 0;)
        sum = sum * x + c[i];
    return sum;
}

// sum c_i x^(i+1) / (i+1): the antiderivative of the polynomial, zero at 0.
double HornerIntegral(const std::vector<double> &c, double x)
{
    double sum = 0.0;
    for (size_t i = c.size(); i-- > 0;)
        sum = sum * x + c[i] / double(i + 1);
    return sum * x;
}

double HornerDerivative(const std::vector<double> &c, double x)
{
    double sum = 0.0;
    for (size_t i = c.size(); i-- > 1;)
        sum = sum * x + c[i] * double(i);
    return sum;
}

// Four-point Gauss-Legendre rule on [a, b].
template <class F>
double Gauss4(F f, double a, double b)
{
    static constexpr double kNode[2] = {0.3399810435848563, 0.8611363115940526};
    static constexpr double kWeight[2] = {0.6521451548625461, 0.3478548451374539};
    const double mid = 0.5 * (a + b), half = 0.5 * (b - a);
    double sum = 0.0;
    for (int i = 0; i < 2; ++i)
        sum += kWeight[i] * (f(mid - half * kNode[i]) + f(mid + half * kNode[i]));
    return sum * half;
}

// The integral of a smooth function in pieces of at most 10 K: for the
// rational fits of the library the error stays below 1e-12 in strain.
template <class F>
double Integrate(F f, double a, double b)
{
    const int pieces = std::max(1, int(std::ceil(std::fabs(b - a) / 10.0)));
    const double h = (b - a) / pieces;
    double sum = 0.0;
    for (int i = 0; i < pieces; ++i)
        sum += Gauss4(f, a + i * h, a + (i + 1) * h);
    return sum;
}

// The table's value at x: linear between its points, its end values beyond.
double TableValue(const std::vector<double> &xs, const std::vector<double> &ys, double x)
{
    if (x <= xs.front())
        return ys.front();
    if (x >= xs.back())
        return ys.back();
    const size_t k = size_t(std::upper_bound(xs.begin(), xs.end(), x) - xs.begin());
    const double w = (x - xs[k - 1]) / (xs[k] - xs[k - 1]);
    return ys[k - 1] + w * (ys[k] - ys[k - 1]);
}

// The integral of the table's curve from its first point to x (x inside).
double TableIntegralFromStart(const std::vector<double> &xs, const std::vector<double> &ys, double x)
{
    double sum = 0.0;
    for (size_t k = 1; k < xs.size() && xs[k - 1] < x; ++k) {
        const double right = std::min(x, xs[k]);
        sum += 0.5 * (ys[k - 1] + TableValue(xs, ys, right)) * (right - xs[k - 1]);
    }
    return sum;
}

// The integral of the table's curve over [a, b], its end values held beyond.
double TableIntegral(const std::vector<double> &xs, const std::vector<double> &ys, double a, double b)
{
    const auto from = [&](double x) {
        if (x <= xs.front())
            return ys.front() * (x - xs.front());
        if (x >= xs.back())
            return TableIntegralFromStart(xs, ys, xs.back()) + ys.back() * (x - xs.back());
        return TableIntegralFromStart(xs, ys, x);
    };
    return from(b) - from(a);
}

} // namespace

bool TReferenceMaterial::InRange(double kelvin, double tolerance) const
{
    return kelvin >= lowKelvin - tolerance && kelvin <= highKelvin + tolerance;
}

double TReferenceMaterial::Alpha(double kelvin) const
{
    const double x = celsiusVariable ? kelvin - kZeroCelsius : kelvin;
    switch (form) {
    case TExpansionForm::AlphaPolynomial: return unit * Horner(numerator, x);
    case TExpansionForm::AlphaRational: return unit * Horner(numerator, x) / Horner(denominator, x);
    case TExpansionForm::StrainPolynomial: return unit * HornerDerivative(numerator, x);
    case TExpansionForm::AlphaTable: return unit * TableValue(denominator, numerator, x);
    }
    return 0.0;
}

double TReferenceMaterial::Strain(double kelvin) const
{
    const double offset = celsiusVariable ? kZeroCelsius : 0.0;
    const double x = kelvin - offset, x20 = kStrainReferenceKelvin - offset;
    switch (form) {
    case TExpansionForm::AlphaPolynomial:
        return unit * (HornerIntegral(numerator, x) - HornerIntegral(numerator, x20));
    case TExpansionForm::AlphaRational:
        return unit * Integrate([this](double v) { return Horner(numerator, v) / Horner(denominator, v); }, x20, x);
    case TExpansionForm::StrainPolynomial: return unit * (Horner(numerator, x) - Horner(numerator, x20));
    case TExpansionForm::AlphaTable: return unit * TableIntegral(denominator, numerator, x20, x);
    }
    return 0.0;
}

double TReferenceMaterial::ExtendedAlpha(double kelvin) const
{
    return Alpha(std::clamp(kelvin, lowKelvin, highKelvin));
}

double TReferenceMaterial::ExtendedStrain(double kelvin) const
{
    if (kelvin < lowKelvin)
        return Strain(lowKelvin) + Alpha(lowKelvin) * (kelvin - lowKelvin);
    if (kelvin > highKelvin)
        return Strain(highKelvin) + Alpha(highKelvin) * (kelvin - highKelvin);
    return Strain(kelvin);
}

double TReferenceMaterial::MeanAlpha(double kelvin0, double kelvin1) const
{
    return (Strain(kelvin1) - Strain(kelvin0)) / (kelvin1 - kelvin0);
}

} // namespace materials

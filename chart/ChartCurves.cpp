#include "chart/ChartCurves.h"

#include "chart/ChartSplines.h"
#include "numerics/ArrayFuncs.h"
#include "numerics/Splines.h"

#include <memory>
#include <vector>

namespace chart {

namespace {

constexpr double kTension = 1.0;
constexpr int32_t kLagrangeMaxPoints = 100;

TCurve FromStatus(numerics::Status status, TCurveFunction f)
{
    if (status == numerics::Status::TooFewPoints)
        return {TCurveState::NoCurve, {}};
    if (status != numerics::Status::Ok)
        return {TCurveState::Failed, {}};
    return {TCurveState::Ready, std::move(f)};
}

TCurve LineCurve(int32_t n, const double *X, const double *Y)
{
    double intercept = 0, slope = 0;
    if (numerics::LineFit(n, X, Y, intercept, slope) != numerics::Status::Ok)
        return {TCurveState::Failed, {}};
    return {TCurveState::Ready, [=](double x) { return numerics::LineValue(x, intercept, slope); }};
}

TCurve StrainCurve(int order, int32_t n, const double *X, const double *Y)
{
    auto Z = std::make_shared<std::vector<double>>(size_t(n), 0.0);
    const numerics::Status status = SplineStrainBuild(n, X, Y, kTension, Z->data());
    return FromStatus(status, [=](double x) {
        switch (order) {
        case 1: return SplineStrainDiff1(n, X, Y, kTension, Z->data(), x);
        case 2: return SplineStrainDiff2(n, X, kTension, Z->data(), x);
        default: return SplineStrainValue(n, X, Y, kTension, Z->data(), x);
        }
    });
}

// The smoothing spline's four coefficient arrays, entry 0 unused.
struct TSmoothCoefficients {
    std::vector<double> d, c, b, a;
};

TCurve SmoothCurve(int order, int32_t n, const double *X, const double *Y, double alpha)
{
    auto k = std::make_shared<TSmoothCoefficients>();
    for (auto *v : {&k->d, &k->c, &k->b, &k->a})
        v->assign(size_t(n), 0.0);
    const numerics::Status status =
        numerics::BuildSpline(n, X, Y, alpha, k->d.data(), k->c.data(), k->b.data(), k->a.data());
    return FromStatus(status, [=](double x) {
        const double *d = k->d.data(), *c = k->c.data(), *b = k->b.data(), *a = k->a.data();
        switch (order) {
        case 1: return numerics::SplineDeriv1(n, X, d, c, b, a, x);
        case 2: return numerics::SplineDeriv2(n, X, d, c, b, a, x);
        default: return numerics::SplineValue(n, X, d, c, b, a, x);
        }
    });
}

TCurve Spline2PCurve(int32_t n, const double *X, const double *Y)
{
    auto M = std::make_shared<std::vector<double>>(size_t(n), 0.0);
    const numerics::Status status = Spline2PBuild(n, X, Y, M->data());
    return FromStatus(status, [=](double x) { return Spline2PValue(n, X, Y, M->data(), x); });
}

TCurve Spline3PCurve(int32_t n, const double *X, const double *Y)
{
    auto k = std::make_shared<TSmoothCoefficients>();  // B, C, D in b, c, d
    for (auto *v : {&k->b, &k->c, &k->d})
        v->assign(size_t(n), 0.0);
    const numerics::Status status = Spline3PBuild(n, X, Y, k->b.data(), k->c.data(), k->d.data());
    return FromStatus(status, [=](double x) {
        return Spline3PValue(n, X, Y, k->b.data(), k->c.data(), k->d.data(), x);
    });
}

TCurve LagrangCurve(int32_t n, const double *X, const double *Y)
{
    if (n < 1 || n > kLagrangeMaxPoints)
        return {TCurveState::NoCurve, {}};
    return {TCurveState::Ready, [=](double x) { return LagrangValue(n, X, Y, x); }};
}

} // namespace

TCurve ModeCurve(TSCDrawing mode, int32_t n, const double *X, const double *Y, double smoothValue)
{
    switch (mode) {
    case TSCDrawing::ByLine: return LineCurve(n, X, Y);
    case TSCDrawing::BySplineStrain: return StrainCurve(0, n, X, Y);
    case TSCDrawing::BySplineSmooth: return SmoothCurve(0, n, X, Y, smoothValue);
    case TSCDrawing::BySpline2P: return Spline2PCurve(n, X, Y);
    case TSCDrawing::BySpline3P: return Spline3PCurve(n, X, Y);
    case TSCDrawing::ByLagrang: return LagrangCurve(n, X, Y);
    case TSCDrawing::ByMultiLine:
    case TSCDrawing::ByHistogram: break;
    }
    return {TCurveState::NoCurve, {}};
}

TCurve DerivativeCurve(TSCDrawing mode, int order, int32_t n, const double *X, const double *Y,
                       double smoothValue)
{
    if (mode == TSCDrawing::BySplineStrain)
        return StrainCurve(order, n, X, Y);
    if (mode == TSCDrawing::BySplineSmooth)
        return SmoothCurve(order, n, X, Y, smoothValue);
    return {TCurveState::NoCurve, {}};
}

} // namespace chart

#pragma once
// The least-squares parabola of the analysis commands: fitted to a baseline
// run (L over T) and to the quartz table (coefficient over temperature).
#include <QStringList>
#include <vector>

namespace analysis {

// Points of a curve to be fitted: the baseline run (T, L) or the quartz table
// (temperature, coefficient).
struct TFitPoints {
    std::vector<double> X;
    std::vector<double> Y;
};

// c0 + c1 x + c2 x^2, evaluated in that order.
struct TParabola {
    double c0 = 0, c1 = 0, c2 = 0;
    double operator()(double x) const { return c0 + c1 * x + c2 * x * x; }
};

// The parabola through the points by least squares (the first min(|X|, |Y|)
// of them). A fit that fails (a singular system: fewer than three distinct X,
// a sum that overflows) gives the zero parabola, so the curve contributes
// nothing, and appends "Невозможно закончить расчет!" to notices.
TParabola FitParabola(const TFitPoints &points, QStringList &notices);

} // namespace analysis

#pragma once
// The reduction picture ("Сведение") without painting: L over T on a fixed
// 400 x 360 canvas with 8 T and 12 L grid lines, their labels and the curve.
// PlanSved turns the dialog's parameters into the ranges and points to draw;
// LayoutSvedPicture computes every line, text and curve point in pixels. The
// widget layer (analysis/SvedPicture.h) strokes them.
#include "analysis/core/AnalysisMessages.h"
#include "analysis/core/Parabola.h"
#include "app/core/Calibration.h"
#include "app/core/Settings.h"

#include <QLine>
#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace analysis {

inline constexpr int kSvedWidth = 400;
inline constexpr int kSvedHeight = 360;

struct TSvedRanges {
    double TMin = 0, TMax = 0;
    double LMin = 0, LMax = 0;
};

// The smallest and largest X (T) and Y (L); NaN for no points.
TSvedRanges DataRanges(const std::vector<double> &X, const std::vector<double> &Y);

// What "Параметры сведения" holds. The four limits are filled with the data's
// ranges and read back from their texts (nullopt: not a number).
struct TSvedParams {
    bool AutoT = true;                 // "Авто масштаб" of "Температура"
    std::optional<double> TMin, TMax;  // "T min ", "Tmax "
    bool AutoL = true;                 // "Авто масштаб" of "L"
    std::optional<double> LMin, LMax;  // "L min ", "Lmax "
    bool LFromZero = true;             // "L от нуля"
    bool Metafile = false;             // "Метафайл": keep the vector picture
    bool Baseline = false;             // "Базовая линия"
    QString BaseLineFile;              // the baseline field, at most 255 characters
    // The run's sample length, which a baseline's recorded length is checked
    // against (SampleLengthWarning); none for the quartz table's plot.
    std::optional<double> SampleLength;
};

// What is drawn: the points (Y with the baseline subtracted and shifted) in
// their ranges; or, with a Failure, why nothing is drawn.
struct TSvedPlan : TCommandReport {
    TSvedRanges Ranges;
    std::vector<double> X, Y;
};

// The reduction's steps after its dialog, on the points (X, Y): with
// "Базовая линия", the baseline parabola subtracted from Y (a name without a
// file only drops it, an unreadable file stops); the T range typed or from the
// data; the L range typed or from Y; with "L от нуля", Y shifted so the range
// starts at 0; then CheckSvedRanges. A range text that is not a number stops
// with "Неверный параметр!".
TSvedPlan PlanSved(const TSvedParams &params, std::vector<double> X, std::vector<double> Y,
                   const TSettings &settings, const TSplineTable &tTable, const TSplineTable &lTable);

// Empty when the ranges can be drawn; otherwise the message to show (an
// empty or non-finite span of either axis would divide by zero).
QString CheckSvedRanges(const TSvedRanges &r);

// Label texts: "0" for exactly 0; T: exponent(2, 1) above 1000 or below 1,
// otherwise fixed(3, 0); L: exponent(3, 1) above 100 or below 0.01, otherwise
// fixed(2, 3).
QString SvedTLabel(double v);
QString SvedLLabel(double v);

// One thing drawn, in drawing order: a line, a text whose block (opaque
// white) has its top-left corner at At, or the curve as a polyline. Colours
// are 0xAARRGGBB.
struct TSvedItem {
    enum class Kind { Line, Text, Curve };
    Kind kind = Kind::Line;
    uint32_t color = 0;
    QLine line;
    QPoint at;
    QString text;
    QList<QPoint> curve;
};

// The whole drawing for checked ranges: the 8 T lines with their labels and
// title, the 12 L lines with their labels and title, then the curve in red,
// each point clamped to the plot area 50..350 x 10..310. A point with a
// coordinate that is not a number is left out, and a point equal to the one
// before it is kept once.
std::vector<TSvedItem> LayoutSvedPicture(const TSvedRanges &ranges, const std::vector<double> &X,
                                         const std::vector<double> &Y);

} // namespace analysis

#pragma once
// The picture of "Стеклование и размягчение" without painting: the curve L
// over T, its smoothing, the four markers, the tangents with their meeting
// point Tg, the softening point Ts with the top's parabola, and the values,
// as lines, texts and polylines in pixels of a fixed 560 x 400 picture. The
// widget layer (analysis/GlassPicture.h) strokes them into the window, a PNG,
// an SVG and the clipboard.
#include "analysis/core/GlassTransition.h"

#include <QLine>
#include <QList>
#include <QPoint>
#include <QString>
#include <cstdint>
#include <vector>

namespace analysis {

inline constexpr int kGlassWidth = 560;
inline constexpr int kGlassHeight = 400;
// The plot's pixel area: columns kGlassLeft..kGlassRight, rows
// kGlassTop..kGlassBottom.
inline constexpr int kGlassLeft = 64;
inline constexpr int kGlassRight = 544;
inline constexpr int kGlassTop = 12;
inline constexpr int kGlassBottom = 362;

// Colours, 0xAARRGGBB.
inline constexpr uint32_t kGlassCurveColor = 0xFF808080u;     // the samples
inline constexpr uint32_t kGlassSmoothColor = 0xFF0000FFu;    // their smoothing
inline constexpr uint32_t kGlassTangentColor = 0xFFFF0000u;   // the tangents
inline constexpr uint32_t kGlassMarkerColor = 0xFF008000u;    // the four markers, dotted
inline constexpr uint32_t kGlassTgColor = 0xFF000000u;        // the cross at Tg
inline constexpr uint32_t kGlassTsColor = 0xFFC000C0u;        // the top's parabola and the cross at Ts
inline constexpr uint32_t kGlassGridColor = 0xFFD0D0D0u;
inline constexpr uint32_t kGlassTextColor = 0xFF000000u;
inline constexpr uint32_t kGlassFailureColor = 0xFFC00000u;

// Half the arm of a point's cross, pixels.
inline constexpr int kGlassCrossArm = 4;

// The data ranges of the plot and the mapping to its pixels: T over the
// curve's temperatures, L over its lengths, each widened by 3 % of its span
// on both sides (by 1 where the span is 0).
struct TGlassFrame {
    double TMin = 0, TMax = 1, LMin = 0, LMax = 1;
    int X(double t) const;
    int Y(double l) const;
    // The temperature of a pixel column.
    double TAt(int x) const;
};
TGlassFrame GlassFrameOf(const TGlassCurve &curve);

struct TGlassItem {
    enum class Kind { Line, Text, Curve };
    Kind kind = Kind::Line;
    uint32_t color = 0;
    bool dotted = false;
    QLine line;
    QPoint at;          // a text's top-left corner (its block is opaque white)
    QString text;
    QList<QPoint> curve;
};

// Everything drawn, in order: grid with labels and titles, the frame, the
// samples, their smoothing, the markers with their names, the top's parabola
// with the cross at Ts, the tangents (each from its portion's far end to a
// little past Tg, kept within the plot) with the cross at Tg, and the
// values, or the reason there are none. A result without a curve gives its
// failure alone.
std::vector<TGlassItem> LayoutGlassPicture(const TGlassResult &result);

} // namespace analysis

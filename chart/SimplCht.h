#pragma once
// TSimpleChart: the program's plotting control. One data set of N points in a
// framed plot with four divisions per axis, drawn in one of eight modes, with
// optional derivative curves, point marks and time marks, a popup menu and two
// companion windows (coordinate readout, fixed Y range).
//
// The widget owns a picture (a QImage of its own size). Repaint() re-creates and
// fills it; ordinary painting only shows it. Nothing redraws on its own: owners
// call SetData() and then Repaint(), and Repaint() again after a resize.
//
// For owners that draw over the picture (selection markers):
//   chart::TChartCanvas &c = chart->Canvas();   // valid until the next Repaint()
//   c.pen = {qRgb(0, 0, 0), chart::TPenStyle::Dotted, chart::TPenMode::NotXor};
//   c.MoveTo(col, 0); c.LineTo(col, 220);        // drawing it again erases it
//   chart->update();                             // show the changed picture
// Repaint() starts a fresh picture and resets the canvas's pen.
//
// Mouse events go to OnMouseDown, OnMouseMove and OnMouseUp (pixel coordinates
// of the picture). OnMouseMove starts as ChartMouseMove, the coordinate readout;
// assigning another handler (or an empty one) replaces it. Moves are reported
// with or without a button held. Messages go to OnMessage; the questions the
// popup commands ask (file name, smoothing value, fixed range) go through the
// prompt and the dialog runner.
//
// The 21 popup entries are reachable by name through Menu(); an owner may hide
// an entry directly (setVisible(false)), which the property setters would
// otherwise control.
#include "app/core/Prompt.h"
#include "chart/ChartCanvas.h"
#include "chart/ChartPlot.h"
#include "chart/ChartTypes.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class TMstWindow;
class TXYWindow;

// Vertical marks at given X positions with a label each. Owned by whoever
// attaches it; the chart only reads it while drawing. Mark k (1-based) is
// Times[k - 1], Names[k - 1]; only the first Count marks are used, and a Count
// outside 0..100 is taken as 0 or 100. Names are drawn cut to 255 characters.
struct TTimeMarkList {
    static constexpr int32_t kCapacity = 100;
    int32_t Count = 0;
    double Times[kCapacity] = {};
    QString Names[kCapacity];
};

// The data set: Count points, X and Y of exactly Count values each.
struct TSimpleData {
    int32_t Count = 0;
    std::vector<double> X;
    std::vector<double> Y;
};

struct TChartMouseEvent {
    Qt::MouseButton button = Qt::NoButton;  // the button pressed or released
    Qt::MouseButtons buttons;               // buttons held
    Qt::KeyboardModifiers modifiers;
    int X = 0;
    int Y = 0;
};
using TChartMouseHandler = std::function<void(const TChartMouseEvent &)>;

// The popup entries in menu order. Separators are actions with isSeparator().
struct TChartMenu {
    QAction *SaveGraphicItem = nullptr;     // "Save As..."
    QAction *CopyGraphicItem = nullptr;     // "Copy To ClipBoard"
    QAction *Line1Item = nullptr;
    QAction *byLineItem = nullptr;
    QAction *byMultiLineItem = nullptr;
    QAction *bySplineStrainItem = nullptr;
    QAction *bySplineSmoothItem = nullptr;
    QAction *bySpline2PItem = nullptr;
    QAction *bySpline3PItem = nullptr;
    QAction *byLagrangItem = nullptr;
    QAction *byHistogramItem = nullptr;
    QAction *Line2Item = nullptr;
    QAction *SmoothValueItem = nullptr;     // "Smooth Value"
    QAction *Line3Item = nullptr;
    QAction *Diff1Item = nullptr;           // "Firt Diff."
    QAction *Diff2Item = nullptr;           // "Two Diff."
    QAction *Line4Item = nullptr;
    QAction *XYWindowItem = nullptr;        // "Smt. Window"
    QAction *MstItem = nullptr;             // "Auto Mst."
    QAction *GridLinesItem = nullptr;       // "Grid Lines"
    QAction *TimeLineItem = nullptr;        // "Time Lines"

    // All 21 in menu order.
    std::array<QAction *, 21> All() const;
    // The mode entry of a mode (by ordinal, not by menu order).
    QAction *ModeItem(TSCDrawing mode) const;
};

class TSimpleChart : public QWidget {
    Q_OBJECT
public:
    explicit TSimpleChart(QWidget *parent = nullptr);
    ~TSimpleChart() override;

    // Copies the first N values of X and Y (N <= 0: no points). Does not redraw.
    void SetData(int32_t N, const double *X, const double *Y);
    // No points. Does not redraw.
    void ClearData();
    // Redraws the whole picture from the current state. False when the
    // derivative curves or the time marks could not be drawn (the redraw stops
    // there); a curve that cannot be drawn is reported to the user by the chart
    // itself and does not make Repaint fail.
    bool Repaint();
    // Repaint() for owners: a failure that ends the redraw is reported to the
    // user with the drawing-failure message, like any curve that cannot be drawn.
    void RepaintOrReport();

    // Published properties (defaults: ByNormal, ByExponent, ByLine, false, ...,
    // SCGridLinesChange true). Setters store and update the menu; none redraws.
    TSCXDrawing SCXDrawingMode() const { return xDrawingMode_; }
    void SetSCXDrawingMode(TSCXDrawing v) { xDrawingMode_ = v; }
    TSCYDrawing SCYDrawingMode() const { return yDrawingMode_; }
    void SetSCYDrawingMode(TSCYDrawing v) { yDrawingMode_ = v; }
    TSCDrawing SCDrawingMode() const { return drawingMode_; }
    void SetSCDrawingMode(TSCDrawing v);
    bool SCDrawingModeChange() const { return drawingModeChange_; }
    void SetSCDrawingModeChange(bool v);
    bool SCDrawingDiff() const { return drawingDiff_; }
    void SetSCDrawingDiff(bool v);
    bool SCXYWindowShowing() const { return xyWindowShowing_; }
    void SetSCXYWindowShowing(bool v);
    bool SCMstShowing() const { return mstShowing_; }
    void SetSCMstShowing(bool v);
    double SCSmoothValue() const { return smoothValue_; }
    void SetSCSmoothValue(double v) { smoothValue_ = v; }
    bool SCDrawPoints() const { return drawPoints_; }
    void SetSCDrawPoints(bool v) { drawPoints_ = v; }
    QString SCXTitle() const { return xTitle_; }
    void SetSCXTitle(const QString &v) { xTitle_ = v; }
    QString SCYTitle() const { return yTitle_; }
    void SetSCYTitle(const QString &v) { yTitle_ = v; }
    bool SCDrawingTimeLine() const { return drawingTimeLine_; }
    void SetSCDrawingTimeLine(bool v);
    bool SCGridLinesChange() const { return gridLinesChange_; }
    void SetSCGridLinesChange(bool v);

    TChartMouseHandler OnMouseDown;
    TChartMouseHandler OnMouseMove;
    TChartMouseHandler OnMouseUp;
    // What the chart tells the user (a curve or value it cannot draw, a file it
    // cannot write) goes to its owner, who shows it; unset, nothing is shown.
    std::function<void(const QString &)> OnMessage;
    // The coordinate readout: updates the XY window's two lines when the
    // pointer is strictly inside the plot.
    void ChartMouseMove(const TChartMouseEvent &event);

    // Time marks, not owned; null for none (the default).
    void SetTimeMarks(const TTimeMarkList *marks) { timeMarks_ = marks; }
    const TTimeMarkList *TimeMarks() const { return timeMarks_; }

    const TChartMenu &Menu() const { return menu_; }
    // The popup menu the entries live in; it opens on the right button, the
    // menu key and Shift+F10 once the chart has drawn itself.
    QMenu &PopupMenu() const { return *popMenu_; }
    TXYWindow &XYWindow() const { return *xyWindow_; }
    TMstWindow &MstWindow() const { return *mstWindow_; }

    const TSimpleData &Data() const { return data_; }
    // The ranges and geometry of the last redraw.
    const chart::TPlotArea &Area() const { return area_; }
    double XMin() const { return area_.XMin; }
    double XMax() const { return area_.XMax; }
    double YMin() const { return area_.YMin; }
    double YMax() const { return area_.YMax; }

    const QImage &Picture() const { return picture_; }
    chart::TChartCanvas &Canvas() { return canvas_; }

    // The menu commands (the entries call them; Qt has already toggled a
    // checkable entry when its handler runs).
    void SaveGraphicItemClick();
    void CopyGraphicItemClick();
    void DrawingModeItemClick(TSCDrawing mode);
    void SmoothValueItemClick();
    void DiffItemClick();
    void XYWindowItemClick();
    void MstItemClick();
    void GridLinesItemClick();
    void TimeLineItemClick();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void Report(const QString &message) const;
    void CreateMenu();
    void DrawFrame();
    void ComputeRanges();
    void DrawGrid();
    void DrawCurve();
    bool DrawDerivatives();
    void DrawPoints();
    bool DrawTimeLines();
    void StrokeCurve(const std::vector<chart::TPixel> &points, QRgb color);
    bool DrawDerivative(int order, QRgb color);

    TSimpleData data_;
    TSCXDrawing xDrawingMode_ = TSCXDrawing::ByNormal;
    TSCYDrawing yDrawingMode_ = TSCYDrawing::ByExponent;
    TSCDrawing drawingMode_ = TSCDrawing::ByLine;
    bool drawingModeChange_ = false;
    bool drawingDiff_ = false;
    bool curveFailureShown_ = false;  // this redraw's curve showed its failure
    bool xyWindowShowing_ = false;
    bool mstShowing_ = false;
    double smoothValue_ = 0;
    bool drawPoints_ = false;
    QString xTitle_;
    QString yTitle_;
    bool drawingTimeLine_ = false;
    bool gridLinesChange_ = false;

    chart::TPlotArea area_;
    const TTimeMarkList *timeMarks_ = nullptr;
    bool menuAttached_ = false;

    QImage picture_;
    chart::TChartCanvas canvas_;
    chart::TTextCache textCache_;

    std::unique_ptr<QMenu> popMenu_;  // the chart's popup menu
    TChartMenu menu_;
    std::unique_ptr<TXYWindow> xyWindow_;
    std::unique_ptr<TMstWindow> mstWindow_;
    TFileDialogOptions saveDialog_;  // "Save As...": keeps the folder and name last chosen
};

#include "chart/SimplCht.h"

#include "app/core/LocaleFormat.h"
#include "app/core/Prompt.h"
#include "app/widgets/DialogRunner.h"
#include "app/core/SafeFile.h"
#include "chart/ChartCurves.h"
#include "chart/ChartLabels.h"
#include "chart/MstWin.h"
#include "chart/XYWin.h"
#include "numerics/ArrayFuncs.h"

#include <QAction>
#include <QActionGroup>
#include <QBuffer>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

using chart::TPen;
using chart::TPenMode;
using chart::TPenStyle;

namespace {

constexpr QRgb kBlue = qRgb(0, 0, 255);
constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kGreen = qRgb(0, 128, 0);
constexpr QRgb kPurple = qRgb(128, 0, 128);

// The chart's texts, in the language installed when they are shown.
QString ChartText(const char *text) { return QCoreApplication::translate("TSimpleChart", text); }
const char *const kCannotDraw = QT_TRANSLATE_NOOP("TSimpleChart", "Невозможно отобразить данные");
const char *const kInvalidOperation = QT_TRANSLATE_NOOP("TSimpleChart", "Invalid Operation!");
const char *const kInvalidValue = QT_TRANSLATE_NOOP("TSimpleChart", "Invalid Value!");
constexpr int kNameLimit = 255;
// The rows of a time mark's value and name.
constexpr int kMarkValueRow = 50;
constexpr int kMarkNameRow = 70;

enum class TEntryKind { Plain, Separator, Mode, Check };

struct TEntryDef {
    QAction *TChartMenu::*field;
    const char *caption;
    TEntryKind kind;
};

// The popup entries in menu order.
constexpr TEntryDef kEntries[21] = {
    {&TChartMenu::SaveGraphicItem, QT_TRANSLATE_NOOP("TSimpleChart", "Save As..."), TEntryKind::Plain},
    {&TChartMenu::CopyGraphicItem, QT_TRANSLATE_NOOP("TSimpleChart", "Copy To ClipBoard"), TEntryKind::Plain},
    {&TChartMenu::Line1Item, "-", TEntryKind::Separator},
    {&TChartMenu::byLineItem, QT_TRANSLATE_NOOP("TSimpleChart", "By Line (N > 2)"), TEntryKind::Mode},
    {&TChartMenu::byMultiLineItem, QT_TRANSLATE_NOOP("TSimpleChart", "By MultiLine"), TEntryKind::Mode},
    {&TChartMenu::bySplineStrainItem, QT_TRANSLATE_NOOP("TSimpleChart", "By Strain Spline (N > 3)"), TEntryKind::Mode},
    {&TChartMenu::bySplineSmoothItem, QT_TRANSLATE_NOOP("TSimpleChart", "By Smooth Spline (N > 3)"), TEntryKind::Mode},
    {&TChartMenu::bySpline2PItem, QT_TRANSLATE_NOOP("TSimpleChart", "By Spline 2P (N > 3)"), TEntryKind::Mode},
    {&TChartMenu::bySpline3PItem, QT_TRANSLATE_NOOP("TSimpleChart", "By Spline 3P (N > 3)"), TEntryKind::Mode},
    {&TChartMenu::byLagrangItem, QT_TRANSLATE_NOOP("TSimpleChart", "By Lagrange (N <= 100)"), TEntryKind::Mode},
    {&TChartMenu::byHistogramItem, QT_TRANSLATE_NOOP("TSimpleChart", "By Histogram (N > 2)"), TEntryKind::Mode},
    {&TChartMenu::Line2Item, "-", TEntryKind::Separator},
    {&TChartMenu::SmoothValueItem, QT_TRANSLATE_NOOP("TSimpleChart", "Smooth Value"), TEntryKind::Plain},
    {&TChartMenu::Line3Item, "-", TEntryKind::Separator},
    {&TChartMenu::Diff1Item, QT_TRANSLATE_NOOP("TSimpleChart", "Firt Diff."), TEntryKind::Check},
    {&TChartMenu::Diff2Item, QT_TRANSLATE_NOOP("TSimpleChart", "Two Diff."), TEntryKind::Check},
    {&TChartMenu::Line4Item, "-", TEntryKind::Separator},
    {&TChartMenu::XYWindowItem, QT_TRANSLATE_NOOP("TSimpleChart", "Smt. Window"), TEntryKind::Check},
    {&TChartMenu::MstItem, QT_TRANSLATE_NOOP("TSimpleChart", "Auto Mst."), TEntryKind::Check},
    {&TChartMenu::GridLinesItem, QT_TRANSLATE_NOOP("TSimpleChart", "Grid Lines"), TEntryKind::Check},
    {&TChartMenu::TimeLineItem, QT_TRANSLATE_NOOP("TSimpleChart", "Time Lines"), TEntryKind::Check},
};

// Mode entries by mode ordinal.
constexpr QAction *TChartMenu::*kModeEntries[kDrawingModeCount] = {
    &TChartMenu::byLineItem,         &TChartMenu::byMultiLineItem, &TChartMenu::bySplineStrainItem,
    &TChartMenu::bySplineSmoothItem, &TChartMenu::byHistogramItem, &TChartMenu::bySpline2PItem,
    &TChartMenu::bySpline3PItem,     &TChartMenu::byLagrangItem,
};

bool ValidMode(TSCDrawing mode) { return int(mode) < kDrawingModeCount; }

TChartMouseEvent MouseEvent(const QMouseEvent &e)
{
    const QPoint p = e.position().toPoint();
    return {e.button(), e.buttons(), e.modifiers(), p.x(), p.y()};
}

} // namespace

std::array<QAction *, 21> TChartMenu::All() const
{
    std::array<QAction *, 21> all{};
    for (size_t i = 0; i < all.size(); ++i)
        all[i] = this->*kEntries[i].field;
    return all;
}

QAction *TChartMenu::ModeItem(TSCDrawing mode) const
{
    return ValidMode(mode) ? this->*kModeEntries[int(mode)] : nullptr;
}

TSimpleChart::TSimpleChart(QWidget *parent) : QWidget(parent)
{
    resize(450, 220);
    setMouseTracking(true);
    // Focusable, so that the menu key and Shift+F10 reach the popup menu.
    setFocusPolicy(Qt::StrongFocus);
    CreateMenu();

    xyWindow_ = std::make_unique<TXYWindow>();
    xyWindow_->move(0, 0);
    xyWindow_->OnClosed = [this] { menu_.XYWindowItem->setChecked(false); };

    mstWindow_ = std::make_unique<TMstWindow>();
    mstWindow_->setWindowTitle(tr("Mst."));

    saveDialog_.title = tr("Save Graphic");
    saveDialog_.filter = QStringLiteral("Windows Bitmaps (*.bmp)|*.bmp|All Files (*.*)|*.*");
    saveDialog_.defaultExt = QStringLiteral(".bmp");

    gridLinesChange_ = true;
    OnMouseMove = [this](const TChartMouseEvent &e) { ChartMouseMove(e); };
}

TSimpleChart::~TSimpleChart() = default;

void TSimpleChart::CreateMenu()
{
    popMenu_ = std::make_unique<QMenu>();
    auto *modeGroup = new QActionGroup(popMenu_.get());
    modeGroup->setExclusive(true);
    for (const TEntryDef &entry : kEntries) {
        // A separator keeps no text: some styles would draw it on the line.
        const bool separator = entry.kind == TEntryKind::Separator;
        auto *action = new QAction(separator ? QString() : ChartText(entry.caption), popMenu_.get());
        action->setSeparator(separator);
        action->setCheckable(entry.kind == TEntryKind::Mode || entry.kind == TEntryKind::Check);
        if (entry.kind == TEntryKind::Mode)
            modeGroup->addAction(action);
        menu_.*entry.field = action;
        popMenu_->addAction(action);
    }
    menu_.MstItem->setChecked(true);

    auto on = [this](QAction *action, void (TSimpleChart::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    };
    on(menu_.SaveGraphicItem, &TSimpleChart::SaveGraphicItemClick);
    on(menu_.CopyGraphicItem, &TSimpleChart::CopyGraphicItemClick);
    on(menu_.SmoothValueItem, &TSimpleChart::SmoothValueItemClick);
    on(menu_.Diff1Item, &TSimpleChart::DiffItemClick);
    on(menu_.Diff2Item, &TSimpleChart::DiffItemClick);
    on(menu_.XYWindowItem, &TSimpleChart::XYWindowItemClick);
    on(menu_.MstItem, &TSimpleChart::MstItemClick);
    on(menu_.GridLinesItem, &TSimpleChart::GridLinesItemClick);
    on(menu_.TimeLineItem, &TSimpleChart::TimeLineItemClick);
    for (int m = 0; m < kDrawingModeCount; ++m) {
        const auto mode = TSCDrawing(m);
        connect(menu_.ModeItem(mode), &QAction::triggered, this, [this, mode] { DrawingModeItemClick(mode); });
    }
}

// ---- data ----------------------------------------------------------------

void TSimpleChart::SetData(int32_t N, const double *X, const double *Y)
{
    const int32_t n = std::max<int32_t>(N, 0);
    data_.Count = n;
    data_.X.resize(size_t(n));
    data_.Y.resize(size_t(n));
    numerics::CopyValues(n, X, data_.X.data());
    numerics::CopyValues(n, Y, data_.Y.data());
}

void TSimpleChart::ClearData()
{
    data_.Count = 0;
    data_.X.clear();
    data_.Y.clear();
}

// ---- properties ----------------------------------------------------------

void TSimpleChart::SetSCDrawingMode(TSCDrawing v)
{
    if (!ValidMode(v))
        return;
    const bool smooth = v == TSCDrawing::BySplineSmooth;
    menu_.Line2Item->setVisible(smooth);
    menu_.SmoothValueItem->setVisible(smooth);
    const bool diff = drawingDiff_ && IsDerivativeMode(v);
    menu_.Line3Item->setVisible(diff);
    menu_.Diff1Item->setVisible(diff);
    menu_.Diff2Item->setVisible(diff);
    menu_.ModeItem(v)->setChecked(true);
    drawingMode_ = v;
}

void TSimpleChart::SetSCDrawingModeChange(bool v)
{
    drawingModeChange_ = v;
    menu_.Line1Item->setVisible(v);
    for (int m = 0; m < kDrawingModeCount; ++m)
        menu_.ModeItem(TSCDrawing(m))->setVisible(v);
}

void TSimpleChart::SetSCDrawingDiff(bool v)
{
    drawingDiff_ = v;
    SetSCDrawingMode(drawingMode_);
}

void TSimpleChart::SetSCXYWindowShowing(bool v)
{
    xyWindowShowing_ = v;
    menu_.Line4Item->setVisible(v);
    menu_.XYWindowItem->setVisible(v);
}

void TSimpleChart::SetSCMstShowing(bool v)
{
    mstShowing_ = v;
    menu_.MstItem->setVisible(v);
}

void TSimpleChart::SetSCDrawingTimeLine(bool v)
{
    drawingTimeLine_ = v;
    menu_.TimeLineItem->setVisible(v && xDrawingMode_ == TSCXDrawing::ByTime);
}

void TSimpleChart::SetSCGridLinesChange(bool v)
{
    gridLinesChange_ = v;
    menu_.GridLinesItem->setVisible(v);
}

// ---- drawing -------------------------------------------------------------

bool TSimpleChart::Repaint()
{
    curveFailureShown_ = false;
    DrawFrame();
    bool ok = true;
    // With no points there is nothing to draw but the frame.
    if (data_.Count > 0) {
        DrawCurve();
        ok = DrawDerivatives();
        if (ok && drawPoints_)
            DrawPoints();
        if (ok && menu_.TimeLineItem->isChecked())
            ok = DrawTimeLines();
    }
    update();
    return ok;
}

void TSimpleChart::DrawFrame()
{
    menuAttached_ = true;
    area_.W = width();
    area_.H = height();
    const int W = area_.W, H = area_.H;
    // A blank picture of the control's size. The buffer of the last picture is
    // reused when the size is unchanged (copies an owner holds detach).
    if (picture_.size() != QSize(W, H) || picture_.format() != QImage::Format_RGB32)
        picture_ = QImage(W, H, QImage::Format_RGB32);
    picture_.fill(kWhite);
    canvas_.Attach(&picture_, &textCache_);
    canvas_.brush = kWhite;
    canvas_.pen = TPen{kBlue, TPenStyle::Solid, TPenMode::Copy};
    // The frame: a white rectangle whose lines lie on the plot's edges (a
    // rectangle leaves out its right and bottom edges). Its inside is already
    // the white of the blank picture, so only the outline is drawn.
    canvas_.Outline(area_.Left(), area_.Top(), area_.Right() + 1, area_.Bottom() + 1);
    canvas_.font = chart::LabelFont();
    canvas_.fontColor = kBlue;
    canvas_.TextOut(area_.Right(), area_.Bottom() + 30, xTitle_);
    canvas_.TextOut(1, 1, yTitle_);
    ComputeRanges();
    DrawGrid();
}

void TSimpleChart::ComputeRanges()
{
    const int32_t n = data_.Count;
    // No points: a fixed 0..1 range stands in for the undefined extremes.
    area_.XMin = 0.0;
    area_.XMax = 1.0;
    if (n > 0)
        numerics::ArrayMinMax(n, data_.X.data(), area_.XMin, area_.XMax);
    numerics::WidenRange(area_.XMin, area_.XMax);
    if (menu_.MstItem->isChecked()) {
        area_.YMin = 0.0;
        area_.YMax = 1.0;
        if (n > 0)
            numerics::ArrayMinMax(n, data_.Y.data(), area_.YMin, area_.YMax);
    } else {
        // An unreadable text stops the reading; what was not read keeps its value.
        double v = 0;
        if (LocaleParseReal(mstWindow_->EditMin->text(), v)) {
            area_.YMin = v;
            if (LocaleParseReal(mstWindow_->EditMax->text(), v))
                area_.YMax = v;
        }
    }
    numerics::WidenRange(area_.YMin, area_.YMax);
}

void TSimpleChart::DrawGrid()
{
    const int PW = area_.PW(), PH = area_.PH();
    // Grid lines start one pixel outside the frame and cross the plot, or end
    // there as one-pixel ticks.
    const bool grid = menu_.GridLinesItem->isChecked();
    const int endY = grid ? area_.Top() : area_.Bottom();
    const int endX = grid ? area_.Right() : area_.Left();
    const auto xTexts = chart::XLabels(xDrawingMode_, area_.XMin, area_.XMax);
    const auto yTexts = chart::YLabels(yDrawingMode_, area_.YMin, area_.YMax);
    for (int i = 0; i <= 4; ++i) {
        const int xi = area_.Left() + (i * PW) / 4;
        canvas_.MoveTo(xi, area_.Bottom() + 1);
        canvas_.LineTo(xi, endY);
        canvas_.TextOut(xi, area_.Bottom() + 10, xTexts[size_t(i)]);
        const int yi = area_.Top() + (i * PH) / 4;
        canvas_.MoveTo(area_.Left() - 1, yi);
        canvas_.LineTo(endX, yi);
        canvas_.TextOut(0, yi, yTexts[size_t(i)]);
    }
}

void TSimpleChart::StrokeCurve(const std::vector<chart::TPixel> &points, QRgb color)
{
    canvas_.pen = TPen{color, TPenStyle::Solid, TPenMode::Copy};
    canvas_.Polyline(points);
}

void TSimpleChart::DrawCurve()
{
    const int32_t n = data_.Count;
    const double *X = data_.X.data(), *Y = data_.Y.data();
    bool failed = false;
    switch (drawingMode_) {
    case TSCDrawing::ByMultiLine: {
        // Thousands of points share a pixel column; the reduced polyline draws
        // exactly the same pixels.
        const chart::TPolyline line = chart::ReducedMultiLine(area_, n, X, Y);
        StrokeCurve(line.points, kRed);
        failed = line.failed;
        break;
    }
    case TSCDrawing::ByHistogram: {
        canvas_.pen = TPen{kGreen, TPenStyle::Solid, TPenMode::Copy};
        const chart::TRects bars = chart::HistogramBars(area_, n, X, Y);
        for (const chart::TRectPx &r : bars.rects)
            canvas_.Rectangle(r.x1, r.y1, r.x2, r.y2);
        failed = bars.failed;
        break;
    }
    default: {
        const chart::TCurve curve = chart::ModeCurve(drawingMode_, n, X, Y, smoothValue_);
        if (curve.state == chart::TCurveState::Ready) {
            const chart::TPolyline line =
                chart::SampledPoints(area_, curve.f, chart::TScale{area_.YMin, area_.YMax});
            StrokeCurve(line.points, kRed);
            failed = line.failed;
        }
        failed = failed || curve.state == chart::TCurveState::Failed;
        break;
    }
    }
    if (failed) {
        curveFailureShown_ = true;
        Report(ChartText(kCannotDraw));
    }
}

bool TSimpleChart::DrawDerivatives()
{
    if (!IsDerivativeMode(drawingMode_))
        return true;
    if (menu_.Diff1Item->isChecked() && !DrawDerivative(1, kGreen))
        return false;
    if (menu_.Diff2Item->isChecked() && !DrawDerivative(2, kBlue))
        return false;
    return true;
}

// One derivative curve on its own vertical scale: its knot values' range, the
// second derivative's top at 1.5 times its largest knot value.
bool TSimpleChart::DrawDerivative(int order, QRgb color)
{
    const int32_t n = data_.Count;
    const double *X = data_.X.data(), *Y = data_.Y.data();
    const chart::TCurve curve = chart::DerivativeCurve(drawingMode_, order, n, X, Y, smoothValue_);
    if (curve.state == chart::TCurveState::NoCurve)
        return true;
    if (curve.state == chart::TCurveState::Failed)
        return false;
    std::vector<double> D(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i)
        D[size_t(i)] = curve.f(X[i]);
    chart::TScale scale;
    numerics::ArrayMinMax(n, D.data(), scale.lo, scale.hi);
    if (order == 2)
        scale.hi = 1.5 * scale.hi;
    if (!std::isfinite(scale.lo) || !std::isfinite(scale.hi))
        return false;
    numerics::WidenRange(scale.lo, scale.hi);
    const chart::TPolyline line = chart::SampledPoints(area_, curve.f, scale);
    StrokeCurve(line.points, color);
    return !line.failed;
}

void TSimpleChart::DrawPoints()
{
    canvas_.pen = TPen{kPurple, TPenStyle::Solid, TPenMode::Copy};
    const chart::TRects marks = chart::PointMarks(area_, data_.Count, data_.X.data(), data_.Y.data());
    for (const chart::TRectPx &r : marks.rects)
        canvas_.Rectangle(r.x1, r.y1, r.x2, r.y2);
    if (marks.failed)
        Report(ChartText(kInvalidOperation));
}

bool TSimpleChart::DrawTimeLines()
{
    if (!timeMarks_)
        return true;
    const int32_t count = std::clamp<int32_t>(timeMarks_->Count, 0, TTimeMarkList::kCapacity);
    const int32_t n = data_.Count;
    double a = 0, b = 0;
    numerics::ArrayMinMax(n, data_.X.data(), a, b);
    canvas_.pen = TPen{kGreen, TPenStyle::Dotted, TPenMode::Copy};
    canvas_.font = chart::LabelFont();
    canvas_.fontColor = kGreen;
    for (int32_t k = 0; k < count; ++k) {
        const double t = timeMarks_->Times[k];
        if (!(a < t && t < b))
            continue;
        int c = 0;
        if (!chart::Nearest(area_.Left() + (t - a) / (b - a) * area_.PW(), c))
            return false;
        canvas_.MoveTo(c, area_.Top());
        canvas_.LineTo(c, area_.Bottom());
        canvas_.TextOut(c + 2, kMarkValueRow, chart::TimeMarkText(xDrawingMode_, t));
        canvas_.TextOut(c + 2, kMarkNameRow, timeMarks_->Names[k].left(kNameLimit));
    }
    return true;
}

void TSimpleChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
    if (hasFocus()) {
        // The keyboard's place: a dotted frame just inside the control's edge.
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

// ---- interaction ---------------------------------------------------------

void TSimpleChart::mousePressEvent(QMouseEvent *event)
{
    QWidget::mousePressEvent(event);
    if (OnMouseDown)
        OnMouseDown(MouseEvent(*event));
}

void TSimpleChart::mouseMoveEvent(QMouseEvent *event)
{
    QWidget::mouseMoveEvent(event);
    if (OnMouseMove)
        OnMouseMove(MouseEvent(*event));
}

void TSimpleChart::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    if (OnMouseUp)
        OnMouseUp(MouseEvent(*event));
}

void TSimpleChart::keyPressEvent(QKeyEvent *event)
{
    // Shift+F10 opens the popup menu as the menu key does.
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, QPoint(), QPoint(), event->modifiers());
        contextMenuEvent(&menuEvent);
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TSimpleChart::contextMenuEvent(QContextMenuEvent *event)
{
    // The menu belongs to the chart once it has drawn itself.
    if (!menuAttached_)
        return;
    // From the keyboard the event's position is no pointer's: the menu opens
    // in the middle of the chart instead.
    const QPoint at = event->reason() == QContextMenuEvent::Keyboard ? mapToGlobal(rect().center())
                                                                     : event->globalPos();
    popMenu_->popup(at);
    event->accept();
}

void TSimpleChart::ChartMouseMove(const TChartMouseEvent &event)
{
    // The plot of the control's present size with the ranges of the last redraw.
    chart::TPlotArea a = area_;
    a.W = width();
    a.H = height();
    if (!(a.Left() < event.X && event.X < a.Right() && a.Top() < event.Y && event.Y < a.Bottom()))
        return;
    const double xv = a.XMin + (event.X - a.Left()) / double(a.PW()) * (a.XMax - a.XMin);
    const double yv = a.YMin + (a.Bottom() - event.Y) / double(a.PH()) * (a.YMax - a.YMin);
    if (!std::isfinite(xv) || !std::isfinite(yv))
        return;
    xyWindow_->XCaption->setText(xTitle_ + QLatin1Char('=') + LocaleFixed(xv, 4, 2));
    xyWindow_->YCaption->setText(yTitle_ + QLatin1Char('=') + LocaleFixed(yv, 4, 2));
    xyWindow_->update();
}

void TSimpleChart::Report(const QString &message) const
{
    if (OnMessage)
        OnMessage(message);
}

void TSimpleChart::RepaintOrReport()
{
    // One box per redraw: a curve that failed has already said so.
    if (!Repaint() && !curveFailureShown_)
        Report(ChartText(kCannotDraw));
}

void TSimpleChart::SaveGraphicItemClick()
{
    const QString name = Prompt().SaveFileName(saveDialog_);
    if (name.isEmpty())
        return;
    RememberChosenFile(saveDialog_, name);
    // Always a Windows bitmap, whatever the extension; written aside and
    // renamed into place so a failed write leaves an existing file intact.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !picture_.save(&buffer, "BMP")
        || !WriteFileSafely(name, bytes).isEmpty())
        Report(QStringLiteral("Cannot create file \"%1\".").arg(name));
}

void TSimpleChart::CopyGraphicItemClick()
{
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->setImage(picture_);
}

void TSimpleChart::DrawingModeItemClick(TSCDrawing mode)
{
    SetSCDrawingMode(mode);
    RepaintOrReport();
}

void TSimpleChart::SmoothValueItemClick()
{
    // Cancel yields the box's default text.
    const QString text =
        Prompt().InputText(tr("Smooth Value"), QStringLiteral("R = "), QStringLiteral("1"))
            .value_or(QStringLiteral("1"));
    double value = 0;
    bool ok = LocaleParseReal(text, value);
    if (ok) {
        smoothValue_ = value;
        ok = Repaint();
    }
    if (!ok) {
        Report(ChartText(kInvalidValue));
        smoothValue_ = 0;
    }
}

void TSimpleChart::DiffItemClick() { RepaintOrReport(); }

void TSimpleChart::XYWindowItemClick()
{
    if (menu_.XYWindowItem->isChecked())
        xyWindow_->show();
    else
        xyWindow_->hide();
}

void TSimpleChart::MstItemClick()
{
    // The data range of this moment becomes the fixed range offered.
    const int32_t n = data_.Count;
    if (n > 0) {
        double lo = 0, hi = 0;
        numerics::ArrayMinMax(n, data_.Y.data(), lo, hi);
        if (std::isfinite(lo) && std::isfinite(hi)) {
            mstWindow_->EditMin->setText(LocaleFixed(lo, 4, 3));
            mstWindow_->EditMax->setText(LocaleFixed(hi, 4, 3));
        }
    }
    if (menu_.MstItem->isChecked()) {
        RepaintOrReport();
        return;
    }
    if (DialogRunner().Exec(*mstWindow_) == QDialog::Accepted)
        RepaintOrReport();
}

void TSimpleChart::GridLinesItemClick() { RepaintOrReport(); }

void TSimpleChart::TimeLineItemClick() { RepaintOrReport(); }

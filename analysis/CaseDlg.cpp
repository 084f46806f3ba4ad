#include "analysis/CaseDlg.h"

#include "app/core/Prompt.h"
#include "app/widgets/DialogRunner.h"
#include "app/widgets/DialogFrame.h"
#include "chart/SimplCht.h"

#include <QPushButton>

#include <algorithm>
#include <cstdlib>

namespace {

// The plot spans the columns 50..400 of the 450-pixel chart (its 50-pixel
// side margins).
constexpr int kPlotLeft = 50;
constexpr int kPlotRight = 400;
constexpr double kPlotWidth = kPlotRight - kPlotLeft;
constexpr int kChartHeight = 220;
constexpr int kGrabDistance = 2;
constexpr uint16_t kStartPos1 = 150;
constexpr uint16_t kStartPos2 = 300;

const chart::TPen kMarkerPen{qRgb(0, 0, 0), chart::TPenStyle::Dotted, chart::TPenMode::NotXor};

QPushButton *MakeButton(QWidget *parent, const QString &text, const char *name, int x)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(x, 232, 77, 27);
    button->setAutoDefault(false);
    return button;
}

double Fraction(int column) { return (column - kPlotLeft) / kPlotWidth; }

} // namespace

TCaseDlg::TCaseDlg(QWidget *parent) : QDialog(parent, kFixedDialogFlags)
{
    setWindowTitle(tr("Выбор интервала"));
    setFixedSize(450, 269);
    KeepCentredOnScreen(*this);

    SimpleChart = new TSimpleChart(this);
    SimpleChart->OnMessage = [](const QString &message) { Prompt().Message(message); };
    SimpleChart->setObjectName(QStringLiteral("SimpleChart"));
    SimpleChart->setGeometry(0, 0, 450, kChartHeight);
    SimpleChart->SetSCXDrawingMode(TSCXDrawing::ByTime);
    SimpleChart->SetSCYDrawingMode(TSCYDrawing::ByFixed);
    SimpleChart->SetSCDrawingMode(TSCDrawing::ByMultiLine);
    SimpleChart->SetSCDrawingTimeLine(true);
    SimpleChart->SetSCDrawingModeChange(false);
    SimpleChart->SetSCDrawingDiff(false);
    SimpleChart->SetSCXYWindowShowing(false);
    SimpleChart->SetSCMstShowing(false);
    SimpleChart->SetSCDrawPoints(false);
    SimpleChart->SetSCGridLinesChange(false);
    SimpleChart->OnMouseDown = [this](const TChartMouseEvent &e) { ImageMouseDown(e); };
    SimpleChart->OnMouseMove = [this](const TChartMouseEvent &e) { ImageMouseMove(e); };
    SimpleChart->OnMouseUp = [this](const TChartMouseEvent &e) { ImageMouseUp(e); };

    BtnOK = MakeButton(this, QStringLiteral("OK"), "BtnOK", 251);
    BtnOK->setDefault(true);
    connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);
    BitBtn1 = MakeButton(this, QStringLiteral("Cancel"), "BitBtn1", 131);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
}

TCaseDlg::TSelection TCaseDlg::SelectInterval()
{
    dragging1_ = false;
    dragging2_ = false;
    markerPos1_ = kStartPos1;
    markerPos2_ = kStartPos2;
    DrawMarker(markerPos1_);
    DrawMarker(markerPos2_);

    TSelection selection;
    selection.result = DialogRunner().Exec(*this);
    const int left = std::min(markerPos1_, markerPos2_);
    const int right = std::max(markerPos1_, markerPos2_);
    selection.f1 = Fraction(left);
    selection.f2 = Fraction(right);

    // Leave the picture as it was drawn, so the next selection starts clean.
    DrawMarker(markerPos1_);
    DrawMarker(markerPos2_);
    dragging1_ = false;
    dragging2_ = false;
    return selection;
}

void TCaseDlg::DrawMarker(int column)
{
    chart::TChartCanvas &canvas = SimpleChart->Canvas();
    canvas.pen = kMarkerPen;
    canvas.MoveTo(column, 0);
    canvas.LineTo(column, kChartHeight);
    SimpleChart->update();
}

void TCaseDlg::ImageMouseDown(const TChartMouseEvent &event)
{
    if (std::abs(event.X - markerPos1_) <= kGrabDistance)
        dragging1_ = true;
    if (std::abs(event.X - markerPos2_) <= kGrabDistance)
        dragging2_ = true;
}

void TCaseDlg::ImageMouseMove(const TChartMouseEvent &event)
{
    if (event.X < kPlotLeft || event.X > kPlotRight)
        return;
    if (dragging1_)
        MoveMarker(markerPos1_, event.X);
    if (dragging2_)
        MoveMarker(markerPos2_, event.X);
}

void TCaseDlg::ImageMouseUp(const TChartMouseEvent &)
{
    dragging1_ = false;
    dragging2_ = false;
}

void TCaseDlg::MoveMarker(uint16_t &position, int column)
{
    DrawMarker(position);
    position = static_cast<uint16_t>(column);
    DrawMarker(column);
}

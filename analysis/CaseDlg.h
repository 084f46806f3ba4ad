#pragma once
// TCaseDlg "Выбор интервала": a preview chart of one channel with two vertical
// markers the operator drags to choose a stretch of the run.
//
// The markers are dotted not-xor lines drawn over the chart's picture: drawing
// a line again at the same column erases it, and two markers on one column
// cancel each other out. They live on the columns 50..400, the plot's width of
// 350 pixels, and a press within 2 pixels of a marker grabs it.
#include <QDialog>

#include <cstdint>

class QPushButton;
class TSimpleChart;
struct TChartMouseEvent;

class TCaseDlg : public QDialog {
    Q_OBJECT
public:
    explicit TCaseDlg(QWidget *parent = nullptr);

    // How the dialog was closed and the two marker positions as fractions of
    // the plot width, the left marker first: 0 <= f1 <= f2 <= 1.
    struct TSelection {
        int result = QDialog::Rejected;
        double f1 = 0;
        double f2 = 0;
    };

    // Puts the markers at columns 150 and 300, shows the dialog modally
    // (through DialogRunner().Exec) and returns the selection. The chart's picture
    // must be freshly drawn (Repaint) before; the markers are erased again
    // before this returns.
    TSelection SelectInterval();

    // Draws the marker line at a column over the full height of the picture,
    // or erases it when it is already there.
    void DrawMarker(int column);

    // The chart's mouse events; only the pointer's X column is used.
    void ImageMouseDown(const TChartMouseEvent &event);
    void ImageMouseMove(const TChartMouseEvent &event);
    void ImageMouseUp(const TChartMouseEvent &event);

    uint16_t MarkerPos1() const { return markerPos1_; }
    uint16_t MarkerPos2() const { return markerPos2_; }
    bool Dragging1() const { return dragging1_; }
    bool Dragging2() const { return dragging2_; }

    TSimpleChart *SimpleChart = nullptr;
    QPushButton *BtnOK = nullptr;
    QPushButton *BitBtn1 = nullptr;  // Cancel

private:
    void MoveMarker(uint16_t &position, int column);

    uint16_t markerPos1_ = 150;
    uint16_t markerPos2_ = 300;
    bool dragging1_ = false;
    bool dragging2_ = false;
};

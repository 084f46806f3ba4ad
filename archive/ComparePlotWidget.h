#pragma once
// The comparison chart on the screen: the curves painted into an image of
// the widget's size whenever they or the size change, the image shown.
#include "archive/report/ComparePlot.h"

#include <QImage>
#include <QWidget>

class TComparePlotWidget : public QWidget {
    Q_OBJECT
public:
    explicit TComparePlotWidget(QWidget *parent = nullptr);

    void SetCurves(std::vector<archive::TCompareCurve> curves, const archive::TPlotTitles &titles);
    const std::vector<archive::TCompareCurve> &Curves() const { return curves_; }
    // Paints the picture anew at the widget's size.
    void Redraw();
    const QImage &Picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    std::vector<archive::TCompareCurve> curves_;
    archive::TPlotTitles titles_;
    QImage picture_;
};

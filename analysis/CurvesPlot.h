#pragma once
// A plain plot of a few curves over one pair of axes, for the result window
// of "Физический КТР": lines that break where a value is not a number, or
// dots; a legend with the curves' names; ticks at round numbers.
#include <QColor>
#include <QString>
#include <QWidget>
#include <vector>

class TCurvesPlot : public QWidget {
    Q_OBJECT
public:
    struct TCurve {
        QString name;
        std::vector<double> x, y;  // a point is drawn where both are finite
        QColor color;
        bool dots = false;         // dots instead of a line
    };

    explicit TCurvesPlot(QWidget *parent = nullptr);

    void SetTitles(const QString &x, const QString &y);
    void SetCurves(std::vector<TCurve> curves);
    const std::vector<TCurve> &Curves() const { return curves_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString xTitle_, yTitle_;
    std::vector<TCurve> curves_;
};

// Round values from lo to hi for at most maxTicks ticks: multiples of 1, 2
// or 5 times a power of ten. Empty unless lo < hi, both finite.
std::vector<double> NiceTicks(double lo, double hi, int maxTicks);

// The significant digits for the labels of ticks (as NiceTicks gives them):
// six, or as many more, up to 15, as neighbouring labels need to differ, so
// that a curve spanning a small range around a large value is not labelled
// with one number at every tick.
int TickDigits(const std::vector<double> &ticks);

#pragma once
// "Alpha кварца": the table of quartz expansion coefficients over temperature
// that the calculation fits with "Таблица" checked. The table lives in the
// grid as text and is converted when used; a row whose temperature or
// coefficient is not a number counts as the point (0, 0). Created once, so the
// table persists between calculations. Files are quartz table files
// (analysis/core/QuartzTable.h).
#include "analysis/core/QuartzTable.h"

#include <QDialog>
#include <functional>

class QPushButton;
class QSpinBox;
class TStringGrid;

class TDlgAlphaQuartz : public QDialog {
    Q_OBJECT
public:
    explicit TDlgAlphaQuartz(QWidget *parent = nullptr);

    QSpinBox *SpinEdit1;       // "Число точек", 1..100
    TStringGrid *StringGrid1;  // "N", "T, deg C", "Alpha кварца"
    QPushButton *BitBtn1;      // OK
    QPushButton *BitBtn2;      // Cancel
    QPushButton *BitBtn3;      // "Open"
    QPushButton *BitBtn4;      // "Save"
    QPushButton *BitBtn5;      // "График"

    // Draws the table's points through the curve reduction; set by BindAnalysisDialogs.
    std::function<void(const analysis::TFitPoints &)> OnPlot;

    // Rows 1..n of the grid as numbers: X = temperatures, Y = coefficients.
    analysis::TFitPoints Points() const;

    void SpinEdit1Change();
    void BitBtn3Click();
    void BitBtn4Click();
    void BitBtn5Click();

private:
    void FormCreate();
};

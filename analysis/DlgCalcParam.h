#pragma once
// "Параметры расчета": the calculation parameters of the run, the baseline
// file and the options of one calculation. Created once; its check boxes keep
// their state between calculations.
#include "app/core/RunData.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QLineEdit;
class QSpinBox;
class QToolButton;

class TDlgCalcParam : public QDialog {
    Q_OBJECT
public:
    explicit TDlgCalcParam(QWidget *parent = nullptr);

    QLineEdit *Edit1;            // "Базовая линия"
    QToolButton *SpeedButton1;   // hint "Open": chooses the baseline file
    QSpinBox *SpinEdit1;         // "Точек", 2..1000
    QLineEdit *Edit2;            // "Длина образца"
    QLineEdit *Edit3;            // "Alpha кварца"
    QCheckBox *CheckBox1;        // "Таблица"
    QToolButton *SpeedButton2;   // hint "Open": the quartz table, enabled with "Таблица"
    QLineEdit *Edit4;            // "L кварца"
    QCheckBox *CheckBox2;        // "dL от нуля"
    QCheckBox *CheckBox3;        // "dLQ от нуля"

    // Shows the quartz table; set by BindAnalysisDialogs.
    std::function<void()> OnQuartzTable;

    // The fields from the run and the baseline file name (numbers in the
    // general format; a point count outside 2..1000 shows the nearest bound).
    void Fill(const TRunData &run, const QString &baseLineFile);
    // Reads back into the run, in this order: CalcPoints, SampleLength,
    // QuartzAlpha, QuartzLength, then the baseline file name (cut to 255
    // characters). False at the first text that is not a number; the fields
    // before it keep their new values and the file name is not changed.
    bool ReadBack(TRunData &run, QString &baseLineFile) const;

    void SpeedButton1Click();
    void SpeedButton2Click();
    void CheckBox1Click();
};

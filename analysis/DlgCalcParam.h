#pragma once
// "Параметры расчета": a view over the calculation's parameters (the run's
// four, the baseline file, the options). Created once; its check boxes are
// its own and keep their state between calculations, also after Cancel.
#include "analysis/core/ExpansionCalc.h"

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
    // The quartz table's points, read back with "Таблица" checked; set by
    // BindAnalysisDialogs.
    std::function<analysis::TFitPoints()> QuartzPoints;

    // The fields from the parameters: the baseline file name, the point count
    // (outside 2..1000 the nearest bound) and the three numbers in the general
    // format. The check boxes keep their own state.
    void Fill(const analysis::TCalcParams &params);
    // Reads back, in this order: CalcPoints, SampleLength, QuartzAlpha,
    // QuartzLength, then the baseline file name (cut to 255 characters), the
    // quartz table when "Таблица" is checked, and the two options. False at
    // the first text that is not a number; the fields before it keep their
    // new values, the later ones their old values.
    bool ReadBack(analysis::TCalcParams &params) const;

    void SpeedButton1Click();
    void SpeedButton2Click();
    void CheckBox1Click();
};

#pragma once
// "Физический КТР": a view over the command's parameters. The run's three
// (L0, alpha_q, LQ) are filled from the run each time; the baseline, the
// quartz table's use, the step, the reference temperature and the smoothing
// are the dialog's own and keep their state while the program runs.
#include "analysis/core/PhysicalCoefficient.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QLineEdit;
class QToolButton;

class TDlgPhysParam : public QDialog {
    Q_OBJECT
public:
    explicit TDlgPhysParam(QWidget *parent = nullptr);

    QLineEdit *EditBaseline;        // "Базовая линия"
    QToolButton *BtnBaseline;       // hint "Open"
    QLineEdit *EditSampleLength;    // "Длина образца"
    QLineEdit *EditQuartzAlpha;     // "Alpha кварца"
    QCheckBox *CheckQuartzTable;    // "Таблица"
    QToolButton *BtnQuartzTable;    // hint "Open": the quartz table, enabled with "Таблица"
    QLineEdit *EditQuartzLength;    // "L кварца"
    QLineEdit *EditStep;            // "Шаг, K"
    QLineEdit *EditReference;       // "T отсчета, deg C"
    QCheckBox *CheckAutoSmoothing;  // "Сглаживание по GCV"
    QLineEdit *EditSmoothing;       // "R, точек": enabled without GCV

    // Shows the quartz table, and reads its points; set by BindPhysicalDialogs.
    std::function<void()> OnQuartzTable;
    std::function<analysis::TFitPoints()> QuartzPoints;

    // The run's three parameters into their fields, in the general format.
    void Fill(const analysis::TPhysicalParams &params);
    // The R an automatic choice made, shown for the next time.
    void ShowSmoothing(double r);
    // All fields back; false (params unchanged) when a text is not a number.
    bool ReadBack(analysis::TPhysicalParams &params) const;

private:
    void ChooseBaseline();
};

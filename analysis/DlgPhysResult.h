#pragma once
// The results of "Физический КТР": the coefficients over temperature
// ("График"), each channel's data with its smoothed curve and what the
// smoothing removed ("Сглаживание"), and the table ("Таблица"), which "В
// Excel" sends to the spreadsheet and "CSV" saves as a file. Created once;
// keeps the last results until the next calculation.
#include "analysis/core/PhysicalCoefficient.h"
#include "app/core/Prompt.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TCurvesPlot;
class TSpreadsheet;
class TStringGrid;

class TDlgPhysResult : public QDialog {
    Q_OBJECT
public:
    explicit TDlgPhysResult(QWidget *parent = nullptr);

    QTabWidget *Pages;
    TCurvesPlot *PlotAlpha;     // "График": physical per sample, mean per row, over T
    TCurvesPlot *PlotSmooth;    // "Сглаживание": the chosen channel's data and smoothed curve
    TCurvesPlot *PlotRemoved;   // "Сглаживание": data less the smoothed curve
    QRadioButton *RadioL;       // the channel shown: L
    QRadioButton *RadioT;       // or T
    TStringGrid *Grid;          // "Таблица": "N" and the five columns
    QLabel *LabelSmoothing;     // how the run was smoothed
    QPushButton *BtnExcel;      // "В Excel"
    QPushButton *BtnCsv;        // "CSV"
    QPushButton *BtnClose;      // "Close"

    // The spreadsheet "В Excel" writes to (not owned); set by BindPhysicalDialogs.
    void SetSpreadsheet(TSpreadsheet *sheet) { spreadsheet_ = sheet; }

    // Shows a successful outcome (kept for the exports); the "График" page first.
    void ShowResults(const analysis::TPhysicalOutcome &outcome);

    void ExcelClick();
    void CsvClick();

private:
    void ShowChannel();

    TSpreadsheet *spreadsheet_ = nullptr;
    analysis::TPhysicalOutcome outcome_;
    TFileDialogOptions csvDialog_;
};

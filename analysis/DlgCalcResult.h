#pragma once
// "Результаты расчета": the last calculation as a chart ("График") and as a
// table ("Таблица"), which "В Excel" sends to the spreadsheet. Created once;
// keeps the last results until the next calculation.
#include "analysis/core/ExpansionCalc.h"

#include <QDialog>
#include <functional>
#include <vector>

class QPushButton;
class QTabWidget;
class TSimpleChart;
class TSpreadsheet;
class TStringGrid;

class TDlgCalcResult : public QDialog {
    Q_OBJECT
public:
    explicit TDlgCalcResult(QWidget *parent = nullptr);

    QTabWidget *PageControl1;
    TSimpleChart *SimpleChart1;   // page "График": Alpha over T
    TStringGrid *StringGrid1;     // page "Таблица": 7 columns, header row
    QPushButton *BitBtn1;         // Close
    QPushButton *BitBtn2;         // "В Excel"
    QPushButton *BtnReport;       // "Отчет": shown when OnReport is set

    // The report of the run and its results ("Отчет").
    void SetOnReport(std::function<void()> onReport);

    // The spreadsheet "В Excel" writes to (not owned); set by BindAnalysisDialogs.
    void SetSpreadsheet(TSpreadsheet *sheet) { spreadsheet_ = sheet; }

    // The grid gets N + 1 rows (the header and one per interval) and the chart
    // the N points (T, Alpha), repainted. Shows the "График" page.
    void ShowResults(const std::vector<analysis::TCalcRow> &rows);

    void BitBtn2Click();

protected:
    // The chart draws only when asked: it is redrawn whenever the page
    // gives it a new size.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();

    TSpreadsheet *spreadsheet_ = nullptr;
    std::function<void()> onReport_;
};

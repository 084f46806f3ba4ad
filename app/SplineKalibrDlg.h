#pragma once
// The reference-point dialogs: a table of true values against raw readings
// for T (and TC) or for L, and the file it is kept in. They only edit; the
// Parameters dialog fills them and reads them back.
#include "app/core/Calibration.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QToolButton;

class TDlgSplineKalibr : public QDialog {
    Q_OBJECT
public:
    // quantity: the heading of the true-value column ("T" or "L").
    TDlgSplineKalibr(const QString &caption, const QString &quantity, QWidget *parent = nullptr);

    // The point count (at least 1 can be shown), rows 1..count from the
    // table (none for count 0: row 1 keeps what it held), the file name.
    void Fill(const TSplineTable &table, const QString &fileName);
    // Count := the spin box, then for each row the true value from column 1
    // and the raw value from column 2. A cell that is not a number is skipped:
    // a bad true value leaves both values of its row, a bad raw value only
    // the raw value.
    void ReadInto(TSplineTable &table) const;
    QString FileName() const;

    // Handlers.
    void SpinEdit1Change(int value);
    void SpeedButton1Click();

    QSpinBox *SpinEdit1;        // "Число точек", 1..100
    QTableWidget *StringGrid1;  // "N", the true value, "X"
    QLineEdit *Edit1;           // "Хранить в файле"
    QToolButton *SpeedButton1;  // browse for the file
    QPushButton *BitBtn1;       // Close

private:
    QString CellText(int row, int column) const;
    void SetCell(int row, int column, const QString &text);
};

class TDlgSplineKalibrT : public TDlgSplineKalibr {
    Q_OBJECT
public:
    explicit TDlgSplineKalibrT(QWidget *parent = nullptr);
};

class TDlgSplineKalibrL : public TDlgSplineKalibr {
    Q_OBJECT
public:
    explicit TDlgSplineKalibrL(QWidget *parent = nullptr);
};

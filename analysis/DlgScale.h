#pragma once
// "Параметры сведения": ranges and options of the reduction picture. Created
// once; its check boxes and fields keep their last state.
#include <QDialog>

class QCheckBox;
class QLineEdit;
class QToolButton;

class TDlgScale : public QDialog {
    Q_OBJECT
public:
    explicit TDlgScale(QWidget *parent = nullptr);

    // "Температура"
    QCheckBox *CheckBox1;       // "Авто масштаб"
    QLineEdit *Edit1;           // "T min "
    QLineEdit *Edit2;           // "Tmax "
    // "L"
    QCheckBox *CheckBox3;       // "Авто масштаб"
    QLineEdit *Edit3;           // "L min "
    QLineEdit *Edit4;           // "Lmax "
    QCheckBox *CheckBox4;       // "L от нуля"
    // "Дополнительные параметры"
    QCheckBox *CheckBox2;       // "Метафайл"
    QCheckBox *CheckBox5;       // "Базовая линия"
    QLineEdit *Edit5;           // baseline file name
    QToolButton *SpeedButton1;  // hint "Open"

    // The four range fields (T with 2 decimals, L with 3, at most 3
    // significant digits) and the baseline field.
    void Fill(double tMin, double tMax, double lMin, double lMax, const QString &baseLineFile);

    void SpeedButton1Click();
};

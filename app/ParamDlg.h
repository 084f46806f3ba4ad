#pragma once
// "Параметры": the acquisition, calibration and heating settings of the main
// window, with the two reference-point tables edited in their own dialogs. A
// view over the settings: Fill copies them in, CopyBack copies them out in a
// fixed order.
#include "app/core/Calibration.h"
#include "app/core/Settings.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QToolButton;
class TDlgSplineKalibr;

class TDlgParam : public QDialog {
    Q_OBJECT
public:
    explicit TDlgParam(QWidget *parent = nullptr);

    // The reference-point dialogs opened by the two "Edit" buttons; they are
    // created after this dialog.
    void SetSplineDialogs(TDlgSplineKalibr *tDialog, TDlgSplineKalibr *lDialog);
    // "DAQ Setup": asks the board library to look at the board and returns
    // its report, which the button shows.
    std::function<QString()> OnDaqSetup;

    // Fills the controls and both reference-point dialogs.
    void Fill(const TSettings &settings, const TSplineTable &tTable, const TSplineTable &lTable);

    // Copies the controls back in their fixed order. A coefficient or
    // "Значение" that is not a number stops the copy at that field: the fields
    // before it keep their new values, the later ones their old values, and
    // the message to show is returned (empty when all was copied).
    [[nodiscard]] QString CopyBack(TSettings &settings, TSplineTable &tTable, TSplineTable &lTable) const;

    // OK: refused, with a message, while a reference-point table whose check
    // box is set cannot be built into a spline.
    void accept() override;

    // Handlers.
    void Button1Click();       // "DAQ Setup"
    void BitBtn3Click();       // "Edit" of the T table
    void BitBtn4Click();       // "Edit" of the L table
    void SpeedButton1Click();  // choose the autosave file

    QTabWidget *PageControl1;
    // "АЦП"
    QGroupBox *GroupBox1;      // "Параметры соединения"
    QSpinBox *SpinEdit1;       // "Кривая T": Chan1
    QSpinBox *SpinEdit2;       // "Кривая L": Chan2
    QSpinBox *SpinEdit3;       // "Кривая TC": Chan3
    QSpinBox *SpinEdit4;       // "Код ошибки": ErrorCode
    QCheckBox *CheckBox1;      // "Использовать весы для  L": LWeightDriver
    QPushButton *Button1;      // "DAQ Setup"
    QGroupBox *GroupBox2;      // "Параметры таймера"
    QSpinBox *SpinEdit5;       // "Частота, с": TimerWorkInterval
    QSpinBox *SpinEdit6;       // "Число точек": N
    QCheckBox *CheckBox2;      // "Автосохранение каждые": AutoSaveFlag
    QSpinBox *SpinEdit7;       // AutoSaveTime
    QLineEdit *Edit1;          // AutoSaveFile
    QToolButton *SpeedButton1;
    // "Калибровка": a, b, c, d of T and of L
    QLineEdit *Edit2, *Edit3, *Edit4, *Edit5;  // aT, bT, cT, dT
    QLineEdit *Edit6, *Edit7, *Edit8, *Edit9;  // aL, bL, cL, dL
    QCheckBox *CheckBox3;      // "Температура по реперным точкам"
    QPushButton *BitBtn3;
    QCheckBox *CheckBox4;      // "L по реперным точкам"
    QPushButton *BitBtn4;
    // "Управление"
    QGroupBox *GroupBox3;      // "Нагрев"
    QCheckBox *CheckBox5;      // "Включить управление": ManageFlag
    QComboBox *ComboBox1;      // "Включить при": ManageStartEvent
    QComboBox *ComboBox2;      // "Выключить при": ManageStopEvent
    QLineEdit *Edit10;         // "Значение": ManageValue
    QPushButton *BitBtnOk;
    QPushButton *BitBtnCancel;

private:
    QWidget *CreateAdcPage();
    QWidget *CreateCalibrationPage();
    QWidget *CreateControlPage();
    // The message refusing OK, or empty when both tables in use can be built.
    QString TableProblem() const;

    TDlgSplineKalibr *dlgT_ = nullptr;
    TDlgSplineKalibr *dlgL_ = nullptr;
    // The tables as filled: grid cells that are not numbers keep these values.
    TSplineTable tFilled_;
    TSplineTable lFilled_;
};

#pragma once
// "Выключение нагрева при размягчении": whether the acquisition cuts the
// heating once the sample has softened, and the margin by which its length
// must have fallen below the maximum. A view over TSofteningOptions.
#include "app/core/SofteningSettings.h"

#include <QDialog>

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;

class TDlgSoftening : public QDialog {
    Q_OBJECT
public:
    explicit TDlgSoftening(QWidget *parent = nullptr);

    QCheckBox *CheckBox1;       // "Выключать нагрев при размягчении образца"
    QDoubleSpinBox *SpinEdit1;  // "Запас, % удлинения"
    QLabel *Label1;             // what the option does
    QPushButton *BitBtn1;       // Cancel
    QPushButton *BitBtn2;       // OK

    void Fill(const TSofteningOptions &options);
    TSofteningOptions Options() const;
};

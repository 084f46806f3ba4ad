#pragma once
// "Выбор канала": which channel of the run a smoothing or interval command
// works on. Created once; the choice stays from one command to the next.
#include "app/core/RunData.h"

#include <QDialog>

class QGroupBox;
class QPushButton;
class QRadioButton;

class TCaseChansDlg : public QDialog {
    Q_OBJECT
public:
    explicit TCaseChansDlg(QWidget *parent = nullptr);

    // The channel whose radio button is selected.
    TChannel Channel() const;

    QGroupBox *GroupBox1;
    QRadioButton *RadioButton1;  // "T", selected at start
    QRadioButton *RadioButton2;  // "L"
    QRadioButton *RadioButton3;  // "TC"
    QPushButton *BitBtn1;        // Cancel
    QPushButton *BitBtn2;        // OK
};

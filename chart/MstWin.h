#pragma once
// The fixed Y range dialog of a chart: the texts of EditMin and EditMax are the
// range a chart reads at every redraw while its "Auto Mst." entry is unchecked.
#include <QDialog>

class QLineEdit;
class QPushButton;

class TMstWindow : public QDialog {
    Q_OBJECT
public:
    explicit TMstWindow(QWidget *parent = nullptr);

    QLineEdit *EditMin = nullptr;
    QLineEdit *EditMax = nullptr;
    QPushButton *OKButton = nullptr;
    QPushButton *CancelButton = nullptr;
};

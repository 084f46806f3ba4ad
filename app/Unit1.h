#pragma once
// The main window: holds the run and wires every command to the code that
// carries it out.
#include <QMainWindow>

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);
};

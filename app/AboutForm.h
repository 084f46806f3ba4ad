#pragma once
// The About box: the program's name and version.
#include <QDialog>

class QLabel;

class TAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit TAboutDlg(QWidget *parent = nullptr);

    QLabel *ProductName;
    QLabel *Version;
};

// "Версия " and the version the program was built as.
QString VersionText();

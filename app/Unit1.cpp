#include "app/Unit1.h"

TMainForm::TMainForm(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Varotem"));
    resize(800, 600);
}

#include "app/Unit1.h"
#include "app/WidgetPrompt.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varotem"));

    TWidgetPrompt prompt;
    SetPrompt(&prompt);

    TMainForm mainForm;
    mainForm.showMaximized();
    const int rc = app.exec();
    SetPrompt(nullptr);
    return rc;
}

#include "app/Language.h"
#include "app/MainActions.h"
#include "app/Unit1.h"
#include "app/WidgetPrompt.h"
#include "app/StartupProbe.h"
#include "chart/SimplCht.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    StartupProbeBegin();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varotem"));
    QApplication::setDesktopFileName(QStringLiteral("varotem"));
    QApplication::setWindowIcon(ProgramIcon(QStringLiteral("varotem")));
    const QString languageName = QStringLiteral("ru");
    const TLanguage language(languageName);
    for (const QString &missing : language.Missing())
        qWarning("Varotem: %s cannot be loaded; the toolkit's dialogs stay in English", qPrintable(missing));

    TWidgetPrompt prompt;
    SetPrompt(&prompt);
    SetDialogRunner(&prompt);

    TMainFormSetup setup;
    setup.language = languageName;  // the manual of "Справка" is chosen by it
    TMainForm mainForm(setup);
    mainForm.showMaximized();
    StartupProbeWatch(*mainForm.ChartT);
    const int rc = app.exec();
    SetDialogRunner(nullptr);
    SetPrompt(nullptr);
    return rc;
}

#include "app/core/Language.h"
#include "app/MainActions.h"
#include "app/Unit1.h"
#include "app/WidgetPrompt.h"
#include "app/StartupProbe.h"
#include "chart/SimplCht.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    StartupProbeBegin();
    // A language the program does not speak is a mistake on the command line:
    // said on stderr, and the program does not start (exit code 2), even
    // where no display could be opened.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const TLanguageChoice choice = ChooseLanguage(arguments, QLocale::system());
    if (!choice.error.isEmpty()) {
        std::fprintf(stderr, "varotem: %s\n", qPrintable(choice.error));
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varotem"));
    QApplication::setDesktopFileName(QStringLiteral("varotem"));
    QApplication::setWindowIcon(ProgramIcon(QStringLiteral("varotem")));
    const TLanguage language(choice.language);
    for (const QString &missing : language.Missing())
        qWarning("Varotem: %s cannot be loaded; its texts stay untranslated", qPrintable(missing));

    TWidgetPrompt prompt;
    SetPrompt(&prompt);
    SetDialogRunner(&prompt);

    TMainFormSetup setup;
    setup.language = choice.language;  // the manual of "Справка" is chosen by it
    TMainForm mainForm(setup);
    mainForm.showMaximized();
    StartupProbeWatch(*mainForm.ChartT);
    const int rc = app.exec();
    SetDialogRunner(nullptr);
    SetPrompt(nullptr);
    return rc;
}

// varotem-eval: the evaluation commands of Varotem on the command line, with
// no window and no display: the same windowless code as the program's
// commands, so every number it prints is the window's.
#include "app/core/Language.h"
#include "eval/Subcommand.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
    // Only a command that paints (a PDF report) needs fonts, and so a
    // QGuiApplication; it runs on the offscreen platform, with no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // "--lang ru|en" anywhere on the line chooses the language of the texts,
    // as in the program; the subcommands never see it.
    const TLanguageChoice choice = ChooseLanguage(arguments, QLocale::system());
    if (!choice.error.isEmpty()) {
        std::fprintf(stderr, "varotem-eval: %s\n", qPrintable(choice.error));
        return kExitUsage;
    }
    const TSubcommand *command = FindSubcommand(choice.arguments);
    std::unique_ptr<QCoreApplication> app;
    if (command && command->gui) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("varotem-eval"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VAROTEM_VERSION));
    const TLanguage language(choice.language);
    // The application's own view of the line (a QGuiApplication takes its
    // options out), without the language option.
    return RunEval(ChooseLanguage(QCoreApplication::arguments(), QLocale::system()).arguments);
}

// varotem-eval: the evaluation commands of Varotem on the command line, with
// no window and no display: the same windowless code as the program's
// commands, so every number it prints is the window's.
#include "eval/Subcommand.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("varotem-eval"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VAROTEM_VERSION));
    return RunEval(QCoreApplication::arguments());
}

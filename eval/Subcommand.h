#pragma once
// The subcommands of varotem-eval. Each lives in a file of its own, which
// describes it in a TSubcommand and registers it at namespace scope:
//
//   namespace { const TSubcommandRegistration registration(TSubcommand{...}); }
//
// and is listed in eval/CMakeLists.txt. RunEval finds the subcommand named
// first on the command line, parses the rest against its options and runs it.
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // the command could not be carried out; the reason is on stderr
inline constexpr int kExitUsage = 2;   // the command line is wrong

struct TSubcommand {
    QString name;                       // "calc"; a command of a family is named by two words: "archive list"
    QStringList arguments;              // positional, as shown in the help: {"RUN.dat"}
    QString summary;                    // what it does, one sentence
    QList<QCommandLineOption> options;  // its options, in the order the help lists them
    // Runs with the parsed command line (the positional arguments are checked
    // in number); returns the exit status.
    std::function<int(const QCommandLineParser &parser)> run;
    // Paints (fonts, PDF): runs under a QGuiApplication on the offscreen
    // platform; all others run under a QCoreApplication.
    bool gui = false;
};

class TSubcommandRegistration {
public:
    explicit TSubcommandRegistration(TSubcommand subcommand);
};

// The subcommands register before main() loads a translation, so their
// summaries, option descriptions and value names are kept in the program's
// own language, marked QT_TRANSLATE_NOOP("eval::Help", ...), and put into the
// user's language here, when the help is printed.
QString HelpText(const QString &text);

// The registered subcommands, by name.
std::vector<const TSubcommand *> Subcommands();

// The subcommand the arguments name (arguments[0] is the program); null when none.
const TSubcommand *FindSubcommand(const QStringList &arguments);

// The whole program on its arguments (arguments[0] is the program): the
// subcommand's exit status, or the help, the version, a usage error.
int RunEval(const QStringList &arguments);

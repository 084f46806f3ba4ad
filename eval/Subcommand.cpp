#include "eval/Subcommand.h"

#include "eval/EvalOutput.h"

#include <QCoreApplication>

#include <algorithm>
#include <memory>

namespace {

// The context of this file's texts in the translation catalogue.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(eval::Subcommand)
};

std::vector<TSubcommand> &Registry()
{
    static std::vector<TSubcommand> registry;
    return registry;
}

QString OptionText(const QCommandLineOption &option)
{
    QString text = QStringLiteral("--") + option.names().constFirst();
    if (!option.valueName().isEmpty())
        text += u' ' + HelpText(option.valueName());
    return text;
}

// "calc RUN.dat [--points N] ...": the line that shows how it is called.
QString Synopsis(const TSubcommand &command)
{
    QStringList parts{command.name};
    parts += command.arguments;
    for (const QCommandLineOption &option : command.options)
        parts << u'[' + OptionText(option) + u']';
    return parts.join(u' ');
}

QString Describe(const TSubcommand &command)
{
    QString text = QStringLiteral("  varotem-eval %1\n      %2\n").arg(Synopsis(command), HelpText(command.summary));
    for (const QCommandLineOption &option : command.options)
        text += QStringLiteral("      %1\n          %2\n").arg(OptionText(option), HelpText(option.description()));
    return text;
}

QString Help()
{
    QString text = Tr::tr("varotem-eval: расчеты Varotem из командной строки, те же, что в окне программы.\n"
                          "Числа в параметрах пишутся с точкой. Сообщения выводятся в стандартный поток ошибок;\n"
                          "код завершения 0 - успех, 1 - команда не выполнена, 2 - неверная командная строка.\n\n"
                          "Команды:\n");
    for (const TSubcommand *command : Subcommands())
        text += Describe(*command);
    text += QStringLiteral("\n  %1\n").arg(Tr::tr("varotem-eval КОМАНДА --help: описание одной команды."));
    return text;
}

// An option whose value name has several words ("--ranges T1 T2 T3 T4")
// takes as many arguments: they are joined into its one value, blank-separated.
QStringList JoinMultiWordValues(const TSubcommand &command, const QStringList &arguments)
{
    QStringList joined;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        joined << arguments[i];
        for (const QCommandLineOption &option : command.options) {
            const qsizetype words = option.valueName().count(u' ') + 1;
            if (words < 2 || arguments[i] != QStringLiteral("--") + option.names().constFirst() ||
                i + words >= arguments.size())
                continue;
            joined << arguments.mid(i + 1, words).join(u' ');
            i += words;
            break;
        }
    }
    return joined;
}

int RunSubcommand(const TSubcommand &command, const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("help"), QStringLiteral("h")});
    parser.addOption(help);
    parser.addOptions(command.options);
    if (!parser.parse(JoinMultiWordValues(command, arguments))) {
        PrintError(Tr::tr("Неверная командная строка: %1").arg(parser.errorText()));
        return kExitUsage;
    }
    if (parser.isSet(help)) {
        PrintOut(Describe(command).toUtf8());
        return kExitOk;
    }
    if (parser.positionalArguments().size() != command.arguments.size()) {
        PrintError(Tr::tr("Неверная командная строка: varotem-eval %1").arg(Synopsis(command)));
        return kExitUsage;
    }
    return command.run(parser);
}

// How many words of the command line name the command, or 0.
qsizetype NameWords(const TSubcommand &command, const QStringList &arguments)
{
    const QStringList words = command.name.split(u' ');
    return arguments.mid(1, words.size()) == words ? words.size() : 0;
}

} // namespace

QString HelpText(const QString &text)
{
    return QCoreApplication::translate("eval::Help", text.toUtf8().constData());
}

TSubcommandRegistration::TSubcommandRegistration(TSubcommand subcommand)
{
    Registry().push_back(std::move(subcommand));
}

std::vector<const TSubcommand *> Subcommands()
{
    std::vector<const TSubcommand *> all;
    for (const TSubcommand &command : Registry())
        all.push_back(&command);
    std::sort(all.begin(), all.end(), [](const TSubcommand *a, const TSubcommand *b) { return a->name < b->name; });
    return all;
}

const TSubcommand *FindSubcommand(const QStringList &arguments)
{
    for (const TSubcommand *command : Subcommands())
        if (NameWords(*command, arguments) > 0)
            return command;
    return nullptr;
}

int RunEval(const QStringList &arguments)
{
    const QString first = arguments.value(1);
    if (first.isEmpty()) {
        PrintError(Help());
        return kExitUsage;
    }
    if (first == QStringLiteral("--help") || first == QStringLiteral("-h")) {
        PrintOut(Help().toUtf8());
        return kExitOk;
    }
    if (first == QStringLiteral("--version")) {
        PrintOut((QStringLiteral("varotem-eval ") + QCoreApplication::applicationVersion() + u'\n').toUtf8());
        return kExitOk;
    }
    if (const TSubcommand *command = FindSubcommand(arguments))
        return RunSubcommand(*command, arguments.mid(NameWords(*command, arguments)));
    PrintError(Tr::tr("Неизвестная команда \"%1\". Команды: varotem-eval --help").arg(first));
    return kExitUsage;
}

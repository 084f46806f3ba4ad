#include "app/core/Language.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// Qt's catalogues of the toolkit's texts the program shows: "qtbase" holds
// those of the file dialogs and of message and input boxes. Needed only where
// the toolkit's own English is not the language.
const char *const kToolkitCatalogues[] = {"qtbase"};

// The program's catalogues: the main window's side and the analysis side.
const char *const kProgramCatalogues[] = {"varotem", "varotem_analysis"};

const QString kOption = QStringLiteral("--lang");

} // namespace

QString LanguageForLocale(const QLocale &locale)
{
    const QString name = QLocale::languageToCode(locale.language(), QLocale::ISO639Part1);
    return KnownLanguages().contains(name) ? name : KnownLanguages().first();
}

TLanguageChoice ChooseLanguage(const QStringList &arguments, const QLocale &locale)
{
    TLanguageChoice choice;
    std::optional<QString> asked;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (i > 0 && argument == kOption) {
            if (i + 1 >= arguments.size()) {
                choice.error = QStringLiteral("--lang needs a language: %1").arg(KnownLanguages().join(QStringLiteral(", ")));
                return choice;
            }
            asked = arguments[++i];
        } else if (i > 0 && argument.startsWith(kOption + u'=')) {
            asked = argument.mid(kOption.size() + 1);
        } else {
            choice.arguments << argument;
        }
    }
    if (!asked) {
        choice.language = LanguageForLocale(locale);
        return choice;
    }
    if (!KnownLanguages().contains(*asked)) {
        choice.error = QStringLiteral("unknown language \"%1\" for --lang; known: %2")
                           .arg(*asked, KnownLanguages().join(QStringLiteral(", ")));
        choice.arguments.clear();
        return choice;
    }
    choice.language = *asked;
    return choice;
}

QString TranslationsDir(const QString &programDir)
{
    const QDir dir(programDir);
    const QString candidates[] = {dir.filePath(QStringLiteral("../share/varotem/translations")),
                                  dir.filePath(QStringLiteral("../../share/varotem/translations"))};
    for (const QString &candidate : candidates)
        if (QFileInfo(candidate).isDir())
            return QDir::cleanPath(candidate);
    return QDir::cleanPath(candidates[0]);
}

TLanguage::TLanguage(const QString &language)
    : TLanguage(language, TranslationsDir(QCoreApplication::applicationDirPath()))
{
}

TLanguage::TLanguage(const QString &language, const QString &catalogueDir)
{
    if (language == KnownLanguages().first()) {
        // The program's texts are Russian already; only the toolkit's need a catalogue.
        const QDir qtTranslations(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        for (const char *catalogue : kToolkitCatalogues)
            Install(qtTranslations.filePath(QString::fromLatin1(catalogue) + u'_' + language + QStringLiteral(".qm")));
        return;
    }
    const QDir programTranslations(catalogueDir);
    for (const char *catalogue : kProgramCatalogues)
        Install(programTranslations.filePath(QString::fromLatin1(catalogue) + u'_' + language + QStringLiteral(".qm")));
}

TLanguage::~TLanguage()
{
    for (const auto &translator : installed_)
        QCoreApplication::removeTranslator(translator.get());
}

void TLanguage::Install(const QString &fileName)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(fileName)) {
        missing_ << fileName;
        return;
    }
    // A catalogue without messages translates nothing, and the application
    // refuses to install it; it is there all the same.
    if (translator->isEmpty())
        return;
    if (!QCoreApplication::installTranslator(translator.get())) {
        missing_ << fileName;
        return;
    }
    installed_.push_back(std::move(translator));
}

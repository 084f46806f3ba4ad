#pragma once
// The language the program speaks. Its own texts are Russian, and Russian is
// what it speaks unless English is chosen: then the program's catalogues
// (varotem_en.qm and varotem_analysis_en.qm) translate its texts, and the
// toolkit's dialogs keep their own English. In Russian the toolkit's own
// dialogs and buttons (file dialogs, the buttons of message and input boxes)
// get Qt's translation, so that they read as the rest of the program.
//
// The language comes from the system locale (English → English, anything
// else → Russian, the program's own), unless the command line says
// "--lang ru" or "--lang en".
#include <QLocale>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class QTranslator;

// The languages the program speaks; the first is its own.
inline const QStringList &KnownLanguages()
{
    static const QStringList languages{QStringLiteral("ru"), QStringLiteral("en")};
    return languages;
}

// The language for a locale: its own when the program speaks it, otherwise
// the program's own, Russian.
QString LanguageForLocale(const QLocale &locale);

// The outcome of reading "--lang" from a command line.
struct TLanguageChoice {
    QString language;      // the language to speak; empty when error is set
    QStringList arguments; // the command line without the option
    QString error;         // why the option cannot be followed, for stderr
};

// Takes "--lang X" or "--lang=X" out of arguments (the first element is the
// program); without the option the language is LanguageForLocale(locale).
// A value the program does not speak, or a missing one, sets error.
TLanguageChoice ChooseLanguage(const QStringList &arguments, const QLocale &locale);

// Where the program's catalogues lie: the first existing of
// <programDir>/../share/varotem/translations (a build tree) and
// <programDir>/../../share/varotem/translations (an installed tree, whose
// programs lie in <prefix>/lib/varotem); the first when neither exists.
QString TranslationsDir(const QString &programDir);

class TLanguage {
public:
    // Installs the translations into language ("ru" or "en") into the running
    // application, the program's own from catalogueDir (by default
    // TranslationsDir of the program's directory); they are removed again
    // when the object goes.
    explicit TLanguage(const QString &language);
    TLanguage(const QString &language, const QString &catalogueDir);
    ~TLanguage();
    TLanguage(const TLanguage &) = delete;
    TLanguage &operator=(const TLanguage &) = delete;

    // The translation files that could not be loaded: what they translate
    // stays in the program's Russian or in the toolkit's English.
    const QStringList &Missing() const { return missing_; }

private:
    void Install(const QString &fileName);

    std::vector<std::unique_ptr<QTranslator>> installed_;
    QStringList missing_;
};

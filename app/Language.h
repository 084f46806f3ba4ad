#pragma once
// The language the program speaks. Its own texts are Russian; the toolkit's
// own dialogs and buttons (file dialogs, the buttons of message and input
// boxes) get Qt's translation into the same language, so that they read as
// the rest of the program. A translation of the program's own texts into
// another language belongs here too.
#include <QStringList>
#include <memory>
#include <vector>

class QTranslator;

class TLanguage {
public:
    // Installs the translations into language ("ru") into the running
    // application; they are removed again when the object goes.
    explicit TLanguage(const QString &language);
    ~TLanguage();
    TLanguage(const TLanguage &) = delete;
    TLanguage &operator=(const TLanguage &) = delete;

    // The translation files that could not be loaded: what they translate
    // stays in the toolkit's English.
    const QStringList &Missing() const { return missing_; }

private:
    void Install(const QString &fileName);

    std::vector<std::unique_ptr<QTranslator>> installed_;
    QStringList missing_;
};

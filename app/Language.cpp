#include "app/Language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// Qt's catalogues of the toolkit's texts the program shows: "qtbase" holds
// those of the file dialogs and of message and input boxes.
const char *const kToolkitCatalogues[] = {"qtbase"};

} // namespace

TLanguage::TLanguage(const QString &language)
{
    const QDir qtTranslations(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    for (const char *catalogue : kToolkitCatalogues)
        Install(qtTranslations.filePath(QString::fromLatin1(catalogue) + u'_' + language + QStringLiteral(".qm")));
}

TLanguage::~TLanguage()
{
    for (const auto &translator : installed_)
        QCoreApplication::removeTranslator(translator.get());
}

void TLanguage::Install(const QString &fileName)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(fileName) || !QCoreApplication::installTranslator(translator.get())) {
        missing_ << fileName;
        return;
    }
    installed_.push_back(std::move(translator));
}

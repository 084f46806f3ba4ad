// The language the program speaks: chosen from the command line or the
// system locale, and the catalogues that make its menus English.
#include "analysis/core/MaterialDirectory.h"
#include "app/core/Language.h"
#include "app/core/LinkBoard.h"
#include "tests/app/MainFormTestUtil.h"

#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList MenuTitles(const TMainForm &form)
{
    QStringList titles;
    for (const QAction *action : form.menuBar()->actions())
        titles << action->text();
    return titles;
}

} // namespace

TEST(Language, ChosenFromTheCommandLineOrTheLocale)
{
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    const QLocale english(QLocale::English, QLocale::UnitedKingdom);
    const QLocale german(QLocale::German, QLocale::Germany);
    const struct {
        const char *name;
        QStringList arguments;
        QLocale locale;
        QString language;  // empty: an error
        QStringList rest;
    } rows[] = {
        {"a Russian desktop", {"varotem"}, russian, "ru", {"varotem"}},
        {"an English desktop", {"varotem"}, english, "en", {"varotem"}},
        {"a language without a translation", {"varotem"}, german, "ru", {"varotem"}},
        {"the option over the locale", {"varotem", "--lang", "en"}, russian, "en", {"varotem"}},
        {"the option in one word", {"varotem", "--lang=ru"}, english, "ru", {"varotem"}},
        {"the option among others", {"eval", "calc", "--lang", "en", "run.dat"}, german, "en", {"eval", "calc", "run.dat"}},
        {"the last option holds", {"varotem", "--lang", "en", "--lang", "ru"}, english, "ru", {"varotem"}},
        {"the program's own name is no option", {"--lang"}, english, "en", {"--lang"}},
        {"an unknown language", {"varotem", "--lang", "de"}, russian, "", {}},
        {"an empty language", {"varotem", "--lang="}, russian, "", {}},
        {"a language in capitals", {"varotem", "--lang", "EN"}, russian, "", {}},
        {"no value", {"varotem", "--lang"}, russian, "", {}},
    };
    for (const auto &r : rows) {
        const TLanguageChoice choice = ChooseLanguage(r.arguments, r.locale);
        EXPECT_EQ(choice.language, r.language) << r.name;
        EXPECT_EQ(choice.error.isEmpty(), !r.language.isEmpty()) << r.name;
        if (!r.language.isEmpty()) {
            EXPECT_EQ(choice.arguments, r.rest) << r.name;
        }
    }
}

TEST(Language, CataloguesAreFoundInABuildTreeAndAnInstalledTree)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("build/bin"));
    ASSERT_TRUE(QDir(dir.path()).mkpath("build/share/varotem/translations"));
    ASSERT_TRUE(QDir(dir.path()).mkpath("usr/lib/varotem"));
    ASSERT_TRUE(QDir(dir.path()).mkpath("usr/share/varotem/translations"));
    ASSERT_TRUE(QDir(dir.path()).mkpath("bare/bin"));
    EXPECT_EQ(TranslationsDir(dir.filePath("build/bin")), dir.filePath("build/share/varotem/translations"));
    EXPECT_EQ(TranslationsDir(dir.filePath("usr/lib/varotem")), dir.filePath("usr/share/varotem/translations"));
    EXPECT_EQ(TranslationsDir(dir.filePath("bare/bin")), dir.filePath("bare/share/varotem/translations"));
}

// English catalogues installed: the menu bar reads English; none: exactly
// the program's own Russian.
TEST(Language, MenuTitlesFollowTheInstalledCatalogue)
{
    const QStringList russian{"Файл", "Правка", "АЦП", "Обработка", "Сервис", "Анализ", "Архив", "Информация"};
    const QStringList english{"File", "Edit", "ADC", "Processing", "Tools", "Analysis", "Archive", "Help"};
    QTemporaryDir dir;
    TScriptedBoard board;
    TRecordingPrompt prompt;
    {
        const TLanguage language("en", QStringLiteral(VAROTEM_TEST_TRANSLATIONS_DIR));
        EXPECT_TRUE(language.Missing().isEmpty()) << language.Missing().join(' ').toStdString();
        const auto form = NewForm(dir, board);
        EXPECT_EQ(MenuTitles(*form), english);
        EXPECT_EQ(form->Actions.ItemGo->text(), "Start acquisition");
    }
    {
        const auto form = NewForm(dir, board);
        EXPECT_EQ(MenuTitles(*form), russian);
        EXPECT_EQ(form->Actions.ItemGo->text(), "Начать прием информации");
    }
    {
        // Russian installs the toolkit's catalogue only: the program's texts stay its own.
        const TLanguage language("ru", QStringLiteral(VAROTEM_TEST_TRANSLATIONS_DIR));
        const auto form = NewForm(dir, board);
        EXPECT_EQ(MenuTitles(*form), russian);
    }
}

// The board library's report (DAQ Setup) follows the program's language.
TEST(Language, BoardReportFollowsTheInstalledCatalogue)
{
    TLinkBoard board;
    {
        const TLanguage language("en", QStringLiteral(VAROTEM_TEST_TRANSLATIONS_DIR));
        const QString report = board.DaqSetup();
        EXPECT_TRUE(report.startsWith("Next acquisition: Simulated dilatometer: sample of ")) << report.toStdString();
        EXPECT_TRUE(report.contains(" µm per count; 2 – furnace thermocouple")) << report.toStdString();
    }
    const QString report = board.DaqSetup();
    EXPECT_TRUE(report.startsWith("Следующий прием: Имитатор дилатометра: образец — ")) << report.toStdString();
}

// The materials shipped with the program are named in the user's language:
// with the English catalogue no shipped name keeps a Cyrillic letter (a name
// changed in its file without its translation would), without it each reads
// exactly as in its file.
TEST(Language, ShippedMaterialNamesFollowTheInstalledCatalogue)
{
    QStringList problems;
    const materials::TMaterialLibrary library = analysis::LoadMaterials(QStringLiteral(VAROTEM_MATERIALS_DIR), problems);
    ASSERT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
    ASSERT_FALSE(library.materials.empty());
    const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    {
        const TLanguage language("en", QStringLiteral(VAROTEM_TEST_TRANSLATIONS_DIR));
        for (const materials::TReferenceMaterial &m : library.materials) {
            const QString name = analysis::MaterialName(m);
            EXPECT_FALSE(name.contains(cyrillic)) << m.id << ": " << name.toStdString();
            EXPECT_FALSE(name.trimmed().isEmpty()) << m.id;
        }
    }
    for (const materials::TReferenceMaterial &m : library.materials)
        EXPECT_EQ(analysis::MaterialName(m).toStdString(), m.name) << m.id;
}

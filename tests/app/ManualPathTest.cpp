// Where "Справка" finds the manual: beside a build tree's programs and in an
// installed tree, by language.
#include "app/core/ManualPath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void Touch(const QString &name)
{
    QDir().mkpath(QFileInfo(name).absolutePath());
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("# page\n");
}

struct TManualCase {
    const char *name;
    const char *programDir;  // relative to the tree's root
    const char *language;
    const char *pages;       // the index pages that exist, ';'-separated, relative to the root
    const char *expected;    // relative to the root; empty: none found
};

const TManualCase kCases[] = {
    {"BuildTreeRussian", "bin", "ru", "share/varotem/manual/ru/index.md;share/varotem/manual/en/index.md",
     "share/varotem/manual/ru/index.md"},
    {"BuildTreeEnglish", "bin", "en", "share/varotem/manual/ru/index.md;share/varotem/manual/en/index.md",
     "share/varotem/manual/en/index.md"},
    {"EnglishLocaleName", "bin", "en_GB", "share/varotem/manual/en/index.md", "share/varotem/manual/en/index.md"},
    {"InstalledTree", "lib/varotem", "ru", "share/varotem/manual/ru/index.md", "share/varotem/manual/ru/index.md"},
    {"NoLanguageIsRussian", "bin", "", "share/varotem/manual/ru/index.md;share/varotem/manual/en/index.md",
     "share/varotem/manual/ru/index.md"},
    {"OtherLanguageIsRussian", "bin", "de", "share/varotem/manual/ru/index.md", "share/varotem/manual/ru/index.md"},
    {"EnglishMissing", "bin", "en", "share/varotem/manual/ru/index.md", ""},
    {"NoManual", "lib/varotem", "ru", "", ""},
    {"ManualBesideTheProgramIsNotUsed", "bin", "ru", "bin/share/varotem/manual/ru/index.md", ""},
};

class ManualIndex : public ::testing::TestWithParam<TManualCase> {};

} // namespace

TEST_P(ManualIndex, FindsTheIndexOfTheLanguage)
{
    const TManualCase &c = GetParam();
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString programDir = root.filePath(QString::fromLatin1(c.programDir));
    QDir().mkpath(programDir);
    for (const QString &page : QString::fromLatin1(c.pages).split(u';', Qt::SkipEmptyParts))
        Touch(root.filePath(page));
    const QString expected = *c.expected ? QDir::cleanPath(root.filePath(QString::fromLatin1(c.expected))) : QString();
    EXPECT_EQ(FindManualIndex(programDir, QString::fromLatin1(c.language)), expected);
}

INSTANTIATE_TEST_SUITE_P(Layouts, ManualIndex, ::testing::ValuesIn(kCases),
                         [](const auto &info) { return std::string(info.param.name); });

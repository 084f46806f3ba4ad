// The user's manual itself: every page's links and pictures lead to files of
// the manual, in each language.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>

// Every link and picture of the manual's pages leads to a file of the
// manual, in every language; both languages have the same pages.
TEST(Manual, LinksAndPicturesLeadToFiles)
{
    const QDir manual(QStringLiteral(VAROTEM_TEST_MANUAL_DIR));
    ASSERT_TRUE(manual.exists());
    const QRegularExpression link(QStringLiteral(R"(\]\(([^)\s]+)\))"));
    QStringList pagesByLanguage;
    for (const QString &language : {QStringLiteral("ru"), QStringLiteral("en")}) {
        const QDir dir(manual.filePath(language));
        const QStringList pages = dir.entryList({QStringLiteral("*.md")}, QDir::Files, QDir::Name);
        ASSERT_TRUE(pages.contains(QStringLiteral("index.md"))) << language.toStdString();
        pagesByLanguage << pages.join(u',');
        for (const QString &page : pages) {
            QFile file(dir.filePath(page));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(file.readAll());
            for (auto m = link.globalMatch(text); m.hasNext();) {
                const QString target = m.next().captured(1);
                if (target.startsWith(QStringLiteral("http")) || target.startsWith(u'#'))
                    continue;
                const QString path = target.section(u'#', 0, 0);
                EXPECT_TRUE(QFileInfo(dir.filePath(path)).isFile())
                    << language.toStdString() << "/" << page.toStdString() << ": " << target.toStdString();
            }
        }
    }
    EXPECT_EQ(pagesByLanguage[0], pagesByLanguage[1]);
}

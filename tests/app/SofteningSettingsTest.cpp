// The section [Softening] of the settings file: read beside [Options], written
// without disturbing any other byte.
#include "app/core/Settings.h"
#include "app/core/SofteningSettings.h"
#include "tests/app/CoreTestUtil.h"

#include <gtest/gtest.h>

TEST(SofteningSettings, ReadFromItsOwnSection)
{
    const struct {
        const char *name;
        QByteArray text;
        TSofteningOptions expected;
        int messages;
    } rows[] = {
        {"no section", "[Options]\nN=5\n", {}, 0},
        {"switched on, point", "[Softening]\nEnabled=1\nMarginPercent=1.5\n", {true, 1.5}, 0},
        {"comma of a Russian locale", "[softening]\r\nenabled = 2\r\nmarginpercent = 0,8\r\n", {true, 0.8}, 0},
        {"keys of [Options] are not its keys", "[Options]\nEnabled=1\nMarginPercent=3\n", {}, 0},
        {"margin out of range", "[Softening]\nEnabled=1\nMarginPercent=50\n", {true, 0.5}, 1},
        {"margin not a number", "[Softening]\nMarginPercent=half\n", {}, 1},
        {"enabled not a number", "[Softening]\nEnabled=yes\n", {}, 0},
    };
    TLocaleGuard russian(QLocale::Russian);
    for (const auto &row : rows) {
        TSofteningOptions options{true, 9};
        const QStringList messages = ParseSofteningOptions(row.text, "Varotem.ini", options);
        EXPECT_EQ(options, row.expected) << row.name;
        EXPECT_EQ(messages.size(), row.messages) << row.name;
        if (!messages.isEmpty()) {
            EXPECT_TRUE(messages[0].contains("MarginPercent")) << row.name;
        }
    }
}

TEST(SofteningSettings, WritingChangesOnlyItsOwnValues)
{
    const QByteArray options = "; lab settings\r\n[Options]\r\nN=500\r\n\r\n[Other]\r\nkey=x\r\n";
    const struct {
        const char *name;
        QByteArray before;
        TSofteningOptions written;
        QByteArray after;
    } rows[] = {
        {"section added at the end in the file's line ends", options, {true, 0.5},
         options + "[Softening]\r\nEnabled=1\r\nMarginPercent=0.5\r\n"},
        {"values rewritten where they stand", "[Softening]\nEnabled = 0\nMarginPercent=2\n[Options]\nN=5\n",
         {true, 0.75}, "[Softening]\nEnabled = 1\nMarginPercent=0.75\n[Options]\nN=5\n"},
        {"values that read as held stay as written", "[Softening]\nEnabled=7\nMarginPercent=0.50\n", {true, 0.5},
         "[Softening]\nEnabled=7\nMarginPercent=0.50\n"},
        {"a missing key goes after the section's last key", "[Softening]\nEnabled=1\n; note\n[B]\n", {true, 1},
         "[Softening]\nEnabled=1\nMarginPercent=1\n; note\n[B]\n"},
        {"a new file", "", {false, 0.5}, "[Softening]\nEnabled=0\nMarginPercent=0.5\n"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(MergeSofteningOptions(row.before, row.written), row.after) << row.name;
}

// Closing writes [Options] and then [Softening] into one file: each writer
// keeps the other's section, and both read back.
TEST(SofteningSettings, BothSectionsSurviveEachOthersWrites)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("Varotem.ini");
    TSettings settings = DefaultSettings(dir.path() + '/');
    settings.N = 1234;
    settings.ManageFlag = true;
    const TSofteningOptions softening{true, 2.5};
    for (int round = 0; round < 2; ++round) {
        ASSERT_EQ(WriteSettings(name, settings), "");
        ASSERT_EQ(WriteSofteningOptions(name, softening), "");
    }
    TSettings read;
    EXPECT_TRUE(ReadSettings(name, dir.path() + '/', read).isEmpty());
    EXPECT_EQ(read, settings);
    TSofteningOptions readSoftening;
    EXPECT_TRUE(ReadSofteningOptions(name, readSoftening).isEmpty());
    EXPECT_EQ(readSoftening, softening);
    EXPECT_EQ(ReadBytes(name).count("[Softening]"), 1);

    // Options at their defaults add no section to a file without one.
    WriteBytes(dir.filePath("plain.ini"), "[Options]\nN=5\n");
    ASSERT_EQ(WriteSofteningOptions(dir.filePath("plain.ini"), TSofteningOptions{}), "");
    EXPECT_EQ(ReadBytes(dir.filePath("plain.ini")), "[Options]\nN=5\n");

    WriteBytes(dir.filePath("big.ini"), QByteArray(kMaxSettingsBytes + 1, ';'));
    EXPECT_FALSE(WriteSofteningOptions(dir.filePath("big.ini"), softening).isEmpty());
    EXPECT_EQ(ReadBytes(dir.filePath("big.ini")).size(), kMaxSettingsBytes + 1);
}

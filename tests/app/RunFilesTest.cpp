// The run record's file image, reading run files, and the text export.
#include "app/core/DataFiles.h"
#include "tests/app/CoreTestUtil.h"

#include <gtest/gtest.h>
#include <cmath>
#include <cstring>

namespace {

template <typename V>
V At(const QByteArray &bytes, int offset)
{
    V v;
    std::memcpy(&v, bytes.constData() + offset, sizeof v);
    return v;
}

// A run whose every field and slot differs, so a moved field shows.
std::unique_ptr<TRunData> DistinctRun(int32_t count)
{
    auto run = NewRun();
    run->Count = count;
    for (int i = 0; i < kRunCapacity; ++i) {
        run->T[i] = i + 0.25;
        run->L[i] = -i - 0.5;
        run->TC[i] = i * 1e-3;
    }
    run->CalcPoints = 77;
    run->SampleLength = 1.5;
    run->QuartzLength = 2.5;
    run->QuartzAlpha = 3.5e-7;
    return run;
}

} // namespace

TEST(RunFile, ImageFollowsTheFileLayout)
{
    QTemporaryDir dir;
    const auto run = DistinctRun(600);
    const QString name = dir.filePath("run.dat");
    ASSERT_TRUE(SaveData(name, *run).isEmpty());
    const QByteArray file = ReadBytes(name);
    ASSERT_EQ(file.size(), 240032);  // also for 600 samples: the slots above Count are written
    EXPECT_EQ(At<int32_t>(file, 0), 600);
    EXPECT_EQ(At<double>(file, 4), 0.25);
    EXPECT_EQ(At<double>(file, 4 + 8 * 9999), 9999.25);
    EXPECT_EQ(At<double>(file, 80004), -0.5);
    EXPECT_EQ(At<int32_t>(file, 160004), 77);
    EXPECT_EQ(At<double>(file, 160008), 1.5);
    EXPECT_EQ(At<double>(file, 160016), 2.5);
    EXPECT_EQ(At<double>(file, 160024), 3.5e-7);
    EXPECT_EQ(At<double>(file, 160032 + 8 * 10), 0.01);
}

TEST(RunFile, SavedAndReopenedRunIsIdenticalByteForByte)
{
    QTemporaryDir dir;
    const auto saved = DistinctRun(1234);
    ASSERT_TRUE(SaveData(dir.filePath("a.dat"), *saved).isEmpty());
    auto opened = NewRun();
    FillTestRun(*opened);
    ASSERT_TRUE(ReadRunFile(dir.filePath("a.dat"), *opened, -1).isEmpty());
    EXPECT_EQ(Bytes(*opened), Bytes(*saved));
}

TEST(RunFile, ShortFileOverlaysOnlyItsLeadingPart)
{
    QTemporaryDir dir;
    const auto previous = DistinctRun(5000);
    auto newer = NewRun();
    newer->Count = 3;
    newer->T[0] = newer->T[1] = newer->T[2] = 42;
    const QByteArray head = Bytes(*newer).left(4 + 8 * 2 + 3);  // ends inside T[3]
    WriteBytes(dir.filePath("short.dat"), head);

    auto run = std::make_unique<TRunData>(*previous);
    ASSERT_TRUE(ReadRunFile(dir.filePath("short.dat"), *run, -1).isEmpty());
    QByteArray expected = Bytes(*previous);
    expected.replace(0, head.size(), head);
    EXPECT_EQ(Bytes(*run), expected);
    EXPECT_EQ(run->Count, 3);
}

TEST(RunFile, UnreadableOrOverlongCountLeavesTheRunAlone)
{
    QTemporaryDir dir;
    WriteBytes(dir.filePath("big.dat"), Bytes(*DistinctRun(10001)));
    WriteBytes(dir.filePath("huge.dat"), Bytes(*DistinctRun(INT32_MAX)));
    const auto before = DistinctRun(10);
    for (const QString name : {"big.dat", "huge.dat", "missing.dat", ""}) {
        SCOPED_TRACE(name.toStdString());
        auto run = std::make_unique<TRunData>(*before);
        const QString message = ReadRunFile(dir.filePath(name), *run, -1);
        EXPECT_TRUE(message.contains(dir.filePath(name))) << message.toStdString();
        EXPECT_EQ(Bytes(*run), Bytes(*before));
    }
}

TEST(RunFile, FullAndNegativeCountsAreAccepted)
{
    QTemporaryDir dir;
    WriteBytes(dir.filePath("full.dat"), Bytes(*DistinctRun(10000)));
    WriteBytes(dir.filePath("negative.dat"), Bytes(*DistinctRun(-7)));
    auto run = NewRun();
    ASSERT_TRUE(ReadRunFile(dir.filePath("full.dat"), *run, -1).isEmpty());
    EXPECT_EQ(run->Count, 10000);
    ASSERT_TRUE(ReadRunFile(dir.filePath("negative.dat"), *run, -1).isEmpty());
    EXPECT_EQ(run->Count, 0);
}

TEST(RunFile, OpeningDropsSamplesWithTheMarker)
{
    QTemporaryDir dir;
    auto run = NewRun();
    run->Count = 3;
    const double t[] = {1, -1, 3}, l[] = {10, 20, 30};
    for (int i = 0; i < 3; ++i) {
        run->T[i] = t[i];
        run->L[i] = l[i];
    }
    ASSERT_TRUE(SaveData(dir.filePath("m.dat"), *run).isEmpty());
    ASSERT_TRUE(ReadRunFile(dir.filePath("m.dat"), *run, -1).isEmpty());
    EXPECT_EQ(ChannelValues(*run, TChannel::L), (std::vector<double>{10, 30}));
}

TEST(TextExport, TestRunGivesRawValuesWithLocaleSeparator)
{
    TLocaleGuard russian(QLocale::Russian);
    QTemporaryDir dir;
    auto run = NewRun();
    FillTestRun(*run);
    const QByteArray rawBefore = Bytes(*run);
    const TSettings settings = DefaultSettings(dir.path() + '/');
    ASSERT_TRUE(ExportText(dir.filePath("t.txt"), *run, settings, {}, {}).isEmpty());
    EXPECT_EQ(Bytes(*run), rawBefore);

    const QString text = QString::fromUtf8(ReadBytes(dir.filePath("t.txt")));
    ASSERT_TRUE(text.endsWith("\r\n"));
    const QStringList lines = text.chopped(2).split("\r\n");
    ASSERT_EQ(lines.size(), 600);
    for (int i = 1; i <= 600; ++i) {
        const QStringList f = lines[i - 1].split('\t');
        ASSERT_EQ(f.size(), 3);
        EXPECT_EQ(f[0], QString::number(i));
        EXPECT_EQ(f[2], QString::number(i));
        // 15 significant digits of ln(i + 50) / 12, written with a comma.
        const double expected = std::log(i + 50.0) / 12.0;
        ASSERT_EQ(f[1].count(','), 1);
        EXPECT_NEAR(QString(f[1]).replace(',', '.').toDouble(), expected, 1e-15);
    }
}

TEST(TextExport, CalibratesAndRefusesNonNumbers)
{
    TLocaleGuard c(QLocale::C);
    QTemporaryDir dir;
    auto run = NewRun();
    run->Count = 2;
    run->T[0] = 2, run->L[0] = 3, run->TC[0] = 4;
    run->T[1] = -1, run->L[1] = 0, run->TC[1] = 0;  // dropped by the marker
    TSettings s = DefaultSettings("");
    s.aT = 1, s.bT = 0.5, s.aL = 100;
    ASSERT_TRUE(ExportText(dir.filePath("c.txt"), *run, s, {}, {}).isEmpty());
    EXPECT_EQ(ReadBytes(dir.filePath("c.txt")), QByteArray("2\t103\t3\r\n"));

    run->L[0] = NAN;
    EXPECT_FALSE(ExportText(dir.filePath("c.txt"), *run, s, {}, {}).isEmpty());
    EXPECT_EQ(ReadBytes(dir.filePath("c.txt")), QByteArray("2\t103\t3\r\n"));
}

TEST(TextExport, SaveKindFollowsTheExtensionInAnyCase)
{
    EXPECT_EQ(SaveKindOf("/a/run.dat"), TSaveKind::Data);
    EXPECT_EQ(SaveKindOf("/a/RUN.DaT"), TSaveKind::Data);
    EXPECT_EQ(SaveKindOf("/a/run.TXT"), TSaveKind::Text);
    EXPECT_EQ(SaveKindOf("/a/run.csv"), TSaveKind::Nothing);
    EXPECT_EQ(SaveKindOf("/a.dat/run"), TSaveKind::Nothing);
}

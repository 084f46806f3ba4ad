// The run record's file image, reading run files, and the text export.
#include "app/core/DataFiles.h"
#include "tests/app/CoreTestUtil.h"

#include <gtest/gtest.h>
#include <cmath>
#include <cstring>
#include <sys/stat.h>

namespace {

template <typename V>
V At(const QByteArray &bytes, int offset)
{
    V v;
    std::memcpy(&v, bytes.constData() + offset, sizeof v);
    return v;
}

// Every field and slot distinct, so a moved field shows.
std::unique_ptr<TRunData> DistinctRun(int32_t count)
{
    auto run = NewRun();
    run->Count = count;
    for (int i = 0; i < kRunCapacity; ++i)
        run->T[i] = i + 0.25, run->L[i] = -i - 0.5, run->TC[i] = i * 1e-3;
    run->CalcPoints = 77, run->SampleLength = 1.5, run->QuartzLength = 2.5, run->QuartzAlpha = 3.5e-7;
    return run;
}

} // namespace

TEST(RunFile, ImageFollowsTheFileLayoutAndRoundTrips)
{
    QTemporaryDir dir;
    const auto saved = DistinctRun(600);
    ASSERT_TRUE(SaveData(dir.filePath("run.dat"), *saved).isEmpty());
    const QByteArray file = ReadBytes(dir.filePath("run.dat"));
    ASSERT_EQ(file.size(), 240032);  // 600 samples, and the slots above them
    EXPECT_EQ(At<int32_t>(file, 0), 600);
    EXPECT_EQ(At<double>(file, 4 + 8 * 9999), 9999.25);
    EXPECT_EQ(At<double>(file, 80004), -0.5);
    EXPECT_EQ(At<int32_t>(file, 160004), 77);
    EXPECT_EQ(At<double>(file, 160008), 1.5);
    EXPECT_EQ(At<double>(file, 160016), 2.5);
    EXPECT_EQ(At<double>(file, 160024), 3.5e-7);
    EXPECT_EQ(At<double>(file, 160032 + 8 * 10), 0.01);

    auto opened = DistinctRun(3);
    ASSERT_TRUE(ReadRunFile(dir.filePath("run.dat"), *opened, -1).isEmpty());
    EXPECT_EQ(Bytes(*opened), file);
}

TEST(RunFile, ShortFileOverlaysOnlyItsLeadingPart)
{
    QTemporaryDir dir;
    const auto previous = DistinctRun(5000);
    auto newer = NewRun();
    newer->Count = 3;
    const QByteArray head = Bytes(*newer).left(4 + 8 * 2 + 3);  // ends inside T[3]
    WriteBytes(dir.filePath("short.dat"), head);
    auto run = std::make_unique<TRunData>(*previous);
    ASSERT_TRUE(ReadRunFile(dir.filePath("short.dat"), *run, -1).isEmpty());
    EXPECT_EQ(Bytes(*run), Bytes(*previous).replace(0, head.size(), head));
}

TEST(RunFile, CountsAndMarkers)
{
    QTemporaryDir dir;
    const auto before = DistinctRun(10);
    // Refused: the run in memory stays as it was.
    WriteBytes(dir.filePath("big.dat"), Bytes(*DistinctRun(10001)));
    // A pipe would block the read until some writer came; it is refused at once.
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath("pipe.dat")).constData(), 0600), 0);
    for (const QString name : {"big.dat", "missing.dat", "", "pipe.dat"}) {
        auto run = std::make_unique<TRunData>(*before);
        EXPECT_TRUE(ReadRunFile(dir.filePath(name), *run, -1).contains(dir.filePath(name)));
        EXPECT_EQ(Bytes(*run), Bytes(*before));
    }
    // Accepted: a full run; a negative count gives an empty run; the marker drops samples.
    auto marked = DistinctRun(10000);
    marked->T[1] = -1, marked->L[4] = -1;
    const struct { int32_t count; int32_t expected; } rows[] = {{10000, 9998}, {-7, 0}, {6, 4}};
    for (const auto &row : rows) {
        marked->Count = row.count;
        ASSERT_TRUE(SaveData(dir.filePath("m.dat"), *marked).isEmpty());
        auto run = NewRun();
        ASSERT_TRUE(ReadRunFile(dir.filePath("m.dat"), *run, -1).isEmpty());
        EXPECT_EQ(run->Count, row.expected);
    }
}

TEST(TextExport, TestRunGivesRawValuesWithLocaleSeparator)
{
    TLocaleGuard russian(QLocale::Russian);
    QTemporaryDir dir;
    auto run = NewRun();
    FillTestRun(*run);
    const QByteArray raw = Bytes(*run);
    ASSERT_TRUE(ExportText(dir.filePath("t.txt"), *run, DefaultSettings(""), {}, {}).isEmpty());
    EXPECT_EQ(Bytes(*run), raw);

    const QString text = QString::fromUtf8(ReadBytes(dir.filePath("t.txt")));
    ASSERT_TRUE(text.endsWith("\r\n"));
    const QStringList lines = text.chopped(2).split("\r\n");
    ASSERT_EQ(lines.size(), 600);
    for (int i = 1; i <= 600; ++i) {
        const QStringList f = lines[i - 1].split('\t');
        ASSERT_EQ(f.size(), 3);
        EXPECT_EQ(f[0], QString::number(i));
        EXPECT_EQ(f[2], QString::number(i));
        ASSERT_EQ(f[1].count(','), 1);  // ln(i + 50) / 12 to 15 digits, with a comma
        EXPECT_NEAR(QString(f[1]).replace(',', '.').toDouble(), std::log(i + 50.0) / 12.0, 1e-15);
    }
}

TEST(TextExport, CalibratesAndRefusesNonNumbers)
{
    TLocaleGuard c(QLocale::C);
    QTemporaryDir dir;
    auto run = NewRun();
    run->Count = 2;
    run->T[0] = 2, run->L[0] = 3, run->TC[0] = 4, run->T[1] = -1;  // sample 2 carries the marker
    TSettings s;
    s.aT = 1, s.bT = 0.5, s.aL = 100;
    ASSERT_TRUE(ExportText(dir.filePath("c.txt"), *run, s, {}, {}).isEmpty());
    EXPECT_EQ(ReadBytes(dir.filePath("c.txt")), QByteArray("2\t103\t3\r\n"));
    run->L[0] = NAN;
    EXPECT_TRUE(ExportText(dir.filePath("c.txt"), *run, s, {}, {}).contains(dir.filePath("c.txt")));
    EXPECT_EQ(ReadBytes(dir.filePath("c.txt")), QByteArray("2\t103\t3\r\n"));  // the old file stays
}

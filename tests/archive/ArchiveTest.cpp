// The archive's rows and results written and read back, its filters, its
// file checks, and the set-aside and rebuild of a damaged database.
#include "archive/core/AnalysisResults.h"
#include "archive/core/ReportContent.h"
#include "archive/core/RunArchiver.h"
#include "archive/core/RunFacts.h"
#include "tests/archive/ArchiveTestUtil.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>

#include <cmath>

using namespace archive;

namespace {

TRunSettings Calibration(double aT, double bT)
{
    TRunSettings s;
    s.settings.aT = aT;
    s.settings.bT = bT;
    s.settings.Chan1 = 4;
    s.settings.Chan2 = 5;
    s.settings.Chan3 = 6;
    s.settings.TimerWorkInterval = 7;
    return s;
}

TSampleDescription Sample(const QString &name)
{
    return {name, QStringLiteral("Кварцевое стекло КУ-1"), QStringLiteral("Партия 17"),
            QStringLiteral("Иванова"), QStringLiteral("после отжига; \"второй\" нагрев\nстрока 2")};
}

// Each way a run file comes to the window gives a row that reads back whole:
// the file's size and SHA-256, the sample count, the calibrated temperature
// range, the four parameters, the recording times (only when recorded here),
// the settings and the description.
TEST(Archive, FilesOfTheWindowReadBackWhole)
{
    const struct {
        const char *name;
        TRunSource source;
        bool times;
        bool keepsWindowDescription;
    } rows[] = {
        {"saved", TRunSource::Saved, true, true},
        {"autosaved at the end of a run", TRunSource::Autosaved, true, true},
        {"opened", TRunSource::Opened, false, false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        TArchiveFixture fx;
        auto opened = fx.Open();
        ASSERT_TRUE(opened.archive) << opened.messages.join(u'\n').toStdString();
        auto run = FormulaRun(801);  // T from 20 to 420
        run->CalcPoints = 80;
        run->SampleLength = 25000;
        const QString file = fx.WriteRun(QStringLiteral("run.dat"), *run);

        TRunArchiver archiver(opened.archive.get());
        ASSERT_EQ(archiver.SetDescription(Sample(QStringLiteral("Образец 1"))), "");
        TRunTimes times;
        times.startMs = 1'650'000'000'000;
        times.sampleMs[800] = times.startMs + 800'000;
        // T = 1 + 2 x: 41 .. 841 deg C.
        ASSERT_EQ(archiver.RecordFile(file, row.source, Calibration(1, 2), row.times ? &times : nullptr), "");
        ASSERT_EQ(archiver.Rows().size(), 1u);

        const std::optional<TRunEntry> e = opened.archive->Run(archiver.Rows()[0]);
        ASSERT_TRUE(e);
        EXPECT_EQ(e->path, QFileInfo(file).absoluteFilePath());
        EXPECT_EQ(e->source, row.source);
        EXPECT_EQ(e->facts.size, 240032);
        EXPECT_EQ(e->facts.sha256, Sha256Of(file));
        EXPECT_EQ(e->facts.count, 801);
        EXPECT_DOUBLE_EQ(*e->facts.tMin, 41.0);
        EXPECT_DOUBLE_EQ(*e->facts.tMax, 841.0);
        EXPECT_EQ(e->facts.calcPoints, 80);
        EXPECT_EQ(e->facts.sampleLength, 25000);
        EXPECT_EQ(e->facts.quartzAlpha, 5.2e-7);
        EXPECT_EQ(e->settings.settings.aT, 1);
        EXPECT_EQ(e->settings.settings.bT, 2);
        EXPECT_EQ(e->settings.settings.Chan3, 6);
        EXPECT_EQ(e->settings.settings.TimerWorkInterval, 7);
        EXPECT_EQ(e->addedMs, fx.nowMs);
        if (row.times) {
            EXPECT_EQ(e->startedMs, times.startMs);
            EXPECT_EQ(e->endedMs, times.startMs + 800'000);
            EXPECT_EQ(e->RunDateMs(), times.startMs);
        } else {
            EXPECT_FALSE(e->startedMs);
            EXPECT_EQ(e->RunDateMs(), QFileInfo(file).lastModified().toMSecsSinceEpoch());
        }
        // An opened file's row keeps its own (here: empty) description, and
        // the window takes it.
        const TSampleDescription expected =
            row.keepsWindowDescription ? Sample(QStringLiteral("Образец 1")) : TSampleDescription();
        EXPECT_EQ(e->description, expected);
        EXPECT_EQ(archiver.Description(), expected);
    }
}

// The same file archived again is the same row; a file that now holds other
// bytes is a new row, and the old one reports its file as changed. Another
// file with the same bytes takes the description of the first.
TEST(Archive, SameBytesSameRowOtherBytesNewRow)
{
    TArchiveFixture fx;
    auto opened = fx.Open();
    ASSERT_TRUE(opened.archive);
    TArchive &a = *opened.archive;
    const QString file = fx.WriteRun(QStringLiteral("a.dat"), *FormulaRun(100));
    TRunArchiver archiver(&a);
    ASSERT_EQ(archiver.SetDescription(Sample(QStringLiteral("первый"))), "");
    ASSERT_EQ(archiver.RecordFile(file, TRunSource::Saved, {}), "");
    ASSERT_EQ(archiver.RecordFile(file, TRunSource::Opened, {}), "");
    EXPECT_EQ(a.RowCount(), 1);
    const int64_t first = archiver.Rows()[0];

    QFile::copy(file, fx.RunPath(QStringLiteral("copy.dat")));
    TRunArchiver reader(&a);
    ASSERT_EQ(reader.RecordFile(fx.RunPath(QStringLiteral("copy.dat")), TRunSource::Opened, {}), "");
    EXPECT_EQ(a.RowCount(), 2);
    EXPECT_EQ(reader.Description().name, "первый");

    fx.WriteRun(QStringLiteral("a.dat"), *FormulaRun(200));
    ASSERT_EQ(reader.RecordFile(file, TRunSource::Opened, {}), "");
    EXPECT_EQ(a.RowCount(), 3);
    const auto old = a.Run(first);
    ASSERT_TRUE(old);
    EXPECT_EQ(CheckRunFile(old->path, old->facts.size, old->facts.sha256), TFileState::Changed);
}

// What the table reports of a row's file.
TEST(Archive, FileStateOfARow)
{
    const struct {
        const char *name;
        std::function<void(const QString &)> change;
        TFileState state;
    } rows[] = {
        {"untouched", [](const QString &) {}, TFileState::Present},
        {"removed", [](const QString &f) { QFile::remove(f); }, TFileState::Missing},
        {"one byte changed, same size",
         [](const QString &f) {
             QFile file(f);
             ASSERT_TRUE(file.open(QIODevice::ReadWrite));
             file.seek(100);
             file.write("\x01", 1);
         },
         TFileState::Changed},
        {"cut short", [](const QString &f) { QFile(f).resize(1000); }, TFileState::Changed},
        {"a directory in its place",
         [](const QString &f) {
             QFile::remove(f);
             QDir().mkpath(f);
         },
         TFileState::Changed},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        TArchiveFixture fx;
        const QString file = fx.WriteRun(QStringLiteral("r.dat"), *FormulaRun(50));
        const QString sha = Sha256Of(file);
        row.change(file);
        EXPECT_EQ(CheckRunFile(file, 240032, sha), row.state);
    }
}

// The description round trip: every field, Cyrillic, quotes and a line break
// kept; the word search finds it in any case.
TEST(Archive, DescriptionRoundTripAndSearch)
{
    TArchiveFixture fx;
    auto opened = fx.Open();
    ASSERT_TRUE(opened.archive);
    TArchive &a = *opened.archive;
    TRunArchiver archiver(&a);
    ASSERT_EQ(archiver.RecordFile(fx.WriteRun(QStringLiteral("a.dat"), *FormulaRun(10)), TRunSource::Saved, {}), "");
    const int64_t id = archiver.Rows()[0];
    ASSERT_EQ(archiver.SetDescription(Sample(QStringLiteral("Образец «7»"))), "");
    opened.archive.reset();

    auto again = fx.Open();
    ASSERT_TRUE(again.archive);
    EXPECT_EQ(again.archive->Run(id)->description, Sample(QStringLiteral("Образец «7»")));
    QString error;
    for (const char *words : {"партия 17", "ИВАНОВА", "кварцевое ку-1", "отжига"}) {
        SCOPED_TRACE(words);
        TArchiveFilter f;
        f.text = QString::fromUtf8(words);
        EXPECT_EQ(again.archive->Query(f, TSortKey::Id, false, error), std::vector<int64_t>{id});
    }
    TArchiveFilter none;
    none.text = QStringLiteral("партия 18");
    EXPECT_EQ(again.archive->Query(none, TSortKey::Id, false, error), std::vector<int64_t>{});
}

// The filters: date range on the run's date, temperature range meeting the
// run's range, text; and the order asked for.
TEST(Archive, FiltersAndOrder)
{
    TArchiveFixture fx;
    auto opened = fx.Open();
    ASSERT_TRUE(opened.archive);
    TArchive &a = *opened.archive;
    const int64_t day = 86'400'000, d0 = 1'700'000'000'000;
    // id 1: 20..120 deg C on day 0, "сталь"; id 2: 300..900 on day 1,
    // "кварц"; id 3: 100..500 on day 2, "сталь".
    const struct {
        double tMin, tMax;
        int64_t date;
        const char *material;
    } runs[] = {{20, 120, d0, "сталь"}, {300, 900, d0 + day, "кварц"}, {100, 500, d0 + 2 * day, "сталь"}};
    int k = 0;
    for (const auto &r : runs) {
        TRunEntry e;
        e.path = QStringLiteral("/runs/%1.dat").arg(++k);
        e.facts.sha256 = QString::number(k);
        e.facts.tMin = r.tMin;
        e.facts.tMax = r.tMax;
        e.facts.count = 100 * k;
        e.startedMs = r.date;
        e.description.material = QString::fromUtf8(r.material);
        ASSERT_EQ(a.RecordRun(e), "");
    }
    const struct {
        const char *name;
        TArchiveFilter filter;
        TSortKey key;
        bool descending;
        std::vector<int64_t> ids;
    } rows[] = {
        {"all by id", {}, TSortKey::Id, false, {1, 2, 3}},
        {"all by date, newest first", {}, TSortKey::Date, true, {3, 2, 1}},
        {"by the highest temperature", {}, TSortKey::TMax, false, {1, 3, 2}},
        {"days 1 and 2", {QString(), d0 + day, d0 + 3 * day, {}, {}}, TSortKey::Id, false, {2, 3}},
        {"day 0 only (end excluded)", {QString(), d0, d0 + day, {}, {}}, TSortKey::Id, false, {1}},
        {"reaching 600", {QString(), {}, {}, 600.0, {}}, TSortKey::Id, false, {2}},
        {"within reach of 110", {QString(), {}, {}, 110.0, 110.0}, TSortKey::Id, false, {1, 3}},
        {"below 50", {QString(), {}, {}, {}, 50.0}, TSortKey::Id, false, {1}},
        {"steel after day 0", {QStringLiteral("СТАЛЬ"), d0 + 1, {}, {}, {}}, TSortKey::Id, false, {3}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        QString error;
        EXPECT_EQ(a.Query(row.filter, row.key, row.descending, error), row.ids);
    }
    const std::vector<TArchiveRow> shown = a.Rows({3, 1});
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].id, 3);
    EXPECT_EQ(shown[0].count, 300);
    EXPECT_EQ(shown[1].description.material, "сталь");
}

// A result computed before its run was saved waits for the file; one
// computed on a run that has rows goes to every row with its samples.
TEST(Archive, ResultsGoWithTheSamples)
{
    TArchiveFixture fx;
    auto opened = fx.Open();
    ASSERT_TRUE(opened.archive);
    TArchive &a = *opened.archive;
    TRunArchiver archiver(&a);
    auto run = FormulaRun(300);
    TArchiveResult calc;
    calc.command = QStringLiteral("Расчет");
    calc.params = {{QStringLiteral("CalcPoints"), 2}, {QStringLiteral("BaseLineFile"), QStringLiteral("Nil")}};
    calc.values = {{QStringLiteral("Tg"), 512.25}};
    calc.columns = {QStringLiteral("T, deg C"), QStringLiteral("Alpha")};
    calc.rows = {{20, 5.25e-7}, {70, 5.5e-7}};
    ASSERT_EQ(archiver.StoreResult(*run, calc), "");
    EXPECT_EQ(archiver.PendingResults(), 1u);

    // The calculation parameters differ in the file; the samples do not.
    run->CalcPoints = 2;
    ASSERT_EQ(archiver.RecordFile(fx.WriteRun(QStringLiteral("a.dat"), *run), TRunSource::Saved, {}), "");
    EXPECT_EQ(archiver.PendingResults(), 0u);
    ASSERT_EQ(archiver.RecordFile(fx.WriteRun(QStringLiteral("b.dat"), *run), TRunSource::Saved, {}), "");
    fx.nowMs += 1000;
    calc.rows = {{20, 6e-7}};
    ASSERT_EQ(archiver.StoreResult(*run, calc), "");

    const std::vector<TArchiveResult> first = a.Results(archiver.Rows()[0]);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0].command, "Расчет");
    EXPECT_EQ(first[0].params.value(QStringLiteral("CalcPoints")).toInt(), 2);
    EXPECT_EQ(first[0].values.value(QStringLiteral("Tg")).toDouble(), 512.25);
    EXPECT_EQ(first[0].columns, (QStringList{"T, deg C", "Alpha"}));
    EXPECT_EQ(first[0].rows, (std::vector<std::vector<double>>{{20, 5.25e-7}, {70, 5.5e-7}}));
    EXPECT_EQ(first[1].rows, (std::vector<std::vector<double>>{{20, 6e-7}}));
    EXPECT_EQ(a.Results(archiver.Rows()[1]).size(), 1u);
    // Deleting a row takes its results, never its file.
    ASSERT_EQ(a.DeleteRun(archiver.Rows()[0]), "");
    EXPECT_TRUE(a.Results(archiver.Rows()[0]).empty());
    EXPECT_TRUE(QFileInfo::exists(fx.RunPath(QStringLiteral("a.dat"))));
}

// A damaged database file is set aside with a message and the archive is
// built again from the rows still readable and the run files in the run
// directory; the program's copy of it goes on.
TEST(Archive, DamagedDatabaseIsSetAsideAndRebuilt)
{
    const struct {
        const char *name;
        std::function<void(const QString &)> damage;
        bool rowsSalvaged;
    } rows[] = {
        {"truncated", [](const QString &f) { QFile(f).resize(QFileInfo(f).size() * 6 / 10); }, true},
        {"garbage",
         [](const QString &f) {
             QFile file(f);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
             for (int i = 0; i < 5000; ++i)
                 file.write(QByteArray::number(i * 7919 % 65537));
         },
         false},
        {"another program's database",
         [](const QString &f) {
             QFile::remove(f);
             TDatabase db;
             ASSERT_EQ(db.Open(f, true), 0);
             ASSERT_EQ(db.Exec("CREATE TABLE notes(x)"), 0);
         },
         false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        TArchiveFixture fx;
        int64_t described = 0;
        {
            auto opened = fx.Open();
            ASSERT_TRUE(opened.archive);
            TRunArchiver archiver(opened.archive.get());
            ASSERT_EQ(archiver.SetDescription(Sample(QStringLiteral("на диске"))), "");
            for (const char *name : {"a.dat", "b.dat", "c.dat"})
                ASSERT_EQ(archiver.RecordFile(fx.WriteRun(QString::fromLatin1(name), *FormulaRun(100 + name[0])),
                                              TRunSource::Saved, {}),
                          "");
            described = archiver.Rows()[0];
            // Rows of files elsewhere fill pages beyond the first.
            for (int k = 0; k < 300; ++k) {
                TRunEntry e;
                e.path = QStringLiteral("/elsewhere/%1.dat").arg(k);
                e.facts.sha256 = QString::number(k);
                e.description.note = QString(200, u'ж');
                ASSERT_EQ(opened.archive->RecordRun(e), "");
            }
        }
        row.damage(fx.ArchiveFile());
        fx.nowMs += 60'000;

        auto rebuilt = fx.Open();
        ASSERT_TRUE(rebuilt.archive);
        ASSERT_EQ(rebuilt.messages.size(), 1) << rebuilt.messages.join(u'\n').toStdString();
        EXPECT_TRUE(rebuilt.messages[0].contains(QStringLiteral("поврежден"))) << rebuilt.messages[0].toStdString();
        const QStringList aside = QDir(QFileInfo(fx.ArchiveFile()).absolutePath())
                                      .entryList({QStringLiteral("*.damaged-*[0-9]")}, QDir::Files);
        EXPECT_EQ(aside.size(), 1) << aside.join(u' ').toStdString();
        // The three run files are in the archive again.
        QString error;
        for (const char *name : {"a.dat", "b.dat", "c.dat"}) {
            TArchiveFilter all;
            const auto ids = rebuilt.archive->Query(all, TSortKey::Id, false, error);
            ASSERT_TRUE(ids);
            const auto shown = rebuilt.archive->Rows(*ids);
            EXPECT_EQ(std::count_if(shown.begin(), shown.end(),
                                    [&](const TArchiveRow &r) {
                                        return r.path == QFileInfo(fx.RunPath(QString::fromLatin1(name))).absoluteFilePath();
                                    }),
                      1)
                << name;
        }
        if (row.rowsSalvaged) {
            const auto first = rebuilt.archive->Run(described);
            ASSERT_TRUE(first);
            EXPECT_EQ(first->description.name, "на диске");
        }
        // And it works: a new row goes in.
        TRunEntry e;
        e.path = QStringLiteral("/new.dat");
        EXPECT_EQ(rebuilt.archive->RecordRun(e), "");
    }
}

// A database of a newer schema is neither changed nor used; an older one
// (an empty file of version 0) is brought up to date.
TEST(Archive, SchemaVersions)
{
    TArchiveFixture fx;
    {
        QDir().mkpath(QFileInfo(fx.ArchiveFile()).absolutePath());
        TDatabase db;
        ASSERT_EQ(db.Open(fx.ArchiveFile(), true), 0);
    }
    {
        auto opened = fx.Open();
        ASSERT_TRUE(opened.archive);
        EXPECT_EQ(opened.archive->Database().QueryInt("PRAGMA user_version"), kArchiveSchemaVersion);
        EXPECT_EQ(opened.archive->Database().QueryText("PRAGMA journal_mode"), QStringLiteral("wal"));
        ASSERT_EQ(opened.archive->Database().Exec("PRAGMA user_version = 99"), 0);
    }
    const QString before = Sha256Of(fx.ArchiveFile());
    auto newer = fx.Open();
    EXPECT_FALSE(newer.archive);
    ASSERT_EQ(newer.messages.size(), 1);
    EXPECT_TRUE(newer.messages[0].contains(QStringLiteral("новее")));
    EXPECT_EQ(Sha256Of(fx.ArchiveFile()), before);
}

} // namespace

namespace {

// "Физический КТР" and the glass window's last result kept with the run and
// printed by its report: the coefficient left empty at the reference
// temperature stays empty, a Ts not reached is said so, refused tangents give
// their reason instead of Tg.
TEST(Archive, AnalysisResultsReadBackIntoTheReport)
{
    TArchiveFixture fx;
    auto opened = fx.Open();
    ASSERT_TRUE(opened.archive);
    TArchive &a = *opened.archive;
    TRunArchiver archiver(&a);
    auto run = FormulaRun(300);
    ASSERT_EQ(archiver.RecordFile(fx.WriteRun(QStringLiteral("g.dat"), *run), TRunSource::Saved, {}), "");

    analysis::TPhysicalParams params;
    params.Step = 50;
    params.ReferenceTemperature = 20;
    analysis::TPhysicalOutcome physical;
    physical.ReferenceTemperature = 20;
    physical.Smoothing.R = 7.5;
    physical.Smoothing.Automatic = true;
    physical.Rows = {{20, 0, 0, NAN, 3.25e-6}, {70, 8.125, 1.625, 3.25e-6, 3.5e-6}};
    ASSERT_EQ(archiver.StoreResult(*run, PhysicalResult(params, physical)), "");

    analysis::TGlassResult glass;
    glass.Ranges = {20, 500, 600, 640};
    glass.Tangents.Tg = 550.5;
    glass.Tangents.AlphaGlass = 9;
    glass.Tangents.AlphaLiquid = 30;
    ASSERT_EQ(archiver.StoreResult(*run, GlassResult(glass)), "");
    glass.Tangents.Failure = QStringLiteral("Касательные параллельны");
    glass.Softening = analysis::TSoftening{};
    glass.Softening->Ts = 643.25;
    fx.nowMs += 1000;
    ASSERT_EQ(archiver.StoreResult(*run, GlassResult(glass)), "");

    const std::vector<TArchiveResult> results = a.Results(archiver.Rows()[0]);
    ASSERT_EQ(results.size(), 3u);
    EXPECT_EQ(results[0].command, kPhysicalCommand);
    EXPECT_EQ(results[0].columns, analysis::PhysicalHeader(20));
    ASSERT_EQ(results[0].rows.size(), 2u);
    EXPECT_TRUE(std::isnan(results[0].rows[0][3]));
    EXPECT_EQ(results[0].rows[1], (std::vector<double>{70, 8.125, 1.625, 3.25e-6, 3.5e-6}));
    EXPECT_EQ(results[0].params.value(QStringLiteral("Step")).toDouble(), 50);
    EXPECT_EQ(results[1].values.value(QStringLiteral("Tg")).toDouble(), 550.5);
    EXPECT_EQ(results[1].values.value(QStringLiteral("Ts")).toString(), QStringLiteral("не достигнута"));
    EXPECT_EQ(results[2].values.value(QStringLiteral("Tg")).toString(), QStringLiteral("Касательные параллельны"));
    EXPECT_EQ(results[2].values.value(QStringLiteral("Ts")).toDouble(), 643.25);

    const TReportContent report =
        ReportContent(*a.Run(archiver.Rows()[0]), TFileState::Present, run.get(), results, fx.nowMs, "1");
    // The last result of each command: the physical table and the second glass result.
    ASSERT_EQ(report.tables.size(), 2u);
    EXPECT_EQ(report.tables[0].title, QStringLiteral("Физический КТР"));
    ASSERT_EQ(report.tables[0].rows.size(), 2u);
    EXPECT_EQ(report.tables[0].rows[0][3], QString());
    EXPECT_EQ(report.tables[1].title, QStringLiteral("Стеклование и размягчение"));
    EXPECT_TRUE(report.tables[1].values.contains(QStringLiteral("Tg = Касательные параллельны")))
        << report.tables[1].values.join(u'|').toStdString();
}

} // namespace

// varotem-eval archive as a user runs it, with no display: rows added with
// their descriptions, listed with the archive window's filters, shown whole,
// and the report of a row written as a PDF and read back with pdftotext.
#include "analysis/core/ExpansionCalc.h"
#include "archive/core/CalcResult.h"
#include "archive/core/RunArchiver.h"
#include "archive/core/Sqlite.h"
#include "tests/app/CoreTestUtil.h"
#include "tests/archive/ArchiveTestUtil.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <functional>
#include <sqlite3.h>

using namespace archive;

namespace {

struct TResult {
    int code = -1;
    QString out, err;
};

class EvalArchive : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(work.isValid());
        QDir(work.path()).mkpath(QStringLiteral("home"));
    }
    QString Path(const QString &name) const { return work.filePath(name); }
    QString ArchiveFile() const { return Path(QStringLiteral("db/Varotem-archive.sqlite")); }

    // The program in a home of its own, in the C locale, with no display.
    TResult Run(QStringList arguments) const
    {
        arguments << QStringLiteral("--archive") << ArchiveFile();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"LANG", "LC_ALL", "LC_NUMERIC", "LANGUAGE", "DISPLAY", "WAYLAND_DISPLAY",
                                 "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        env.insert(QStringLiteral("HOME"), Path(QStringLiteral("home")));
        QProcess process;
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(work.path());
        process.start(QStringLiteral(VAROTEM_EVAL), arguments);
        TResult result;
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return result;
        result.code = process.exitCode();
        result.out = QString::fromUtf8(process.readAllStandardOutput());
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

    std::vector<int64_t> ListedIds(const QStringList &filters) const
    {
        const TResult r = Run(QStringList{"archive", "list", "--format", "json", "--sort", "id"} + filters);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        std::vector<int64_t> ids;
        for (const QJsonValue &row : QJsonDocument::fromJson(r.out.toUtf8())[QStringLiteral("runs")].toArray())
            ids.push_back(row[QStringLiteral("id")].toInteger());
        return ids;
    }

    QTemporaryDir work;
};

// Runs added from the command line come back through list (with each
// filter) and show; a file changed afterwards is listed as changed.
TEST_F(EvalArchive, AddListShow)
{
    const struct {
        const char *file, *name, *material;
        double t0;
    } runs[] = {{"a.dat", "Образец А", "Сталь", 20}, {"b.dat", "Образец Б", "Кварц", 400}, {"c.dat", "В", "сталь", 20}};
    for (const auto &r : runs) {
        ASSERT_EQ(SaveData(Path(QString::fromLatin1(r.file)), *FormulaRun(101, r.t0)), "");
        const TResult added = Run({"archive", "add", QString::fromLatin1(r.file), "--name", QString::fromUtf8(r.name),
                                   "--material", QString::fromUtf8(r.material), "--batch", "17"});
        ASSERT_EQ(added.code, 0) << added.err.toStdString();
    }
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    const struct {
        const char *name;
        QStringList filters;
        std::vector<int64_t> ids;
    } rows[] = {
        {"all", {}, {1, 2, 3}},
        {"material in any case", {"--text", "СТАЛЬ"}, {1, 3}},
        {"two words", {"--text", "образец кварц"}, {2}},
        {"from today", {"--from", today}, {1, 2, 3}},
        {"until yesterday", {"--to", QDate::currentDate().addDays(-1).toString(Qt::ISODate)}, {}},
        {"reaching 420 deg C", {"--t-from", "420"}, {2}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ListedIds(row.filters), row.ids);
    }

    const TResult shown = Run({"archive", "show", "2"});
    ASSERT_EQ(shown.code, 0) << shown.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(shown.out.toUtf8()).object();
    EXPECT_EQ(o[QStringLiteral("name")].toString(), "Образец Б");
    EXPECT_EQ(o[QStringLiteral("batch")].toString(), "17");
    EXPECT_EQ(o[QStringLiteral("sha256")].toString(), Sha256Of(Path(QStringLiteral("b.dat"))));
    EXPECT_EQ(o[QStringLiteral("count")].toInt(), 101);
    EXPECT_EQ(o[QStringLiteral("t_min")].toDouble(), 400);
    EXPECT_EQ(o[QStringLiteral("t_max")].toDouble(), 450);
    EXPECT_EQ(o[QStringLiteral("state")].toString(), "на месте");

    ASSERT_EQ(SaveData(Path(QStringLiteral("b.dat")), *FormulaRun(102, 400)), "");
    const TResult csv = Run({"archive", "list", "--format", "csv", "--sort", "id"});
    const QStringList lines = csv.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("id,date,name,material,batch")));
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral(",изменен"))) << lines[2].toStdString();
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(",на месте"))) << lines[1].toStdString();
}

TEST_F(EvalArchive, WrongCommandLines)
{
    // Reading an archive that does not exist creates none.
    const TResult none = Run({"archive", "list"});
    EXPECT_EQ(none.code, 1);
    EXPECT_FALSE(QFileInfo::exists(ArchiveFile()));
    ASSERT_EQ(SaveData(Path(QStringLiteral("a.dat")), *FormulaRun(10)), "");
    ASSERT_EQ(Run({"archive", "add", "a.dat"}).code, 0);

    const struct {
        const char *name;
        QStringList arguments;
        int code;
    } rows[] = {
        {"id not a number", {"archive", "show", "x"}, 2},
        {"unknown id", {"archive", "show", "7"}, 1},
        {"unknown sort key", {"archive", "list", "--sort", "colour"}, 2},
        {"a date in another form", {"archive", "list", "--from", "01.02.2026"}, 2},
        {"not a run file", {"archive", "add", "missing.dat"}, 1},
        {"a report of an unknown id", {"archive", "report", "7", "out.pdf"}, 1},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const TResult r = Run(row.arguments);
        EXPECT_EQ(r.code, row.code) << r.err.toStdString();
        EXPECT_FALSE(r.err.isEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("out.pdf"))));
}

// The help names the options' values in the program's language, whole
// (a value name in Cyrillic once came out as mojibake).
TEST_F(EvalArchive, HelpNamesTheValues)
{
    const TResult r = Run({"archive", "list", "--help"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("--from ГГГГ-ММ-ДД"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("Архив: запуски, отобранные как в окне \"Архив\"."))) << r.out.toStdString();
}

// The report of a run with its "Расчет" table, written without a display:
// the text read back holds the sample's name, the captions and the first and
// last rows of the worked example of the test run.
TEST_F(EvalArchive, ReportReadsBack)
{
    // The test run: T = i, L = ln(i + 50) / 12, i = 1..600.
    auto run = FormulaRun(600);
    for (int i = 1; i <= 600; ++i) {
        run->T[i - 1] = run->TC[i - 1] = i;
        run->L[i - 1] = std::log(i + 50.0) / 12;
    }
    ASSERT_EQ(SaveData(Path(QStringLiteral("test.dat")), *run), "");
    {
        TOpenedArchive opened = OpenArchive({ArchiveFile(), {}, {}, {}});
        ASSERT_TRUE(opened.archive);
        TRunArchiver archiver(opened.archive.get());
        ASSERT_EQ(archiver.SetDescription({QStringLiteral("Эталон Q-7"), QStringLiteral("Кварцевое стекло"),
                                           QStringLiteral("2026/03"), QStringLiteral("Сидорова"),
                                           QStringLiteral("контрольный нагрев")}),
                  "");
        ASSERT_EQ(archiver.RecordFile(Path(QStringLiteral("test.dat")), TRunSource::Saved, {}), "");
        const TSettings settings = DefaultSettings(QString());
        const analysis::TCalcParams params = analysis::CalcParamsOf(*run, analysis::kNoBaseline);
        const analysis::TCalcOutcome calc =
            analysis::Calculate(*CalibratedCopy(*run, settings, {}, {}), params, settings, {}, {});
        ASSERT_TRUE(calc.Failure.isEmpty());
        ASSERT_EQ(archiver.StoreResult(*run, CalcResult(params, calc.Rows)), "");
    }
    const TResult r = Run({"archive", "report", "1", "report.pdf"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QString text = PdfText(Path(QStringLiteral("report.pdf")));
    // Interval 1: (ln 56 - ln 51) / 12 / 50000 / 5 + 5.2e-7 = 5.51175e-7;
    // interval 100 starts at T = 496 with 5.27933e-7.
    for (const char *expected :
         {"Отчет о запуске № 1", "Эталон Q-7", "Кварцевое стекло", "Сидорова", "контрольный нагрев",
          "Описание образца", "Параметры расчета", "Длина образца", "Настройки", "Калибровка T", "L от T",
          "Результаты: Расчет", "на месте", "N T, deg C dL dLQ dL-dLQ (dL-dLQ)/L0 Alpha",
          "1 1.00000 0.00779 0.00000 0.00779 0.00000 5.51175E-07",
          "100 496.00000 0.19800 0.00000 0.19800 0.00000 5.27933E-07", "Varotem 0.1.0", "Страница 2"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    QFile pdf(Path(QStringLiteral("report.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.contains("/MediaBox [0 0 595")) << "not A4";
    EXPECT_TRUE(bytes.contains("/FontFile2")) << "fonts not embedded";
}

} // namespace

// --archive naming a file that is no archive of the program's (a text file,
// another program's SQLite database, an empty one of another program): every
// subcommand refuses with a message and leaves the file, and its folder, as
// they were.
TEST_F(EvalArchive, ForeignFileIsRefusedAndLeftAlone)
{
    ASSERT_EQ(SaveData(Path(QStringLiteral("a.dat")), *FormulaRun(10)), "");
    const auto sqlite = [](const QString &file, const char *sql) {
        TDatabase db;
        ASSERT_EQ(db.Open(file, true), SQLITE_OK);
        ASSERT_EQ(db.Exec(sql), SQLITE_OK);
    };
    const struct {
        const char *name;
        std::function<void(const QString &)> make;
    } files[] = {
        {"a text file", [](const QString &f) { WriteBytes(f, "notes, not an archive\n"); }},
        {"another program's database",
         [&](const QString &f) { sqlite(f, "CREATE TABLE things(x); INSERT INTO things VALUES (1);"); }},
        {"another program's empty database", [&](const QString &f) { sqlite(f, "PRAGMA application_id = 42;"); }},
    };
    const QStringList commands[] = {
        {"archive", "list"}, {"archive", "show", "1"}, {"archive", "report", "1", "out.pdf"}, {"archive", "add", "a.dat"}};
    for (const auto &file : files) {
        QDir(Path("db")).removeRecursively();
        QDir().mkpath(Path("db"));
        file.make(ArchiveFile());
        const QByteArray before = ReadBytes(ArchiveFile());
        ASSERT_FALSE(before.isEmpty()) << file.name;
        for (const QStringList &command : commands) {
            const TResult r = Run(command);
            EXPECT_EQ(r.code, 1) << file.name << ", " << command.join(' ').toStdString() << ": " << r.err.toStdString();
            EXPECT_TRUE(r.err.contains(ArchiveFile())) << file.name << ": " << r.err.toStdString();
            EXPECT_TRUE(ReadBytes(ArchiveFile()) == before) << file.name << ", " << command.join(' ').toStdString();
            EXPECT_EQ(QDir(Path("db")).entryList(QDir::Files | QDir::Hidden), QStringList{"Varotem-archive.sqlite"})
                << file.name << ", " << command.join(' ').toStdString();
        }
    }
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("out.pdf"))));
}

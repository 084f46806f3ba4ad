// varotem-eval as a user runs it: a process with arguments, standard output,
// standard error and an exit status. The worked example comes from the test
// run's closed form (T = i, L = ln(i + 50) / 12); the full-precision outputs
// must be the very doubles of the window's calculation.
#include "analysis/core/ExpansionCalc.h"
#include "analysis/core/QuartzTable.h"
#include "app/core/Calibration.h"
#include "app/core/DataFiles.h"
#include "app/core/Settings.h"
#include "materials/MaterialLibrary.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <ostream>
#include <random>
#include <vector>

inline void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }

namespace {

struct TResult {
    int code = -1;
    QString out, err;
};

double TestRunL(int i) { return std::log(i + 50.0) / 12.0; }

// The built-in test run, computed here on its own.
std::unique_ptr<TRunData> TestRun()
{
    auto run = std::make_unique<TRunData>();
    ClearRun(*run);
    run->Count = 600;
    for (int i = 1; i <= 600; ++i) {
        run->T[i - 1] = i;
        run->L[i - 1] = TestRunL(i);
        run->TC[i - 1] = i;
    }
    return run;
}

QStringList Lines(const QString &text) { return text.split(u'\n', Qt::SkipEmptyParts); }

class Eval : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(work.isValid());
        for (const char *dir : {"run", "home", "config", "tmp"})
            ASSERT_TRUE(QDir(work.path()).mkpath(dir));
        WriteRun("test.dat", *TestRun());
    }

    QString Path(const QString &name) const { return work.filePath(QStringLiteral("run/") + name); }
    void WriteRun(const QString &name, const TRunData &run) const
    {
        ASSERT_EQ(SaveData(Path(name), run), "");
    }

    // The program in the directory "run", with a home, configuration and
    // temporary directory of its own and the given locale.
    TResult Run(const QStringList &arguments, const QString &locale = QStringLiteral("C")) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"LANG", "LC_ALL", "LC_NUMERIC", "LANGUAGE"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("LC_ALL"), locale);
        env.insert(QStringLiteral("HOME"), work.filePath(QStringLiteral("home")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), work.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("TMPDIR"), work.filePath(QStringLiteral("tmp")));
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        QProcess process;
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(work.filePath(QStringLiteral("run")));
        process.start(QStringLiteral(VAROTEM_EVAL), arguments);
        TResult result;
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return result;
        result.code = process.exitCode();
        result.out = QString::fromUtf8(process.readAllStandardOutput());
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

    // Every file below the work directory.
    QStringList Files() const
    {
        QStringList files;
        QDirIterator it(work.path(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next();
        files.sort();
        return files;
    }

    QTemporaryDir work;
};

// The rows of the worked example, as the result grid shows them, in the
// locale's decimal separator.
TEST_F(Eval, CalcPrintsTheWorkedExampleAsTheGridShowsIt)
{
    const struct {
        const char *locale;
        QString row1, row100;
    } rows[] = {
        {"C", "1\t1.00000\t0.00779\t0.00000\t0.00779\t0.00000\t5.51175E-07",
         "100\t496.00000\t0.19800\t0.00000\t0.19800\t0.00000\t5.27933E-07"},
        {"ru_RU.UTF-8", "1\t1,00000\t0,00779\t0,00000\t0,00779\t0,00000\t5,51175E-07",
         "100\t496,00000\t0,19800\t0,00000\t0,19800\t0,00000\t5,27933E-07"},
    };
    // (ln 56 - ln 51) / 12 = 0.0077938; / 50000 / 5 + 5.2e-7 = 5.51175e-7.
    EXPECT_NEAR((TestRunL(6) - TestRunL(1)) / 50000 / 5 + 5.2e-7, 5.51175e-7, 5e-13);
    for (const auto &row : rows) {
        SCOPED_TRACE(row.locale);
        const TResult r = Run({"calc", "test.dat"}, QString::fromLatin1(row.locale));
        EXPECT_EQ(r.code, 0);
        EXPECT_EQ(r.err, "Базовая линия игнорирована!\n");
        const QStringList lines = Lines(r.out);
        ASSERT_EQ(lines.size(), 101);
        EXPECT_EQ(lines[0], "N\tT, deg C\tdL\tdLQ\tdL-dLQ\t(dL-dLQ)/L0\tAlpha");
        EXPECT_EQ(lines[1], row.row1);
        EXPECT_EQ(lines[100], row.row100);
    }
}

// CSV and JSON carry the window's own doubles: the calculation run in this
// process on the same inputs gives bit for bit the same numbers.
TEST_F(Eval, CsvAndJsonGiveTheNumbersOfTheWindowsCalculation)
{
    // A baseline L = 0.002 T + 1e-6 T^2 and a three-row quartz table.
    auto base = TestRun();
    for (int i = 1; i <= 600; ++i)
        base->L[i - 1] = 0.002 * i + 1e-6 * i * i;
    WriteRun("base.dat", *base);
    const analysis::TFitPoints quartz{{100, 400, 800}, {5e-7, 6e-7, 5.5e-7}};
    ASSERT_EQ(SaveData(Path("quartz.dat"), *analysis::QuartzTableRecord(quartz)), "");
    auto ownPoints = TestRun();
    ownPoints->CalcPoints = 0;  // outside the spin box: taken as 2
    WriteRun("zero-points.dat", *ownPoints);

    const struct {
        const char *name;
        QString file;
        QStringList options;
        std::function<void(analysis::TCalcParams &)> set;
    } rows[] = {
        {"the run's own parameters", "test.dat", {}, {}},
        {"every option",
         "test.dat",
         {"--points", "50", "--sample-length", "20000", "--quartz-length", "40000", "--quartz-alpha", "5.5e-7",
          "--baseline", "base.dat", "--quartz-table", "quartz.dat", "--dl-from-zero", "--dlq-from-zero"},
         [&](analysis::TCalcParams &p) {
             p.CalcPoints = 50;
             p.SampleLength = 20000;
             p.QuartzLength = 40000;
             p.QuartzAlpha = 5.5e-7;
             p.BaseLineFile = Path("base.dat");
             p.QuartzTable = quartz;
             p.DLFromZero = p.DLQFromZero = true;
         }},
        {"a point count below the range in the file", "zero-points.dat", {}, {}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        auto run = std::make_unique<TRunData>();
        ClearRun(*run);
        ASSERT_EQ(ReadRunFile(Path(row.file), *run, -1), "");
        analysis::TCalcParams params = analysis::CalcParamsOf(*run, QStringLiteral("Nil"));
        if (row.set)
            row.set(params);
        const TSettings settings = DefaultSettings(QString());
        const TSplineTable none;
        const analysis::TCalcOutcome window =
            analysis::Calculate(*CalibratedCopy(*run, settings, none, none), params, settings, none, none);
        ASSERT_TRUE(window.Failure.isEmpty());

        const TResult csv = Run(QStringList{"calc", row.file, "--format", "csv"} + row.options);
        ASSERT_EQ(csv.code, 0) << csv.err.toStdString();
        const QStringList lines = Lines(csv.out);
        ASSERT_EQ(lines.size(), int(window.Rows.size()) + 1);
        EXPECT_EQ(lines[0], "N,\"T, deg C\",dL,dLQ,dL-dLQ,(dL-dLQ)/L0,Alpha");
        const TResult json = Run(QStringList{"calc", row.file, "--format", "json"} + row.options);
        ASSERT_EQ(json.code, 0) << json.err.toStdString();
        const QJsonArray objects = QJsonDocument::fromJson(json.out.toUtf8())["rows"].toArray();
        ASSERT_EQ(objects.size(), int(window.Rows.size()));
        for (size_t j = 0; j < window.Rows.size(); ++j) {
            const analysis::TCalcRow &w = window.Rows[j];
            const double expected[] = {double(w.J), w.T, w.DL, w.DLQ, w.Diff, w.Relative, w.Alpha};
            const QStringList fields = lines[int(j) + 1].split(u',');
            ASSERT_EQ(fields.size(), 7);
            const QJsonObject o = objects[int(j)].toObject();
            const double fromJson[] = {o["n"].toDouble(),      o["t"].toDouble(),      o["dl"].toDouble(),
                                       o["dlq"].toDouble(),    o["dl_dlq"].toDouble(), o["dl_dlq_l0"].toDouble(),
                                       o["alpha"].toDouble()};
            for (int a = 0; a < 7; ++a) {
                EXPECT_EQ(fields[a].toDouble(), expected[a]) << "row " << j + 1 << " column " << a;
                EXPECT_EQ(fromJson[a], expected[a]) << "row " << j + 1 << " column " << a;
            }
        }
    }
}

// Each refusal: the program's message on standard error, nothing on standard
// output, a status saying whose fault it was (2: the command line, 1: the
// files), and nothing written anywhere: not beside the run, not in the home,
// configuration or temporary directory.
TEST_F(Eval, RefusalsGoToStandardErrorWithAStatus)
{
    auto twoPoints = std::make_unique<TSplineTable>();
    twoPoints->Count = 2;
    ASSERT_EQ(SaveSplineTable(Path("two.spl"), *twoPoints), "");
    TSettings splines = DefaultSettings(QString());
    splines.TSplineKalibrFlag = true;
    splines.SplineTFile = Path("two.spl");
    ASSERT_EQ(WriteSettings(Path("splines.ini"), splines), "");
    const QStringList before = Files();

    const struct {
        const char *name;
        QStringList arguments;
        int code;
        QString message;  // the start of standard error
    } rows[] = {
        {"no command", {}, 2, "varotem-eval:"},
        {"unknown command", {"fit", "test.dat"}, 2, "Неизвестная команда \"fit\""},
        {"no run file", {"calc"}, 2, "Неверная командная строка: varotem-eval calc RUN.dat"},
        {"unknown option", {"calc", "test.dat", "--bogus"}, 2, "Неверная командная строка: "},
        {"point count not a number", {"calc", "test.dat", "--points", "ten"}, 2,
         "Неверный параметр --points: \"ten\" не является целым числом!"},
        {"point count out of range", {"calc", "test.dat", "--points", "1001"}, 2,
         "Неверный параметр --points 1001: число интервалов должно быть от 2 до 1000!"},
        {"decimal comma", {"calc", "test.dat", "--sample-length", "5,0"}, 2,
         "Неверный параметр --sample-length: \"5,0\" не является числом!"},
        {"unknown format", {"calc", "test.dat", "--format", "xml"}, 2, "Неверный вид вывода \"xml\""},
        {"missing run file", {"calc", "absent.dat"}, 1, "Не удалось открыть файл"},
        {"missing baseline", {"calc", "test.dat", "--baseline", "absent.dat"}, 1,
         "Базовая линия не загружена! Расчет остановлен!"},
        {"zero sample length", {"calc", "test.dat", "--sample-length", "0"}, 1,
         "Базовая линия игнорирована!\nДлина образца равна нулю! Расчет остановлен!"},
        {"missing settings file", {"calc", "test.dat", "--calibration", "absent.ini"}, 1,
         "Файл не найден: absent.ini!"},
        {"reference points that make no spline", {"calc", "test.dat", "--calibration", "splines.ini"}, 1,
         "Калибровка T по реперным точкам невозможна: нужно от 3 до 100 точек!"},
        {"export to another kind of file", {"export", "test.dat", "test.txt"}, 2,
         "Файл \"test.txt\" не записан: имя должно оканчиваться на .xlsx или .csv!"},
        {"physical: a step that is not a number", {"physical", "test.dat", "--step", "ten"}, 2,
         "Неверный параметр --step: \"ten\" не является числом!"},
        {"physical: a reference temperature the run does not reach",
         {"physical", "test.dat", "--reference-temperature", "700"}, 1,
         "Базовая линия игнорирована!\nТемпература отсчета 700 deg C не достигнута: температура записи от 1 до "
         "600 deg C! Расчет остановлен!"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const TResult r = Run(row.arguments);
        EXPECT_EQ(r.code, row.code);
        EXPECT_TRUE(r.err.startsWith(row.message)) << r.err.toStdString();
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(Files(), before);
}

// The export writes the run as calibrated by the settings file: T and TC
// doubled (bT = 2), L shifted by 0.1 (aL = 0.1); a sample flagged as a failed
// conversion is left out.
TEST_F(Eval, ExportWritesTheCalibratedRun)
{
    TSettings settings = DefaultSettings(QString());
    settings.bT = 2;
    settings.aL = 0.1;
    ASSERT_EQ(WriteSettings(Path("Varotem.ini"), settings), "");
    auto run = TestRun();
    run->L[9] = -1;  // sample 10: a failed conversion
    WriteRun("flagged.dat", *run);
    auto expect = [](int row, double t, double l, double tc) {
        const int i = row < 10 ? row : row + 1;  // the samples after 10 move up
        EXPECT_EQ(t, 2.0 * i) << row;
        EXPECT_NEAR(l, TestRunL(i) + 0.1, 1e-15) << row;
        EXPECT_EQ(tc, 2.0 * i) << row;
    };

    const TResult csv = Run({"export", "flagged.dat", "out.csv", "--calibration", "Varotem.ini"});
    ASSERT_EQ(csv.code, 0) << csv.err.toStdString();
    QFile file(Path("out.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = Lines(QString::fromUtf8(file.readAll()));
    ASSERT_EQ(lines.size(), 600);
    EXPECT_EQ(lines[0], "\"T, deg C\",\"L, mm\",\"TC, deg C\"");
    for (int row = 1; row < 600; ++row) {
        const QStringList f = lines[row].split(u',');
        ASSERT_EQ(f.size(), 3);
        expect(row, f[0].toDouble(), f[1].toDouble(), f[2].toDouble());
    }

    const TResult xlsx = Run({"export", "flagged.dat", "out.xlsx", "--calibration", "Varotem.ini"});
    ASSERT_EQ(xlsx.code, 0) << xlsx.err.toStdString();
    const QString python = QStringLiteral(VAROTEM_XLSX_PYTHON);
    ASSERT_FALSE(python.isEmpty()) << "no Python with openpyxl was found when the build was configured";
    QProcess reader;
    reader.start(python, {QStringLiteral(VAROTEM_XLSX_READER), Path("out.xlsx")});
    ASSERT_TRUE(reader.waitForFinished(60000));
    const QJsonArray rows = QJsonDocument::fromJson(reader.readAllStandardOutput())["rows"].toArray();
    ASSERT_EQ(rows.size(), 600);
    EXPECT_EQ(rows[0][1][1].toString(), "L, mm");
    for (int row = 1; row < 600; ++row) {
        const QJsonArray r = rows[row].toArray();
        expect(row, r[0][1].toDouble(), r[1][1].toDouble(), r[2][1].toDouble());
    }
}

// varotem-eval physical on runs written here in double precision from the
// borosilicate glass SRM 731, whose certificate gives
//   alpha(T) = (0.8651 + 2.3569e-2 T - 4.2277e-5 T^2 + 2.5408e-8 T^3) 1e-6 / K
// with T in kelvin; its strain from 20 deg C is the exact integral. The run
// holds what the instrument shows: the sample's expansion less that of the
// push rod (the run's own LQ and alpha_q), with 10 nm of noise on L.
constexpr double kL0 = 25000, kLQ = 30000, kQuartzAlpha = 5.5e-7;  // mkm, mkm, 1/K

double Srm731Alpha(double celsius)
{
    const double t = celsius + 273.15;
    return (0.8651 + 2.3569e-2 * t - 4.2277e-5 * t * t + 2.5408e-8 * t * t * t) * 1e-6;
}

double Srm731Strain(double celsius)
{
    const auto f = [](double t) {
        return (0.8651 * t + 2.3569e-2 / 2 * t * t - 4.2277e-5 / 3 * t * t * t + 2.5408e-8 / 4 * t * t * t * t) * 1e-6;
    };
    return f(celsius + 273.15) - f(293.15);
}

// 0.5 K per sample from `from` to `to`, after `hold` samples at `holdAt`
// where the ramp passes it; noise on L and optionally on T.
std::unique_ptr<TRunData> Srm731Run(double from, double to, double tNoise, double holdAt = 0, int hold = 0)
{
    std::vector<double> temps;
    for (double v = from; v <= to + 1e-9; v += 0.5) {
        temps.push_back(v);
        if (v == holdAt)
            temps.insert(temps.end(), size_t(hold), v);
    }
    std::mt19937 rng(731);
    std::normal_distribution<double> lNoise(0, 0.01), thermocouple(0, tNoise > 0 ? tNoise : 1);
    auto run = std::make_unique<TRunData>();
    ClearRun(*run);
    run->Count = int32_t(temps.size());
    run->SampleLength = kL0;
    run->QuartzLength = kLQ;
    run->QuartzAlpha = kQuartzAlpha;
    for (size_t i = 0; i < temps.size(); ++i) {
        run->T[i] = temps[i] + (tNoise > 0 ? thermocouple(rng) : 0);
        run->L[i] = kL0 * Srm731Strain(temps[i]) - kQuartzAlpha * kLQ * (temps[i] - from) + lNoise(rng);
    }
    return run;
}

// The physical coefficient within 0.05e-6 / K of the certificate on every row
// 20 K or more inside the run, the strain within 1e-6 and the mean
// coefficient within 0.05e-6 / K from 50 K off the reference on; a hold
// leaves its row empty; a thermocouple's noise changes nothing of it.
TEST_F(Eval, PhysicalMatchesTheSrm731Certificate)
{
    const struct {
        const char *name;
        std::unique_ptr<TRunData> run;
        std::vector<double> empty;  // rows without a physical coefficient
    } rows[] = {
        {"a steady ramp", Srm731Run(0, 400, 0), {}},
        {"thermocouple noise of 0.02 K", Srm731Run(0, 400, 0.02), {}},
        {"200 samples held at 200 deg C", Srm731Run(0, 400, 0, 200, 200), {200}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        WriteRun("srm731.dat", *row.run);
        const TResult r = Run({"physical", "srm731.dat", "--format", "csv"});
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("выбрано по GCV")) << r.err.toStdString();
        std::vector<double> empty;
        int checked = 0;
        for (const QString &line : Lines(r.out).mid(1)) {
            const QStringList f = line.split(u',');
            ASSERT_EQ(f.size(), 5) << line.toStdString();
            const double t = f[0].toDouble();
            if (t < 20 || t > 380)
                continue;
            ++checked;
            SCOPED_TRACE(line.toStdString());
            EXPECT_NEAR(f[1].toDouble(), kL0 * Srm731Strain(t), kL0 * 1e-6);
            EXPECT_NEAR(f[2].toDouble(), Srm731Strain(t) * 1e6, 1.0);
            if (std::fabs(t - 20) >= 50) {
                EXPECT_NEAR(f[3].toDouble(), Srm731Strain(t) / (t - 20), 0.05e-6);
            }
            if (f[4].isEmpty())
                empty.push_back(t);
            else
                EXPECT_NEAR(f[4].toDouble(), Srm731Alpha(t), 0.05e-6);
        }
        EXPECT_EQ(checked, 37);  // 20, 30, ..., 380
        EXPECT_EQ(empty, row.empty);
    }
}

// JSON carries the rows of the CSV, null where a value is undefined (the mean
// coefficient at the reference temperature), and how the run was smoothed.
TEST_F(Eval, PhysicalJsonHoldsTheRowsOfTheCsv)
{
    WriteRun("warm.dat", *Srm731Run(25, 425, 0));
    const QStringList options{"--reference-temperature", "25", "--step", "20", "--smoothing", "12"};
    const TResult csv = Run(QStringList{"physical", "warm.dat", "--format", "csv"} + options);
    const TResult json = Run(QStringList{"physical", "warm.dat", "--format", "json"} + options);
    ASSERT_EQ(csv.code, 0) << csv.err.toStdString();
    ASSERT_EQ(json.code, 0) << json.err.toStdString();
    const QJsonObject doc = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(doc["format"].toString(), "varotem-physical");
    EXPECT_EQ(doc["version"].toInt(), 1);
    EXPECT_EQ(doc["smoothing"]["r"].toDouble(), 12);
    EXPECT_EQ(doc["smoothing"]["samples"].toInt(), 801);
    const QJsonArray rows = doc["rows"].toArray();
    const QStringList lines = Lines(csv.out);
    ASSERT_EQ(rows.size(), 21);  // 25, 45, ..., 425
    ASSERT_EQ(lines.size(), 22);
    EXPECT_TRUE(rows[0]["mean_alpha"].isNull());
    EXPECT_TRUE(lines[1].startsWith("25,0,0,,"));
    const char *keys[] = {"t", "dl", "strain", "mean_alpha", "alpha"};
    for (int i = 1; i < rows.size(); ++i) {
        const QStringList f = lines[i + 1].split(u',');
        for (int a = 0; a < 5; ++a)
            EXPECT_EQ(f[a].toDouble(), rows[i][keys[a]].toDouble()) << "row " << i << " " << keys[a];
    }
}

} // namespace

// The library shipped beside the build's programs, each material on a line.
TEST_F(Eval, MaterialsListsTheLibrary)
{
    const TResult table = Run({"materials"});
    EXPECT_EQ(table.code, 0);
    QStringList ids;
    for (const QString &line : Lines(table.out).mid(1))
        ids << line.section(u'\t', 0, 0);
    EXPECT_EQ(ids, QStringList({"copper", "platinum", "silica", "srm731"}));
    EXPECT_TRUE(table.out.contains(QStringLiteral("srm731\tБоросиликатное стекло NIST SRM 731\t293–640\tNIST "
                                                  "Standard Reference Material 731")));
    const TResult json = Run({"materials", "--format", "json"});
    const QJsonArray list = QJsonDocument::fromJson(json.out.toUtf8())[QStringLiteral("materials")].toArray();
    ASSERT_EQ(list.size(), 4);
    EXPECT_EQ(list[3][QStringLiteral("high_k")].toDouble(), 640.0);
    const TResult none = Run({"materials", "--materials", Path(QStringLiteral("nothing"))});
    EXPECT_EQ(none.code, 1);
    EXPECT_TRUE(none.err.startsWith(QStringLiteral("Библиотека эталонных материалов пуста"))) << none.err.toStdString();
}

// A copper reference run and a glass run written from closed forms, on an
// instrument whose push rod expands 0.7e-6 per K while "Alpha кварца" says
// 5.2e-7: with the correction as baseline, calc gives SRM 731's certified
// mean coefficient (its polynomial integrated by hand); refusals end with
// their status.
TEST_F(Eval, CorrectionAsBaselineGivesTheCertifiedCoefficient)
{
    std::string error;
    const auto copper = materials::LoadMaterialFile(VAROTEM_MATERIALS_DIR "/copper.material", error);
    ASSERT_TRUE(copper) << error;
    const auto glassIntegral = [](double c) {
        const double k = c + 273.15;
        return (0.8651 * k + 2.3569e-2 * k * k / 2 - 4.2277e-5 * k * k * k / 3 + 2.5408e-8 * k * k * k * k / 4) * 1e-6;
    };
    const double l0 = 50000;
    const auto write = [&](const char *name, const std::function<double(double)> &strain) {
        auto run = TestRun();
        run->Count = 1000;
        for (int32_t i = 0; i < 1000; ++i) {
            const double t = 20 + 0.34 * i;
            run->T[i] = t;
            run->TC[i] = t;
            run->L[i] = l0 * (strain(t) - strain(20)) - l0 * 0.7e-6 * (t - 20);
        }
        WriteRun(QString::fromLatin1(name), *run);
    };
    write("cu.dat", [&](double t) { return copper->Strain(t + 273.15); });
    write("glass.dat", glassIntegral);

    const TResult made = Run({"correction", "cu.dat", "--material", "copper", "--sample-length", "50000", "--out",
                              "corr.dat"});
    ASSERT_EQ(made.code, 0) << made.err.toStdString();
    const TResult calc = Run({"calc", "glass.dat", "--baseline", "corr.dat", "--points", "10", "--format", "json"});
    ASSERT_EQ(calc.code, 0) << calc.err.toStdString();
    const QJsonArray rows = QJsonDocument::fromJson(calc.out.toUtf8())[QStringLiteral("rows")].toArray();
    ASSERT_EQ(rows.size(), 10);
    // Interval j runs from sample 1 to sample 1 + 90 j (s = 1000 div 11).
    for (int j = 1; j <= 10; ++j) {
        const double t1 = 20 + 0.34 * 90 * j;
        const double certified = (glassIntegral(t1) - glassIntegral(20)) / (t1 - 20);
        EXPECT_NEAR(rows[j - 1][QStringLiteral("alpha")].toDouble(), certified, 1e-12) << j;
    }

    const struct {
        const char *name;
        QStringList arguments;
        int code;
        QString error;
    } refusals[] = {
        {"unknown material", {"correction", "cu.dat", "--material", "gold", "--out", "x.dat"}, 2,
         "Материал \"gold\" не найден в библиотеке (varotem-eval materials)!\n"},
        {"no output", {"correction", "cu.dat", "--material", "copper"}, 2, "Не задан параметр --out!\n"},
        // Sample 883 at 319.88 °C lies within 0.05 K of the range; 884 does not.
        {"out of range", {"correction", "cu.dat", "--material", "silica", "--out", "x.dat"}, 1,
         "Температура 320.22 °C (точка 884) вне аттестованного диапазона материала «Кварцевое стекло (среднее "
         "значение)»: от 19.85 до 319.85 °C (293–593 K)! Коррекция не создана!\n"},
    };
    for (const auto &r : refusals) {
        SCOPED_TRACE(r.name);
        const TResult result = Run(r.arguments);
        EXPECT_EQ(result.code, r.code);
        EXPECT_EQ(result.err, r.error);
        EXPECT_FALSE(QFile::exists(Path(QStringLiteral("x.dat"))));
    }
}

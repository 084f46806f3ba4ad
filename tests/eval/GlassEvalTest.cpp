// varotem-eval glass as a user runs it: on runs recorded from the simulated
// glass, with the heating cut at softening, against the simulator's own
// model; and its outputs, which carry the window's numbers.
#include "analysis/core/GlassTransition.h"
#include "app/core/Acquisition.h"
#include "app/core/DataFiles.h"
#include "tests/analysis/GlassModel.h"
#include "tests/app/AppTestUtil.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

struct TOutput {
    int code = -1;
    QString out, err;
};

class GlassEval : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString Path(const QString &name) const { return dir.filePath(name); }

    TOutput Run(const QStringList &arguments) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        env.insert(QStringLiteral("HOME"), dir.path());
        QProcess process;
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(dir.path());
        process.start(QStringLiteral(VAROTEM_EVAL), QStringList{"glass"} + arguments);
        TOutput result;
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return result;
        result.code = process.exitCode();
        result.out = QString::fromUtf8(process.readAllStandardOutput());
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

    QJsonObject Json(const QStringList &arguments) const
    {
        const TOutput r = Run(arguments + QStringList{"--format", "json"});
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        return QJsonDocument::fromJson(r.out.toUtf8()).object();
    }

    QTemporaryDir dir;
};

// The simulated glass (defaults: Tg 550 C, softening from 600 C), read every
// 12 s at 5 K/min with the simulator's default noise at 0.05 C and 0.02 um
// per code, recorded with the heating cut at softening and 40 readings more;
// the calibration turns codes into degrees and micrometres.
TEST_F(GlassEval, SimulatedGlassGivesTheModelsTgAndTs)
{
    TSettings settings = DefaultSettings(dir.path() + '/');
    settings.bT = 0.05;
    settings.bL = 0.02;
    settings.AutoSaveFlag = false;
    ASSERT_EQ(WriteSettings(Path("Varotem.ini"), settings), "");
    const glasstest::TGlassModel model;  // the simulator's glass, written out on its own
    for (const int seed : {1, 2, 3}) {
        SCOPED_TRACE(seed);
        TRecordingLinkBoard board("Material = glass\nStep = 12\nTemperatureScale = 0.05\nLengthScale = 0.02\nSeed = " +
                                  std::to_string(seed) + "\n");
        auto run = std::make_unique<TRunData>();
        const TSofteningOptions softening{true, 0.5};
        const TSplineTable none;
        TAcquisition acquisition(board, *run, settings);
        acquisition.WatchSoftening(softening, none, none);
        ASSERT_EQ(acquisition.Start(), TStartResult::Started);
        int after = -1;
        for (int k = 0; k < 800 && after < 40; ++k) {
            if (!acquisition.Tick({}).softeningMessage.isEmpty() || after >= 0)
                ++after;
        }
        ASSERT_EQ(after, 40) << "the heating was cut";
        ASSERT_EQ(SaveData(Path("glass.dat"), *run), "");

        const QJsonObject json = Json({"glass.dat", "--calibration", "Varotem.ini"});
        EXPECT_NEAR(json["tg"].toDouble(), model.TangentIntersection(), 2.0);
        EXPECT_NEAR(json["ts"].toDouble(), model.MaximumTemperature(), 1.0);
        EXPECT_NEAR(json["alpha_glass"].toDouble(), 9.0, 0.1);
        EXPECT_NEAR(json["alpha_liquid"].toDouble(), 30.0, 1.5);
    }
}

TEST_F(GlassEval, OutputsCarryTheWindowsNumbers)
{
    const glasstest::TGlassModel model;
    ASSERT_EQ(SaveData(Path("soft.dat"), *glasstest::ModelRun(model, 20, 620, 0.5, 0.01)), "");
    ASSERT_EQ(SaveData(Path("hard.dat"), *glasstest::ModelRun(model, 20, 590, 0.5, 0.01)), "");
    const struct {
        const char *name;
        QString file;
        QStringList options;
        std::optional<analysis::TGlassRanges> ranges;
    } rows[] = {
        {"softened, portions chosen", "soft.dat", {}, std::nullopt},
        {"softened, portions given", "soft.dat", {"--ranges", "100", "500", "575", "598"},
         analysis::TGlassRanges{100, 500, 575, 598}},
        {"not softened", "hard.dat", {}, std::nullopt},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        auto run = std::make_unique<TRunData>();
        ClearRun(*run);
        ASSERT_EQ(ReadRunFile(Path(row.file), *run, -1), "");
        analysis::TGlassParams params;
        params.Ranges = row.ranges;
        const TSplineTable none;
        const analysis::TGlassResult window =
            analysis::AnalyseGlass(*run, params, DefaultSettings(QString()), none, none);
        ASSERT_TRUE(window.Tangents.Failure.isEmpty()) << window.Tangents.Failure.toStdString();

        const QJsonObject json = Json(QStringList{row.file} + row.options);
        EXPECT_EQ(json["tg"].toDouble(), window.Tangents.Tg);
        EXPECT_EQ(json["alpha_glass"].toDouble(), window.Tangents.AlphaGlass);
        EXPECT_EQ(json["alpha_liquid"].toDouble(), window.Tangents.AlphaLiquid);
        if (window.Softening)
            EXPECT_EQ(json["ts"].toDouble(), window.Softening->Ts);
        else
            EXPECT_TRUE(json["ts"].isNull());
        const QJsonArray ranges = json["ranges"].toArray();
        ASSERT_EQ(ranges.size(), 4);
        EXPECT_EQ(ranges[1].toDouble(), window.Ranges.T2);

        const TOutput table = Run(QStringList{row.file} + row.options);
        EXPECT_EQ(table.code, 0);
        const QStringList lines = table.out.split(u'\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 8);
        EXPECT_TRUE(lines[0].startsWith("Tg, deg C\t"));
        EXPECT_EQ(lines[3], window.Softening ? "Ts, deg C\t" + QString::number(window.Softening->Ts, 'f', 1)
                                             : QStringLiteral("Ts, deg C\tне достигнута"));

        const TOutput csv = Run(QStringList{row.file, "--format", "csv"} + row.options);
        const QStringList csvLines = csv.out.split(u'\n', Qt::SkipEmptyParts);
        ASSERT_EQ(csvLines.size(), 2);
        EXPECT_EQ(csvLines[0], "\"Tg, deg C\",\"Alpha стекла, 1e-6 1/K\",\"Alpha жидкости, 1e-6 1/K\",\"Ts, deg C\","
                               "\"T1, deg C\",\"T2, deg C\",\"T3, deg C\",\"T4, deg C\"");
        EXPECT_EQ(csvLines[1].split(u',')[3].isEmpty(), !window.Softening);
    }
}

TEST_F(GlassEval, WrongRangesAndRefusals)
{
    ASSERT_EQ(SaveData(Path("soft.dat"), *glasstest::ModelRun(glasstest::TGlassModel{}, 20, 620, 0.5, 0.01)), "");
    const struct {
        const char *name;
        QStringList arguments;
        int code;
        const char *error;
    } rows[] = {
        {"three temperatures", {"soft.dat", "--ranges", "100", "500", "575"}, 2, "Неверн"},
        {"a word among them", {"soft.dat", "--ranges", "100", "x", "575", "598"}, 2, "Неверный параметр --ranges"},
        {"portions overlapping", {"soft.dat", "--ranges", "100", "580", "575", "598"}, 1, "Участки перекрываются"},
        {"margin out of range", {"soft.dat", "--margin", "50"}, 2, "Неверный параметр --margin"},
        {"no such baseline", {"soft.dat", "--baseline", "none.dat"}, 1, "Базовая линия не загружена!"},
        {"no such run", {"none.dat"}, 1, "none.dat"},
    };
    for (const auto &row : rows) {
        const TOutput r = Run(row.arguments);
        EXPECT_EQ(r.code, row.code) << row.name;
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(row.error))) << row.name << ": " << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << row.name;
    }
}

} // namespace

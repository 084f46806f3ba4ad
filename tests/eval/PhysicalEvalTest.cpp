// varotem-eval physical on run files written here, in double precision, from
// a known expansion: the borosilicate glass SRM 731, whose certificate gives
//   alpha(T) = (0.8651 + 2.3569e-2 T - 4.2277e-5 T^2 + 2.5408e-8 T^3) 1e-6 / K
// with T in kelvin; its strain from 20 deg C is the exact integral. The run
// is what the instrument shows: the sample's expansion less that of the push
// rod (the run's own LQ and alpha_q), with 10 nm of noise on L.
#include "app/core/DataFiles.h"
#include "app/core/RunData.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr double kL0 = 25000, kLQ = 30000, kQuartzAlpha = 5.5e-7;  // mkm, mkm, 1/K

double Srm731Alpha(double celsius)
{
    const double t = celsius + 273.15;
    return (0.8651 + 2.3569e-2 * t - 4.2277e-5 * t * t + 2.5408e-8 * t * t * t) * 1e-6;
}

// The integral of alpha from 20 deg C.
double Srm731Strain(double celsius)
{
    const auto f = [](double t) {
        return (0.8651 * t + 2.3569e-2 / 2 * t * t - 4.2277e-5 / 3 * t * t * t + 2.5408e-8 / 4 * t * t * t * t) * 1e-6;
    };
    return f(celsius + 273.15) - f(293.15);
}

std::vector<double> Ramp(double from, double to)
{
    std::vector<double> t;
    for (double v = from; v <= to + 1e-9; v += 0.5)
        t.push_back(v);
    return t;
}

// The run of the temperatures given (0.5 K per sample), with noise on L and
// optionally on T.
std::unique_ptr<TRunData> Srm731Run(const std::vector<double> &temps, double tNoise)
{
    std::mt19937 rng(731);
    std::normal_distribution<double> lNoise(0, 0.01), thermocouple(0, tNoise > 0 ? tNoise : 1);
    auto run = std::make_unique<TRunData>();
    std::memset(static_cast<void *>(run.get()), 0, sizeof(TRunData));
    run->Count = int32_t(temps.size());
    run->CalcPoints = 100;
    run->SampleLength = kL0;
    run->QuartzLength = kLQ;
    run->QuartzAlpha = kQuartzAlpha;
    for (size_t i = 0; i < temps.size(); ++i) {
        run->T[i] = temps[i] + (tNoise > 0 ? thermocouple(rng) : 0);
        run->L[i] = kL0 * Srm731Strain(temps[i]) - kQuartzAlpha * kLQ * (temps[i] - temps[0]) + lNoise(rng);
    }
    return run;
}

struct TResult {
    int code = -1;
    QString out, err;
};

class PhysicalEval : public ::testing::Test {
protected:
    QString Path(const QString &name) const { return dir.filePath(name); }

    TResult Run(const QStringList &arguments) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        QProcess process;
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(dir.path());
        process.start(QStringLiteral(VAROTEM_EVAL), arguments);
        TResult result;
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return result;
        result.code = process.exitCode();
        result.out = QString::fromUtf8(process.readAllStandardOutput());
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

    QTemporaryDir dir;
};

} // namespace

// The physical coefficient within 0.05e-6 / K of the certificate's alpha(T)
// on every row 20 K or more inside the run, the strain within 1e-6 and the
// mean coefficient within 0.05e-6 / K from 50 K off the reference on; a
// hold leaves its row empty, a thermocouple's noise changes nothing of it.
TEST_F(PhysicalEval, Srm731RunMatchesTheCertificate)
{
    std::vector<double> hold = Ramp(0, 200);
    hold.insert(hold.end(), 200, 200.0);
    const std::vector<double> rest = Ramp(200.5, 400);
    hold.insert(hold.end(), rest.begin(), rest.end());
    const struct {
        const char *name;
        std::vector<double> temps;
        double tNoise;
        std::vector<double> empty;  // rows without a physical coefficient
    } rows[] = {
        {"a steady ramp", Ramp(0, 400), 0, {}},
        {"thermocouple noise of 0.02 K", Ramp(0, 400), 0.02, {}},
        {"a hold at 200 deg C", hold, 0, {200}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_EQ(SaveData(Path("run.dat"), *Srm731Run(row.temps, row.tNoise)), "");
        const TResult r = Run({"physical", "run.dat", "--format", "csv"});
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("выбрано по GCV")) << r.err.toStdString();
        const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        std::vector<double> empty;
        int checked = 0;
        for (const QString &line : lines.mid(1)) {
            const QStringList f = line.split(',');
            ASSERT_EQ(f.size(), 5) << line.toStdString();
            const double t = f[0].toDouble();
            if (t < 20 || t > 380)
                continue;
            ++checked;
            SCOPED_TRACE(line.toStdString());
            EXPECT_NEAR(f[2].toDouble(), Srm731Strain(t) * 1e6, 1.0);
            EXPECT_NEAR(f[1].toDouble(), kL0 * Srm731Strain(t), kL0 * 1e-6);
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

// The command line: a run that never reaches the reference temperature is
// refused; another reference makes it; JSON carries the same rows with null
// where a value is undefined; a wrong option is a usage error.
TEST_F(PhysicalEval, ReferenceOptionsAndFormats)
{
    ASSERT_EQ(SaveData(Path("warm.dat"), *Srm731Run(Ramp(25, 425), 0)), "");
    const struct {
        const char *name;
        QStringList arguments;
        int code;
        QString errorLine;  // a line of standard error
    } rows[] = {
        {"the reference not reached",
         {"physical", "warm.dat"},
         1,
         "Температура отсчета 20 deg C не достигнута: температура записи от 25 до 425 deg C! Расчет остановлен!"},
        {"a reference within the run", {"physical", "warm.dat", "--reference-temperature", "25"}, 0, ""},
        {"a step that is not a number", {"physical", "warm.dat", "--step", "ten"}, 2,
         "Неверный параметр --step: \"ten\" не является числом!"},
        {"a manual smoothing", {"physical", "warm.dat", "--reference-temperature", "25", "--smoothing", "20"}, 0,
         ""},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const TResult r = Run(row.arguments);
        EXPECT_EQ(r.code, row.code) << r.err.toStdString();
        if (!row.errorLine.isEmpty()) {
            EXPECT_TRUE(r.err.split('\n').contains(row.errorLine)) << r.err.toStdString();
            EXPECT_EQ(r.out, "");
        }
    }

    const TResult csv = Run({"physical", "warm.dat", "--reference-temperature", "25", "--step", "20",
                             "--format", "csv"});
    const TResult json = Run({"physical", "warm.dat", "--reference-temperature", "25", "--step", "20",
                              "--format", "json"});
    ASSERT_EQ(csv.code, 0);
    ASSERT_EQ(json.code, 0);
    const QJsonObject doc = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(doc["format"].toString(), "varotem-physical");
    EXPECT_EQ(doc["version"].toInt(), 1);
    EXPECT_EQ(doc["smoothing"].toObject()["samples"].toInt(), 801);
    const QJsonArray rows2 = doc["rows"].toArray();
    const QStringList lines = csv.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows2.size(), lines.size() - 1);
    ASSERT_EQ(rows2.size(), 21);  // 25, 45, ..., 425
    const QJsonObject reference = rows2[0].toObject();
    EXPECT_EQ(reference["t"].toDouble(), 25);
    EXPECT_TRUE(reference["mean_alpha"].isNull());
    for (int i = 0; i < rows2.size(); ++i) {
        const QStringList f = lines[i + 1].split(',');
        const QJsonObject o = rows2[i].toObject();
        EXPECT_EQ(f[4].toDouble(), o["alpha"].toDouble());
        EXPECT_EQ(f[1].toDouble(), o["dl"].toDouble());
    }
}

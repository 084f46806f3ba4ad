// "Коррекция по эталону": the correction file against a reference run built
// from a closed form, and end to end against the simulated instrument: a
// copper reference run with a fused-silica push rod, its correction, then a
// run of the borosilicate glass SRM 731 evaluated by "Расчет" and by
// "Физический КТР" with the correction as their baseline, held against the
// certificate's polynomial.
#include "AnalysisFixture.h"

#include "analysis/DlgCorrection.h"

#include "analysis/core/Correction.h"
#include "analysis/core/ExpansionCalc.h"
#include "analysis/core/PhysicalCoefficient.h"
#include "daqlink/board/BoardSettings.h"
#include "daqlink/board/SimInstrument.h"
#include "materials/MaterialLibrary.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

using namespace analysis;

namespace {

const materials::TReferenceMaterial &Material(const std::string &id)
{
    static const materials::TMaterialLibrary library = materials::LoadMaterialLibrary(VAROTEM_MATERIALS_DIR);
    return *library.Find(id);
}

// SRM 731's certified coefficient (1e-6, T in K) and its integral in closed
// form.
double Srm731Alpha(double k) { return 0.8651 + 2.3569e-2 * k - 4.2277e-5 * k * k + 2.5408e-8 * k * k * k; }

double Srm731Integral(double k)
{
    return 0.8651 * k + 2.3569e-2 * k * k / 2 - 4.2277e-5 * k * k * k / 3 + 2.5408e-8 * k * k * k * k / 4;
}

double Srm731Mean(double c0, double c1)
{
    return (Srm731Integral(c1 + 273.15) - Srm731Integral(c0 + 273.15)) * 1e-6 / (c1 - c0);
}

// A run of the simulated instrument, the channels read as the board reads
// them: T on channel 0, L on channel 1, TC on channel 2.
std::unique_ptr<TRunData> SimulatedRun(const std::string &ini, int32_t count, double quartzAlpha, double quartzLength)
{
    const daqboard::TBoardSettings settings = daqboard::ParseSettings(ini);
    daqboard::TSimInstrument sim(settings.sim);
    auto run = ZeroRun();
    SetCalcDefaults(*run);
    run->QuartzAlpha = quartzAlpha;
    run->QuartzLength = quartzLength;
    for (int32_t i = 0; i < count; ++i) {
        sim.BeginScan();
        int16_t t = 0, l = 0, tc = 0;
        sim.Convert(daqboard::SampleTemperatureChannel, &t);
        sim.Convert(daqboard::LengthChangeChannel, &l);
        sim.Convert(daqboard::ControlTemperatureChannel, &tc);
        sim.EndScan();
        run->T[i] = t;
        run->L[i] = l;
        run->TC[i] = tc;
    }
    run->Count = count;
    return run;
}

// The instrument of the end-to-end check: 50 mm samples, a push rod of fused
// silica, 0.02 K and 10 nm per code, noise of 0.02 K and 0.02 µm, a reading
// every 1.5 s of heating at 5 K/min.
std::string Instrument(const char *material, double maxTemperature)
{
    return std::string("Material = ") + material + "\nPushRod = silica\nMaterialsDir = " VAROTEM_MATERIALS_DIR
           "\nSampleLength = 50000\nStep = 1.5\nHeatingRate = 5\nMaxTemperature = " +
           std::to_string(maxTemperature) +
           "\nTemperatureScale = 0.02\nLengthScale = 0.01\nTemperatureNoise = 0.02\nLengthNoise = 0.02\n";
}

} // namespace

class Correction : public AnalysisTest {
protected:
    QString Path(const char *name) const { return AnalysisTest::Path(QString::fromLatin1(name)); }
};

// With the correction as baseline "Расчет" gives the glass's certified mean
// coefficient on every interval of 50 K or more, whatever push-rod term the
// runs carry; without it the push rod's own expansion stays in the result.
// "Физический КТР" on the same run gives the certified coefficient itself
// and the certified mean from its reference temperature, row by row.
TEST_F(Correction, SimulatedGlassRunGivesTheCertifiedCoefficients)
{
    settings.bT = 0.02;  // the instrument's scales
    settings.bL = 0.01;
    struct TCase {
        const char *name;
        double quartzAlpha, quartzLength;
        double uncorrectedAbove;  // the error without the correction exceeds this somewhere
    };
    const TCase cases[] = {
        // "Alpha кварца" 5.2e-7 against the rod's 5.5e-7: a small error remains.
        {"default push-rod term", 5.2e-7, 50000, 0.02e-6},
        // No push-rod term: the rod's whole expansion is the error.
        {"no push-rod term", 5.2e-7, 0, 0.2e-6},
    };
    const int32_t count = 3000;
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.name);
        const auto reference = SimulatedRun(Instrument("copper", 380), count, c.quartzAlpha, c.quartzLength);
        const TCorrectionOutcome correction =
            MakeCorrection(*reference, Material("copper"), 50000, settings, tTable, lTable);
        ASSERT_TRUE(correction.Failure.isEmpty()) << correction.Failure.toStdString();
        ASSERT_TRUE(SaveData(Path("corr.dat"), *correction.File).isEmpty());

        const auto glass = SimulatedRun(Instrument("srm731", 360), count, c.quartzAlpha, c.quartzLength);
        const auto calibrated = CalibratedCopy(*glass, settings, tTable, lTable);
        TCalcParams params = CalcParamsOf(*glass, Path("corr.dat"));
        const TCalcOutcome corrected = Calculate(*calibrated, params, settings, tTable, lTable);
        params.BaseLineFile = kNoBaseline;
        const TCalcOutcome plain = Calculate(*calibrated, params, settings, tTable, lTable);
        ASSERT_EQ(corrected.Notices, QStringList{MsgBaselineLoaded()});
        ASSERT_EQ(corrected.Rows.size(), 100u);
        ASSERT_EQ(plain.Rows.size(), 100u);

        // Interval j runs from picked sample 0 to picked sample j.
        const int32_t s = count / 101;
        const double t0 = calibrated->T[0];
        double worstCorrected = 0, worstPlain = 0;
        int intervals = 0;
        for (size_t j = 1; j <= 100; ++j) {
            const double t1 = calibrated->T[j * s];
            if (t1 - t0 < 50)
                continue;
            ++intervals;
            const double certified = Srm731Mean(t0, t1);
            worstCorrected = std::max(worstCorrected, std::fabs(corrected.Rows[j - 1].Alpha - certified));
            worstPlain = std::max(worstPlain, std::fabs(plain.Rows[j - 1].Alpha - certified));
        }
        EXPECT_GT(intervals, 80);
        EXPECT_LE(worstCorrected, 0.05e-6);
        EXPECT_GT(worstPlain, c.uncorrectedAbove);
        std::cout << c.name << ": " << intervals << " intervals of 50 K or more from " << t0
                  << " C; worst error with the correction " << worstCorrected * 1e6 << "e-6, without "
                  << worstPlain * 1e6 << "e-6\n";

        TPhysicalParams physicalParams = PhysicalParamsOf(*glass);
        physicalParams.BaseLineFile = Path("corr.dat");
        physicalParams.ReferenceTemperature = 30;
        const TPhysicalOutcome physical =
            CalculatePhysical(*calibrated, physicalParams, settings, tTable, lTable);
        ASSERT_TRUE(physical.Failure.isEmpty()) << physical.Failure.toStdString();
        // Rows 20 K or more inside the run's ends, where the smoothing sees
        // samples on both sides.
        const double tEnd = calibrated->T[count - 1];
        double worstAlpha = 0, worstMean = 0;
        int rows = 0;
        for (const TPhysicalRow &row : physical.Rows) {
            if (row.T < t0 + 20 || row.T > tEnd - 20)
                continue;
            ++rows;
            worstAlpha = std::max(worstAlpha, std::fabs(row.Alpha - Srm731Alpha(row.T + 273.15) * 1e-6));
            if (row.T > physicalParams.ReferenceTemperature)
                worstMean = std::max(worstMean, std::fabs(row.MeanAlpha - Srm731Mean(30, row.T)));
        }
        EXPECT_GT(rows, 25);
        EXPECT_LE(worstAlpha, 0.1e-6);
        EXPECT_LE(worstMean, 0.05e-6);
        std::cout << c.name << ": physical coefficient on " << rows << " rows, worst error " << worstAlpha * 1e6
                  << "e-6, of the mean " << worstMean * 1e6 << "e-6\n";
    }
}

// The correction of a run written from a closed form: copper measured with a
// push rod whose expansion is 1e-6 (T - T1) too large for "Alpha кварца",
// through a nonlinear L calibration (L = 2 x + 1e-4 x^2 µm per reading x).
// The file's readings calibrate to L - L0 (eps(T) - eps(T1)) + aq LQ (T - T1).
TEST_F(Correction, FileReadingsCalibrateToTheCorrection)
{
    settings.aL = 0;
    settings.bL = 2;
    settings.cL = 1e-4;
    const materials::TReferenceMaterial &copper = Material("copper");
    auto run = ZeroRun();
    SetCalcDefaults(*run);
    const double l0 = 20000, aq = 5e-7, lq = 30000;
    run->QuartzAlpha = aq;
    run->QuartzLength = lq;
    run->SampleLength = 12345;
    run->CalcPoints = 7;
    const int32_t n = 400;
    const auto strain = [&](double c) { return copper.Strain(c + 273.15) - copper.Strain(20 + 273.15); };
    const auto reading = [](double length) { return (-2 + std::sqrt(4 + 4e-4 * length)) / 2e-4; };
    for (int32_t i = 0; i < n; ++i) {
        const double t = 20 + i;
        run->T[i] = t;
        run->TC[i] = t + 1;
        run->L[i] = reading(l0 * strain(t) - 1e-6 * l0 * (t - 20) - 3);
    }
    run->Count = n;
    const TCorrectionOutcome out = MakeCorrection(*run, copper, l0, settings, tTable, lTable);
    ASSERT_TRUE(out.Failure.isEmpty()) << out.Failure.toStdString();
    const TRunData &file = *out.File;
    // Fields of the packed record are read by value: a reference to one may
    // be misaligned.
    EXPECT_EQ(int32_t(file.Count), n);
    EXPECT_EQ(double(file.SampleLength), l0);
    EXPECT_EQ(double(file.QuartzAlpha), aq);
    EXPECT_EQ(double(file.QuartzLength), lq);
    EXPECT_EQ(int32_t(file.CalcPoints), 7);
    for (int32_t i = 0; i < n; i += 37) {
        const double t = 20 + i;
        const double expected = -1e-6 * l0 * (t - 20) - 3 + aq * lq * (t - 20);
        const double x = file.L[i];
        EXPECT_NEAR(2 * x + 1e-4 * x * x, expected, 1e-9) << i;
        EXPECT_EQ(double(file.T[i]), double(run->T[i]));
        EXPECT_EQ(double(file.TC[i]), double(run->TC[i]));
    }
    EXPECT_EQ(double(file.T[n]), 0.0);
}

TEST_F(Correction, RefusesWhatCannotGiveACorrection)
{
    auto run = ZeroRun();
    SetCalcDefaults(*run);
    for (int32_t i = 0; i < 100; ++i) {
        run->T[i] = 20 + 3 * i;
        run->L[i] = i;
    }
    run->Count = 100;
    struct TCase {
        const char *name;
        const char *material;
        double length;
        std::function<void(TSettings &, TRunData &)> change;
        QString message;
    };
    const TCase cases[] = {
        {"zero length", "copper", 0, {}, "Длина эталонного образца должна быть положительным числом!"},
        {"length not a number", "copper", NAN, {}, "Длина эталонного образца должна быть положительным числом!"},
        {"two samples", "copper", 50000, [](TSettings &, TRunData &r) { r.Count = 2; },
         "В записи 2 точек, для коррекции нужно не меньше 3!"},
        // SRM 731 is certified from 293 K: 20 °C lies inside, 317 °C (590 K) too, 20 - 0.5 °C not.
        {"below the range", "srm731", 50000, [](TSettings &, TRunData &r) { r.T[5] = 19.5; },
         "Температура 19.5 °C (точка 6) вне аттестованного диапазона материала «Боросиликатное стекло NIST "
         "SRM 731»: от 19.85 до 366.85 °C (293–640 K)!"},
        {"above the range", "srm731", 50000, [](TSettings &, TRunData &r) { r.T[99] = 400; },
         "Температура 400 °C (точка 100) вне аттестованного диапазона материала «Боросиликатное стекло NIST "
         "SRM 731»: от 19.85 до 366.85 °C (293–640 K)!"},
        // L = x - 1e-4 x^3 turns back at x = 57.7.
        {"L calibration turns", "copper", 50000, [](TSettings &s, TRunData &) { s.dL = -1e-4; },
         "Калибровка L не монотонна в диапазоне записи: отсчеты коррекции не найти!"},
        {"L calibration flat", "copper", 50000, [](TSettings &s, TRunData &) { s.bL = 0; },
         "Калибровка L не монотонна в диапазоне записи: отсчеты коррекции не найти!"},
        {"L table unusable", "copper", 50000, [](TSettings &s, TRunData &) { s.LSplineKalibrFlag = true; },
         "Калибровка L по реперным точкам невозможна: нужно от 3 до 100 точек!"},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.name);
        TSettings s = settings;
        auto r = std::make_unique<TRunData>(*run);
        if (c.change)
            c.change(s, *r);
        const TCorrectionOutcome out = MakeCorrection(*r, Material(c.material), c.length, s, tTable, lTable);
        EXPECT_EQ(out.Failure, c.message + QStringLiteral(" Коррекция не создана!"));
        EXPECT_FALSE(out.File);
    }
}

// A reference run may leave the certified range by a rounding hair (up to
// 0.05 K) at either end; a step further is refused. SRM 731 is certified
// from 293 to 640 K, that is 19.85 to 366.85 °C.
TEST_F(Correction, CertifiedRangeAllowsARoundingHair)
{
    const struct {
        const char *name;
        double first, last;  // °C
        bool made;
    } rows[] = {
        {"exactly the range", 19.85, 366.85, true},
        {"640.004 K at the top", 19.85, 366.854, true},
        {"0.01 K below the bottom", 19.84, 366.85, true},
        {"0.049 K beyond both ends", 19.801, 366.899, true},
        {"0.06 K above the top", 19.85, 366.91, false},
        {"0.06 K below the bottom", 19.79, 366.85, false},
    };
    for (const auto &row : rows) {
        auto run = ZeroRun();
        SetCalcDefaults(*run);
        for (int32_t i = 0; i < 100; ++i) {
            run->T[i] = row.first + (row.last - row.first) * i / 99.0;
            run->L[i] = i;
        }
        run->T[99] = row.last;
        run->Count = 100;
        const TCorrectionOutcome out = MakeCorrection(*run, Material("srm731"), 50000, settings, tTable, lTable);
        EXPECT_EQ(out.File != nullptr, row.made) << row.name << ": " << out.Failure.toStdString();
        EXPECT_EQ(out.Failure.isEmpty(), row.made) << row.name;
    }
}

// A baseline recorded for a sample length more than 10 % away is warned
// about, after the baseline's message; one without a length is not.
TEST_F(Correction, BaselineOfAnotherSampleLengthIsWarnedAbout)
{
    auto base = ZeroRun();
    for (int32_t i = 0; i < 50; ++i) {
        base->T[i] = i;
        base->L[i] = 0.1 * i;
    }
    base->Count = 50;
    const auto calibrated = CalibratedCopy(*run, settings, tTable, lTable);
    TCalcParams params = CalcParamsOf(*run, Path("base.dat"));
    params.SampleLength = 50000;
    struct TCase {
        double recorded;
        bool warned;
    };
    for (const TCase c : {TCase{44999, true}, {45455, false}, {55000, false}, {55556, true}, {0, false}}) {
        base->SampleLength = c.recorded;
        ASSERT_TRUE(SaveData(Path("base.dat"), *base).isEmpty());
        const TCalcOutcome out = Calculate(*calibrated, params, settings, tTable, lTable);
        QStringList expected{MsgBaselineLoaded()};
        if (c.warned) {
            expected << QStringLiteral("Длина образца 50000 отличается от длины образца базовой линии %1 более чем "
                                       "на 10 %!")
                            .arg(c.recorded);
        }
        EXPECT_EQ(out.Notices, expected) << c.recorded;
    }
}

// The correction holds the push-rod term of the reference run's "Alpha
// кварца" and "L кварца": a run whose own differ is warned about, after the
// sample-length warning. With the quartz table the run's constant is not
// used, so only L кварца is compared; a baseline without them (0) is not
// warned about.
TEST_F(Correction, BaselineOfOtherPushRodParametersIsWarnedAbout)
{
    auto base = ZeroRun();
    for (int32_t i = 0; i < 50; ++i) {
        base->T[i] = i;
        base->L[i] = 0.1 * i;
    }
    base->Count = 50;
    base->SampleLength = 50000;
    const auto calibrated = CalibratedCopy(*run, settings, tTable, lTable);
    TCalcParams params = CalcParamsOf(*run, Path("base.dat"));
    params.SampleLength = 50000;
    params.QuartzAlpha = 5.5e-7;
    params.QuartzLength = 60000;
    const QString alphaWarning = QStringLiteral("Alpha кварца 5.5E-7 отличается от записанного в базовой линии %1: "
                                                "коррекция по эталону верна только при том же значении!");
    const QString lengthWarning = QStringLiteral("L кварца 60000 отличается от записанной в базовой линии %1: "
                                                 "коррекция по эталону верна только при том же значении!");
    const struct {
        const char *name;
        double alpha, length;
        bool table;
        QStringList warnings;
    } rows[] = {
        {"the same", 5.5e-7, 60000, false, {}},
        {"the same but for the last digits of a text round trip", 5.5e-7 * (1 + 1e-9), 60000 * (1 - 1e-9), false, {}},
        {"another alpha", 5.2e-7, 60000, false, {alphaWarning.arg("5.2E-7")}},
        {"another length", 5.5e-7, 50000, false, {lengthWarning.arg(50000)}},
        {"both others", 5.2e-7, 50000, false, {alphaWarning.arg("5.2E-7"), lengthWarning.arg(50000)}},
        {"another alpha with the quartz table", 5.2e-7, 60000, true, {}},
        {"another length with the quartz table", 5.5e-7, 50000, true, {lengthWarning.arg(50000)}},
        {"none recorded", 0, 0, false, {}},
    };
    for (const auto &row : rows) {
        base->QuartzAlpha = row.alpha;
        base->QuartzLength = row.length;
        ASSERT_TRUE(SaveData(Path("base.dat"), *base).isEmpty());
        TCalcParams p = params;
        if (row.table)
            p.QuartzTable = TFitPoints{{20, 500, 1000}, {5e-7, 5.5e-7, 6e-7}};
        const TCalcOutcome out = Calculate(*calibrated, p, settings, tTable, lTable);
        EXPECT_EQ(out.Notices.mid(0, 1 + row.warnings.size()), QStringList{MsgBaselineLoaded()} + row.warnings)
            << row.name;
        if (row.warnings.isEmpty() && out.Notices.size() > 1) {
            EXPECT_FALSE(out.Notices[1].contains("кварца")) << row.name;
        }
    }
}

// The command through its dialog: the material and the file chosen, the
// run's own sample length offered; a material whose range the run leaves is
// refused and writes nothing.
TEST_F(Correction, CommandWritesTheFileThroughItsDialog)
{
    for (int32_t i = 0; i < 600; ++i)
        run->T[i] = 20 + 0.6 * i;  // 20 °C to 379.4 °C
    run->SampleLength = 25000;
    before = SampleBytes(*run);
    TDlgCorrection dlg;
    struct TCase {
        const char *material;
        const char *file;
        QString message;
    };
    const TCase cases[] = {
        {"copper", "cu.dat", QStringLiteral("Файл коррекции записан: %1. В \"Расчет\" и \"Сведение\" он служит "
                                            "базовой линией.")},
        {"platinum", "pt.dat", {}},  // platinum's range begins at 20 °C exactly: 293.15 K
        {"srm731", "glass.dat", QStringLiteral("Температура 367.4 °C (точка 580) вне аттестованного диапазона "
                                               "материала «Боросиликатное стекло NIST SRM 731»: от 19.85 до "
                                               "366.85 °C (293–640 K)! Коррекция не создана!")},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.material);
        prompt.messages.clear();
        QString offered;
        Accept<TDlgCorrection>([&](TDlgCorrection &d) {
            offered = d.EditLength->text();
            d.ComboMaterial->setCurrentIndex(d.ComboMaterial->findData(QString::fromLatin1(c.material)));
            d.EditFile->setText(Path(c.file));
        });
        CorrectionClick(ctx, dlg, QStringLiteral(VAROTEM_MATERIALS_DIR));
        EXPECT_EQ(offered, QStringLiteral("25000"));
        const QString expected = c.message.isEmpty() ? cases[0].message : c.message;
        EXPECT_EQ(prompt.messages, QStringList{expected.contains(u'%') ? expected.arg(Path(c.file)) : expected});
        EXPECT_EQ(QFileInfo(Path(c.file)).size(), c.material == std::string("srm731") ? 0 : kRunFileSize);
    }
    TRunData written;
    ASSERT_TRUE(LoadRunImage(Path("cu.dat"), written).isEmpty());
    EXPECT_EQ(written.SampleLength, 25000);
}

// An existing file is written over only when the user says so: typed in (or
// left from last time) the command asks; chosen in the save dialog, which
// asked already, it does not ask again.
TEST_F(Correction, ExistingFileIsReplacedOnlyWhenTheUserSaysSo)
{
    const QString question = QStringLiteral("Файл \"%1\" уже существует.\nЗаменить его?");
    struct TRow {
        const char *name;
        bool exists;
        bool chosenInDialog;
        std::deque<bool> answers;
        bool asked;
        bool written;
    };
    const TRow rows[] = {
        {"a new file", false, false, {}, false, true},
        {"typed, replaced", true, false, {true}, true, true},
        {"typed, kept", true, false, {false}, true, false},
        {"chosen in the save dialog", true, true, {}, false, true},
    };
    for (int32_t i = 0; i < 600; ++i)
        run->T[i] = 20 + 0.6 * i;  // within copper's range
    before = SampleBytes(*run);
    for (const TRow &r : rows) {
        SCOPED_TRACE(r.name);
        const QString file = Path("corr.dat");
        QFile::remove(file);
        if (r.exists) {
            QFile user(file);
            ASSERT_TRUE(user.open(QIODevice::WriteOnly));
            user.write("user's file");
        }
        prompt.messages.clear();
        prompt.questions.clear();
        prompt.yesNo = r.answers;
        prompt.saveNames = {file};
        TDlgCorrection dlg;
        Accept<TDlgCorrection>([&](TDlgCorrection &d) {
            d.ComboMaterial->setCurrentIndex(d.ComboMaterial->findData(QStringLiteral("copper")));
            if (r.chosenInDialog)
                d.ButtonFileClick();
            else
                d.EditFile->setText(file);
        });
        CorrectionClick(ctx, dlg, QStringLiteral(VAROTEM_MATERIALS_DIR));
        EXPECT_EQ(prompt.questions, r.asked ? QStringList{question.arg(file)} : QStringList());
        EXPECT_EQ(QFileInfo(file).size(), r.written ? kRunFileSize : qint64(11));
    }
}

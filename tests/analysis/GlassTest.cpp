// "Стеклование и размягчение" without windows, on runs written here from a
// glass model in double precision with 10 nm noise: Tg against the model's
// tangent intersection, Ts against its maximum; the refusals of the tangents.
#include "analysis/core/ExpansionCalc.h"
#include "analysis/core/GlassTransition.h"
#include "analysis/core/PhysicalCoefficient.h"
#include "app/core/DataFiles.h"
#include "tests/analysis/GlassModel.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

using glasstest::ModelRun;
using glasstest::TGlassModel;

namespace {

analysis::TGlassResult Analyse(const TRunData &run, const analysis::TGlassParams &params = {})
{
    const TSplineTable none;
    return analysis::AnalyseGlass(run, params, DefaultSettings(QString()), none, none);
}

TGlassModel Borosilicate()
{
    TGlassModel m;
    m.alphaGlass = 3.3e-6;
    m.alphaLiquid = 12e-6;
    m.tg = 525;
    m.w = 5;
    m.ts = 580;
    m.flowRate = 1;
    return m;
}

TEST(GlassTransition, TgAndTsOfRunsWrittenFromAModel)
{
    TGlassModel lowTs;
    lowTs.tg = 480;
    lowTs.ts = 540;
    const struct {
        const char *name;
        TGlassModel model;
        double step, to;
    } rows[] = {
        {"soda-lime-like, 0.5 K per sample", TGlassModel{}, 0.5, 620},
        {"soda-lime-like, 0.2 K per sample", TGlassModel{}, 0.2, 615},
        {"borosilicate-like", Borosilicate(), 0.5, 600},
        {"lower Tg and Ts", lowTs, 0.5, 560},
    };
    for (const auto &row : rows) {
        const auto run = ModelRun(row.model, 20, row.to, row.step, 0.01);
        const analysis::TGlassResult r = Analyse(*run);
        ASSERT_TRUE(r.Failure.isEmpty()) << row.name << ": " << r.Failure.toStdString();
        ASSERT_TRUE(r.Tangents.Failure.isEmpty()) << row.name << ": " << r.Tangents.Failure.toStdString();
        EXPECT_NEAR(r.Tangents.Tg, row.model.TangentIntersection(), 2.0) << row.name;
        ASSERT_TRUE(r.Softening) << row.name;
        EXPECT_NEAR(r.Softening->Ts, row.model.MaximumTemperature(), 1.0) << row.name;
        // The coefficients of the straight portions, with the push-rod term
        // added back: those of the glass itself.
        EXPECT_NEAR(r.Tangents.AlphaGlass, row.model.alphaGlass * 1e6, 0.05) << row.name;
        EXPECT_NEAR(r.Tangents.AlphaLiquid, row.model.alphaLiquid * 1e6, 0.05 * row.model.alphaLiquid * 1e6)
            << row.name;
        EXPECT_LT(r.Ranges.T2, r.Ranges.T3) << row.name;
    }
}

// A baseline run of the same instrument adds its own curve to the sample's;
// given as the baseline, it is taken off again.
TEST(GlassTransition, ABaselineIsTakenOff)
{
    QTemporaryDir dir;
    const TGlassModel model;
    auto run = ModelRun(model, 20, 620, 0.5, 0.01);
    auto base = ModelRun(model, 20, 700, 1, 0.0);
    for (int32_t i = 0; i < base->Count; ++i)
        base->L[i] = -0.05 * (base->T[i] - 20) + 1e-4 * (base->T[i] - 20) * (base->T[i] - 20);
    for (int32_t i = 0; i < run->Count; ++i)
        run->L[i] += -0.05 * (run->T[i] - 20) + 1e-4 * (run->T[i] - 20) * (run->T[i] - 20);
    ASSERT_EQ(SaveData(dir.filePath("base.dat"), *base), "");

    analysis::TGlassParams params;
    params.BaseLineFile = dir.filePath("base.dat");
    const analysis::TGlassResult r = Analyse(*run, params);
    ASSERT_TRUE(r.Failure.isEmpty() && r.Tangents.Failure.isEmpty());
    EXPECT_NEAR(r.Tangents.Tg, model.TangentIntersection(), 2.0);
    EXPECT_NEAR(r.Tangents.AlphaGlass, model.alphaGlass * 1e6, 0.05);
    ASSERT_TRUE(r.Softening);
    EXPECT_NEAR(r.Softening->Ts, model.MaximumTemperature(), 1.0);

    params.BaseLineFile = dir.filePath("missing.dat");
    EXPECT_EQ(Analyse(*run, params).Failure, "Базовая линия не загружена! Расчет остановлен!");
}

// Heated only to below its softening point, or held there: no maximum that
// the curve passes, whatever the noise.
TEST(GlassTransition, SofteningNotReachedBelowTs)
{
    const TGlassModel model;
    for (const unsigned seed : {1u, 2u, 3u}) {
        auto run = ModelRun(model, 20, 599, 0.5, 0.01, seed);
        const int32_t n = run->Count;
        for (int32_t i = n; i < n + 500; ++i) {  // a hold at 599 C
            run->T[i] = 599 + 0.01 * std::sin(i);
            run->L[i] = model.Length(599) + 0.01 * std::cos(3 * i);
        }
        run->Count = n + 500;
        const analysis::TGlassResult r = Analyse(*run);
        ASSERT_TRUE(r.Failure.isEmpty());
        EXPECT_FALSE(r.Softening) << "seed " << seed;
        EXPECT_NEAR(r.Tangents.Tg, model.TangentIntersection(), 2.0) << "seed " << seed;
    }
}

TEST(GlassTransition, TangentsRefusedWithAReason)
{
    const TGlassModel model;
    const auto run = ModelRun(model, 20, 620, 0.5, 0.01);
    QStringList notices;
    QString failure;
    const auto curve = analysis::PrepareGlassCurve(*run, std::nullopt, notices, failure);
    ASSERT_TRUE(curve);
    // A run that is one straight line: its two tangents are one.
    auto straight = ModelRun(model, 20, 400, 0.5, 0.01);
    const auto line = analysis::PrepareGlassCurve(*straight, std::nullopt, notices, failure);
    ASSERT_TRUE(line);
    const analysis::TRodTerm rod;
    const struct {
        const char *name;
        const analysis::TGlassCurve &curve;
        analysis::TGlassRanges ranges;
        analysis::TRodTerm rod;
        const char *failure;  // its start; empty: Tg found
    } rows[] = {
        {"good portions, markers in any order", *curve, {450, 100, 600, 570}, rod, ""},
        {"two samples in the liquid portion", *curve, {100, 450, 570, 570.6}, rod, "Слишком мало точек на участке жидкого"},
        {"no sample in the glassy portion", *curve, {10, 15, 570, 600}, rod, "Слишком мало точек на участке стеклообразного"},
        {"portions overlapping", *curve, {100, 575, 570, 600}, rod, "Участки перекрываются"},
        {"portions in reverse", *curve, {570, 600, 100, 450}, rod, "Участки перекрываются"},
        {"one straight line", *line, {50, 200, 250, 400}, rod, "Касательные параллельны"},
        // The glassy line and the start of the fall after the maximum, some
        // 50 um above it at 609 C and falling about 2.5 um/K faster: they
        // would meet near 629 C, past the run's end at 620 C.
        {"meeting outside the run", *curve, {100, 300, 606, 612}, rod, "Касательные пересекаются вне записи"},
        {"a sample length of 0", *curve, {100, 450, 570, 600}, {0, 5.2e-7, 50000}, "Длина образца равна нулю"},
    };
    for (const auto &row : rows) {
        const analysis::TGlassTangents t = analysis::FitTangents(row.curve, row.ranges, row.rod);
        const QString expected = QString::fromUtf8(row.failure);
        EXPECT_TRUE(expected.isEmpty() ? t.Failure.isEmpty() : t.Failure.startsWith(expected))
            << row.name << ": " << t.Failure.toStdString() << " Tg " << t.Tg;
    }
}

// Automatic portions need a transformation: a curve without one (a metal, a
// glass kept below its transformation range) gives no Tg but the reason, and
// so does a bend whose portions are too narrow for tangents. A glass still
// gets its portions.
TEST(GlassTransition, AutomaticPortionsNeedATransformation)
{
    TGlassModel metal;  // one coefficient throughout, a curve bending gently with it
    metal.alphaGlass = metal.alphaLiquid = 17e-6;
    metal.ts = 5000;
    TGlassModel early = metal;  // a kink at 28 C: the glassy portion is some 7 K wide
    early.alphaLiquid = 30e-6;
    early.tg = 28;
    early.w = 1;
    const struct {
        const char *name;
        std::unique_ptr<TRunData> run;
        const char *failure;  // its start; empty: portions found
    } rows[] = {
        {"a straight line", ModelRun(TGlassModel{}, 20, 400, 0.5, 0), "Переход не найден"},
        {"a straight line and noise", ModelRun(TGlassModel{}, 20, 400, 0.5, 0.05), "Переход не найден"},
        {"a straight line and much noise", ModelRun(TGlassModel{}, 20, 400, 0.5, 2, 7), "Переход не найден"},
        {"a metal to 800 C", ModelRun(metal, 20, 800, 0.5, 0.05), "Переход не найден"},
        {"a glass", ModelRun(TGlassModel{}, 20, 620, 0.5, 0.01), ""},
        {"a glass with much noise", ModelRun(TGlassModel{}, 20, 620, 0.5, 2, 7), ""},
        {"a kink 8 K from the start", ModelRun(early, 20, 400, 0.5, 0.01), "Участки не выбраны автоматически"},
    };
    for (const auto &row : rows) {
        const analysis::TGlassResult r = Analyse(*row.run);
        ASSERT_TRUE(r.Failure.isEmpty()) << row.name << ": " << r.Failure.toStdString();
        const QString expected = QString::fromUtf8(row.failure);
        EXPECT_TRUE(expected.isEmpty() ? r.Tangents.Failure.isEmpty() : r.Tangents.Failure.startsWith(expected))
            << row.name << ": " << r.Tangents.Failure.toStdString() << " Tg " << r.Tangents.Tg;
    }
}

TEST(GlassTransition, RunsThatCannotBeAnalysed)
{
    auto shortRun = ModelRun(TGlassModel{}, 20, 24, 0.5, 0);
    auto cooling = ModelRun(TGlassModel{}, 20, 300, 0.5, 0);
    for (int32_t i = 0; i < cooling->Count; ++i)
        cooling->T[i] = 300 - 0.5 * i;
    auto notANumber = ModelRun(TGlassModel{}, 20, 300, 0.5, 0);
    notANumber->L[7] = NAN;
    const struct {
        const char *name;
        const TRunData &run;
        const char *failure;
    } rows[] = {
        {"nine samples", *shortRun, "В записи 9 точек, для анализа нужно не меньше 11!"},
        {"cooling only", *cooling, "Нагрев в записи слишком короткий"},
        {"a length that is not a number", *notANumber, "Значение точки 8 не является числом!"},
    };
    for (const auto &row : rows)
        EXPECT_TRUE(Analyse(row.run).Failure.startsWith(QString::fromUtf8(row.failure))) << row.name;
}

} // namespace

// The baseline's messages and the sample-length warning are the same for
// "Расчет", "Физический КТР" and the glass command: one loaded baseline of a
// 10 mm reference under a run of 50 mm (warned), 10.5 mm (within 10 %), no
// baseline (ignored).
TEST(GlassTransition, BaselineMessagesAreThoseOfTheCalculation)
{
    QTemporaryDir dir;
    const TGlassModel model;
    auto run = ModelRun(model, 20, 620, 0.5, 0.01);
    auto base = ModelRun(model, 20, 700, 1, 0.0);
    for (int32_t i = 0; i < base->Count; ++i)
        base->L[i] = 0;
    base->SampleLength = 10;
    ASSERT_EQ(SaveData(dir.filePath("base.dat"), *base), "");
    const QString loaded = QStringLiteral("Базовая линия успешно загружена!");
    const QString ignored = QStringLiteral("Базовая линия игнорирована!");
    const QString warning = QStringLiteral("отличается от длины образца базовой линии");
    const struct {
        const char *name;
        QString file;
        double length;
        bool warned;
        QString message;
    } rows[] = {
        {"a reference five times shorter", dir.filePath("base.dat"), 50, true, loaded},
        {"within 10 %", dir.filePath("base.dat"), 10.5, false, loaded},
        {"no baseline", analysis::kNoBaseline, 50, false, ignored},
    };
    const TSplineTable none;
    const TSettings settings = DefaultSettings(QString());
    for (const auto &row : rows) {
        run->SampleLength = row.length;
        analysis::TCalcParams calc = analysis::CalcParamsOf(*run, row.file);
        analysis::TPhysicalParams physical = analysis::PhysicalParamsOf(*run);
        physical.BaseLineFile = row.file;
        analysis::TGlassParams glass;
        glass.BaseLineFile = row.file;
        const QStringList lists[] = {
            analysis::Calculate(*run, calc, settings, none, none).Notices,
            analysis::CalculatePhysical(*run, physical, settings, none, none).Notices,
            analysis::AnalyseGlass(*run, glass, settings, none, none).Notices,
        };
        for (const QStringList &notices : lists) {
            ASSERT_FALSE(notices.isEmpty()) << row.name;
            EXPECT_EQ(notices[0], row.message) << row.name;
            EXPECT_EQ(notices.filter(warning).size(), row.warned ? 1 : 0)
                << row.name << ": " << notices.join(" | ").toStdString();
        }
    }
}

// The expansion calculation: the whole command driven through its dialogs,
// and the computation on records built for the purpose. Reference values come
// from the test run's closed form, L = ln(i + 50) / 12, T = i.
#include "AnalysisFixture.h"

#include "analysis/StringGrid.h"
#include "analysis/core/AnalysisMessages.h"
#include "analysis/core/ExpansionCalc.h"
#include "app/core/LocaleFormat.h"
#include "chart/SimplCht.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>

using namespace analysis;

namespace {

const QString kResultTitle = QStringLiteral("Результаты расчета");

double Rel(double a, double b) { return std::fabs(a - b) / std::max(std::fabs(b), 1e-300); }

// The quartz parabola through three points by Lagrange's formula.
double Lagrange3(const double (&x)[3], const double (&y)[3], double t)
{
    double sum = 0;
    for (int i = 0; i < 3; ++i) {
        double term = y[i];
        for (int k = 0; k < 3; ++k)
            if (k != i)
                term *= (t - x[k]) / (x[i] - x[k]);
        sum += term;
    }
    return sum;
}

} // namespace

class Calculate : public AnalysisTest {
protected:
    QStringList Row(int r) const
    {
        QStringList texts;
        for (int a = 0; a < 7; ++a)
            texts << calcResult.StringGrid1->Cells(a, r);
        return texts;
    }
    int Rows() const { return calcResult.StringGrid1->RowCount(); }
    // Runs the command with the dialog set by set and the result window closed.
    void Run(std::function<void(TDlgCalcParam &)> set = {})
    {
        Accept<TDlgCalcParam>(std::move(set));
        prompt.dialogs.push_back([](QDialog &) { return int(QDialog::Accepted); });
        CalculateClick(ctx);
    }
    bool ResultShown() const { return prompt.dialogsShown.contains(kResultTitle); }
};

TEST_F(Calculate, WorkedExampleOfTheTestRun)
{
    Run();
    EXPECT_EQ(prompt.messages, QStringList{MsgBaselineIgnored()});
    ASSERT_TRUE(ResultShown());
    ASSERT_EQ(Rows(), 101);
    EXPECT_EQ(Row(0), CalcHeader());
    EXPECT_EQ(Row(1), (QStringList{"1", "1.00000", "0.00779", "0.00000", "0.00779", "0.00000", "5.51175E-07"}));
    EXPECT_EQ(Row(100)[1], "496.00000");
    EXPECT_EQ(Row(100)[6], "5.27933E-07");
    // Interval j runs from sample 1 to sample 1 + 5j; its row shows the
    // temperature of sample 1 + 5(j - 1).
    EXPECT_EQ(Row(50)[0], "50");
    EXPECT_EQ(Row(50)[1], "246.00000");

    const TSimpleData &chart = calcResult.SimpleChart1->Data();
    ASSERT_EQ(chart.Count, 100);
    for (int j = 1; j <= 100; ++j) {
        const double alpha = (TestRunL(1 + 5 * j) - TestRunL(1)) / 50000 / (5.0 * j) + 5.2e-7;
        EXPECT_EQ(chart.X[j - 1], 1 + 5 * (j - 1));
        EXPECT_LT(Rel(chart.Y[j - 1], alpha), 1e-12) << "interval " << j;
    }
}

TEST_F(Calculate, CommaLocaleWritesAndReadsCommas)
{
    QLocale::setDefault(QLocale(QLocale::Russian));
    QString shownAlpha;
    Run([&](TDlgCalcParam &d) { shownAlpha = d.Edit3->text(); });
    EXPECT_EQ(shownAlpha, "5,2E-7");
    ASSERT_EQ(Rows(), 101);
    EXPECT_EQ(Row(1), (QStringList{"1", "1,00000", "0,00779", "0,00000", "0,00779", "0,00000", "5,51175E-07"}));
    EXPECT_EQ(run->QuartzAlpha, 5.2e-7);
}

TEST_F(Calculate, TwoIntervalsPickThreeSamples)
{
    Run([](TDlgCalcParam &d) { d.SpinEdit1->setValue(2); });
    // s = 600 div 3 = 200: samples 1, 201, 401.
    ASSERT_EQ(Rows(), 3);
    const TSimpleData &chart = calcResult.SimpleChart1->Data();
    ASSERT_EQ(chart.Count, 2);
    EXPECT_EQ(chart.X, (std::vector<double>{1, 201}));
    EXPECT_LT(Rel(chart.Y[0], (TestRunL(201) - TestRunL(1)) / 50000 / 200 + 5.2e-7), 1e-12);
    EXPECT_LT(Rel(chart.Y[1], (TestRunL(401) - TestRunL(1)) / 50000 / 400 + 5.2e-7), 1e-12);
    EXPECT_EQ(run->CalcPoints, 2);
}

TEST_F(Calculate, ThousandIntervalsUseAllThousandAndOneSamples)
{
    // 2002 samples T = i: s = 2, the last picked sample is 1 + 1000 * 2.
    run->Count = 2002;
    for (int i = 1; i <= 2002; ++i) {
        run->T[i - 1] = i;
        run->L[i - 1] = 0.001 * i;
    }
    before = SampleBytes(*run);
    Run([](TDlgCalcParam &d) { d.SpinEdit1->setValue(1000); });
    ASSERT_EQ(Rows(), 1001);
    EXPECT_EQ(Row(1000)[1], "2E3");  // 1999 at 3 significant digits
    const TSimpleData &chart = calcResult.SimpleChart1->Data();
    ASSERT_EQ(chart.Count, 1000);
    EXPECT_EQ(chart.X[999], 1999);
    // dL / dT = 0.001 on every interval.
    EXPECT_LT(Rel(chart.Y[999], 0.001 / 50000 + 5.2e-7), 1e-12);
}

TEST_F(Calculate, DlFromZeroStartsTheColumnAtZero)
{
    Run([](TDlgCalcParam &d) { d.CheckBox2->setChecked(true); });
    ASSERT_EQ(Rows(), 101);
    EXPECT_EQ(Row(1)[2], "0.00000");
    EXPECT_EQ(Row(1)[6], "5.20000E-07");  // only the quartz term is left
    // Interval 2 keeps dL(0 -> 2) - dL(0 -> 1) = dL(1 -> 2).
    const double alpha2 = (TestRunL(11) - TestRunL(6)) / 50000 / 10 + 5.2e-7;
    EXPECT_LT(Rel(calcResult.SimpleChart1->Data().Y[1], alpha2), 1e-12);
    // With the baseline ignored dLQ is zero and dL-dLQ equals dL.
    for (int r = 1; r <= 100; ++r) {
        EXPECT_EQ(Row(r)[3], "0.00000");
        EXPECT_EQ(Row(r)[4], Row(r)[2]);
    }
}

TEST_F(Calculate, BaselineParabolaIsRemovedExactly)
{
    // Baseline: L = 3 + 0.02 T + 1e-5 T^2 over T = 10, 20, ..., 3000. The run
    // expands by that parabola plus 0.01 per degree, so dL - dLQ = 0.01 dT and
    // Alpha = 0.01 / L0 + QuartzAlpha = 2e-7 + 5.2e-7.
    auto parabola = [](double t) { return 3 + 0.02 * t + 1e-5 * t * t; };
    auto base = ZeroRun();
    base->Count = 300;
    for (int i = 1; i <= 300; ++i) {
        base->T[i - 1] = 10.0 * i;
        base->L[i - 1] = parabola(10.0 * i);
    }
    WriteRun(Path("base.dat"), *base);
    for (int i = 1; i <= 600; ++i)
        run->L[i - 1] = parabola(i) + 0.01 * i;
    before = SampleBytes(*run);

    Run([&](TDlgCalcParam &d) { d.Edit1->setText(Path("base.dat")); });
    EXPECT_EQ(prompt.messages, QStringList{MsgBaselineLoaded()});
    EXPECT_EQ(settings.BaseLineFile, Path("base.dat"));
    ASSERT_EQ(Rows(), 101);
    for (double alpha : calcResult.SimpleChart1->Data().Y)
        EXPECT_LT(Rel(alpha, 7.2e-7), 1e-9);
    // dLQ of interval 1 is the parabola's rise from T = 1 to T = 6.
    EXPECT_EQ(Row(1)[3], "0.10000");  // 0.10035
    EXPECT_EQ(Row(1)[4], "0.05000");
}

TEST_F(Calculate, QuartzTableOfThreePointsIsEvaluatedAtTheIntervalStart)
{
    const double qt[3] = {100, 300, 700};
    const double qa[3] = {5e-7, 6e-7, 5.5e-7};
    Accept<TDlgCalcParam>([](TDlgCalcParam &d) {
        d.CheckBox1->setChecked(true);
        EXPECT_TRUE(d.SpeedButton2->isEnabled());
        d.SpeedButton2->click();
    });
    Accept<TDlgAlphaQuartz>([&](TDlgAlphaQuartz &q) {
        q.SpinEdit1->setValue(3);
        for (int r = 1; r <= 3; ++r) {
            q.StringGrid1->SetCells(1, r, LocaleGeneral(qt[r - 1]));
            q.StringGrid1->SetCells(2, r, LocaleGeneral(qa[r - 1]));
        }
    });
    prompt.dialogs.push_back([](QDialog &) { return int(QDialog::Accepted); });
    CalculateClick(ctx);
    ASSERT_EQ(prompt.dialogsShown,
              (QStringList{"Параметры расчета", "Alpha кварца", kResultTitle}));

    const TSimpleData &chart = calcResult.SimpleChart1->Data();
    ASSERT_EQ(chart.Count, 100);
    for (int j = 1; j <= 100; ++j) {
        const double tStart = 1 + 5 * (j - 1);
        const double alpha = (TestRunL(1 + 5 * j) - TestRunL(1)) / 50000 / (5.0 * j) + Lagrange3(qt, qa, tStart);
        EXPECT_LT(Rel(chart.Y[j - 1], alpha), 1e-9) << "interval " << j;
    }
    EXPECT_EQ(run->QuartzAlpha, 5.2e-7);  // the typed coefficient is kept
}

TEST_F(Calculate, FailedQuartzFitAddsNoQuartzTermEvenAfterABaseline)
{
    // Every table row unreadable: all points are (0, 0) and the fit is
    // singular. The quartz curve is then zero, not the baseline's parabola.
    auto base = ZeroRun();
    base->Count = 3;
    for (int i = 1; i <= 3; ++i) {
        base->T[i - 1] = 100.0 * i;
        base->L[i - 1] = 1000.0 * i * i;
    }
    WriteRun(Path("base.dat"), *base);
    for (int r = 1; r <= 9; ++r)
        alphaQuartz.StringGrid1->SetCells(2, r, "x");
    Run([&](TDlgCalcParam &d) {
        d.Edit1->setText(Path("base.dat"));
        d.CheckBox1->setChecked(true);
    });
    EXPECT_EQ(prompt.messages, (QStringList{MsgBaselineLoaded(), MsgFitFailed()}));
    ASSERT_EQ(Rows(), 101);
    // Baseline: 0.1 T^2 with T = i, so dLQ of interval j = 0.1 ((1 + 5j)^2 - 1).
    const double dl = TestRunL(6) - TestRunL(1), dlq = 0.1 * (36 - 1);
    EXPECT_LT(Rel(calcResult.SimpleChart1->Data().Y[0], (dl - dlq) / 50000 / 5), 1e-9);
}

// Baselines that give no parabola are reported and subtract nothing; one of
// 10000 samples on the line L = 0.5 T is removed like any other.
TEST_F(Calculate, BaselineFilesAtTheEdgesOfTheRecord)
{
    const struct {
        const char *name;
        int32_t count;
        bool nan;
        QStringList messages;
        QString dlq1;  // dLQ of interval 1: T from 1 to 6
    } rows[] = {
        {"no samples", 0, false, {MsgBaselineLoaded(), MsgFitFailed()}, "0.00000"},
        {"one sample", 1, false, {MsgBaselineLoaded(), MsgFitFailed()}, "0.00000"},
        {"a temperature that is not a number", kRunCapacity, true, {MsgBaselineLoaded(), MsgFitFailed()}, "0.00000"},
        {"every slot used", kRunCapacity, false, {MsgBaselineLoaded()}, "2.50000"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        auto base = ZeroRun();
        base->Count = row.count;
        for (int i = 1; i <= row.count; ++i) {
            base->T[i - 1] = i;
            base->L[i - 1] = 0.5 * i;
        }
        if (row.nan)
            base->T[4999] = std::nan("");
        WriteRun(Path("edge.dat"), *base);
        prompt.messages.clear();
        Run([&](TDlgCalcParam &d) { d.Edit1->setText(Path("edge.dat")); });
        EXPECT_EQ(prompt.messages, row.messages);
        ASSERT_EQ(Rows(), 101);
        EXPECT_EQ(Row(1)[3], row.dlq1);
    }
}

TEST_F(Calculate, MissingBaselineStopsAndTheNextCallShowsNil)
{
    for (const QString &field : {Path("absent.dat"), dir.path()}) {
        SCOPED_TRACE(field.toStdString());
        prompt.messages.clear();
        prompt.dialogsShown.clear();
        Accept<TDlgCalcParam>([&](TDlgCalcParam &d) { d.Edit1->setText(field); });
        CalculateClick(ctx);
        EXPECT_EQ(prompt.messages, QStringList{MsgBaselineNotLoaded()});
        EXPECT_FALSE(ResultShown());
        EXPECT_EQ(settings.BaseLineFile, kNoBaseline);

        QString shown;
        Accept<TDlgCalcParam>([&](TDlgCalcParam &d) { shown = d.Edit1->text(); });
        prompt.dialogs.push_back([](QDialog &) { return int(QDialog::Accepted); });
        CalculateClick(ctx);
        EXPECT_EQ(shown, kNoBaseline);
        EXPECT_TRUE(ResultShown());
    }
}

TEST_F(Calculate, ParameterThatIsNotANumberKeepsTheOnesBeforeIt)
{
    Accept<TDlgCalcParam>([](TDlgCalcParam &d) {
        d.SpinEdit1->setValue(7);
        d.Edit2->setText("1000");
        d.Edit3->setText("5.2e-7x");
        d.Edit1->setText("elsewhere.dat");
    });
    CalculateClick(ctx);
    EXPECT_EQ(prompt.messages, QStringList{MsgBadParameter()});
    EXPECT_EQ(run->CalcPoints, 7);
    EXPECT_EQ(run->SampleLength, 1000);
    EXPECT_EQ(run->QuartzAlpha, 5.2e-7);
    EXPECT_EQ(settings.BaseLineFile, kNoBaseline);
    EXPECT_FALSE(ResultShown());
}

// Each of these would divide by zero or give a table of infinities: the
// command reports it, shows no result and leaves the samples alone.
TEST_F(Calculate, ImpossibleDivisionsAreReported)
{
    struct Case {
        const char *name;
        std::function<void(TRunData &)> change;
        std::function<void(TDlgCalcParam &)> set;
        QString message;
    };
    const std::vector<Case> cases = {
        {"zero sample length", {}, [](TDlgCalcParam &d) { d.Edit2->setText("0"); },
         "Длина образца равна нулю! Расчет остановлен!"},
        {"fewer samples than picks", {}, [](TDlgCalcParam &d) { d.SpinEdit1->setValue(600); },
         "В записи 600 точек, для расчета по 600 интервалам нужно не меньше 601! Расчет остановлен!"},
        {"empty run", [](TRunData &r) { r.Count = 0; }, {},
         "В записи 0 точек, для расчета по 100 интервалам нужно не меньше 101! Расчет остановлен!"},
        {"temperature standing still",
         [](TRunData &r) { r.T[15] = 1; },  // sample 16, picked third, back at T = 1
         {}, "Нулевая разность температур в интервале 3! Расчет остановлен!"},
        {"overflowing quartz term", {}, [](TDlgCalcParam &d) { d.Edit3->setText("1E300"); d.Edit4->setText("1E300"); },
         "Результат интервала 1 не является числом! Расчет остановлен!"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FillTestRun(*run);
        if (c.change)
            c.change(*run);
        const QByteArray samples = SampleBytes(*run);
        prompt.messages.clear();
        prompt.dialogsShown.clear();
        Accept<TDlgCalcParam>(c.set);
        CalculateClick(ctx);
        EXPECT_EQ(prompt.messages, (QStringList{MsgBaselineIgnored(), c.message}));
        EXPECT_FALSE(ResultShown());
        EXPECT_EQ(SampleBytes(*run), samples);
    }
    checkSamples = false;
}

TEST_F(Calculate, SamplesTakenWhileTheResultIsOpenAreKept)
{
    // An acquisition tick while the modal windows are open appends to the
    // live record; the calculation works on its own copy and keeps it.
    Accept<TDlgCalcParam>();
    prompt.dialogs.push_back([this](QDialog &) {
        run->T[600] = 601;
        run->L[600] = 0.5;
        run->TC[600] = 601;
        run->Count = 601;
        return int(QDialog::Accepted);
    });
    CalculateClick(ctx);
    EXPECT_EQ(run->Count, 601);
    EXPECT_EQ(double(run->T[600]), 601);  // a copy: the record's doubles are unaligned
    EXPECT_EQ(calcResult.SimpleChart1->Data().Count, 100);
    checkSamples = false;
}

TEST(ComputeExpansion, DlqFromZeroShiftsByTheFirstInterval)
{
    // Baseline L = T^2 exactly; interval j's dLQ = (1 + 5j)^2 - 1, and from
    // zero it becomes (1 + 5j)^2 - 36.
    auto record = ZeroRun();
    FillTestRun(*record);
    TCalcParams params;
    params.DLQFromZero = true;
    const TCalcOutcome out = ComputeExpansion(*record, params, TFitPoints{{0, 10, 20, 30}, {0, 100, 400, 900}});
    ASSERT_EQ(out.Rows.size(), 100u);
    EXPECT_NEAR(out.Rows[0].DLQ, 0, 1e-9);
    EXPECT_NEAR(out.Rows[1].DLQ, 121 - 36, 1e-9);
    EXPECT_NEAR(out.Rows[99].DLQ, 501.0 * 501 - 36, 1e-6);
}

TEST(ComputeExpansion, ThousandIntervalsNeedThousandAndOneSamples)
{
    // T = i, L = 0.002 i: s = 1 picks every sample up to the last one.
    auto record = ZeroRun();
    record->Count = 1001;
    for (int i = 1; i <= 1001; ++i) {
        record->T[i - 1] = i;
        record->L[i - 1] = 0.002 * i;
    }
    TCalcParams params;
    params.CalcPoints = 1000;
    const TCalcOutcome out = ComputeExpansion(*record, params, std::nullopt);
    ASSERT_EQ(out.Rows.size(), 1000u);
    EXPECT_EQ(out.Rows[999].T, 1000);
    EXPECT_LT(Rel(out.Rows[999].DL, 2.0), 1e-12);
    EXPECT_LT(Rel(out.Rows[999].Alpha, 0.002 / 50000 + 5.2e-7), 1e-12);

    record->Count = 1000;
    EXPECT_TRUE(ComputeExpansion(*record, params, std::nullopt).Rows.empty());
}

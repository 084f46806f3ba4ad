// The smoothing commands on a run record, with the prompt answered by script.
#include "app/SmoothCommands.h"
#include "tests/support/RecordingPrompt.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace {

using Command = void (*)(TRunData &, const TChannelChoice &, const TRunRedraw &);

class SmoothCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale::c());
        ClearRun(*run);
    }
    // T = 1000 + j, L = j^2, TC = -j for the zero-based sample j.
    void Fill(int32_t n)
    {
        run->Count = n;
        for (int32_t j = 0; j < n; ++j) {
            run->T[j] = 1000.0 + j;
            run->L[j] = double(j) * j;
            run->TC[j] = -j;
        }
    }
    void Run(Command command, TChannel channel = TChannel::L)
    {
        before = std::make_unique<TRunData>(*run);
        command(*run, [channel] { return std::optional<TChannel>(channel); }, [this] { ++redraws; });
    }
    bool Unchanged() const { return std::memcmp(run.get(), before.get(), sizeof(TRunData)) == 0; }

    TRecordingPrompt prompt;
    std::unique_ptr<TRunData> run = std::make_unique<TRunData>();
    std::unique_ptr<TRunData> before;
    int redraws = 0;
};

// Averaging j^2 over j-k..j+k gives j^2 + k(k+1)/3 exactly, so Y[5] with
// M = 10 is (0 + 1 + 4 + ... + 100) / 11 = 35.
TEST_F(SmoothCommands, MovingAverageHalfWidthFromM)
{
    const struct { const char *name; std::optional<QString> text; int k; } rows[] = {
        {"M = 0", QStringLiteral("0"), 0}, {"M = 1", QStringLiteral("1"), 1},
        {"M = 2", QStringLiteral("2"), 1}, {"M = 5", QStringLiteral(" 5 "), 3},
        {"M = 10", QStringLiteral("10"), 5}, {"Cancel gives 10", std::nullopt, 5},
    };
    for (const auto &row : rows) {
        Fill(100);
        redraws = 0;
        prompt.inputs = {row.text};
        Run(SmoothMeanClick);
        const std::vector<double> T = ChannelValues(*run, TChannel::T), L = ChannelValues(*run, TChannel::L),
                                  TC = ChannelValues(*run, TChannel::TC);
        for (int j = 0; j < 100; ++j) {
            const bool inner = row.k <= j && j <= 99 - row.k;
            const double expected = double(j) * j + (inner ? row.k * (row.k + 1) / 3.0 : 0.0);
            EXPECT_NEAR(L[j], expected, 1e-10) << row.name << " j " << j;
            EXPECT_EQ(T[j], 1000.0 + j) << row.name;
            EXPECT_EQ(TC[j], -j) << row.name;
        }
        EXPECT_EQ(redraws, 1) << row.name;
        EXPECT_EQ(prompt.questions.last(), QStringLiteral("M = ")) << row.name;
        EXPECT_EQ(prompt.questionCaptions.last(), QStringLiteral("Сглаживание скользящим средним"));
        EXPECT_EQ(prompt.inputDefaults.last(), QStringLiteral("10"));
    }
    EXPECT_TRUE(prompt.messages.isEmpty());
}

TEST_F(SmoothCommands, SevenPointsOnTheChosenChannel)
{
    // Seven samples: only the middle one changes, by the filter's weights.
    const double y[7] = {3, -1, 4, 1, -5, 9, 2};
    const double w[7] = {0.02164494, -0.12987011, 0.32467534, 0.56709957,
                         0.32467534, -0.12987011, 0.02164494};
    run->Count = 7;
    double middle = 0;
    for (int m = 0; m < 7; ++m) {
        run->TC[m] = y[m];
        middle += w[m] * y[m];
    }
    Run(SmoothPolyClick, TChannel::TC);
    const std::vector<double> tc = ChannelValues(*run, TChannel::TC);
    for (int m = 0; m < 7; ++m)
        EXPECT_NEAR(tc[m], m == 3 ? middle : y[m], m == 3 ? 1e-12 : 0.0) << m;

    // A constant c: 0.99999991 c inside, c in the three samples at each end.
    const double c = 2.5;
    run->Count = 20;
    for (int j = 0; j < 20; ++j)
        run->T[j] = c;
    Run(SmoothPolyClick, TChannel::T);
    const std::vector<double> t = ChannelValues(*run, TChannel::T);
    for (int j = 0; j < 20; ++j)
        EXPECT_NEAR(t[j], (j < 3 || j > 16) ? c : 0.99999991 * c, 1e-14) << j;
    EXPECT_EQ(redraws, 2);
}

TEST_F(SmoothCommands, SplineKeepsDataAtZeroAndLinesAtAnyR)
{
    Fill(40);
    prompt.inputs = {QStringLiteral("0")};
    Run(SmoothSplineClick);
    const std::vector<double> l = ChannelValues(*run, TChannel::L);
    for (int j = 0; j < 40; ++j)
        EXPECT_NEAR(l[j], double(j) * j, 1e-9) << j;

    for (const char *r : {"1", "10", "1000"}) {
        for (int j = 0; j < 40; ++j)
            run->T[j] = 7.0 - 0.25 * j;
        prompt.inputs = {QString::fromLatin1(r)};
        Run(SmoothSplineClick, TChannel::T);
        const std::vector<double> t = ChannelValues(*run, TChannel::T);
        for (int j = 0; j < 40; ++j)
            EXPECT_NEAR(t[j], 7.0 - 0.25 * j, 1e-10) << "R " << r << " j " << j;
    }
    EXPECT_EQ(redraws, 4);
    EXPECT_EQ(prompt.questions.last(), QStringLiteral("R = "));
    EXPECT_EQ(prompt.questionCaptions.last(), QStringLiteral("Сглаживание сплайном"));
    EXPECT_EQ(prompt.inputDefaults.last(), QStringLiteral("10"));

    // A spline that cannot be built (a NaN sample) leaves the channel as it was.
    EXPECT_TRUE(prompt.messages.isEmpty());
    run->T[17] = std::nan("");
    prompt.inputs = {QStringLiteral("10")};
    Run(SmoothSplineClick, TChannel::T);
    EXPECT_TRUE(Unchanged());
    EXPECT_EQ(prompt.messages, QStringList{"Сглаживание сплайном невозможно: канал не изменён!"});
    EXPECT_EQ(redraws, 4);
}

TEST_F(SmoothCommands, RefusedParameterChangesNothing)
{
    const struct { const char *name; Command command; const char *text; } rows[] = {
        {"fraction", SmoothMeanClick, "1.5"},    {"letters", SmoothMeanClick, "abc"},
        {"empty", SmoothSplineClick, ""},        {"beyond int32", SmoothMeanClick, "2147483648"},
        {"negative M", SmoothMeanClick, "-1"},   {"negative R", SmoothSplineClick, "-3"},
    };
    Fill(50);
    for (const auto &row : rows) {
        prompt.messages.clear();
        prompt.inputs = {QString::fromLatin1(row.text)};
        Run(row.command);
        EXPECT_TRUE(Unchanged()) << row.name;
        EXPECT_EQ(prompt.messages.size(), 1) << row.name;
    }
    EXPECT_EQ(redraws, 0);
}

TEST_F(SmoothCommands, ShortRunsAndCancelledChannelLeaveTheRun)
{
    const struct { const char *name; Command command; int32_t count; const char *text; } rows[] = {
        {"window above count", SmoothMeanClick, 10, "10"},
        {"six samples", SmoothPolyClick, 6, nullptr},
        {"two samples spline", SmoothSplineClick, 2, "10"},
    };
    for (const auto &row : rows) {
        Fill(50);
        run->Count = row.count;
        redraws = 0;
        if (row.text)
            prompt.inputs = {QString::fromLatin1(row.text)};
        Run(row.command);
        EXPECT_TRUE(Unchanged()) << row.name;
        EXPECT_EQ(redraws, 1) << row.name;
    }
    EXPECT_TRUE(prompt.messages.isEmpty());

    redraws = 0;
    before = std::make_unique<TRunData>(*run);
    for (Command command : {SmoothMeanClick, SmoothPolyClick, SmoothSplineClick}) {
        const qsizetype asked = prompt.questions.size();
        command(*run, [] { return std::optional<TChannel>(); }, [this] { ++redraws; });
        EXPECT_EQ(prompt.questions.size(), asked);
    }
    EXPECT_EQ(redraws, 0);
    EXPECT_TRUE(Unchanged());
}

// A tick that lands while the channel dialog is open adds a sample that is
// smoothed with the rest, not lost.
TEST_F(SmoothCommands, SampleAddedDuringTheDialogIsKept)
{
    Fill(10);
    SmoothPolyClick(*run, [this] {
        run->L[10] = 0.0;  // 100 would continue j^2
        run->Count = 11;
        return std::optional<TChannel>(TChannel::L);
    }, {});
    ASSERT_EQ(run->Count, 11);
    const std::vector<double> L = ChannelValues(*run, TChannel::L);
    EXPECT_EQ(L[10], 0.0);
    // The filter keeps j^2 (a quartic) up to its constants' rounding; the new
    // sample pulls the last inner one by its weight 0.02164494 times -100.
    EXPECT_NEAR(L[6], 36.0, 1e-5);
    EXPECT_NEAR(L[7], 49.0 - 2.164494, 1e-5);
}

} // namespace

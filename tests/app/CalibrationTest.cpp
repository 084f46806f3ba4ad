// The error filter, the polynomial and reference-point calibrations, and the
// reference-point files.
#include "app/core/Calibration.h"
#include "tests/app/CoreTestUtil.h"

#include <gtest/gtest.h>
#include <cmath>

namespace {

using Values = std::vector<double>;

std::unique_ptr<TRunData> RunOf(const Values &t, const Values &l, const Values &tc)
{
    auto run = NewRun();
    run->Count = static_cast<int32_t>(t.size());
    for (size_t i = 0; i < t.size(); ++i)
        run->T[i] = t[i], run->L[i] = l[i], run->TC[i] = tc[i];
    return run;
}

// Raw 0, 10, ..., 50 on the line y = slope x + offset: the smoothing spline
// of points on a line is that line (no residual, no curvature).
TSplineTable LineTable(double slope, double offset)
{
    TSplineTable table;
    table.Count = 6;
    for (int q = 0; q < 6; ++q)
        table.X[q] = 10.0 * q, table.Y[q] = slope * table.X[q] + offset;
    return table;
}

} // namespace

TEST(Calibration, ErrorFilterDropsMarkerInTOrLAndClosesUp)
{
    auto run = RunOf({1, -1, 3, 4, 5}, {10, 20, -1, 40, 50}, {100, 200, 300, -1, 500});
    FilterErrors(*run, -1);  // samples 2 and 3 go with their TC; a TC of -1 stays
    EXPECT_EQ(ChannelValues(*run, TChannel::T), (Values{1, 4, 5}));
    EXPECT_EQ(ChannelValues(*run, TChannel::L), (Values{10, 40, 50}));
    EXPECT_EQ(ChannelValues(*run, TChannel::TC), (Values{100, -1, 500}));
}

TEST(Calibration, PolynomialMatchesExactIntegerArithmetic)
{
    auto run = NewRun();
    FillTestRun(*run);
    const QByteArray raw = Bytes(*run);
    ApplyKalibr(*run, DefaultSettings(""), {}, {});
    EXPECT_EQ(Bytes(*run), raw);  // default coefficients change nothing

    // T: 8y = 12 - 16x + 2x^2 + x^3; L: 2y = -6 + x - 2x^3; exact for these x.
    TSettings s = DefaultSettings("");
    s.aT = 1.5, s.bT = -2, s.cT = 0.25, s.dT = 0.125;
    s.aL = -3, s.bL = 0.5, s.cL = 0, s.dL = -1;
    Values xs;
    for (int x = -100; x <= 100; x += 7)
        xs.push_back(x);
    const Values reversed(xs.rbegin(), xs.rend());
    run = RunOf(xs, xs, reversed);
    ApplyKalibr(*run, s, {}, {});
    const auto cubicT = [](int64_t x) { return (12 - 16 * x + 2 * x * x + x * x * x) / 8.0; };
    const Values T = ChannelValues(*run, TChannel::T), L = ChannelValues(*run, TChannel::L),
                 TC = ChannelValues(*run, TChannel::TC);
    for (size_t i = 0; i < xs.size(); ++i) {
        const auto x = static_cast<int64_t>(xs[i]);
        EXPECT_EQ(T[i], cubicT(x));
        EXPECT_EQ(TC[i], cubicT(static_cast<int64_t>(reversed[i])));
        EXPECT_EQ(L[i], (-6 + x - 2 * x * x * x) / 2.0);
    }
}

TEST(Calibration, SplineAtBetweenAndBeyondItsPoints)
{
    TSettings s = DefaultSettings("");
    s.TSplineKalibrFlag = s.LSplineKalibrFlag = true;
    const Values raw{0, 20, 50, 5, 37.5, -10, 80};
    auto run = RunOf(raw, raw, raw);
    const TKalibrStatus status = ApplyKalibr(*run, s, LineTable(2, 10), LineTable(-0.5, 3));
    EXPECT_EQ(status.T, TTableState::Ok);
    EXPECT_EQ(status.L, TTableState::Ok);
    for (size_t i = 0; i < raw.size(); ++i) {
        EXPECT_NEAR(run->T[i], 2 * raw[i] + 10, 1e-9) << raw[i];
        EXPECT_NEAR(run->TC[i], 2 * raw[i] + 10, 1e-9) << raw[i];
        EXPECT_NEAR(run->L[i], -0.5 * raw[i] + 3, 1e-9) << raw[i];
    }
}

TEST(Calibration, UnusableTableLeavesItsQuantityRaw)
{
    using S = TTableState;
    // X[slot] := value (Y[slot] for NaN); slot -1: the line table unchanged.
    const struct { int32_t count; int slot; double value; S state; } rows[] = {
        {2, -1, 0, S::BadCount},     {-5, -1, 0, S::BadCount},         {5000, -1, 0, S::BadCount},
        {6, 2, 10, S::NotIncreasing}, {6, 5, -1, S::NotIncreasing},     {6, 5, INFINITY, S::NotFinite},
        {6, 3, NAN, S::NotFinite},    {3, 1, 1e-300, S::BuildFailed},  {3, -1, 0, S::Ok},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message() << row.count << " " << row.slot << " " << row.value);
        TSplineTable table = LineTable(2, 10);
        table.Count = row.count;
        if (row.slot >= 0)
            (std::isnan(row.value) ? table.Y : table.X)[row.slot] = row.value;
        TSettings s;
        s.TSplineKalibrFlag = true, s.bL = 3;
        auto run = RunOf({4, 7}, {4, 7}, {5, 8});
        EXPECT_EQ(ApplyKalibr(*run, s, table, table).T, row.state);
        const bool ok = row.state == S::Ok;
        EXPECT_NEAR(run->T[1], ok ? 24 : 7, 1e-9);
        EXPECT_NEAR(run->TC[0], ok ? 20 : 5, 1e-9);
        EXPECT_EQ(ChannelValues(*run, TChannel::L)[1], 21);
    }
}

TEST(Calibration, NoticesReportEachFailureOnce)
{
    using S = TTableState;
    TKalibrNotices notices;
    EXPECT_TRUE(notices.Update({S::Ok, S::NotUsed}).isEmpty());
    EXPECT_EQ(notices.Update({S::NotIncreasing, S::NotUsed}).size(), 1);
    EXPECT_TRUE(notices.Update({S::NotIncreasing, S::NotUsed}).isEmpty());  // the next redraw
    EXPECT_EQ(notices.Update({S::BadCount, S::BadCount}).size(), 2);        // both changed
    EXPECT_TRUE(notices.Update({S::NotUsed, S::Ok}).isEmpty());
    EXPECT_EQ(notices.Update({S::NotUsed, S::BuildFailed}).size(), 1);       // broken again
}

TEST(SplineFile, RoundTripIsByteExactAndShortFileFillsWhatItReaches)
{
    QTemporaryDir dir;
    QByteArray image(1604, '\0');
    for (int i = 0; i < image.size(); ++i)
        image[i] = static_cast<char>(i * 37 + 11);  // NaN patterns and a wild count too
    WriteBytes(dir.filePath("in.spl"), image);
    TSplineTable table;
    ASSERT_TRUE(LoadSplineTable(dir.filePath("in.spl"), table).isEmpty());
    ASSERT_TRUE(SaveSplineTable(dir.filePath("out.spl"), table).isEmpty());
    EXPECT_EQ(ReadBytes(dir.filePath("out.spl")), image);

    const QByteArray head = image.left(6);  // the count and two bytes of X[0]
    WriteBytes(dir.filePath("short.spl"), head);
    table = LineTable(2, 10);
    ASSERT_TRUE(LoadSplineTable(dir.filePath("short.spl"), table).isEmpty());
    EXPECT_EQ(SplineTableImage(table), SplineTableImage(LineTable(2, 10)).replace(0, 6, head));
}

TEST(SplineFile, MissingFilesAreReportedAndTablesKept)
{
    QTemporaryDir dir;
    const TSettings s = DefaultSettings(dir.path() + '/');
    TSplineTable t = LineTable(1, 0), l;
    EXPECT_EQ(OpenSplineKalibr(s, t, l), QStringList({"Файл не найден: " + s.SplineTFile + "!",
                                                      "Файл не найден: " + s.SplineLFile + "!"}));
    EXPECT_EQ(SplineTableImage(t), SplineTableImage(LineTable(1, 0)));
    EXPECT_TRUE(SaveSplineKalibr(s, t, l).isEmpty());
    EXPECT_EQ(ReadBytes(s.SplineLFile), QByteArray(1604, '\0'));  // count 0, every slot written
}

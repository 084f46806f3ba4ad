// The error filter, the polynomial and reference-point calibrations, and the
// reference-point files.
#include "app/core/Calibration.h"
#include "tests/app/CoreTestUtil.h"

#include <gtest/gtest.h>
#include <cmath>
#include <limits>

namespace {

std::unique_ptr<TRunData> RunOf(const std::vector<double> &t, const std::vector<double> &l,
                                const std::vector<double> &tc)
{
    auto run = NewRun();
    run->Count = static_cast<int32_t>(t.size());
    for (size_t i = 0; i < t.size(); ++i) {
        run->T[i] = t[i];
        run->L[i] = l[i];
        run->TC[i] = tc[i];
    }
    return run;
}

// Raw 0, 10, ..., 50 mapped onto the line y = slope x + offset: the smoothing
// spline of points on a line is that line (no residual, no curvature).
TSplineTable LineTable(double slope, double offset)
{
    TSplineTable table;
    table.Count = 6;
    for (int q = 0; q < 6; ++q) {
        table.X[q] = 10.0 * q;
        table.Y[q] = slope * table.X[q] + offset;
    }
    return table;
}

} // namespace

TEST(ErrorFilter, DropsSamplesWithMarkerInTOrLAndClosesUp)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    auto run = RunOf({1, -1, 3, 4, 5, nan}, {10, 20, -1, 40, 50, 60}, {100, 200, 300, -1, 500, 600});
    FilterErrors(*run, -1);
    // Samples 2 (T) and 3 (L) go with their TC; a TC of -1 and a NaN stay.
    ASSERT_EQ(run->Count, 4);
    const std::vector<double> t = ChannelValues(*run, TChannel::T);
    EXPECT_EQ(std::vector<double>(t.begin(), t.begin() + 3), (std::vector<double>{1, 4, 5}));
    EXPECT_TRUE(std::isnan(t[3]));
    EXPECT_EQ(ChannelValues(*run, TChannel::L), (std::vector<double>{10, 40, 50, 60}));
    EXPECT_EQ(ChannelValues(*run, TChannel::TC), (std::vector<double>{100, -1, 500, 600}));
    run->Count = -3;
    FilterErrors(*run, -1);
    EXPECT_EQ(run->Count, 0);
}

TEST(Polynomial, DefaultCoefficientsLeaveValuesUnchanged)
{
    auto run = NewRun();
    FillTestRun(*run);
    const QByteArray raw = Bytes(*run);
    ApplyKalibr(*run, DefaultSettings(""), {}, {});
    EXPECT_EQ(Bytes(*run), raw);
}

TEST(Polynomial, CubicMatchesExactIntegerArithmetic)
{
    // y = 1.5 - 2x + x^2/4 + x^3/8, i.e. 8y = 12 - 16x + 2x^2 + x^3: exact in
    // integers and in doubles for these x.
    TSettings s = DefaultSettings("");
    s.aT = 1.5, s.bT = -2, s.cT = 0.25, s.dT = 0.125;
    s.aL = -3, s.bL = 0.5, s.cL = 0, s.dL = -1;  // y = -3 + x/2 - x^3
    std::vector<double> xs;
    for (int x = -100; x <= 100; x += 7)
        xs.push_back(x);
    std::vector<double> tc(xs.rbegin(), xs.rend());
    auto run = RunOf(xs, xs, tc);
    ApplyKalibr(*run, s, {}, {});
    const auto cubicT = [](int64_t x) { return (12 - 16 * x + 2 * x * x + x * x * x) / 8.0; };
    const auto T = ChannelValues(*run, TChannel::T), L = ChannelValues(*run, TChannel::L),
               TC = ChannelValues(*run, TChannel::TC);
    for (size_t i = 0; i < xs.size(); ++i) {
        const int64_t x = static_cast<int64_t>(xs[i]), xc = static_cast<int64_t>(tc[i]);
        EXPECT_EQ(T[i], cubicT(x));
        EXPECT_EQ(TC[i], cubicT(xc));
        EXPECT_EQ(L[i], (-6 + x - 2 * x * x * x) / 2.0);
    }
}

TEST(ReferencePoints, SplineAtBetweenAndBeyondItsPoints)
{
    TSettings s = DefaultSettings("");
    s.TSplineKalibrFlag = s.LSplineKalibrFlag = true;
    const std::vector<double> raw{0, 20, 50, 5, 37.5, -10, 80};  // points, between, beyond
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

TEST(ReferencePoints, UnusableTableLeavesItsQuantityRaw)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Row {
        const char *name;
        int32_t count;
        int slot;       // slot changed in X (or in Y when value is NaN), -1: none
        double value;
        TTableState state;
    } rows[] = {
        {"two points", 2, -1, 0, TTableState::BadCount},
        {"zero points", 0, -1, 0, TTableState::BadCount},
        {"negative count", -5, -1, 0, TTableState::BadCount},
        {"101 points", 101, -1, 0, TTableState::BadCount},
        {"count from a damaged file", 5000, -1, 0, TTableState::BadCount},
        {"equal raw values", 6, 2, 10, TTableState::NotIncreasing},
        {"decreasing raw values", 6, 5, -1, TTableState::NotIncreasing},
        {"infinite raw value", 6, 5, inf, TTableState::NotFinite},
        {"NaN true value", 6, 3, nan, TTableState::NotFinite},
        {"three points", 3, -1, 0, TTableState::Ok},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        TSplineTable table = LineTable(2, 10);
        table.Count = row.count;
        if (row.slot >= 0)
            (std::isnan(row.value) ? table.Y : table.X)[row.slot] = row.value;
        EXPECT_EQ(CheckSplineTable(table), row.state);
        TSettings s = DefaultSettings("");
        s.TSplineKalibrFlag = true;
        s.bL = 3;
        auto run = RunOf({4, 7}, {4, 7}, {5, 8});
        const TKalibrStatus status = ApplyKalibr(*run, s, table, table);
        EXPECT_EQ(status.T, row.state);
        EXPECT_EQ(status.L, TTableState::NotUsed);
        const double t = row.state == TTableState::Ok ? 2 * 7 + 10 : 7;
        EXPECT_NEAR(run->T[1], t, 1e-9);
        EXPECT_NEAR(run->TC[0], row.state == TTableState::Ok ? 20 : 5, 1e-9);
        EXPECT_EQ(ChannelValues(*run, TChannel::L)[1], 21);
    }
}

TEST(ReferencePoints, NoticesReportEachFailureOnce)
{
    using S = TTableState;
    TKalibrNotices notices;
    EXPECT_TRUE(notices.Update({S::Ok, S::NotUsed}).isEmpty());
    const QStringList first = notices.Update({S::NotIncreasing, S::NotUsed});
    ASSERT_EQ(first.size(), 1);
    EXPECT_TRUE(first[0].contains("T и TC"));
    EXPECT_TRUE(notices.Update({S::NotIncreasing, S::NotUsed}).isEmpty());  // next redraw
    EXPECT_EQ(notices.Update({S::NotIncreasing, S::BadCount}).size(), 1);   // L newly broken
    EXPECT_EQ(notices.Update({S::BadCount, S::BadCount}).size(), 1);        // another fault of T
    EXPECT_TRUE(notices.Update({S::NotUsed, S::Ok}).isEmpty());
    EXPECT_EQ(notices.Update({S::BadCount, S::BadCount}).size(), 2);        // broken again
}

TEST(SplineFile, RoundTripIsByteExactAndShortFileFillsWhatItReaches)
{
    QTemporaryDir dir;
    QByteArray image(1604, '\0');
    for (int i = 0; i < image.size(); ++i)
        image[i] = static_cast<char>(i * 37 + 11);  // also NaN patterns and a wild count
    WriteBytes(dir.filePath("in.spl"), image);
    TSplineTable table;
    ASSERT_TRUE(LoadSplineTable(dir.filePath("in.spl"), table).isEmpty());
    ASSERT_TRUE(SaveSplineTable(dir.filePath("out.spl"), table).isEmpty());
    EXPECT_EQ(ReadBytes(dir.filePath("out.spl")), image);

    // 6 bytes: the count and two bytes of X[0]; the rest keeps the old table.
    TSplineTable shortRead = LineTable(2, 10);
    const int32_t count = 4;
    QByteArray head(reinterpret_cast<const char *>(&count), 4);
    head += QByteArray(2, '\0');
    WriteBytes(dir.filePath("short.spl"), head);
    ASSERT_TRUE(LoadSplineTable(dir.filePath("short.spl"), shortRead).isEmpty());
    QByteArray expected = SplineTableImage(LineTable(2, 10));
    expected.replace(0, 6, head);
    EXPECT_EQ(SplineTableImage(shortRead), expected);
    EXPECT_EQ(shortRead.Count, 4);
}

TEST(SplineFile, MissingFilesAreReportedAndTablesKept)
{
    QTemporaryDir dir;
    TSettings s = DefaultSettings(dir.path() + '/');
    TSplineTable t = LineTable(1, 0), l;
    const QStringList messages = OpenSplineKalibr(s, t, l);
    EXPECT_EQ(messages, QStringList({"Файл не найден: " + s.SplineTFile + "!",
                                     "Файл не найден: " + s.SplineLFile + "!"}));
    EXPECT_EQ(SplineTableImage(t), SplineTableImage(LineTable(1, 0)));
    EXPECT_TRUE(SaveSplineKalibr(s, t, l).isEmpty());
    EXPECT_EQ(ReadBytes(s.SplineLFile), QByteArray(1604, '\0'));  // count 0, all slots written
    EXPECT_TRUE(OpenSplineKalibr(s, t, l).isEmpty());
}

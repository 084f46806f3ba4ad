// The exports of libdaqlink.so and libauxlink.so, called as the main program
// calls them.
#include "tests/daqlink/LinkHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using daqtest::kQuiet;
using daqtest::TRun;
using daqtest::TScan;

constexpr int32_t kUntouched = 12345;

TEST(Daqlink, ProgramCallsReadThreeChannelsInDegreesAndMicrometres)
{
    TRun run(kQuiet);
    ASSERT_TRUE(run.Ready());
    // The start of a run: sample and furnace at room temperature, no length change yet.
    const TScan first = run.Read();
    EXPECT_EQ(first.t, 20);
    EXPECT_EQ(first.l, 0);
    EXPECT_EQ(first.tc, 20);
    // One minute at 5 K/min later the furnace is 5 K warmer and the copper
    // sample has begun to grow.
    const TScan second = run.Read();
    EXPECT_EQ(second.tc, 25);
    EXPECT_GT(second.t, 20);
    EXPECT_LT(second.t, 25);
    EXPECT_GT(second.l, 0);

    TRun::Heater(true);
    TRun::Heater(false);
    DAQSetup();
    EXPECT_NE(daqtest::BackendText().find("Имитатор дилатометра"), std::string::npos);
}

// Calls that must leave the caller's cells alone.
TEST(Daqlink, GetResWritesNothingOutsideItsContract)
{
    struct TCase {
        const char *name;
        std::function<void(int32_t *cells)> call;
    };
    const std::vector<TCase> cases = {
        {"N = 0", [](int32_t *r) { GetRes(0, r, 2); }},
        {"negative N", [](int32_t *r) { GetRes(-1, r, 2); }},
        {"N beyond the caller's array", [](int32_t *r) { GetRes(3, r, 1); }},
        {"N beyond the list", [](int32_t *r) { GetRes(4, r, 3); }},
        {"negative last index", [](int32_t *r) { GetRes(1, r, -1); }},
        {"huge last index, N beyond the list", [](int32_t *r) { GetRes(INT32_MAX, r, INT32_MAX); }},
        {"no list open, as before the first InitDaqlink", [](int32_t *r) { DoneDaqlink(); GetRes(3, r, 2); }},
    };
    TRun run(kQuiet);
    ASSERT_TRUE(run.Ready());
    for (const TCase &c : cases) {
        int32_t cells[4] = {kUntouched, kUntouched, kUntouched, kUntouched};
        c.call(cells);
        for (int32_t cell : cells)
            EXPECT_EQ(cell, kUntouched) << c.name;
    }
    GetRes(1, nullptr, 0); // must not crash
}

TEST(Daqlink, ChannelNumbersKeepTheirLow16Bits)
{
    // 65537 = 0x10001 -> 1, 65536 -> 0, -65534 = 0xFFFF0002 -> 2: the same
    // list as {1, 0, 2}, so the same readings.
    std::vector<TScan> wide, plain;
    {
        TRun run("Seed = 7", {65537, 65536, -65534});
        wide = run.Read(20);
    }
    {
        TRun run("Seed = 7", {1, 0, 2});
        plain = run.Read(20);
    }
    EXPECT_TRUE(wide == plain);

    // 32770 = 0x8002 is -32766 as a 16-bit number: no such channel.
    TRun run("", {32770, 1, 0});
    EXPECT_EQ(run.Read().t, -1);
}

TEST(Daqlink, SecondInitReplacesTheListWithAtMostTheCallersArray)
{
    TRun run(kQuiet);
    run.Read(10);
    // N = 3 with a one-element array: the new list is that one channel.
    const int32_t one[1] = {2};
    ASSERT_EQ(InitDaqlink(3, one, 0), 1);
    int32_t cells[3] = {kUntouched, kUntouched, kUntouched};
    GetRes(3, cells, 2);
    EXPECT_EQ(cells[0], kUntouched);
    GetRes(1, cells, 2);
    EXPECT_EQ(cells[0], 20); // channel 2, the furnace, at the start of a new run
    EXPECT_EQ(cells[1], kUntouched);
}

TEST(Daqlink, MalformedOutputCommandsAreIgnored)
{
    struct TCase {
        const char *name;
        std::vector<uint8_t> bytes;
        int32_t n;
    };
    const std::vector<TCase> cases = {
        {"first byte not 86", {85, 1, 0}, 3},
        {"second byte not 1", {86, 2, 0}, 3},
        {"only two bytes passed", {86, 1, 0}, 2},
        {"N beyond the array", {86, 1}, 3},
    };
    for (const TCase &c : cases) {
        TRun run(kQuiet);
        run.Read();
        SetRes(c.n, c.bytes.data(), static_cast<int32_t>(c.bytes.size()) - 1);
        run.Read();
        EXPECT_EQ(run.Read().tc, 30) << c.name; // still heating at 5 K/min
    }
    SetRes(3, nullptr, 2); // must not crash
}

TEST(Daqlink, NoBoardFallsBackToTheSimulatorUnlessTheBoardIsDemanded)
{
    const std::string missing = "Device = /nonexistent/comedi9\n";
    {
        TRun run(missing + "Backend = auto");
        EXPECT_TRUE(run.Ready());
        EXPECT_EQ(run.Read().tc, 20);
        const std::string text = daqtest::BackendText();
        EXPECT_NE(text.find("Имитатор дилатометра"), std::string::npos) << text;
        // Why no board is used: the device, or a build without Comedi.
        EXPECT_NE(text.find("Плата Comedi не используется"), std::string::npos) << text;
    }
    {
        TRun run(missing + "Backend = comedi");
        EXPECT_FALSE(run.Ready());
        int32_t cells[3] = {kUntouched, kUntouched, kUntouched};
        GetRes(3, cells, 2);
        EXPECT_EQ(cells[0], kUntouched);
        EXPECT_EQ(InitAuxlink(), 0); // no simulated instrument for the weigher either
    }
    {
        TRun run("Backend = sim");
        DAQSetup();
        EXPECT_EQ(daqtest::BackendText().find("Comedi"), std::string::npos);
    }
}

TEST(Daqlink, BackendTextFitsTheCallersBuffer)
{
    daqboard::OverrideSettings("");
    DAQSetup();
    const std::string whole = daqtest::BackendText();
    const int32_t length = DaqlinkBackendText(nullptr, -1);
    ASSERT_EQ(static_cast<int32_t>(whole.size()), length);
    // Every buffer size: a zero-ended prefix within the buffer, at most one
    // UTF-8 character (up to 4 bytes) short of filling it, never a cut character.
    for (int32_t last = 0; last <= length; ++last) {
        std::vector<char> buffer(static_cast<size_t>(last) + 2, '#');
        EXPECT_EQ(DaqlinkBackendText(buffer.data(), last), length);
        EXPECT_EQ(buffer[static_cast<size_t>(last) + 1], '#');
        const std::string part(buffer.data());
        ASSERT_LE(part.size(), static_cast<size_t>(last));
        EXPECT_EQ(whole.compare(0, part.size(), part), 0);
        EXPECT_GE(part.size() + 3, static_cast<size_t>(last));
        EXPECT_TRUE(part.size() == whole.size() || (whole[part.size()] & 0xC0) != 0x80);
    }
}

TEST(Auxlink, WeigherReadsTheSameLengthChangeAtFullResolution)
{
    double w = 0.0;
    DoneAuxlink();
    GetWRes(&w);
    EXPECT_EQ(w, -1.0); // not initialised
    EXPECT_EQ(GetStatusWindow(), 0.0);

    TRun run("");
    EXPECT_GE(GetStatusWindow(), 0.0);
    ASSERT_EQ(InitAuxlink(), 1);
    EXPECT_EQ(GetStatusWindow(), 1.0);
    int fractional = 0;
    double last = 0.0;
    for (int tick = 0; tick < 200; ++tick) {
        const TScan scan = run.Read();
        GetWRes(&w);
        // Channel 1 is the weigher's value rounded to whole micrometres, except
        // that a value that would read as the failure code -1 reads 0.
        EXPECT_LE(std::fabs(w - scan.l), scan.l == 0 ? 1.5 : 0.5) << "tick " << tick;
        EXPECT_NE(scan.l, -1);
        if (w != std::nearbyint(w))
            ++fractional;
        last = w;
    }
    EXPECT_GT(fractional, 190);
    EXPECT_GT(last, 500.0); // the copper sample has grown by most of a millimetre
    GetWRes(nullptr); // must not crash

    DoneAuxlink();
    GetWRes(&w);
    EXPECT_EQ(w, -1.0);
    daqboard::OverrideSettings("ErrorCode = -999");
    GetWRes(&w);
    EXPECT_EQ(w, -999.0);
}

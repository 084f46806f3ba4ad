// Heater commands, their bit arithmetic and the switch-off threshold.
#include "app/core/BinToIntFuncs.h"
#include "app/core/ManageFuncs.h"
#include "tests/app/CoreTestUtil.h"

#include <gtest/gtest.h>
#include <array>
#include <vector>

namespace {

using Commands = std::vector<std::vector<uint8_t>>;

struct TRecordingPort final : THeaterPort {
    Commands sent;
    void SetRes(int32_t n, const uint8_t *data, int32_t lastIndex) override
    {
        EXPECT_EQ(n, lastIndex + 1);
        sent.emplace_back(data, data + n);
    }
};

} // namespace

TEST(Heater, CommandBytesAndBitArithmetic)
{
    TRecordingPort port;
    HeaterOn(port);
    HeaterOff(port);
    EXPECT_EQ(port.sent, (Commands{{86, 1, 32}, {86, 1, 0}}));

    EXPECT_EQ(IntPower2(-5), 1);
    EXPECT_EQ(IntPower2(30), 1 << 30);
    EXPECT_EQ(IntPower2(31), INT32_MIN);  // 32-bit wrap-around
    EXPECT_EQ(IntPower2(INT32_MAX), 0);
    const std::array<uint8_t, 8> bits{1, 0, 1, 1, 0, 0, 0, 255};  // 1 + 4 + 8 + 255 * 128
    EXPECT_EQ(BitsToInt(8, bits), 32653);
    EXPECT_EQ(BitsToInt(3, bits), 5);
    EXPECT_EQ(BitsToInt(-1, bits), 0);
    EXPECT_EQ(BitsToInt(1000, bits), 32653);  // never past the array
}

TEST(Heater, ThresholdComparisonsAreStrict)
{
    auto run = NewRun();
    run->Count = 2;
    run->T[0] = run->L[0] = 1000;  // only the last sample counts
    run->T[1] = 100, run->L[1] = 50;
    const struct { bool flag; int32_t event; double value; bool off; } rows[] = {
        {true, 1, 99.5, true}, {true, 1, 100, false}, {true, 2, 49, true},    {true, 2, 50, false},
        {true, 3, 100.5, true}, {true, 3, 100, false}, {true, 4, 51, true},   {true, 4, 50, false},
        {true, 0, -1e9, false}, {true, 5, -1e9, false}, {false, 1, -1e9, false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message() << row.event << " " << row.value);
        TSettings s;
        s.ManageFlag = row.flag, s.ManageStopEvent = row.event, s.ManageValue = row.value;
        TRecordingPort port;
        EXPECT_EQ(CheckHeaterThreshold(port, *run, s), row.off);
        EXPECT_EQ(port.sent, (row.off ? Commands{{86, 1, 0}} : Commands{}));
    }
    TSettings s;
    s.ManageFlag = true, s.ManageStopEvent = 3, s.ManageValue = 1e9;
    run->Count = 0;
    EXPECT_FALSE(HeaterThresholdReached(*run, s));  // no sample left
}

// Heater commands, their bit arithmetic and the switch-off threshold.
#include "app/core/BinToIntFuncs.h"
#include "app/core/ManageFuncs.h"
#include "tests/app/CoreTestUtil.h"

#include <gtest/gtest.h>
#include <array>
#include <limits>
#include <vector>

namespace {

class TRecordingPort final : public THeaterPort {
public:
    std::vector<std::vector<uint8_t>> sent;
    void SetRes(int32_t n, const uint8_t *data, int32_t lastIndex) override
    {
        EXPECT_EQ(n, 3);
        EXPECT_EQ(lastIndex, 2);
        sent.emplace_back(data, data + lastIndex + 1);
    }
};

} // namespace

TEST(Heater, CommandBytes)
{
    TRecordingPort port;
    HeaterOn(port);
    HeaterOff(port);
    SendManage(port, 255);
    EXPECT_EQ(port.sent, (std::vector<std::vector<uint8_t>>{{86, 1, 32}, {86, 1, 0}, {86, 1, 255}}));
}

TEST(Heater, PowersAndBitsWrapLikeThirtyTwoBitIntegers)
{
    EXPECT_EQ(IntPower2(-5), 1);
    EXPECT_EQ(IntPower2(0), 1);
    EXPECT_EQ(IntPower2(5), 32);
    EXPECT_EQ(IntPower2(30), 1 << 30);
    EXPECT_EQ(IntPower2(31), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(IntPower2(32), 0);
    EXPECT_EQ(IntPower2(std::numeric_limits<int32_t>::max()), 0);

    const std::array<uint8_t, 8> bits{1, 0, 1, 1, 0, 0, 0, 1};  // 1 + 4 + 8 + 128
    EXPECT_EQ(BitsToInt(8, bits), 141);
    EXPECT_EQ(BitsToInt(3, bits), 5);
    EXPECT_EQ(BitsToInt(0, bits), 0);
    EXPECT_EQ(BitsToInt(-1, bits), 0);
    EXPECT_EQ(BitsToInt(1000, bits), 141);  // never past the array
    const std::array<uint8_t, 2> big{255, 255};  // bytes unsigned: 255 + 510
    EXPECT_EQ(BitsToInt(2, big), 765);
    std::array<uint8_t, 40> top{};
    top[31] = 1;
    top[32] = 1;  // 2^32 wraps to 0
    EXPECT_EQ(BitsToInt(40, top), std::numeric_limits<int32_t>::min());
}

TEST(Heater, ThresholdComparisonsAreStrict)
{
    auto run = NewRun();
    run->Count = 2;
    run->T[0] = 1000, run->L[0] = 1000;  // an earlier sample is not looked at
    run->T[1] = 100, run->L[1] = 50;
    struct Row {
        const char *name;
        bool flag;
        int32_t event;
        double value;
        bool off;
    } rows[] = {
        {"T above", true, 1, 99.5, true},     {"T equal", true, 1, 100, false},
        {"L above", true, 2, 49, true},       {"L equal", true, 2, 50, false},
        {"T below", true, 3, 100.5, true},    {"T below equal", true, 3, 100, false},
        {"L below", true, 4, 51, true},       {"L below equal", true, 4, 50, false},
        {"event 0", true, 0, -1e9, false},    {"event 5", true, 5, -1e9, false},
        {"flag off", false, 1, -1e9, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        TSettings s;
        s.ManageFlag = row.flag, s.ManageStopEvent = row.event, s.ManageValue = row.value;
        TRecordingPort port;
        EXPECT_EQ(CheckHeaterThreshold(port, *run, s), row.off);
        EXPECT_EQ(port.sent.size(), row.off ? 1u : 0u);
        if (row.off) {
            EXPECT_EQ(port.sent[0], (std::vector<uint8_t>{86, 1, 0}));
        }
    }
    TSettings s;
    s.ManageFlag = true, s.ManageStopEvent = 3, s.ManageValue = 1e9;
    run->Count = 0;
    TRecordingPort port;
    EXPECT_FALSE(CheckHeaterThreshold(port, *run, s));  // no sample left
}

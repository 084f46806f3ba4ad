// The Comedi back end, run through the five exports against a scripted board
// (the stand-in for the Comedi library): the codes of 12-, 16- and 24-bit
// ranges, failed conversions, the heater line on a digital output or a
// digital input/output subdevice, and boards that cannot be used.
#include "daqlink/board/Board.h"
#include "daqlink/daqlink.h"
#include "tests/daqlink/comedi-standin/ComediStandIn.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace cs = comedi_standin;

namespace {

using TScan = std::array<int32_t, 3>;

constexpr lsampl_t k12Bit = 0xFFF, k16Bit = 0xFFFF, k24Bit = 0xFFFFFF;

cs::TSubdevice Subdevice(int type, std::vector<lsampl_t> maxdata) { return {type, std::move(maxdata)}; }
cs::TSubdevice Lines(int type, size_t count) { return {type, std::vector<lsampl_t>(count, 1)}; }

// Analogue input 0: channel 0 of 12 bits, 1 of 16 bits, 2 of 24 bits; an
// analogue output; eight digital output lines on subdevice 2.
cs::TBoard ThreeRangeBoard()
{
    cs::TBoard board;
    board.subdevices = {Subdevice(COMEDI_SUBD_AI, {k12Bit, k16Bit, k24Bit}), Subdevice(COMEDI_SUBD_AO, {k12Bit}),
                        Lines(COMEDI_SUBD_DO, 8)};
    return board;
}

std::string Settings(int heaterLine, const char *backend = "comedi")
{
    return std::string("Backend = ") + backend + "\nDevice = " + cs::TBoard().path +
           "\nHeaterLine = " + std::to_string(heaterLine) + "\n";
}

std::string Report()
{
    char text[2048];
    DaqlinkBackendText(text, sizeof text - 1);
    return text;
}

// A run over channels 0, 1, 2 as the program opens it; closed at the end.
class TLink {
public:
    TLink(const cs::TBoard &board, const std::string &settings, int16_t failureCode = -1)
    {
        cs::Load(board);
        daqboard::OverrideSettings(settings);
        DaqlinkSetFailureCode(failureCode);
        const int32_t channels[3] = {0, 1, 2};
        ready_ = InitDaqlink(3, channels, 2) == 1;
    }
    ~TLink()
    {
        DoneDaqlink();
        daqboard::OverrideSettings(std::nullopt);
    }
    TLink(const TLink &) = delete;
    TLink &operator=(const TLink &) = delete;

    bool Ready() const { return ready_; }
    static TScan Read()
    {
        TScan r{7, 7, 7};
        GetRes(3, r.data(), 2);
        return r;
    }
    static void Command(std::vector<uint8_t> bytes)
    {
        SetRes(int32_t(bytes.size()), bytes.data(), int32_t(bytes.size()) - 1);
    }

private:
    bool ready_ = false;
};

bool Contains(const std::string &text, const std::string &part) { return text.find(part) != std::string::npos; }

} // namespace

// Offset binary: the lowest sample is the most negative voltage, half of
// (maxdata + 1) is zero volts. A 12-bit range reads -2048..2047, a 16-bit one
// -32768..32767, a 24-bit one its top 16 bits (one code per 256 samples).
TEST(ComediBackend, CodesOfTwelveSixteenAndTwentyFourBitRanges)
{
    using TSamples = std::array<std::optional<lsampl_t>, 3>;
    struct TRow {
        const char *name;
        int16_t failureCode;
        TSamples samples;
        TScan codes;
    };
    const TRow rows[] = {
        {"lowest", -1, {0u, 0u, 0u}, {-2048, -32768, -32768}},
        {"one step up", -1, {1u, 1u, 0x100u}, {-2047, -32767, -32767}},
        {"within the 24-bit step", -1, {1u, 1u, 0xFFu}, {-2047, -32767, -32768}},
        {"zero volts", -1, {0x800u, 0x8000u, 0x800000u}, {0, 0, 0}},
        {"highest", -1, {k12Bit, k16Bit, k24Bit}, {2047, 32767, 32767}},
        {"above the range", -1, {0x1000u, k16Bit, k24Bit}, {2047, 32767, 32767}},
        // A genuine reading is moved one code toward zero off the failure code.
        {"on the failure code", -1, {0x7FFu, 0x7FFFu, 0x7FFFFFu}, {0, 0, 0}},
        {"failed conversions", -1, {std::nullopt, 0x8001u, std::nullopt}, {-1, 1, -1}},
        {"the program's failure code", -5, {std::nullopt, 0x7FFBu, 0x7FFA00u}, {-5, -4, -6}},
    };
    for (const TRow &r : rows) {
        TLink link(ThreeRangeBoard(), Settings(2), r.failureCode);
        ASSERT_TRUE(link.Ready()) << r.name << ": " << Report();
        for (unsigned channel = 0; channel < 3; ++channel)
            cs::Queue(channel, r.samples[channel]);
        EXPECT_EQ(TLink::Read(), r.codes) << r.name;
        // Each channel of the list, once, on range 0 against ground.
        const std::vector<cs::TRead> reads{{0, 0, 0, AREF_GROUND}, {0, 1, 0, AREF_GROUND}, {0, 2, 0, AREF_GROUND}};
        EXPECT_EQ(cs::Log().reads, reads) << r.name;
    }
}

// The heater bit of [86, 1, v] on the heater line: a digital output line as
// it is, a digital input/output line switched to output when the board opens.
TEST(ComediBackend, HeaterLineFollowsTheHeaterCommands)
{
    cs::TBoard dio;
    dio.subdevices = {Lines(COMEDI_SUBD_DI, 8), Subdevice(COMEDI_SUBD_AI, {k16Bit, k16Bit, k16Bit}),
                      Lines(COMEDI_SUBD_DIO, 24)};
    struct TRow {
        const char *name;
        cs::TBoard board;
        int line;
        std::vector<cs::TLine> configs;
        std::vector<cs::TLine> writes;
        const char *report;
    };
    const TRow rows[] = {
        {"digital output", ThreeRangeBoard(), 2, {}, {{2, 2, 1}, {2, 2, 0}, {2, 2, 1}},
         "нагреватель: линия 2 подустройства 2."},
        {"digital input/output", dio, 5, {{2, 5, COMEDI_OUTPUT}}, {{2, 5, 1}, {2, 5, 0}, {2, 5, 1}},
         "нагреватель: линия 5 подустройства 2."},
        {"no such line", ThreeRangeBoard(), 8, {}, {}, "нагреватель: нет цифрового выхода."},
    };
    for (const TRow &r : rows) {
        TLink link(r.board, Settings(r.line));
        ASSERT_TRUE(link.Ready()) << r.name << ": " << Report();
        TLink::Command({86, 1, 32});
        TLink::Command({86, 1, 0});
        TLink::Command({86, 1, 0x21});  // bit 5 with another bit
        // Not heater commands.
        TLink::Command({86, 2, 0});
        TLink::Command({85, 1, 0});
        TLink::Command({86, 1});
        EXPECT_EQ(cs::Log().configs, r.configs) << r.name;
        EXPECT_EQ(cs::Log().writes, r.writes) << r.name;
        EXPECT_TRUE(Contains(Report(), r.report)) << r.name << ": " << Report();
    }
}

// A board that cannot be used is refused with its reason in the "DAQ Setup"
// report, and left closed; with "Backend = auto" the simulator takes over.
TEST(ComediBackend, UnusableBoardsAreRefusedWithTheirReason)
{
    cs::TBoard noInput;
    noInput.subdevices = {Lines(COMEDI_SUBD_DIO, 8), Subdevice(COMEDI_SUBD_AO, {k12Bit})};
    cs::TBoard elsewhere = ThreeRangeBoard();
    elsewhere.path = "/dev/comedi-elsewhere";
    const std::string path = cs::TBoard().path;
    struct TRow {
        const char *name;
        cs::TBoard board;
        const char *backend;
        bool ready;
        std::string report;
    };
    const TRow rows[] = {
        {"no analogue input", noInput, "comedi", false,
         "Плата Comedi не открылась (" + path + ": нет аналогового входа); имитатор отключен в daqlink.ini."},
        {"device does not open", elsewhere, "comedi", false,
         "Плата Comedi не открылась (" + path + ": " + cs::kNoSuchDevice + ")"},
        {"no analogue input, simulator allowed", noInput, "auto", true,
         "Плата Comedi не используется: " + path + ": нет аналогового входа."},
    };
    for (const TRow &r : rows) {
        TLink link(r.board, Settings(0, r.backend));
        EXPECT_EQ(link.Ready(), r.ready) << r.name;
        EXPECT_TRUE(Contains(Report(), r.report)) << r.name << ": " << Report();
        EXPECT_EQ(cs::Log().opens, cs::Log().closes) << r.name;
        EXPECT_TRUE(cs::Log().reads.empty()) << r.name;
        if (!r.ready) {
            EXPECT_EQ(TLink::Read(), (TScan{7, 7, 7})) << r.name << ": nothing written without a board";
        }
    }
}

// Between runs the board is closed, but a heater command still reaches it (the
// program switches the heater off on a redraw that passes the threshold, run
// or no run): the board is opened for the write and closed again.
TEST(ComediBackend, HeaterCommandsBetweenRunsReachTheBoard)
{
    cs::Load(ThreeRangeBoard());
    daqboard::OverrideSettings(Settings(2, "auto"));
    const int32_t channels[3] = {0, 1, 2};
    ASSERT_EQ(InitDaqlink(3, channels, 2), 1);
    DoneDaqlink();
    TLink::Command({86, 1, 0});
    TLink::Command({86, 1, 32});
    EXPECT_EQ(cs::Log().writes, (std::vector<cs::TLine>{{2, 2, 0}, {2, 2, 1}}));
    EXPECT_EQ(cs::Log().opens, 3);
    EXPECT_EQ(cs::Log().closes, 3);
    daqboard::OverrideSettings(std::nullopt);
}

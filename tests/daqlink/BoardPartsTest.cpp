// The parts of the driver layer that need no run: the settings file, the
// copper reference data, and the board sample conversion.
#include "daqlink/board/BoardSettings.h"
#include "daqlink/board/Materials.h"
#include "daqlink/board/SampleCode.h"
#include "materials/MaterialLibrary.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <unistd.h>

using namespace daqboard;

TEST(BoardSettings, ReadsAWrittenFile)
{
    const TBoardSettings parsed = ParseSettings(
        "; board of the lab\r\n[Board]\r\nbackend = COMEDI\r\n  Device =  /dev/comedi1  \r\n"
        "HeaterLine=3\r\nErrorCode=-32000\r\n# the simulator\r\n"
        "Material=constant\r\nAlpha=1.2e-5\r\nSampleLength=25000\r\nQuartzAlpha=5.5e-7\r\n"
        "HeatingRate=+10\r\nMaxTemperature=800\r\nRoomTemperature=22.5\r\nStartTemperature=100\r\n"
        "CoolingTime=1800\r\nLagTime=0\r\nStep=30\r\nTemperatureNoise=0.5\r\nLengthNoise=1\r\n"
        "FailureRate=0.01\r\nSeed=18446744073709551615\r\nTemperatureScale=0.02\r\nLengthScale=0.01\r\n"
        "PushRod=silica\r\nMaterialsDir=" VAROTEM_SOURCE_DIR "/materials/data");
    const TBoardSettings expected{
        TBackendChoice::Comedi, "/dev/comedi1", 3, -32000,
        TSimSettings{{TMaterialKind::Constant, 1.2e-5, {}}, 25000, 5.5e-7, 10, 800, 22.5, 100, 1800, 0, 30,
                     0.5, 1, 0.01, UINT64_MAX, {"silica", nullptr}, 0.02, 0.01,
                     VAROTEM_SOURCE_DIR "/materials/data"}};
    EXPECT_TRUE(parsed == expected);
    ASSERT_TRUE(parsed.sim.pushRod.data);
    EXPECT_EQ(parsed.sim.pushRod.data->Alpha(400), 0.55e-6);
}

// A library id is read from its file in the library directory, wherever the
// directory's key stands; an id without a file, or a path in its place,
// leaves the sample as it was and the push rod constant.
TEST(BoardSettings, LibraryMaterialsAreReadFromTheirFiles)
{
    const std::string dir = "\nMaterialsDir = " VAROTEM_SOURCE_DIR "/materials/data\n";
    struct TCase {
        const char *name;
        std::string text;
        TMaterialKind kind;
        const char *sample, *rod;  // ids read
    };
    const TCase cases[] = {
        {"glass sample, silica rod", "Material = srm731\nPushRod = silica" + dir, TMaterialKind::Library, "srm731", "silica"},
        {"directory first", dir + "Material = platinum", TMaterialKind::Library, "platinum", ""},
        {"unknown id", "Material = constant\nMaterial = gold\nPushRod = gold" + dir, TMaterialKind::Constant, "", ""},
        {"a path is no id", "Material = ../data/srm731\nPushRod = /etc/passwd" + dir, TMaterialKind::Copper, "", ""},
        {"rod back to constant", "PushRod = silica\nPushRod = constant" + dir, TMaterialKind::Copper, "", ""},
        {"no library there", "Material = srm731\nMaterialsDir = /nonexistent", TMaterialKind::Copper, "", ""},
    };
    for (const TCase &c : cases) {
        const TSimSettings sim = ParseSettings(c.text).sim;
        EXPECT_EQ(sim.material.kind, c.kind) << c.name;
        EXPECT_EQ(sim.material.library.id, c.sample) << c.name;
        EXPECT_EQ(bool(sim.material.library.data), *c.sample != 0) << c.name;
        EXPECT_EQ(sim.pushRod.id, c.rod) << c.name;
        EXPECT_EQ(bool(sim.pushRod.data), *c.rod != 0) << c.name;
    }
}

TEST(BoardSettings, ReadsTheGlassAndTheChannelScales)
{
    const TBoardSettings parsed = ParseSettings(
        "Material = Glass\nGlassAlpha = 8.5e-6\nLiquidAlpha = 2.6e-5\nGlassTg = 525.5\nGlassWidth = 12\n"
        "SofteningTemperature = 590\nSofteningRate = 3.5\nTemperatureScale = 0.05\nLengthScale = 0.02\n");
    TBoardSettings expected;
    expected.sim.material.kind = TMaterialKind::Glass;
    expected.sim.material.glass = {8.5e-6, 2.6e-5, 525.5, 12, 590, 3.5};
    expected.sim.temperatureScale = 0.05;
    expected.sim.lengthScale = 0.02;
    EXPECT_TRUE(parsed == expected);
}

// The example file shipped beside the sources lists every key at its default.
TEST(BoardSettings, ExampleFileStatesTheDefaults)
{
    std::ifstream in(std::string(VAROTEM_SOURCE_DIR) + "/daqlink/daqlink.ini.example");
    ASSERT_TRUE(in);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(ParseSettings(text) == TBoardSettings{});
}

TEST(BoardSettings, BadValuesAndUnknownKeysLeaveTheDefaults)
{
    const char *lines[] = {
        "Step = 0",           "Step = -60",          "Step = 1e9",       "Step = 60s",
        "Step = 1e400",       "Step = nan",          "Step = inf",       "Step =",
        "Step",               "Ste p = 30",          "HeatingRate = fast", "HeatingRate = -5",
        "FailureRate = 1.5",  "FailureRate = -0.1",  "Seed = -3",        "Seed = 1.5",
        "ErrorCode = 40000",  "ErrorCode = -40000",  "HeaterLine = -1",  "Material = gold",
        "Backend = nidaq",    "Device =",            "SampleLength = 0", "MaxTemperature = 5000",
        "RoomTemperature = -300", "StartTemperature = x", "Alpha = 1",   "Colour = blue",
        "= 5",                "Step = 6 0",          "Step = 0x3C",      "Step = ,5",
        "Material = glas",    "GlassWidth = 0",      "GlassWidth = -8",  "GlassTg = 2000",
        "SofteningRate = -1", "TemperatureScale = 0", "LengthScale = -0.02", "LengthScale = 1e4",
    };
    for (const char *line : lines)
        EXPECT_TRUE(ParseSettings(line) == TBoardSettings{}) << line;
}

TEST(BoardSettings, LaterLinesWinAndRandomBytesAreHarmless)
{
    EXPECT_EQ(ParseSettings("Step = 30\nStep = 10\nStep = bad").sim.step, 10.0);

    std::mt19937 random(12345);
    for (int round = 0; round < 200; ++round) {
        std::string text(static_cast<size_t>(random() % 3000), '\0');
        for (char &c : text)
            c = static_cast<char>(random() % 5 == 0 ? "=\n[;#"[random() % 5] : random() % 256);
        ParseSettings(text); // must neither crash nor read outside the text
    }
}

TEST(BoardSettings, FileBesideTheLibrary)
{
    const std::filesystem::path path = SettingsPathBesideLibrary();
    EXPECT_EQ(path.filename(), "daqlink.ini");
    EXPECT_TRUE(std::filesystem::exists(path.parent_path() / "libdaqboard.so")) << path;

    const auto dir = std::filesystem::temp_directory_path() / ("daqlink-test-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "big.ini", std::ios::binary) << std::string(100 * 1024, ';');
    EXPECT_EQ(ReadSettingsFile((dir / "big.ini").string()).size(), 64u * 1024u);
    EXPECT_EQ(ReadSettingsFile((dir / "missing.ini").string()), "");
    EXPECT_EQ(ReadSettingsFile(dir.string()), ""); // a directory is no settings file
    std::filesystem::remove_all(dir);
}

// The simulator's own copper and the library's copper file are one fit in
// two places: their strains agree inside the file's range.
TEST(Materials, BuiltInCopperIsTheLibrarysCopper)
{
    std::string error;
    const auto library = materials::LoadMaterialFile(VAROTEM_SOURCE_DIR "/materials/data/copper.material", error);
    ASSERT_TRUE(library) << error;
    const TMaterial copper;
    for (const auto &[t0, t1] : {std::pair{20.0, 400.0}, {-150.0, 20.0}, {300.0, 526.0}})
        EXPECT_NEAR(LibraryExpansion(*library, t0, t1), RelativeExpansion(copper, t0, t1), 1e-11) << t0 << " " << t1;
}

// Against measurements of the copper reference material (the NIST dataset
// "Hahn1": temperature in K, coefficient in 1e-6 per K) and the handbook value
// at 20 C; the measurements scatter by about half a percent about the fit.
TEST(Materials, CopperFollowsTheReferenceMeasurements)
{
    struct TPoint {
        double kelvin, alpha;
    };
    const TPoint measured[] = {
        {282.10, 16.388}, {321.31, 16.872}, {373.11, 17.311}, {422.02, 17.765}, {472.89, 18.046},
        {524.43, 18.426}, {575.29, 18.870}, {625.55, 19.111}, {748.29, 19.890}, {849.75, 21.074},
    };
    for (const TPoint &p : measured)
        EXPECT_NEAR(CopperAlpha(p.kelvin) / (p.alpha * 1e-6), 1.0, 0.012) << p.kelvin << " K";
    EXPECT_NEAR(CopperAlpha(293.15), 16.5e-6, 0.02 * 16.5e-6);

    // Beyond the measurements the coefficient goes on rising smoothly.
    EXPECT_NEAR(CopperAlpha(850.001), CopperAlpha(849.999), 1e-10);
    EXPECT_GT(CopperAlpha(1273.15), CopperAlpha(850.0));
    EXPECT_LT(CopperAlpha(1273.15), 26e-6);
}

TEST(Materials, ExpansionIsTheIntegralOfTheCoefficient)
{
    // Composite Simpson's rule over steps of 0.05 K, from the coefficient alone.
    const auto simpson = [](const TMaterial &m, double t0, double t1) {
        const int n = 2 * static_cast<int>(std::ceil(std::fabs(t1 - t0) / 0.1));
        const double h = (t1 - t0) / n;
        double sum = 0.0;
        for (int i = 0; i <= n; ++i)
            sum += ((i == 0 || i == n) ? 1.0 : (i % 2 ? 4.0 : 2.0)) * ExpansionCoefficient(m, t0 + i * h);
        return sum * h / 3.0;
    };
    struct TCase {
        const char *name;
        double t0, t1;
    };
    const TCase cases[] = {
        {"a small step", 20, 25},          {"room to 500 C", 20, 500},
        {"across the end of the data", 500, 700}, {"room to the furnace limit", 20, 1000},
        {"downward", 700, 100},
    };
    const TMaterial copper;
    TMaterial glass{TMaterialKind::Glass, 0, {}};
    TMaterial narrowGlass = glass;
    narrowGlass.glass.width = 0.5;  // a step far steeper than the Simpson steps' scale
    for (const TCase &c : cases) {
        EXPECT_NEAR(RelativeExpansion(copper, c.t0, c.t1), simpson(copper, c.t0, c.t1), 1e-12) << c.name;
        EXPECT_NEAR(RelativeExpansion(glass, c.t0, c.t1), simpson(glass, c.t0, c.t1), 1e-12) << c.name;
        EXPECT_NEAR(RelativeExpansion(narrowGlass, c.t0, c.t1), simpson(narrowGlass, c.t0, c.t1), 1e-10) << c.name;
    }
    EXPECT_EQ(RelativeExpansion(copper, 300, 300), 0.0);
    // Far from the transformation range the glass expands along its two
    // straight asymptotes, which meet at Tg: 9e-6 below, 30e-6 above.
    EXPECT_NEAR(RelativeExpansion(glass, 20, 400), 9e-6 * 380, 1e-10);
    EXPECT_NEAR(RelativeExpansion(glass, 20, 800), 9e-6 * 780 + 21e-6 * (800 - 550), 1e-10);
    const TMaterial constant{TMaterialKind::Constant, 1.2e-5, {}};
    EXPECT_DOUBLE_EQ(RelativeExpansion(constant, 20, 120), 1.2e-3);
}

TEST(SampleCode, OffsetBinaryBecomesASignedCode)
{
    struct TCase {
        const char *name;
        uint32_t sample, maxdata;
        int expected;
    };
    const TCase cases[] = {
        {"16 bit, lowest", 0, 65535, -32768},       {"16 bit, zero volts", 32768, 65535, 0},
        {"16 bit, just below zero", 32767, 65535, -1}, {"16 bit, highest", 65535, 65535, 32767},
        {"12 bit, lowest", 0, 4095, -2048},         {"12 bit, zero volts", 2048, 4095, 0},
        {"12 bit, highest", 4095, 4095, 2047},      {"18 bit, zero volts", 131072, 262143, 0},
        {"18 bit, highest", 262143, 262143, 32767}, {"18 bit, lowest", 0, 262143, -32768},
        {"24 bit, one step of 16 below zero", 8388608 - 256, 16777215, -1},
        {"sample above maxdata", 70000, 65535, 32767},
    };
    for (const TCase &c : cases) {
        const auto code = SampleToCode(c.sample, c.maxdata);
        ASSERT_TRUE(code.has_value()) << c.name;
        EXPECT_EQ(*code, c.expected) << c.name;
    }
    EXPECT_FALSE(SampleToCode(0, 0).has_value());
}

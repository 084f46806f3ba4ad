// The reference-material files against values printed in their sources,
// and the reader against files it must refuse.
#include "materials/MaterialFile.h"
#include "materials/MaterialLibrary.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

namespace {

using materials::TReferenceMaterial;

const TReferenceMaterial &Library(const std::string &id)
{
    static const materials::TMaterialLibrary library = materials::LoadMaterialLibrary(VAROTEM_MATERIALS_DIR);
    const TReferenceMaterial *m = library.Find(id);
    if (!m)
        throw std::runtime_error("no material " + id);
    return *m;
}

struct TPrinted {
    const char *name;
    const char *id;
    double kelvin;
    double alpha;      // 1e-6/K; NAN: not printed
    double tolerance;  // of alpha, 1e-6/K
};

// Coefficients printed in each source. SRM 731: the certificate's table as
// reproduced by the NIST notebook (rounded to 0.01e-6). Copper: single
// observations of the Hahn1 data set; they scatter about the fit by 0.08e-6
// (residual standard deviation), so three of those are allowed. Silica: the
// 0.55e-6 at 300 K of the Crystran handbook.
const TPrinted kPrinted[] = {
    {"srm731_300K", "srm731", 300, 4.82, 0.005},   {"srm731_400K", "srm731", 400, 5.15, 0.005},
    {"srm731_500K", "srm731", 500, 5.26, 0.005},   {"srm731_600K", "srm731", 600, 5.27, 0.005},
    {"srm731_640K", "srm731", 640, 5.29, 0.005},   {"copper_96K", "copper", 96.40, 10.072, 0.25},
    {"copper_202K", "copper", 202.14, 15.190, 0.25}, {"copper_373K", "copper", 373.11, 17.311, 0.25},
    {"copper_522K", "copper", 522.47, 18.291, 0.25}, {"copper_748K", "copper", 748.29, 19.89, 0.25},
    {"silica_300K", "silica", 300, 0.55, 1e-9},
};

class PrintedAlpha : public testing::TestWithParam<TPrinted> {};

TEST_P(PrintedAlpha, MatchesTheSource)
{
    const TPrinted &p = GetParam();
    EXPECT_NEAR(Library(p.id).Alpha(p.kelvin) * 1e6, p.alpha, p.tolerance);
}

INSTANTIATE_TEST_SUITE_P(Materials, PrintedAlpha, testing::ValuesIn(kPrinted),
                         [](const auto &info) { return std::string(info.param.name); });

// SRM 731's table gives the expansion relative to the length at 293 K, to
// 1e-6; the library's strain is relative to 20 °C, so the two differ by the
// strain at 293 K.
TEST(Materials, Srm731ExpansionMatchesTheCertificateTable)
{
    const TReferenceMaterial &m = Library("srm731");
    for (const auto &[kelvin, printed] : {std::pair{340.0, 230.0}, {480.0, 952.0}, {600.0, 1583.0}}) {
        SCOPED_TRACE(kelvin);
        EXPECT_NEAR((m.Strain(kelvin) - m.Strain(293)) * 1e6, printed, 0.5);
    }
}

// Platinum: the source prints the coefficient (equation i, in the file) and
// its integral (equation ii); the file's strain must be the printed integral.
TEST(Materials, PlatinumStrainIsTheSourcesIntegratedEquation)
{
    const double c[] = {7.08788e-6, 5.24850e-9, -6.69487e-12, 5.70500e-15, -2.36906e-18, 3.95580e-22};
    const auto printed = [&](double t) {
        double sum = 0;
        for (int i = 5; i >= 0; --i)
            sum = sum * t + c[i];
        return sum * t - 2.39745e-3;
    };
    const TReferenceMaterial &m = Library("platinum");
    for (double kelvin : {400.0, 1000.0, 1800.0, 2041.3})
        EXPECT_NEAR(m.Strain(kelvin), printed(kelvin), 0.05e-6) << kelvin;
}

// Silica: the data sheets' mean coefficient from 20 °C to 320 °C.
TEST(Materials, SilicaMeanCoefficientIsTheDataSheets)
{
    EXPECT_NEAR(Library("silica").MeanAlpha(293, 593), 0.55e-6, 1e-15);
}

// Outside its range a simulated sample keeps the coefficient of the range's
// end: the strain goes on along a straight line.
TEST(Materials, ExtendedStrainContinuesWithTheEndCoefficient)
{
    const TReferenceMaterial &m = Library("srm731");
    EXPECT_DOUBLE_EQ(m.ExtendedStrain(700), m.Strain(640) + m.Alpha(640) * 60);
    EXPECT_DOUBLE_EQ(m.ExtendedStrain(500), m.Strain(500));
    EXPECT_DOUBLE_EQ(m.ExtendedAlpha(1000), m.Alpha(640));
}

TEST(Materials, LibraryHoldsTheShippedFilesByIdAndFindsTheBuildCopy)
{
    const auto library = materials::LoadMaterialLibrary(VAROTEM_MATERIALS_DIR);
    EXPECT_TRUE(library.errors.empty());
    std::vector<std::string> ids;
    for (const auto &m : library.materials)
        ids.push_back(m.id);
    EXPECT_EQ(ids, (std::vector<std::string>{"copper", "platinum", "silica", "srm731"}));
    EXPECT_EQ(std::filesystem::path(materials::DefaultMaterialDirectory(VAROTEM_BIN_DIR)),
              std::filesystem::path(VAROTEM_BUILD_MATERIALS_DIR).lexically_normal());
}

const char *kHeader = "format = 1\nid = m\nname = M\nsource = S\nrange = 273.15 473.15 K\n"
                      "temperature = C\nunit = 1e-6\n";

// Forms other than the shipped files use, checked against closed forms.
TEST(MaterialFile, TableAndStrainPolynomialFollowTheirClosedForms)
{
    // alpha = 1 + 0.02 (T - 0 °C) between 0 °C and 100 °C, held beyond.
    auto table = materials::ParseMaterial(std::string(kHeader) + "alpha-table = 0 1\nalpha-table = 100 3\n");
    ASSERT_TRUE(table.material) << table.error;
    EXPECT_NEAR(table.material->Alpha(323.15), 2.0e-6, 1e-18);
    EXPECT_NEAR(table.material->Strain(373.15), (80 + 0.01 * (100 * 100 - 20 * 20)) * 1e-6, 1e-15);
    EXPECT_NEAR(table.material->Strain(473.15), (176 + 3 * 100) * 1e-6, 1e-15);
    // strain = 10 t + 0.005 t^2 (t in °C), from 20 °C.
    auto strain = materials::ParseMaterial(std::string(kHeader) + "strain-polynomial = 0 10 0.005\n");
    ASSERT_TRUE(strain.material) << strain.error;
    EXPECT_NEAR(strain.material->Alpha(373.15), 11e-6, 1e-18);
    EXPECT_NEAR(strain.material->Strain(373.15), (1050 - 202) * 1e-6, 1e-15);
}

struct TBadFile {
    const char *name;
    std::string text;
    const char *error;  // part of the message
};

class BadMaterialFile : public testing::TestWithParam<TBadFile> {};

TEST_P(BadMaterialFile, IsRefusedWithItsReason)
{
    const auto parsed = materials::ParseMaterial(GetParam().text);
    EXPECT_FALSE(parsed.material);
    EXPECT_NE(parsed.error.find(GetParam().error), std::string::npos) << parsed.error;
}

const std::string kPoly = "alpha-polynomial = 1 2\n";

// The header with one of its lines replaced.
std::string With(const std::string &line, const std::string &replacement)
{
    std::string text = kHeader;
    return text.replace(text.find(line), line.size(), replacement);
}
const TBadFile kBadFiles[] = {
    {"NoFormula", kHeader, "exactly one of"},
    {"TwoFormulas", kHeader + kPoly + "strain-polynomial = 1\n", "exactly one of"},
    {"MissingKey", "format = 1\nid = m\n" + kPoly, "\"name\" is missing"},
    {"UnknownKey", kHeader + kPoly + "colour = red\n", "line 9: unknown key"},
    {"KeyTwice", kHeader + kPoly + "unit = 1\n", "given twice"},
    {"LaterVersion", "format = 2\n" + std::string(kHeader).substr(11) + kPoly, "not version 1"},
    {"BadId", With("id = m", "id = A/b") + kPoly, "an id is"},
    {"EmptyRange", With("range = 273.15 473.15 K", "range = 400 300 K") + kPoly, "a range is"},
    {"RangeWithoutUnit", With("range = 273.15 473.15 K", "range = 300 400") + kPoly, "a range is"},
    {"NotFinite", kHeader + std::string("alpha-polynomial = 1 1e999\n"), "coefficients are numbers"},
    {"NotANumber", kHeader + std::string("alpha-polynomial = 1 nan\n"), "coefficients are numbers"},
    {"PoleInRange", kHeader + std::string("alpha-numerator = 1\nalpha-denominator = -50 1\n"), "changes sign"},
    {"DenominatorAlone", kHeader + kPoly + "alpha-denominator = 1\n", "belongs to alpha-numerator"},
    {"TableGoesBack", kHeader + std::string("alpha-table = 10 1\nalpha-table = 5 1\n"), "must increase"},
    {"NoEquals", kHeader + std::string("alpha-polynomial 1\n"), "key = value"},
};

INSTANTIATE_TEST_SUITE_P(MaterialFile, BadMaterialFile, testing::ValuesIn(kBadFiles),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(MaterialFile, LibraryNamesEachFileItCannotUse)
{
    const auto dir = std::filesystem::path(testing::TempDir()) / "varotem-materials-test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "m.material") << kHeader << kPoly;
    std::ofstream(dir / "other.material") << kHeader << kPoly;  // its id is "m"
    std::ofstream(dir / "broken.material") << "format = 1\n";
    std::ofstream(dir / "notes.txt") << "not a material";
    std::filesystem::create_directory(dir / "dir.material");
    const auto library = materials::LoadMaterialLibrary(dir.string());
    ASSERT_EQ(library.materials.size(), 1u);
    EXPECT_EQ(library.materials[0].id, "m");
    EXPECT_EQ(library.errors, (std::vector<std::string>{"broken.material: the key \"id\" is missing",
                                                        "dir.material: no such file",
                                                        "other.material: the id \"m\" differs from the file's name"}));
    std::filesystem::remove_all(dir);
}

} // namespace

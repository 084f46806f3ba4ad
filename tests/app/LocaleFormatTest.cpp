// The number texts follow the default QLocale: its decimal separator is used
// for writing and is the only one accepted when reading back.
#include "app/core/LocaleFormat.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <cmath>

namespace {

class LocaleFormat : public ::testing::Test {
protected:
    void TearDown() override { QLocale::setDefault(saved); }
    const QLocale saved;
};

TEST_F(LocaleFormat, PointLocale)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(DecimalSeparator(), QStringLiteral("."));
    EXPECT_EQ(LocaleFixed(123.456, 4, 3), QStringLiteral("123.500"));
    EXPECT_EQ(LocaleExponent(2500, 3, 2), QStringLiteral("2.50E+03"));

    double out = 7;
    EXPECT_TRUE(LocaleParseReal(QStringLiteral(" 5.2E-7 "), out));
    EXPECT_EQ(out, 5.2e-7);
    out = 7;
    EXPECT_FALSE(LocaleParseReal(QStringLiteral("1,5"), out)) << "a comma text is not a number here";
    EXPECT_EQ(out, 7);

    // A value that is not a finite number has no text.
    for (const double x : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
        EXPECT_EQ(LocaleGeneral(x), QString());
        EXPECT_EQ(LocaleFixed(x, 4, 3), QString());
        EXPECT_EQ(LocaleExponent(x, 3, 2), QString());
    }
}

TEST_F(LocaleFormat, RussianLocale)
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    EXPECT_EQ(DecimalSeparator(), QStringLiteral(","));
    EXPECT_EQ(LocaleFixed(123.456, 4, 3), QStringLiteral("123,500"));
    EXPECT_EQ(LocaleGeneral(5.2e-7), QStringLiteral("5,2E-7"));

    double out = 7;
    EXPECT_TRUE(LocaleParseReal(LocaleGeneral(0.1), out));
    EXPECT_EQ(out, 0.1);
    out = 7;
    EXPECT_FALSE(LocaleParseReal(QStringLiteral("1.5"), out));
    EXPECT_EQ(out, 7);
}

} // namespace

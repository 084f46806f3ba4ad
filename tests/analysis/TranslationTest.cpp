// The analysis texts in another language: each is looked up when it is shown
// and is one whole text for the translator; in the program's own language the
// texts read exactly as they always did.
#include "analysis/core/AnalysisMessages.h"
#include "analysis/core/GlassReport.h"
#include "analysis/core/PhysicalCoefficient.h"
#include "tests/support/MarkingTranslator.h"

#include <gtest/gtest.h>

using namespace analysis;

namespace {

// Figures whose texts are whole numbers, the same in every locale:
// RMS T = sqrt(4 / 4) = 1, RMS L = sqrt(16 / 4) = 2.
TPhysicalSmoothing Smoothing(bool automatic)
{
    TPhysicalSmoothing s;
    s.Automatic = automatic;
    s.Samples = 4;
    s.R = 12;
    s.K = 3;
    s.T.edf = 7;
    s.T.rss = 4;
    s.L.rss = 16;
    return s;
}

TEST(AnalysisTexts, SmoothingSummaryReadsAsBefore)
{
    EXPECT_EQ(SmoothingSummary(Smoothing(true)),
              QStringLiteral("Сглаживание: R = 12 точек, выбрано по GCV для L - 3 T. Эффективное число параметров 7. "
                             "СКО остатков: T 1, L 2."));
    EXPECT_EQ(SmoothingSummary(Smoothing(false)),
              QStringLiteral("Сглаживание: R = 12 точек, задано. Эффективное число параметров 7. "
                             "СКО остатков: T 1, L 2."));
}

TEST(AnalysisTexts, EachTextIsTranslatedWholeWhenShown)
{
    const TMarkingTranslator marker;
    const QStringList header = PhysicalHeader(20);
    const struct {
        const char *what;
        QString text, expected;
    } cases[] = {
        {"a fixed message", MsgBaselineLoaded(), QStringLiteral("[en]Базовая линия успешно загружена!")},
        {"a refusal", MsgBadParameter(), QStringLiteral("[en]Неверный параметр!")},
        {"Ts not reached", TsNotReached(), QStringLiteral("[en]не достигнута")},
        {"a heading with its temperature", header[1], QStringLiteral("[en]dL от 20 deg C")},
        {"the strain heading", header[2], QStringLiteral("[en]dL/L0 от 20 deg C, 1E-6")},
        {"the mean heading", header[3], QStringLiteral("[en]Alpha ср. от 20 deg C")},
        {"the automatic smoothing", SmoothingSummary(Smoothing(true)),
         QStringLiteral("[en]Сглаживание: R = 12 точек, выбрано по GCV для L - 3 T. Эффективное число параметров 7. "
                        "СКО остатков: T 1, L 2.")},
        {"the smoothing as set", SmoothingSummary(Smoothing(false)),
         QStringLiteral("[en]Сглаживание: R = 12 точек, задано. Эффективное число параметров 7. "
                        "СКО остатков: T 1, L 2.")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.text, c.expected) << c.what;
}

} // namespace

// The archive's words in another language: captions are looked up when they
// are shown, while the words of varotem-eval's machine-read output stay as
// they are in every language.
#include "archive/core/ArchiveTypes.h"
#include "archive/core/CompareSeries.h"
#include "archive/core/RunFacts.h"
#include "tests/support/MarkingTranslator.h"

#include <gtest/gtest.h>

using namespace archive;

namespace {

TEST(ArchiveTexts, CaptionsAreTranslatedAndOutputWordsAreNot)
{
    const TMarkingTranslator marker;
    const struct {
        const char *what;
        QString text, expected;
    } cases[] = {
        {"file state shown", FileStateCaption(TFileState::Changed), QStringLiteral("[en]изменен")},
        {"file state in output", FileStateWord(TFileState::Changed), QStringLiteral("изменен")},
        {"missing file in output", FileStateWord(TFileState::Missing), QStringLiteral("нет файла")},
        {"source shown", SourceCaption(TRunSource::Autosaved), QStringLiteral("[en]автосохранение")},
        {"source stored", SourceName(TRunSource::Autosaved), QStringLiteral("autosaved")},
        {"comparison mode", CompareModeCaption(TCompareMode::Strain),
         QStringLiteral("[en]Относительное удлинение от T")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.text, c.expected) << c.what;
}

} // namespace

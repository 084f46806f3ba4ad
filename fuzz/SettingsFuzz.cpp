// Settings files from outside, parsed from memory. Written as a new file and
// read back, they give the same settings without a message (reals to the 15
// digits the file keeps, strings without line breaks and without the blanks a
// dropped line break leaves at either end). Written over the file
// they were read from, they read back exactly (values that still read as held
// stay as they were), and a second write leaves the file as it is.
#include "app/core/LocaleFormat.h"
#include "app/core/Settings.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/ScratchFile.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>

namespace {

const QString kFileName = QStringLiteral("Varotem.ini");
const QString kDataDir = QStringLiteral("/data/");

QString OneLine(QString text)
{
    static const QRegularExpression blanksAtEnds(QStringLiteral("^[ \\t]+|[ \\t]+$"));
    text.remove(u'\r');
    text.remove(u'\n');
    return text.remove(blanksAtEnds);
}

// The 15-digit text of the largest doubles lies beyond the range and does
// not read back.
bool Huge(double x) { return std::fabs(x) > 1.7976931348623e308; }

bool SameReal(double written, double read) { return LocaleGeneral(written) == LocaleGeneral(read); }

void CheckReadBack(const TSettings &s, const TSettings &back)
{
    FUZZ_CHECK(back.TimerWorkInterval == s.TimerWorkInterval && back.N == s.N);
    FUZZ_CHECK(back.Chan1 == s.Chan1 && back.Chan2 == s.Chan2 && back.Chan3 == s.Chan3);
    FUZZ_CHECK(back.ErrorCode == s.ErrorCode && back.AutoSaveFlag == s.AutoSaveFlag);
    FUZZ_CHECK(back.AutoSaveTime == s.AutoSaveTime && back.ManageFlag == s.ManageFlag);
    FUZZ_CHECK(back.ManageStartEvent == s.ManageStartEvent && back.ManageStopEvent == s.ManageStopEvent);
    FUZZ_CHECK(back.TSplineKalibrFlag == s.TSplineKalibrFlag && back.LSplineKalibrFlag == s.LSplineKalibrFlag);
    FUZZ_CHECK(back.LWeightDriver == s.LWeightDriver);
    FUZZ_CHECK(back.AutoSaveFile == OneLine(s.AutoSaveFile) && back.SplineTFile == OneLine(s.SplineTFile));
    FUZZ_CHECK(back.SplineLFile == OneLine(s.SplineLFile) && back.BaseLineFile == OneLine(s.BaseLineFile));
    const double TSettings::*reals[] = {&TSettings::aT, &TSettings::aL, &TSettings::bT, &TSettings::bL, &TSettings::cT,
                                        &TSettings::cL, &TSettings::dT, &TSettings::dL, &TSettings::ManageValue};
    for (const auto real : reals)
        FUZZ_CHECK(Huge(s.*real) || SameReal(s.*real, back.*real));
}

bool AnyHuge(const TSettings &s)
{
    for (double x : {s.aT, s.aL, s.bT, s.bL, s.cT, s.cL, s.dT, s.dL, s.ManageValue})
        if (Huge(x))
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    QLocale::setDefault(QLocale(QLocale::Russian));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString path = ScratchPath(kFileName);
    // The reader sees no more of a file; the writer refuses a larger one.
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(std::min<size_t>(size, kMaxSettingsBytes)));
    TSettings s;
    const QStringList messages = ParseSettingsText(bytes, kFileName, kDataDir, s);
    FUZZ_CHECK(s.BaseLineFile.size() <= kShortStringLength);
    for (const QString &m : messages)
        FUZZ_CHECK(m.contains(kFileName));

    WriteScratch(path, nullptr, 0);
    FUZZ_CHECK(WriteSettings(path, s).isEmpty());
    TSettings back;
    const QStringList backMessages = ReadSettings(path, kDataDir, back);
    FUZZ_CHECK(backMessages.isEmpty() || AnyHuge(s));
    CheckReadBack(s, back);

    WriteScratch(path, reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
    FUZZ_CHECK(WriteSettings(path, s).isEmpty());
    TSettings merged;
    FUZZ_CHECK(ReadSettings(path, kDataDir, merged).isEmpty());
    FUZZ_CHECK(merged == s);
    const QByteArray written = ReadScratch(path);
    FUZZ_CHECK(WriteSettings(path, s).isEmpty());
    FUZZ_CHECK(ReadScratch(path) == written);
    return 0;
}

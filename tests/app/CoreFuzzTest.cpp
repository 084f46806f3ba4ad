// Random and truncated run, reference-point and settings files: whatever
// they hold, reading them never fails unsafely (the sanitizer build checks
// every access) and leaves records every routine can index.
#include "app/core/Calibration.h"
#include "app/core/DataFiles.h"
#include "app/core/ManageFuncs.h"
#include "app/core/Settings.h"
#include "tests/app/CoreTestUtil.h"

#include <gtest/gtest.h>
#include <random>

namespace {

class TFuzz {
public:
    std::mt19937 rng{20240607};

    int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

    // A valid image with random stretches overwritten, cut at a random length.
    QByteArray Mutate(QByteArray image, int maxExtra)
    {
        for (int k = Uniform(0, 8); k > 0; --k) {
            const int at = Uniform(0, image.size() - 1);
            const int len = std::min<int>(Uniform(1, 64), image.size() - at);
            for (int i = 0; i < len; ++i)
                image[at + i] = static_cast<char>(Uniform(0, 255));
        }
        if (Uniform(0, 3) == 0) {  // a count chosen to hit the edges
            const int32_t counts[] = {-1, 0, 2, 3, 100, 101, 10000, 10001, INT32_MIN, INT32_MAX};
            const int32_t c = counts[Uniform(0, 9)];
            image.replace(0, 4, QByteArray(reinterpret_cast<const char *>(&c), 4));
        }
        image.resize(Uniform(0, image.size() + maxExtra));
        return image;
    }
};

} // namespace

TEST(CoreFuzz, RunAndReferencePointFiles)
{
    TFuzz fuzz;
    QTemporaryDir dir;
    const QString runName = dir.filePath("f.dat"), tName = dir.filePath("t.spl"), lName = dir.filePath("l.spl");
    auto valid = NewRun();
    FillTestRun(*valid);
    TSplineTable line;
    line.Count = 5;
    for (int q = 0; q < 100; ++q)
        line.X[q] = line.Y[q] = q;
    TSettings s = DefaultSettings("");
    s.TSplineKalibrFlag = s.LSplineKalibrFlag = true;
    s.ManageFlag = true;
    auto run = NewRun();
    for (int round = 0; round < 1500; ++round) {
        WriteBytes(runName, fuzz.Mutate(Bytes(*valid), 64));
        WriteBytes(tName, fuzz.Mutate(SplineTableImage(line), 16));
        WriteBytes(lName, fuzz.Mutate(SplineTableImage(line), 16));
        const QByteArray before = Bytes(*run);
        if (!ReadRunFile(runName, *run, static_cast<int16_t>(fuzz.Uniform(-2, 1))).isEmpty()) {
            ASSERT_EQ(Bytes(*run), before);
        }
        ASSERT_GE(run->Count, 0);
        ASSERT_LE(run->Count, kRunCapacity);
        TSplineTable t, l;
        ASSERT_TRUE(LoadSplineTable(tName, t).isEmpty());
        ASSERT_TRUE(LoadSplineTable(lName, l).isEmpty());
        auto calibrated = std::make_unique<TRunData>(*run);
        const TKalibrStatus status = ApplyKalibr(*calibrated, s, t, l);
        ASSERT_EQ(status.T == TTableState::Ok || status.T == TTableState::BuildFailed,
                  CheckSplineTable(t) == TTableState::Ok);
        s.ManageStopEvent = fuzz.Uniform(0, 5);
        HeaterThresholdReached(*calibrated, s);
    }
}

TEST(CoreFuzz, SettingsFiles)
{
    TFuzz fuzz;
    QTemporaryDir dir;
    QByteArray valid;
    {
        TLocaleGuard russian(QLocale::Russian);
        ASSERT_TRUE(WriteSettings(dir.filePath("v.ini"), DefaultSettings("/x/")).isEmpty());
        valid = ReadBytes(dir.filePath("v.ini"));
    }
    const char pieces[] = "=[]\r\n;,.-+eE0123456789 aTNOptions\xD0\xFF";
    for (int round = 0; round < 2000; ++round) {
        QByteArray text = fuzz.Mutate(valid, 0);
        for (int k = fuzz.Uniform(0, 20); k > 0; --k)
            text.insert(fuzz.Uniform(0, text.size()), pieces[fuzz.Uniform(0, sizeof pieces - 2)]);
        WriteBytes(dir.filePath("f.ini"), text);
        TSettings s;
        (void)ReadSettings(dir.filePath("f.ini"), "/x/", s);
        ASSERT_LE(s.BaseLineFile.size(), 255);
    }
}

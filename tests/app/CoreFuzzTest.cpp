// Random and truncated run, reference-point and settings files: reading them
// never fails unsafely (the sanitizer build checks every access) and leaves
// records every routine can index.
#include "app/core/Calibration.h"
#include "app/core/DataFiles.h"
#include "app/core/ManageFuncs.h"
#include "app/core/Settings.h"
#include "tests/app/CoreTestUtil.h"

#include <gtest/gtest.h>
#include <random>

namespace {

std::mt19937 rng{20240607};

int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

// A valid image with random stretches and perhaps an edge-case count
// overwritten, cut or extended at a random length.
QByteArray Mutate(QByteArray image, int extra)
{
    for (int k = Uniform(0, 8); k > 0; --k) {
        const int at = Uniform(0, image.size() - 1);
        for (int i = at; i < std::min<int>(image.size(), at + Uniform(1, 64)); ++i)
            image[i] = static_cast<char>(Uniform(0, 255));
    }
    const int32_t counts[] = {-1, 2, 3, 100, 101, 10000, 10001, INT32_MIN, INT32_MAX};
    if (Uniform(0, 2) == 0)
        image.replace(0, 4, QByteArray(reinterpret_cast<const char *>(&counts[Uniform(0, 8)]), 4));
    image.resize(Uniform(0, image.size() + extra));
    return image;
}

} // namespace

TEST(CoreFuzz, DamagedFiles)
{
    TLocaleGuard russian(QLocale::Russian);
    QTemporaryDir dir;
    const QString runName = dir.filePath("f.dat"), splName = dir.filePath("f.spl"), iniName = dir.filePath("f.ini");
    auto valid = NewRun();
    FillTestRun(*valid);
    TSplineTable line;
    line.Count = 5;
    for (int q = 0; q < 100; ++q)
        line.X[q] = line.Y[q] = q;
    ASSERT_TRUE(WriteSettings(iniName, DefaultSettings("/x/")).isEmpty());
    const QByteArray ini = ReadBytes(iniName);

    auto run = NewRun();
    TSettings s;
    for (int round = 0; round < 2000; ++round) {
        WriteBytes(iniName, Mutate(ini, 40));
        (void)ReadSettings(iniName, "/x/", s);
        s.TSplineKalibrFlag = s.LSplineKalibrFlag = s.ManageFlag = true;

        WriteBytes(runName, Mutate(Bytes(*valid), 64));
        const QByteArray before = Bytes(*run);
        if (!ReadRunFile(runName, *run, s.ErrorCode).isEmpty()) {
            ASSERT_EQ(Bytes(*run), before);
        }
        ASSERT_TRUE(run->Count >= 0 && run->Count <= kRunCapacity);

        TSplineTable t, l;
        WriteBytes(splName, Mutate(SplineTableImage(line), 16));
        ASSERT_TRUE(LoadSplineTable(splName, t).isEmpty());
        WriteBytes(splName, Mutate(SplineTableImage(line), 16));
        ASSERT_TRUE(LoadSplineTable(splName, l).isEmpty());
        auto calibrated = std::make_unique<TRunData>(*run);
        const TKalibrStatus status = ApplyKalibr(*calibrated, s, t, l);
        ASSERT_EQ(status.T == TTableState::Ok || status.T == TTableState::BuildFailed,
                  CheckSplineTable(t) == TTableState::Ok);
        HeaterThresholdReached(*calibrated, s);
    }
}

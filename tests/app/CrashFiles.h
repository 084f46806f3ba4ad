#pragma once
// The files of the crash test: a run file, a settings file and a reference-
// point file, each in two versions that differ throughout, written by the
// writer process (CrashWriter.cpp) and checked by the test.
#include "app/core/Calibration.h"
#include "app/core/RunData.h"
#include "app/core/Settings.h"

#include <QString>
#include <memory>

inline const QString kCrashRunName = QStringLiteral("run.dat");
inline const QString kCrashSettingsName = QStringLiteral("Varotem.ini");
inline const QString kCrashTableName = QStringLiteral("points.spl");

// Every slot of the three channels filled, with values of the version.
inline std::unique_ptr<TRunData> CrashRun(int version)
{
    auto run = std::make_unique<TRunData>();
    ClearRun(*run);
    run->Count = kRunCapacity - version;
    for (int32_t i = 0; i < kRunCapacity; ++i) {
        run->T[i] = 20.0 + i * (version ? 0.5 : 0.25);
        run->L[i] = (version ? -1.0 : 1.0) * i / 7.0;
        run->TC[i] = 1000.0 - i * (version ? 0.125 : 0.0625);
    }
    run->SampleLength = version ? 25000.0 : 50000.0;
    return run;
}

inline TSettings CrashSettings(int version)
{
    TSettings s = DefaultSettings(version ? QStringLiteral("/lab/second/") : QStringLiteral("/lab/first/"));
    s.N = 1000 + version;
    s.AutoSaveTime = 300 - version;
    s.ManageFlag = version != 0;
    s.ManageStopEvent = version;
    s.ManageValue = version ? 312.5 : 250.0;
    s.BaseLineFile = QString(200, version ? u'b' : u'a');
    return s;
}

inline TSplineTable CrashTable(int version)
{
    TSplineTable table;
    table.Count = 3 + version;
    for (int q = 0; q < kSplineCapacity; ++q) {
        table.X[q] = q * (version ? 2.0 : 1.0);
        table.Y[q] = q * (version ? 3.0 : 1.5) + 0.5;
    }
    return table;
}

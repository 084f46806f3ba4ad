#pragma once
// The run of the journal's kill test, shared by the recording process
// (JournalRecorder.cpp) and the test that recovers it.
#include "app/core/Settings.h"

#include <QString>
#include <string>

// The simulated dilatometer, 2 % of its conversions failing.
inline std::string KillTestSimulator(int seed)
{
    return "Backend = sim\nStep = 6\nFailureRate = 0.02\nSeed = " + std::to_string(seed) + "\n";
}

// The program's defaults in dir, autosaving every 50 samples.
inline TSettings KillTestSettings(const QString &dir)
{
    TSettings settings = DefaultSettings(dir + u'/');
    settings.AutoSaveTime = 50;
    return settings;
}

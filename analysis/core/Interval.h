#pragma once
// The cut of interval selection ("Выбор интервала"), on the raw run.
#include "app/core/RunData.h"

#include <cstdint>

// Cuts the run: of its first n0 samples it keeps those numbered ceil(lo) to
// floor(hi), lo = 1 + (n0 - 1) f1 and hi = 1 + (n0 - 1) f2, in all three
// channels, renumbered from 1; the samples after n0 (appended by an
// acquisition since n0 was taken) follow them. n0 is limited to the run's
// valid count. Slots above the new Count keep stale values; the calculation
// parameters are not touched.
void KeepInterval(TRunData &run, int32_t n0, double f1, double f2);

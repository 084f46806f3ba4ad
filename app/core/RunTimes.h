#pragma once
// When the samples of the run were taken: wall-clock times kept beside the
// run record (whose file format has no room for them), for the acquisition's
// journal and for whoever stores a run with its dates.
#include "app/core/RunData.h"

#include <array>
#include <cstdint>

// Milliseconds since 1970-01-01 00:00 UTC; 0 where a time is not known (a
// sample that came from a file or the test run rather than the board).
struct TRunTimes {
    int64_t startMs = 0;                        // the start of the recording
    std::array<int64_t, kRunCapacity> sampleMs{};  // sample i at [i - 1]
};

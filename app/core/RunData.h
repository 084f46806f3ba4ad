#pragma once
// The run record: the raw samples of one run and its calculation parameters.
// Its byte image is the .dat file, so the layout is fixed to the byte.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

inline constexpr int32_t kRunCapacity = 10000;

// Sample arrays hold slots 1..kRunCapacity at [i - 1]. The record is packed:
// its doubles are not aligned, so read and write them through the record
// (run.T[i - 1]) and never through a double pointer into it; ChannelValues
// gives an aligned copy for code that wants an array.
#pragma pack(push, 1)
struct TRunData {
    int32_t Count;                 // samples 1..Count are valid (0..kRunCapacity)
    double T[kRunCapacity];        // sample temperature, raw
    double L[kRunCapacity];        // sample length change, raw
    int32_t CalcPoints;            // calculation parameters of the run
    double SampleLength;
    double QuartzLength;
    double QuartzAlpha;
    double TC[kRunCapacity];       // control-thermocouple temperature, raw
};
#pragma pack(pop)

static_assert(sizeof(TRunData) == 240032);
static_assert(offsetof(TRunData, Count) == 0);
static_assert(offsetof(TRunData, T) == 4);
static_assert(offsetof(TRunData, L) == 80004);
static_assert(offsetof(TRunData, CalcPoints) == 160004);
static_assert(offsetof(TRunData, SampleLength) == 160008);
static_assert(offsetof(TRunData, QuartzLength) == 160016);
static_assert(offsetof(TRunData, QuartzAlpha) == 160024);
static_assert(offsetof(TRunData, TC) == 160032);

inline constexpr int32_t kDefaultCalcPoints = 100;
inline constexpr double kDefaultSampleLength = 50000.0;
inline constexpr double kDefaultQuartzLength = 50000.0;
inline constexpr double kDefaultQuartzAlpha = 5.2e-7;

enum class TChannel { T, L, TC };

// The four calculation parameters to their defaults; the samples untouched.
void SetCalcDefaults(TRunData &run);

// All bytes zero, then the calculation defaults: the record a new acquisition
// starts from.
void ClearRun(TRunData &run);

// The built-in test run: 600 samples T = TC = i, L = ln(i + 50) / 12 and the
// calculation defaults. Slots above 600 keep what they held.
void FillTestRun(TRunData &run);

// Count limited to 0..kRunCapacity: the number of slots any loop may visit.
int32_t ValidCount(const TRunData &run);

// Samples 1..ValidCount of one channel as an ordinary (aligned) array.
std::vector<double> ChannelValues(const TRunData &run, TChannel channel);
// Samples 1..values.size() (at most kRunCapacity) of one channel from an
// ordinary array; the others and Count stay as they are.
void SetChannelValues(TRunData &run, TChannel channel, const std::vector<double> &values);

// 1, 2, ..., kRunCapacity: the X values of the run's charts (element i - 1
// holds i). Built once, never changed.
const std::array<double, kRunCapacity> &TimeAxis();

#pragma once
// Properties the fuzz targets check on every input. A failed one aborts, so
// libFuzzer reports the input as a crash and keeps it.
#include <cmath>
#include <cstdio>
#include <cstdlib>

[[noreturn]] inline void FuzzFail(const char *what, const char *file, int line)
{
    std::fprintf(stderr, "%s:%d: property failed: %s\n", file, line, what);
    std::abort();
}

#define FUZZ_CHECK(cond) ((cond) ? void(0) : FuzzFail(#cond, __FILE__, __LINE__))

// a and b agree to about 14 significant digits: what a 15-digit text of b
// read back can differ by.
inline bool NearlyEqual(double a, double b)
{
    return a == b || std::fabs(a - b) <= 1e-14 * std::fmax(std::fabs(a), std::fabs(b));
}

// Reference-point (.spl) files from outside: read over a table in memory and
// from a file (the two must agree), checked, and used to calibrate a short
// run: T and TC by the table, L by a table that is always good.
#include "app/core/Calibration.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/ScratchFile.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

namespace {

constexpr int16_t kErrorCode = -1;

// The table a file is read over: five points, so a short file keeps them.
TSplineTable PriorTable()
{
    TSplineTable table;
    table.Count = 5;
    const double x[5] = {0, 250, 500, 750, 1000}, y[5] = {1, 252, 503, 749, 1002};
    std::copy(x, x + 5, table.X);
    std::copy(y, y + 5, table.Y);
    return table;
}

// Readings around the table: its raw values, the midpoints between them, far
// outside, not finite, and the error code (which the filter drops).
std::vector<double> Readings(const TSplineTable &table)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    std::vector<double> r = {0, kErrorCode, 1e300, -1e300, inf, -inf, std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::denorm_min(), 20, 1500};
    const int32_t n = std::clamp(table.Count, 0, kSplineCapacity);
    for (int32_t q = 0; q < n && q < 12; ++q) {
        r.push_back(table.X[q]);
        if (q + 1 < n)
            r.push_back(0.5 * table.X[q] + 0.5 * table.X[q + 1]);
    }
    return r;
}

std::unique_ptr<TRunData> RunOf(const std::vector<double> &readings)
{
    auto run = std::make_unique<TRunData>();
    ClearRun(*run);
    run->Count = int32_t(readings.size());
    for (size_t i = 0; i < readings.size(); ++i)
        run->T[i] = run->L[i] = run->TC[i] = readings[i];
    return run;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString fileName = ScratchPath(QStringLiteral("table.spl"));
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    TSplineTable table = PriorTable();
    OverlaySplineTable(table, bytes);
    if (size >= size_t(kSplineFileSize))
        FUZZ_CHECK(SplineTableImage(table) == bytes.left(kSplineFileSize));
    TSplineTable fromFile = PriorTable();
    WriteScratch(fileName, data, size);
    FUZZ_CHECK(LoadSplineTable(fileName, fromFile).isEmpty());
    FUZZ_CHECK(SplineTableImage(fromFile) == SplineTableImage(table));

    const TTableState state = CheckSplineTable(table);
    FUZZ_CHECK(SplineTableMessage(QStringLiteral("T"), state).isEmpty() == (state == TTableState::Ok));

    auto run = RunOf(Readings(table));
    auto raw = std::make_unique<TRunData>(*run);
    FilterErrors(*raw, kErrorCode);
    TSettings settings;
    settings.ErrorCode = kErrorCode;
    settings.TSplineKalibrFlag = settings.LSplineKalibrFlag = true;
    const TKalibrStatus status = ApplyKalibr(*run, settings, table, PriorTable());
    FUZZ_CHECK(status.L == TTableState::Ok);
    FUZZ_CHECK(status.T == state || (state == TTableState::Ok && status.T == TTableState::BuildFailed));
    FUZZ_CHECK(run->Count == raw->Count);
    if (status.T == TTableState::Ok)
        return 0;
    for (int32_t i = 0; i < run->Count; ++i) {  // T and TC left with the raw values
        const double t = run->T[i], tc = run->TC[i], rawT = raw->T[i], rawTC = raw->TC[i];
        FUZZ_CHECK(std::memcmp(&t, &rawT, sizeof t) == 0 && std::memcmp(&tc, &rawTC, sizeof tc) == 0);
    }
    return 0;
}

#pragma once
// Quartz table files: a table of quartz expansion coefficients over
// temperature kept in the run file layout (240032 bytes): Count = rows,
// T = temperatures, L = coefficients, every other byte zero.
#include "analysis/core/Parabola.h"
#include "app/core/RunData.h"

#include <QString>
#include <cstdint>
#include <memory>

namespace analysis {

inline constexpr int32_t kMaxQuartzRows = 100;

// The zero-filled run record that stores a table: Count = number of points
// (at most 100), T[r] and L[r] = point r.
std::unique_ptr<TRunData> QuartzTableRecord(const TFitPoints &table);

// Reads a table file: rows 1..Count, at most 100 (none for a Count below 1),
// from a record that starts zero-filled, so a short file's missing part counts
// as zero. Returns an empty string, or the message to show (points unchanged).
[[nodiscard]] QString LoadQuartzTable(const QString &fileName, TFitPoints &points);

} // namespace analysis

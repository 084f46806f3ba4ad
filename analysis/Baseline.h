#pragma once
// The baseline run of the calculation and of the curve reduction: a run file
// read into a zero-filled record and calibrated with the run's own calibration.
#include "analysis/ExpansionCalc.h"
#include "app/core/Calibration.h"
#include "app/core/Settings.h"

#include <QString>
#include <optional>

namespace analysis {

// Whether a file exists under the name: a regular file or a link to one. A
// directory, a device or a pipe is no baseline file (and reading a pipe could
// block the program).
bool BaselineFileExists(const QString &fileName);

// The baseline's calibrated T (as X) and L (as Y), samples 1..Count; nullopt
// when the file cannot be read (error then holds why).
std::optional<TFitPoints> LoadBaseline(const QString &fileName, const TSettings &settings,
                                       const TSplineTable &tTable, const TSplineTable &lTable, QString &error);

} // namespace analysis

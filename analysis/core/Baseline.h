#pragma once
// The baseline run of the calculation and of the curve reduction: a run file
// read into a zero-filled record and calibrated with the run's own
// calibration, or the reason it is not used. One loader serves both
// commands; they differ only in what a name without a file means.
#include "analysis/core/Parabola.h"
#include "app/core/Calibration.h"
#include "app/core/Settings.h"

#include <QString>

namespace analysis {

enum class TBaselineState {
    Ignored,    // "Базовая линия игнорирована!": the name is "Nil", or no file has it and that only drops the baseline
    Loaded,     // "Базовая линия успешно загружена!"
    NotLoaded,  // "Базовая линия не загружена! Расчет остановлен!": the command stops
};

// What a name under which no file exists means: the calculation stops, the
// curve reduction draws without a baseline.
enum class TMissingBaseline { Stops, IsIgnored };

struct TBaseline {
    TBaselineState State = TBaselineState::Ignored;
    // No file exists under the name: the name on record becomes "Nil".
    bool Missing = false;
    // Loaded: the calibrated T (as X) and L (as Y) of samples 1..Count.
    TFitPoints Points;
    // Loaded: the file's SampleLength (a correction's reference sample length)
    // and its "Alpha кварца" and "L кварца" (those of a correction's push-rod
    // term).
    double SampleLength = 0;
    double QuartzAlpha = 0;
    double QuartzLength = 0;
    // NotLoaded from a file that exists: why it could not be read.
    QString Error;
};

// The message each state shows.
QString BaselineMessage(TBaselineState state);

// Whether a file exists under the name: a regular file or a link to one. A
// directory, a device or a pipe is no baseline file (and reading a pipe could
// block the program).
bool BaselineFileExists(const QString &fileName);

// The baseline named fileName ("Nil" for none).
TBaseline LoadBaseline(const QString &fileName, TMissingBaseline missing, const TSettings &settings,
                       const TSplineTable &tTable, const TSplineTable &lTable);

} // namespace analysis

#pragma once
// What the subcommands read: a run file and the calibration it is evaluated
// with, as the window holds them. Nothing is written: no settings file, no
// reference-point files.
#include "analysis/core/Baseline.h"
#include "app/core/Calibration.h"
#include "app/core/RunData.h"
#include "app/core/Settings.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

struct TEvalInput {
    TSettings settings;      // the defaults, or those of --calibration
    TSplineTable tTable;     // the reference points in use (empty when not used)
    TSplineTable lTable;
    std::unique_ptr<TRunData> run;  // raw, the samples flagged as failed conversions dropped

    // The run calibrated as the window calibrates it; nullptr, with the message
    // printed, when a reference-point table in use cannot be built.
    std::unique_ptr<TRunData> Calibrated() const;
};

// --calibration Varotem.ini
QCommandLineOption CalibrationOption();

// The calibration of --calibration (a settings file and the reference-point
// files it names for the quantities that use them; none: the defaults, which
// leave the readings unchanged), then the run file opened as "Открыть" opens
// it. nullopt, with the message printed, when a file is missing, cannot be
// read or holds a value that is not a number.
std::optional<TEvalInput> ReadEvalInput(const QCommandLineParser &parser, const QString &runFile);

// The value of an option as a number written with '.'; nullopt, with the
// message printed, when it is not one. Not given: fallback.
std::optional<double> RealOption(const QCommandLineParser &parser, const QString &name, double fallback);
std::optional<int32_t> IntOption(const QCommandLineParser &parser, const QString &name, int32_t fallback);

// --baseline FILE and --quartz-table FILE into the parameters' baseline name
// and quartz table (each left as it is when not given); false, with the
// message printed, when the quartz table cannot be read.
bool ReadBaselineOptions(const QCommandLineParser &parser, QString &baseLineFile,
                         std::optional<analysis::TFitPoints> &quartzTable);

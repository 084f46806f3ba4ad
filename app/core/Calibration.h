#pragma once
// Turning raw readings into physical values: the error filter, the cubic
// polynomial and the reference-point spline, and the reference-point files.
#include "app/core/RunData.h"
#include "app/core/Settings.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

inline constexpr int32_t kSplineCapacity = 100;
inline constexpr int32_t kSplineMinPoints = 3;
inline constexpr int kSplineFileSize = 1604;

// One reference-point table: point q (1..Count) maps the raw reading X[q - 1]
// to the true value Y[q - 1]. Count comes from a file or the dialog and is
// not trusted: CheckSplineTable says whether the table can be used.
struct TSplineTable {
    int32_t Count = 0;
    double X[kSplineCapacity] = {};
    double Y[kSplineCapacity] = {};
};

// How one quantity was calibrated by ApplyKalibr.
enum class TTableState {
    NotUsed,        // its flag is off: the polynomial was used
    Ok,             // calibrated by the reference-point spline
    BadCount,       // fewer than 3 or more than 100 points: left uncalibrated
    NotFinite,      // a value of the table is not a finite number: left uncalibrated
    NotIncreasing,  // raw values not strictly increasing: left uncalibrated
    BuildFailed,    // the spline could not be built: left uncalibrated
};

struct TKalibrStatus {
    TTableState T = TTableState::NotUsed;  // T and TC
    TTableState L = TTableState::NotUsed;
};

// Ok when the table can be built into a spline, otherwise why not (BadCount,
// NotFinite, NotIncreasing). The Parameters dialog refuses such a table on OK.
TTableState CheckSplineTable(const TSplineTable &table);

// Why a table cannot be used, as a phrase ("значения X должны строго
// возрастать"); empty for NotUsed and Ok.
QString SplineTableProblem(TTableState state);

// The message for a table that could not be used for a quantity ("T" or
// "L"); empty for NotUsed and Ok.
QString SplineTableMessage(const QString &quantity, TTableState state);

// Drops the samples whose raw T or L equals errorCode (TC is not compared),
// closing up T, L and TC together. A negative Count gives an empty run; a
// Count above kRunCapacity is taken as kRunCapacity.
void FilterErrors(TRunData &run, int16_t errorCode);

// Filters the run and calibrates it in place: T and TC with the T calibration,
// L with the L calibration, each by its reference-point spline (smoothing
// 1.0) when its flag is set, otherwise by the cubic polynomial. A table that
// cannot be used leaves its quantity with the raw values; the status says so.
TKalibrStatus ApplyKalibr(TRunData &run, const TSettings &settings, const TSplineTable &tTable,
                          const TSplineTable &lTable);

// The L calibration of ApplyKalibr as a function of one raw reading: the
// reference-point spline when LSplineKalibrFlag is set, otherwise the cubic
// polynomial. For commands that must go back from a length to the reading
// that gives it.
class TLCalibration {
public:
    TLCalibration(const TSettings &settings, const TSplineTable &lTable);
    // NotUsed (the polynomial) or Ok when it can be evaluated; otherwise why
    // the table cannot be used, and the value is the raw reading itself.
    TTableState State() const { return state_; }
    double operator()(double raw) const;

private:
    struct TSpline;
    TTableState state_ = TTableState::NotUsed;
    long double a_ = 0, b_ = 1, c_ = 0, d_ = 0;
    std::shared_ptr<const TSpline> spline_;
};

// The run's calibrated copy, on the heap (the record is 240032 bytes): every
// command that needs physical values works on one, so the run itself stays
// raw and a running acquisition keeps appending to it. status, when given,
// receives how each quantity was calibrated.
std::unique_ptr<TRunData> CalibratedCopy(const TRunData &run, const TSettings &settings,
                                         const TSplineTable &tTable, const TSplineTable &lTable,
                                         TKalibrStatus *status = nullptr);

// One sample's raw T and L calibrated exactly as ApplyKalibr calibrates the
// run's (a quantity whose table cannot be used keeps its raw value): for code
// that follows a run reading by reading.
struct TCalibratedSample {
    double T = 0;
    double L = 0;
};
TCalibratedSample CalibrateSample(double rawT, double rawL, const TSettings &settings, const TSplineTable &tTable,
                                  const TSplineTable &lTable);

// Turns the statuses of successive calibrations into messages, so that an
// unusable table is reported once rather than on every redraw: a message is
// returned when a quantity's state changes to a failure, nothing while it
// stays the same. The main window keeps one and shows what Update returns.
class TKalibrNotices {
public:
    [[nodiscard]] QStringList Update(const TKalibrStatus &status);

private:
    TKalibrStatus last_;
};

// The 1604-byte file image: Count, the 100 raw values, the 100 true values.
QByteArray SplineTableImage(const TSplineTable &table);

// Copies the first bytes of image over the table's image: a short image fills
// only the fields (and parts of fields) it reaches.
void OverlaySplineTable(TSplineTable &table, const QByteArray &image);

// Loads one table file over table. A missing or unreadable file leaves the
// table as it was and returns "Файл не найден: " + fileName + "!".
[[nodiscard]] QString LoadSplineTable(const QString &fileName, TSplineTable &table);

// Writes all 100 slots of the table; returns the same message on failure.
[[nodiscard]] QString SaveSplineTable(const QString &fileName, const TSplineTable &table);

// Both tables from / to the files named by SplineTFile and SplineLFile, T
// first. Returns the messages to show, in order.
[[nodiscard]] QStringList OpenSplineKalibr(const TSettings &settings, TSplineTable &tTable,
                                           TSplineTable &lTable);
[[nodiscard]] QStringList SaveSplineKalibr(const TSettings &settings, const TSplineTable &tTable,
                                           const TSplineTable &lTable);

#pragma once
// Recording a run: opening the converter (and the weigher), one sample per
// tick appended to the run, autosave, the point limit and the heater commands
// at start and stop. Window-free: the main window's timer only calls Tick, and
// the redraw between storing a sample and autosaving it is handed in.
#include "app/core/Calibration.h"
#include "app/core/Journal.h"
#include "app/core/ManageFuncs.h"
#include "app/core/RunData.h"
#include "app/core/RunTimes.h"
#include "app/core/Settings.h"
#include "app/core/SofteningSettings.h"
#include "app/core/SofteningWatch.h"

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

// The board libraries as a run uses them: the converter (daqlink) with its
// output command, and the weigher (auxlink). The program talks to the real
// libraries; tests may script one.
class TBoardPort : public THeaterPort {
public:
    // InitDaqlink(3, channels, 2); false when no board can be used.
    virtual bool InitDaqlink(const std::array<int32_t, 3> &channels) = 0;
    // GetRes(3, readings, 2): one conversion per channel. A library that
    // writes nothing leaves readings as they were.
    virtual void GetRes(std::array<int32_t, 3> &readings) = 0;
    // Tells the board library the reading that marks a failed conversion
    // ("Код ошибки"), so it reports failures with the program's own marker.
    virtual void SetFailureCode(int16_t code) = 0;
    virtual void DoneDaqlink() = 0;
    virtual double GetStatusWindow() = 0;
    virtual bool InitAuxlink() = 0;
    // GetWRes(&w); a library that writes nothing leaves w as it was.
    virtual void GetWRes(double &w) = 0;
    virtual void DoneAuxlink() = 0;
    // DAQSetup, then the library's report on the board it found.
    virtual QString DaqSetup() = 0;
};

// The timer period of a run in milliseconds: TimerWorkInterval seconds, a
// value below 1 taken as 1 (a hand-edited settings file), and no more than a
// timer can hold.
int32_t TimerPeriodMs(const TSettings &settings);

// Samples between autosaves: AutoSaveTime, a value below 1 taken as 1.
int32_t AutoSaveEvery(const TSettings &settings);

// The number of samples after which a run stops: N, but never more than the
// run's capacity (a hand-edited settings file may ask for more).
int32_t PointLimit(const TSettings &settings);

enum class TStartResult {
    Started,
    NoConverter,  // "Устройство АЦП не найдено!"; nothing changed
    NoWeigher,    // "Весы не найдены!"; the converter stays open
};

// The message of a failed start; empty for Started.
QString StartMessage(TStartResult result);

enum class TTickOutcome {
    Idle,           // no run is being acquired, or a tick is already under way
    FailedReading,  // a reading equalled ErrorCode: nothing stored
    Stored,         // one sample appended
    Full,           // the run already holds its capacity: nothing stored, run stopped
};

struct TTickResult {
    TTickOutcome outcome = TTickOutcome::Idle;
    // The autosave failure to report; set on the first failure of a streak
    // only, so a file that stays unwritable is not reported on every tick.
    QString autosaveMessage;
    // The same for the journal: the first record of a streak that could not
    // be written.
    QString journalMessage;
    // The heating was cut at this tick because the sample softened; said once a run.
    QString softeningMessage;
};

// Wall-clock time in milliseconds since 1970-01-01 00:00 UTC.
using TWallClock = std::function<int64_t()>;

// Works on the main window's run and settings (read at every tick, so a change
// in the Parameters dialog acts at once) and sends to the board.
class TAcquisition {
public:
    TAcquisition(TBoardPort &board, TRunData &run, const TSettings &settings);

    // Opens the devices, zeroes the run (calculation parameters to their
    // defaults), begins the run's journal and switches the heater on when
    // heating control is set. A start while acquiring starts the run again
    // from sample 1, with a new journal. A journal that cannot be begun does
    // not stop the start: TakeJournalNotice says why. When the devices do not
    // open while a run is acquired, that run stops instead: its samples stay
    // in memory and go to the autosave file when autosave is on, and *stopped
    // (when given) receives the message that tells the user so.
    TStartResult Start(QString *stopped = nullptr);

    // One tick: read the channels (and the weigher), append the sample unless
    // a reading failed and write it to the journal, watch it for softening
    // (heating off the first time the sample has softened, when that option
    // is on), call show (the redraw,
    // which also runs the heater's threshold test), autosave every
    // AutoSaveEvery samples and at PointLimit when AutoSaveFlag is set, and
    // stop at PointLimit. show must not call Tick; a nested call does nothing.
    TTickResult Tick(const std::function<void()> &show);

    // Stops the run: heater off when heating control switches off at the end
    // of acquisition, then the converter closed, and the weigher when in use.
    // Repeats the device calls when no run is active. A run that was active is
    // autosaved when AutoSaveFlag is set and the file does not hold it yet;
    // its journal is removed once the run is on disk, and kept otherwise (see
    // RunReleased and ProgramClosing). Returns the message of a failed
    // autosave, or an empty string.
    QString Stop();

    // A run is being acquired (the timer must be running).
    bool Running() const { return running_; }

    // Heating off at softening: the options, read at every tick, and the
    // reference-point tables the samples are calibrated with for the watch.
    // Without this call no run is watched. All three must outlive the object.
    void WatchSoftening(const TSofteningOptions &options, const TSplineTable &tTable, const TSplineTable &lTable);
    const TSofteningWatch &Softening() const { return softening_; }

    // The stopped run is on disk (saved as a run file) or no longer in memory
    // (replaced): the journal kept since the stop is removed. Nothing while
    // acquiring.
    void RunReleased();
    // The run in memory was replaced (a file opened, the test run): while
    // acquiring, the journal no longer holds it, and the next tick writes the
    // journal anew from the run as it then stands, also when the new run is
    // as long as the one journalled so far. When stopped, as RunReleased.
    void RunReplaced();
    // The program closes normally: a journal kept because autosave was off
    // goes, as the run in memory does; one kept because the final autosave
    // failed stays, so the next start offers the run back: when the autosave
    // file name was changed meanwhile, it moves beside the new name (where
    // the next start looks) unless a file is already there.
    void ProgramClosing();

    // Why the journal of the last start could not be begun, or a journal of an
    // interrupted run that the start found in its place and kept under
    // another name; empty when neither. Emptied by the call.
    QString TakeJournalNotice();

    // Samples of the run in the autosave file as last written by this
    // recording, -1 before its first autosave: the finished run is on disk
    // when this equals its count.
    int32_t AutosavedCount() const { return autosavedCount_; }

    // The wall-clock times of the run recorded last (or recovered).
    const TRunTimes &Times() const { return times_; }
    TRunTimes &Times() { return times_; }
    // The clock of the times; the system clock unless a test sets another.
    void SetClock(TWallClock clock) { clock_ = std::move(clock); }
    const TJournalWriter &Journal() const { return journal_; }

private:
    TStartResult OpenDevices();
    QString StopKeepingSamples();
    bool ReadSample(std::array<int32_t, 3> &r, double &w);
    void Append(const std::array<int32_t, 3> &r, double w);
    QString AutoSave();
    QString JournalSample();
    QString WatchSample();
    void BeginJournal();
    TJournalHeader JournalHeaderNow() const;
    int64_t Now() const;
    QString Halt();

    TBoardPort &board_;
    TRunData &run_;
    const TSettings &settings_;
    bool running_ = false;
    bool inTick_ = false;
    bool autosaveFailing_ = false;

    TRunTimes times_;
    TWallClock clock_;
    TJournalWriter journal_;
    QString journalNotice_;
    bool journalFailing_ = false;
    bool keepJournalAtClose_ = false;
    bool journalOfOtherRun_ = false;  // the run was replaced since the last record
    int32_t autosavedCount_ = -1;  // Count at the last autosave of this run that succeeded

    const TSofteningOptions *softeningOptions_ = nullptr;
    const TSplineTable *tTable_ = nullptr;
    const TSplineTable *lTable_ = nullptr;
    TSofteningWatch softening_;
    int32_t watchedCount_ = 0;  // Count after the sample the watch saw last
    bool softeningCut_ = false;
};

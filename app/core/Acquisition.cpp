#include "app/core/Acquisition.h"

#include "app/core/DataFiles.h"
#include "app/core/LocaleFormat.h"

#include <QCoreApplication>
#include <QDateTime>

#include <algorithm>
#include <limits>
#include <utility>

namespace {

// Clears a flag when the scope ends, also on an exception.
class TFlagScope {
public:
    explicit TFlagScope(bool &flag) : flag_(flag) { flag_ = true; }
    ~TFlagScope() { flag_ = false; }
    TFlagScope(const TFlagScope &) = delete;
    TFlagScope &operator=(const TFlagScope &) = delete;

private:
    bool &flag_;
};

QString JournalWriteMessage(int32_t sample, const QString &reason)
{
    return QCoreApplication::translate("Acquisition", "Не удалось записать точку %1 в журнал приема информации %2.\nПрием информации "
                          "продолжается. Пока журнал не удается записать, это сообщение не повторяется.")
        .arg(sample)
        .arg(reason);
}

} // namespace

int32_t TimerPeriodMs(const TSettings &settings)
{
    constexpr int32_t kMaxSeconds = std::numeric_limits<int32_t>::max() / 1000;
    return std::clamp(settings.TimerWorkInterval, 1, kMaxSeconds) * 1000;
}

int32_t AutoSaveEvery(const TSettings &settings) { return std::max(settings.AutoSaveTime, 1); }

int32_t PointLimit(const TSettings &settings) { return std::min(settings.N, kRunCapacity); }

QString StartMessage(TStartResult result)
{
    switch (result) {
    case TStartResult::Started: return {};
    case TStartResult::NoConverter: return QCoreApplication::translate("Acquisition", "Устройство АЦП не найдено!");
    case TStartResult::NoWeigher: return QCoreApplication::translate("Acquisition", "Весы не найдены!");
    }
    return {};
}

TAcquisition::TAcquisition(TBoardPort &board, TRunData &run, const TSettings &settings)
    : board_(board), run_(run), settings_(settings)
{
}

TStartResult TAcquisition::Start(QString *stopped)
{
    const TStartResult opened = OpenDevices();
    if (opened != TStartResult::Started) {
        // Re-opening the board closed it: the run would go on reading nothing.
        if (running_) {
            const QString message = StopKeepingSamples();
            if (stopped)
                *stopped = message;
        }
        return opened;
    }
    ClearRun(run_);
    BeginJournal();
    if (settings_.ManageFlag)
        HeaterOn(board_);
    running_ = true;
    autosaveFailing_ = false;
    autosavedCount_ = -1;
    softening_.Reset();
    watchedCount_ = 0;
    softeningCut_ = false;
    return TStartResult::Started;
}

void TAcquisition::WatchSoftening(const TSofteningOptions &options, const TSplineTable &tTable,
                                  const TSplineTable &lTable)
{
    softeningOptions_ = &options;
    tTable_ = &tTable;
    lTable_ = &lTable;
}

// The journal of the run before, if one was kept, goes with that run.
void TAcquisition::BeginJournal()
{
    journal_.Remove();
    keepJournalAtClose_ = false;
    journalFailing_ = false;
    journalOfOtherRun_ = false;
    times_ = TRunTimes{};
    times_.startMs = Now();
    QString notice;
    const QString error =
        journal_.Begin(JournalPath(settings_.AutoSaveFile), JournalHeaderNow(), run_, times_, notice);
    journalNotice_ = notice;
    if (error.isEmpty())
        return;
    journalFailing_ = true;
    if (!journalNotice_.isEmpty())
        journalNotice_ += u'\n';
    journalNotice_ += QCoreApplication::translate("Acquisition", "Журнал приема информации не удалось создать: %1.\nПрием информации идет без "
                                     "журнала: при сбое программы точки после последнего автосохранения будут потеряны.")
                          .arg(error);
}

TJournalHeader TAcquisition::JournalHeaderNow() const
{
    TJournalHeader header;
    header.startMs = times_.startMs;
    header.settings = settings_;
    header.CalcPoints = run_.CalcPoints;
    header.SampleLength = run_.SampleLength;
    header.QuartzLength = run_.QuartzLength;
    header.QuartzAlpha = run_.QuartzAlpha;
    return header;
}

int64_t TAcquisition::Now() const { return clock_ ? clock_() : QDateTime::currentMSecsSinceEpoch(); }

TTickResult TAcquisition::Tick(const std::function<void()> &show)
{
    TTickResult result;
    if (!running_ || inTick_)
        return result;
    TFlagScope busy(inTick_);

    std::array<int32_t, 3> r{};
    double w = 0;
    if (!ReadSample(r, w)) {
        result.outcome = TTickOutcome::FailedReading;
        return result;
    }
    if (ValidCount(run_) >= kRunCapacity) {
        result.autosaveMessage = Halt();
        result.outcome = TTickOutcome::Full;
        return result;
    }
    Append(r, w);
    result.outcome = TTickOutcome::Stored;
    result.journalMessage = JournalSample();
    result.softeningMessage = WatchSample();
    if (show)
        show();
    // The sample that reaches the point limit is saved whatever the interval,
    // so the finished run is on disk and not only in memory.
    // Its failure is the run's last: said whatever the streak before, as the
    // stop says it, since it decides whether the run is on disk.
    if (ValidCount(run_) >= PointLimit(settings_))
        result.autosaveMessage = Halt();
    else
        result.autosaveMessage = AutoSave();
    return result;
}

TStartResult TAcquisition::OpenDevices()
{
    board_.SetFailureCode(settings_.ErrorCode);
    if (!board_.InitDaqlink({settings_.Chan1, settings_.Chan2, settings_.Chan3}))
        return TStartResult::NoConverter;
    if (settings_.LWeightDriver) {
        board_.GetStatusWindow();
        if (!board_.InitAuxlink())
            return TStartResult::NoWeigher;
    }
    return TStartResult::Started;
}

// The stop of a run whose restart failed: the samples stay, and go to the
// autosave file when autosave is on (Stop saves them).
QString TAcquisition::StopKeepingSamples()
{
    const QString error = Stop();
    const QString stopped = QCoreApplication::translate("Acquisition", "Прием информации остановлен. Записанные точки (%1) ").arg(ValidCount(run_));
    if (!settings_.AutoSaveFlag)
        return stopped + QCoreApplication::translate("Acquisition", "остались в памяти.");
    if (!error.isEmpty())
        return stopped + QCoreApplication::translate("Acquisition", "остались в памяти.\n") + error;
    return stopped + QCoreApplication::translate("Acquisition", "сохранены в файле \"%1\".").arg(settings_.AutoSaveFile);
}

QString TAcquisition::Stop() { return Halt(); }

// The run is autosaved unless the file already holds it.
QString TAcquisition::Halt()
{
    const bool wasRunning = running_;
    running_ = false;
    if (settings_.ManageFlag && settings_.ManageStopEvent == kStopAtEnd)
        HeaterOff(board_);
    board_.DoneDaqlink();
    if (settings_.LWeightDriver)
        board_.DoneAuxlink();
    if (!wasRunning)
        return {};

    const int32_t n = ValidCount(run_);
    QString message;
    if (settings_.AutoSaveFlag && n > 0 && autosavedCount_ != n) {
        if (const QString error = SaveData(settings_.AutoSaveFile, run_); !error.isEmpty()) {
            message = QCoreApplication::translate("Acquisition", "Автосохранение: %1").arg(error);
            if (journal_.IsOpen())
                message += QCoreApplication::translate("Acquisition", "\nЖурнал приема информации сохранен: при следующем запуске программа "
                                          "предложит восстановить запись.");
        } else {
            autosavedCount_ = n;
        }
    }
    // The journal goes once the run is on disk; without autosave the run is
    // only in memory, and the journal stays while it is (RunReleased).
    const bool onDisk = n == 0 || (settings_.AutoSaveFlag && autosavedCount_ == n);
    if (onDisk)
        journal_.Remove();
    keepJournalAtClose_ = !onDisk && settings_.AutoSaveFlag;
    return message;
}

void TAcquisition::RunReleased()
{
    if (running_)
        return;
    journal_.Remove();
    keepJournalAtClose_ = false;
}

void TAcquisition::RunReplaced()
{
    if (running_)
        journalOfOtherRun_ = true;
    else
        RunReleased();
}

void TAcquisition::ProgramClosing()
{
    if (running_)
        return;
    if (!keepJournalAtClose_) {
        journal_.Remove();
        return;
    }
    // The settings are written with the autosave file name now in force, and
    // the next start looks for the journal beside that name.
    const QString next = JournalPath(settings_.AutoSaveFile);
    if (journal_.IsOpen() && next != journal_.Path())
        journal_.MoveTo(next);
}

QString TAcquisition::TakeJournalNotice() { return std::exchange(journalNotice_, QString()); }

// A reading the library did not write counts as failed: the readings start
// as the error marker rather than as a value that could be stored.
bool TAcquisition::ReadSample(std::array<int32_t, 3> &r, double &w)
{
    const int32_t marker = settings_.ErrorCode;
    r.fill(marker);
    w = marker;
    // "Код ошибки" may have changed since the last tick.
    board_.SetFailureCode(settings_.ErrorCode);
    board_.GetRes(r);
    if (settings_.LWeightDriver)
        board_.GetWRes(w);
    if (std::find(r.begin(), r.end(), marker) != r.end())
        return false;
    return !(settings_.LWeightDriver && w == static_cast<double>(marker));
}

void TAcquisition::Append(const std::array<int32_t, 3> &r, double w)
{
    const int32_t i = ValidCount(run_);  // the new sample goes to slot i + 1
    run_.T[i] = r[0];
    run_.L[i] = settings_.LWeightDriver ? w : r[1];
    run_.TC[i] = r[2];
    run_.Count = i + 1;
}

// The sample just appended, with its time, to the journal. A run replaced or
// cut between two ticks (a file opened, the test run, an interval chosen) no
// longer continues the journal: the journal is then written anew from the run
// as it stands, the times of its earlier samples unknown. A cut shows in the
// count; a replacement is told (RunReplaced), since the new run may be exactly
// as long as the journalled one and its records must not follow the old ones.
QString TAcquisition::JournalSample()
{
    const int32_t i = ValidCount(run_);
    times_.sampleMs[size_t(i - 1)] = Now();
    if (!journal_.IsOpen())
        return {};  // not begun: said at the start
    QString error;
    QString notice;
    if (std::exchange(journalOfOtherRun_, false) || journal_.LastIndex() != i - 1) {
        std::fill(times_.sampleMs.begin(), times_.sampleMs.begin() + (i - 1), 0);
        error = journal_.Begin(journal_.Path(), JournalHeaderNow(), run_, times_, notice);
        if (!error.isEmpty())
            journal_.Remove();  // it holds a run that is no longer in memory
    } else {
        error = journal_.Write(i, run_.T[i - 1], run_.L[i - 1], run_.TC[i - 1], times_.sampleMs[size_t(i - 1)]);
    }
    const bool firstFailure = !error.isEmpty() && !journalFailing_;
    journalFailing_ = !error.isEmpty();
    const QString failure = firstFailure ? JournalWriteMessage(i, error) : QString();
    return notice.isEmpty() || failure.isEmpty() ? notice + failure : notice + u'\n' + failure;
}

// The sample just appended, calibrated, to the softening watch; the heating
// is cut, and the user told, the first time the watch finds the curve has
// turned over while the option is on. The watch sees every sample, so the
// option may be switched on during a run.
QString TAcquisition::WatchSample()
{
    if (!softeningOptions_)
        return {};
    const int32_t i = ValidCount(run_);
    if (i != watchedCount_ + 1)
        softening_.Restart();  // the run was cut or replaced between ticks
    watchedCount_ = i;
    const TCalibratedSample sample = CalibrateSample(run_.T[i - 1], run_.L[i - 1], settings_, *tTable_, *lTable_);
    const TSofteningOptions &options = *softeningOptions_;
    softening_.Add(sample.T, sample.L, options.MarginPercent / 100.0);
    if (!options.Enabled || !softening_.Passed() || softeningCut_)
        return {};
    softeningCut_ = true;
    HeaterOff(board_);
    return QCoreApplication::translate("Acquisition", "Образец размягчился: удлинение прошло максимум %1 мкм при T = %2 °C и уменьшилось на "
                          "%3 мкм (точка %4). Нагрев выключен.")
        .arg(LocaleFixed(softening_.MaximumLength(), 6, 2), LocaleFixed(softening_.MaximumTemperature(), 6, 1),
             LocaleFixed(softening_.DropAtPass(), 4, 2))
        .arg(i);
}

QString TAcquisition::AutoSave()
{
    if (!settings_.AutoSaveFlag || ValidCount(run_) % AutoSaveEvery(settings_) != 0)
        return {};
    const QString error = SaveData(settings_.AutoSaveFile, run_);
    if (error.isEmpty())
        autosavedCount_ = ValidCount(run_);
    const bool firstFailure = !error.isEmpty() && !autosaveFailing_;
    autosaveFailing_ = !error.isEmpty();
    if (!firstFailure)
        return {};
    return QCoreApplication::translate("Acquisition", "Автосохранение: %1\nПрием информации продолжается. Пока файл не удается "
                          "записать, это сообщение не повторяется.")
        .arg(error);
}

#include "app/core/Acquisition.h"

#include "app/core/DataFiles.h"

#include <algorithm>
#include <limits>

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
    case TStartResult::NoConverter: return QStringLiteral("Устройство АЦП не найдено!");
    case TStartResult::NoWeigher: return QStringLiteral("Весы не найдены!");
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
    if (settings_.ManageFlag)
        HeaterOn(board_);
    running_ = true;
    autosaveFailing_ = false;
    return TStartResult::Started;
}

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
        Stop();
        result.outcome = TTickOutcome::Full;
        return result;
    }
    Append(r, w);
    result.outcome = TTickOutcome::Stored;
    if (show)
        show();
    // The sample that reaches the point limit is saved whatever the interval,
    // so the finished run is on disk and not only in memory.
    const bool atLimit = ValidCount(run_) >= PointLimit(settings_);
    result.autosaveMessage = AutoSave(atLimit);
    if (atLimit)
        Stop();
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

QString TAcquisition::StopKeepingSamples()
{
    Stop();
    const QString stopped = QStringLiteral("Прием информации остановлен. Записанные точки (%1) ").arg(ValidCount(run_));
    if (!settings_.AutoSaveFlag)
        return stopped + QStringLiteral("остались в памяти.");
    if (const QString error = SaveData(settings_.AutoSaveFile, run_); !error.isEmpty())
        return stopped + QStringLiteral("остались в памяти; автосохранение: ") + error;
    return stopped + QStringLiteral("сохранены в файле \"%1\".").arg(settings_.AutoSaveFile);
}

void TAcquisition::Stop()
{
    running_ = false;
    if (settings_.ManageFlag && settings_.ManageStopEvent == kStopAtEnd)
        HeaterOff(board_);
    board_.DoneDaqlink();
    if (settings_.LWeightDriver)
        board_.DoneAuxlink();
}

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

QString TAcquisition::AutoSave(bool atLimit)
{
    if (!settings_.AutoSaveFlag || (!atLimit && ValidCount(run_) % AutoSaveEvery(settings_) != 0))
        return {};
    const QString error = SaveData(settings_.AutoSaveFile, run_);
    const bool firstFailure = !error.isEmpty() && !autosaveFailing_;
    autosaveFailing_ = !error.isEmpty();
    if (!firstFailure)
        return {};
    return QStringLiteral("Автосохранение: %1\nПрием информации продолжается. Пока файл не удается "
                          "записать, это сообщение не повторяется.")
        .arg(error);
}

#include "daqlink/board/Board.h"
#include "daqlink/board/BoardText.h"
#include "daqlink/board/ComediBackend.h"
#include "daqlink/board/SimInstrument.h"

#include <cstdio>
#include <memory>

namespace daqboard {
namespace {

constexpr uint8_t kCommandByte0 = 86;
constexpr uint8_t kCommandByte1 = 1;
constexpr uint8_t kHeaterBit = 1u << 5;

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string DescribeMaterial(const TMaterial &m)
{
    switch (m.kind) {
    case TMaterialKind::Copper: return Tr(QT_TRANSLATE_NOOP("daqlink", "медь"));
    case TMaterialKind::Constant:
        return Arg(Tr(QT_TRANSLATE_NOOP("daqlink", "постоянный коэффициент %1 1/K")), {Number(m.alpha)});
    case TMaterialKind::Library: return m.library.data ? m.library.data->name : m.library.id;
    case TMaterialKind::Glass:
        return Arg(Tr(QT_TRANSLATE_NOOP("daqlink", "стекло (%1 1/K ниже Tg = %2 °C, %3 1/K выше, ширина перехода %4 K; "
                                                   "размягчение от %5 °C, %6 мкм/мин на K)")),
                   {Number(m.glass.glassAlpha), Number(m.glass.tg), Number(m.glass.liquidAlpha), Number(m.glass.width),
                    Number(m.glass.softeningTemperature), Number(m.glass.softeningRate)});
    }
    return {};
}

std::string DescribeSimulator(const TSimSettings &s)
{
    const std::string material = DescribeMaterial(s.material);
    const std::string rod = s.pushRod.data ? s.pushRod.data->name : Number(s.rodAlpha) + " 1/K";
    const std::string setup = Arg(
        Tr(QT_TRANSLATE_NOOP("daqlink", "Имитатор дилатометра: образец — %1, %2 мкм, толкатель из кварцевого стекла "
                                        "(%3); печь от %4 °C, нагрев %5 K/мин до %6 °C; шаг %7 с на опрос; шум %8 K и "
                                        "%9 мкм;")),
        {material, Number(s.sampleLength), rod, Number(s.StartTemperature()), Number(s.heatingRate),
         Number(s.maxTemperature), Number(s.step), Number(s.temperatureNoise), Number(s.lengthNoise)});
    const std::string channels =
        Arg(Tr(QT_TRANSLATE_NOOP("daqlink", "доля сбоев %1; зерно %2. Каналы: 0 — T образца, %3 °C на отсчет; "
                                            "1 — удлинение, %4 мкм на отсчет; 2 — термопара печи, %3 °C на отсчет.")),
            {Number(s.failureRate), std::to_string(s.seed), Number(s.temperatureScale), Number(s.lengthScale)});
    return setup + ' ' + channels;
}

class TSimBackend final : public TBackend {
public:
    explicit TSimBackend(TSimInstrument &instrument) : instrument_(instrument) {}
    void BeginScan() override { instrument_.BeginScan(); }
    void EndScan() override { instrument_.EndScan(); }
    bool Read(int16_t channel, int16_t *code) override { return instrument_.Convert(channel, code); }
    void SetHeater(bool on) override { instrument_.SetHeating(on); }
    std::string Describe() const override { return DescribeSimulator(instrument_.Settings()); }
    bool IsSimulator() const override { return true; }

private:
    TSimInstrument &instrument_;
};

class TBoard {
public:
    TBoard() { LoadSettings(); }

    bool Open()
    {
        Close();
        LoadSettings();
        whyNotComedi_.clear();
        if (settings_.backend != TBackendChoice::Simulator)
            active_ = OpenComediBackend(settings_, &whyNotComedi_);
        if (!active_ && settings_.backend == TBackendChoice::Comedi) {
            report_ = Arg(Tr(QT_TRANSLATE_NOOP("daqlink", "Плата Comedi не открылась (%1); имитатор отключен в daqlink.ini.")),
                          {whyNotComedi_});
            return false;
        }
        if (!active_) {
            instrument_.Start(settings_.sim);
            active_ = std::make_unique<TSimBackend>(instrument_);
        }
        report_ = Describe(whyNotComedi_);
        return true;
    }

    void Close() { active_.reset(); }
    TBackend *Active() { return active_.get(); }
    const TBoardSettings &Settings() const { return settings_; }
    int16_t FailureCode() const { return programCode_.value_or(settings_.errorCode); }
    void SetProgramFailureCode(int16_t code) { programCode_ = code; }

    // Outside a run the heater switch goes to what the next run would read:
    // a Comedi board is opened for the one write (a digital output keeps its
    // level when the device closes), otherwise the simulated furnace hears it.
    void SetHeater(bool on)
    {
        if (active_) {
            active_->SetHeater(on);
            return;
        }
        LoadSettings();
        if (settings_.backend != TBackendChoice::Simulator) {
            if (const auto board = OpenComediBackend(settings_, nullptr)) {
                board->SetHeater(on);
                return;
            }
        }
        instrument_.SetHeating(on);
    }

    void RefreshReport()
    {
        LoadSettings();
        if (active_) {
            report_ = Describe(whyNotComedi_);
            return;
        }
        std::string whyNot;
        std::unique_ptr<TBackend> probe;
        if (settings_.backend != TBackendChoice::Simulator)
            probe = OpenComediBackend(settings_, &whyNot);
        if (probe)
            report_ = Arg(Tr(QT_TRANSLATE_NOOP("daqlink", "Следующий прием: %1")), {probe->Describe()});
        else if (settings_.backend == TBackendChoice::Comedi)
            report_ = Arg(Tr(QT_TRANSLATE_NOOP("daqlink", "Плата Comedi не открывается (%1); имитатор отключен в daqlink.ini.")),
                          {whyNot});
        else
            report_ = Arg(Tr(QT_TRANSLATE_NOOP("daqlink", "Следующий прием: %1")),
                          {Describe(whyNot, DescribeSimulator(settings_.sim))});
    }

    const std::string &Report()
    {
        if (report_.empty())
            RefreshReport();
        return report_;
    }

    // Outside a run: unless the settings rule the simulator out.
    bool SimulatorInUse() const
    {
        return active_ ? active_->IsSimulator() : settings_.backend != TBackendChoice::Comedi;
    }
    const TSimInstrument &Instrument() const { return instrument_; }

    void OverrideSettings(std::optional<std::string> text)
    {
        override_ = std::move(text);
        LoadSettings();
    }

private:
    void LoadSettings()
    {
        settings_ = ParseSettings(override_ ? *override_ : ReadSettingsFile(SettingsPathBesideLibrary()));
    }

    std::string Describe(const std::string &whyNot) const { return Describe(whyNot, active_->Describe()); }

    std::string Describe(const std::string &whyNot, const std::string &what) const
    {
        if (whyNot.empty())
            return what;
        return Arg(Tr(QT_TRANSLATE_NOOP("daqlink", "%1 Плата Comedi не используется: %2.")), {what, whyNot});
    }

    TBoardSettings settings_;
    std::optional<int16_t> programCode_;  // outlives the settings re-read at each start
    std::optional<std::string> override_;
    TSimInstrument instrument_;
    std::unique_ptr<TBackend> active_;
    std::string whyNotComedi_; // of the run in progress
    std::string report_;
};

TBoard &Board()
{
    static TBoard board;
    return board;
}

// A genuine reading must not look like a failure to the main program.
int16_t AvoidFailureCode(int16_t code, int16_t failure)
{
    if (code != failure)
        return code;
    return static_cast<int16_t>(code > 0 ? code - 1 : code + 1);
}

} // namespace

bool OpenBoard() { return Board().Open(); }
void CloseBoard() { Board().Close(); }

void BeginScan()
{
    if (TBackend *backend = Board().Active())
        backend->BeginScan();
}

void EndScan()
{
    if (TBackend *backend = Board().Active())
        backend->EndScan();
}

int16_t AI_Read(int16_t device, int16_t channel, int16_t /*gain*/, int16_t *result)
{
    TBackend *backend = Board().Active();
    if (device != 1 || !backend || !result)
        return kNoDevice;
    int16_t code = 0;
    if (!backend->Read(channel, &code))
        return kReadFailed;
    *result = AvoidFailureCode(code, FailureCode());
    return kReadOk;
}

int16_t FailureCode() { return Board().FailureCode(); }

void SetProgramFailureCode(int16_t code) { Board().SetProgramFailureCode(code); }

void SendCommand(const uint8_t *bytes, int32_t count)
{
    if (!bytes || count < 3 || bytes[0] != kCommandByte0 || bytes[1] != kCommandByte1)
        return;
    Board().SetHeater((bytes[2] & kHeaterBit) != 0);
}

void RefreshReport() { Board().RefreshReport(); }
std::string Report() { return Board().Report(); }

bool WeigherAvailable() { return Board().SimulatorInUse(); }

double WeigherReading()
{
    if (!Board().SimulatorInUse())
        return FailureCode();
    return Board().Instrument().Latched().lengthChange;
}

void OverrideSettings(std::optional<std::string> text) { Board().OverrideSettings(std::move(text)); }

} // namespace daqboard

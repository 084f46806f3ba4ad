#include "daqlink/board/BoardText.h"
#include "daqlink/board/ComediBackend.h"
#include "daqlink/board/SampleCode.h"

#include <comedilib.h>

namespace daqboard {
namespace {

constexpr unsigned kRange = 0;

std::string LastComediError()
{
    const char *text = comedi_strerror(comedi_errno());
    return text ? text : Tr(QT_TRANSLATE_NOOP("daqlink", "неизвестная ошибка"));
}

class TComediBackend final : public TBackend {
public:
    TComediBackend(comedi_t *device, std::string path, int aiSubdevice)
        : device_(device), path_(std::move(path)), ai_(aiSubdevice)
    {
        channels_ = comedi_get_n_channels(device_, ai_);
    }
    ~TComediBackend() override { comedi_close(device_); }
    TComediBackend(const TComediBackend &) = delete;
    TComediBackend &operator=(const TComediBackend &) = delete;

    // The heater line: a digital output subdevice, or a digital input/output
    // one with the line switched to output.
    void FindHeaterLine(int line)
    {
        int sub = comedi_find_subdevice_by_type(device_, COMEDI_SUBD_DO, 0);
        bool configurable = false;
        if (sub < 0) {
            sub = comedi_find_subdevice_by_type(device_, COMEDI_SUBD_DIO, 0);
            configurable = true;
        }
        if (sub < 0 || line >= comedi_get_n_channels(device_, sub))
            return;
        if (configurable && comedi_dio_config(device_, sub, line, COMEDI_OUTPUT) < 0)
            return;
        dio_ = sub;
        line_ = line;
    }

    bool Read(int16_t channel, int16_t *code) override
    {
        if (!code || channel < 0 || channel >= channels_)
            return false;
        lsampl_t sample = 0;
        if (comedi_data_read(device_, ai_, channel, kRange, AREF_GROUND, &sample) < 0)
            return false;
        const auto value = SampleToCode(sample, comedi_get_maxdata(device_, ai_, channel));
        if (!value)
            return false;
        *code = *value;
        return true;
    }

    void SetHeater(bool on) override
    {
        if (dio_ >= 0)
            comedi_dio_write(device_, dio_, line_, on ? 1 : 0);
    }

    std::string Describe() const override
    {
        const char *driver = comedi_get_driver_name(device_);
        const char *board = comedi_get_board_name(device_);
        const std::string heater =
            dio_ < 0 ? Tr(QT_TRANSLATE_NOOP("daqlink", "нет цифрового выхода"))
                     : Arg(Tr(QT_TRANSLATE_NOOP("daqlink", "линия %1 подустройства %2")),
                           {std::to_string(line_), std::to_string(dio_)});
        return Arg(Tr(QT_TRANSLATE_NOOP("daqlink", "Плата Comedi %1: %2, %3; аналоговый вход: подустройство %4, "
                                                   "каналов %5, диапазон 0, относительно земли; нагреватель: %6.")),
                   {path_, driver ? driver : "?", board ? board : "?", std::to_string(ai_),
                    std::to_string(channels_), heater});
    }

private:
    comedi_t *device_;
    std::string path_;
    int ai_;
    int channels_ = 0;
    int dio_ = -1;
    int line_ = 0;
};

} // namespace

std::unique_ptr<TBackend> OpenComediBackend(const TBoardSettings &settings, std::string *whyNot)
{
    comedi_loglevel(0); // failures are reported through the "DAQ Setup" text, not on stderr
    comedi_t *device = comedi_open(settings.device.c_str());
    if (!device) {
        if (whyNot)
            *whyNot = settings.device + ": " + LastComediError();
        return nullptr;
    }
    const int ai = comedi_find_subdevice_by_type(device, COMEDI_SUBD_AI, 0);
    if (ai < 0) {
        if (whyNot)
            *whyNot = Arg(Tr(QT_TRANSLATE_NOOP("daqlink", "%1: нет аналогового входа")), {settings.device});
        comedi_close(device);
        return nullptr;
    }
    auto backend = std::make_unique<TComediBackend>(device, settings.device, ai);
    backend->FindHeaterLine(settings.heaterLine);
    return backend;
}

} // namespace daqboard

// The stand-in's Comedi functions: comedilib.h declares them, so a signature
// that differs from the real library's does not compile.
#include "tests/daqlink/comedi-standin/ComediStandIn.h"

#include <deque>
#include <map>

struct comedi_t_struct {
    int open = 0;
};

namespace comedi_standin {
namespace {

constexpr int kErrNoDevice = 1;
constexpr int kErrRead = 2;
constexpr int kErrBadArgument = 3;

struct TState {
    TBoard board;
    comedi_t_struct device;
    std::map<unsigned, std::deque<std::optional<lsampl_t>>> samples;
    TLog log;
    int lastError = 0;
};

TState &State()
{
    static TState state;
    return state;
}

int Fail(int error)
{
    State().lastError = error;
    return -1;
}

// The subdevice of a call, when the handle is the open device and the index exists.
const TSubdevice *Subdevice(comedi_t *it, unsigned subdevice)
{
    TState &s = State();
    if (it != &s.device || !s.device.open || subdevice >= s.board.subdevices.size())
        return nullptr;
    return &s.board.subdevices[subdevice];
}

bool IsDigitalOut(const TSubdevice *sub)
{
    return sub && (sub->type == COMEDI_SUBD_DO || sub->type == COMEDI_SUBD_DIO);
}

} // namespace

void Load(const TBoard &board)
{
    TState &s = State();
    s.board = board;
    s.device.open = 0;
    s.samples.clear();
    s.log = {};
    s.lastError = 0;
}

void Queue(unsigned channel, std::optional<lsampl_t> sample) { State().samples[channel].push_back(sample); }

const TLog &Log() { return State().log; }

} // namespace comedi_standin

using namespace comedi_standin;

extern "C" {

comedi_t *comedi_open(const char *fn)
{
    TState &s = State();
    if (!fn || s.board.path != fn || s.device.open) {
        Fail(kErrNoDevice);
        return nullptr;
    }
    s.device.open = 1;
    ++s.log.opens;
    return &s.device;
}

int comedi_close(comedi_t *it)
{
    TState &s = State();
    if (it != &s.device || !s.device.open)
        return Fail(kErrBadArgument);
    s.device.open = 0;
    ++s.log.closes;
    return 0;
}

int comedi_loglevel(int) { return 0; }

int comedi_errno(void) { return State().lastError; }

const char *comedi_strerror(int errnum)
{
    switch (errnum) {
    case kErrNoDevice: return kNoSuchDevice;
    case kErrRead: return kReadFailed;
    default: return "bad argument (stand-in)";
    }
}

const char *comedi_get_driver_name(comedi_t *it)
{
    return it == &State().device ? State().board.driver.c_str() : nullptr;
}

const char *comedi_get_board_name(comedi_t *it)
{
    return it == &State().device ? State().board.name.c_str() : nullptr;
}

int comedi_find_subdevice_by_type(comedi_t *it, int type, unsigned int subd)
{
    TState &s = State();
    if (it != &s.device || !s.device.open)
        return Fail(kErrBadArgument);
    for (unsigned i = subd; i < s.board.subdevices.size(); ++i)
        if (s.board.subdevices[i].type == type)
            return int(i);
    return Fail(kErrBadArgument);
}

int comedi_get_n_channels(comedi_t *it, unsigned int subdevice)
{
    const TSubdevice *sub = Subdevice(it, subdevice);
    return sub ? int(sub->maxdata.size()) : Fail(kErrBadArgument);
}

lsampl_t comedi_get_maxdata(comedi_t *it, unsigned int subdevice, unsigned int chan)
{
    const TSubdevice *sub = Subdevice(it, subdevice);
    if (!sub || chan >= sub->maxdata.size()) {
        Fail(kErrBadArgument);
        return 0;
    }
    return sub->maxdata[chan];
}

int comedi_data_read(comedi_t *it, unsigned int subd, unsigned int chan, unsigned int range, unsigned int aref,
                     lsampl_t *data)
{
    const TSubdevice *sub = Subdevice(it, subd);
    if (!sub || sub->type != COMEDI_SUBD_AI || chan >= sub->maxdata.size() || !data)
        return Fail(kErrBadArgument);
    TState &s = State();
    s.log.reads.push_back({subd, chan, range, aref});
    auto &queue = s.samples[chan];
    if (queue.empty())
        return Fail(kErrRead);
    const std::optional<lsampl_t> sample = queue.front();
    queue.pop_front();
    if (!sample)
        return Fail(kErrRead);
    *data = *sample;
    return 1;
}

int comedi_dio_config(comedi_t *it, unsigned int subd, unsigned int chan, unsigned int dir)
{
    const TSubdevice *sub = Subdevice(it, subd);
    if (!sub || sub->type != COMEDI_SUBD_DIO || chan >= sub->maxdata.size())
        return Fail(kErrBadArgument);
    State().log.configs.push_back({subd, chan, dir});
    return 0;
}

int comedi_dio_write(comedi_t *it, unsigned int subd, unsigned int chan, unsigned int bit)
{
    const TSubdevice *sub = Subdevice(it, subd);
    if (!IsDigitalOut(sub) || chan >= sub->maxdata.size())
        return Fail(kErrBadArgument);
    State().log.writes.push_back({subd, chan, bit});
    return 1;
}

} // extern "C"

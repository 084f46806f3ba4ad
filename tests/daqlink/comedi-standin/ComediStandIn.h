#pragma once
// A stand-in for the Comedi library (libcomedi.so.0) for one test: the
// functions the board library calls, with comedilib.h's signatures, over a
// scripted board, and a log of what reached the board. The test binary links
// it in place of the real library, so the Comedi back end runs without a
// board.
#include <comedilib.h>

#include <optional>
#include <string>
#include <vector>

namespace comedi_standin {

struct TSubdevice {
    int type = COMEDI_SUBD_UNUSED;   // COMEDI_SUBD_*
    std::vector<lsampl_t> maxdata;   // one per channel: the channel count and each channel's range
};

struct TBoard {
    std::string path = "/dev/comedi-standin";  // the device file that opens
    std::string driver = "standin_driver";
    std::string name = "standin board";
    std::vector<TSubdevice> subdevices;
};

struct TRead {
    unsigned subdevice, channel, range, aref;
    friend bool operator==(const TRead &, const TRead &) = default;
};

// A configuration or write of one digital line.
struct TLine {
    unsigned subdevice, channel, value;  // value: the direction or the bit
    friend bool operator==(const TLine &, const TLine &) = default;
};

struct TLog {
    int opens = 0;
    int closes = 0;
    std::vector<TRead> reads;
    std::vector<TLine> configs;
    std::vector<TLine> writes;
};

// Installs a board, with no samples queued, and clears the log.
void Load(const TBoard &board);

// The next conversion of an analog channel: a sample, or nothing for a read
// that fails. A channel with nothing queued fails too.
void Queue(unsigned channel, std::optional<lsampl_t> sample);

const TLog &Log();

// The text comedi_strerror gives for the failures of the stand-in.
inline const char *const kNoSuchDevice = "no such device (stand-in)";
inline const char *const kReadFailed = "conversion failed (stand-in)";

} // namespace comedi_standin

#pragma once
// The driver layer shared by libdaqlink.so (the converter) and libauxlink.so
// (the weigher): one board per process, read through AI_Read, with two back
// ends — a Comedi board when its device opens, otherwise the simulated
// dilatometer. Called from one thread only, like the libraries above it.
#include "daqlink/board/BoardExport.h"
#include "daqlink/board/BoardSettings.h"

#include <cstdint>
#include <optional>
#include <string>

namespace daqboard {

// Status values of AI_Read.
constexpr int16_t kReadOk = 0;
constexpr int16_t kReadFailed = -1;
constexpr int16_t kNoDevice = -2;

// Starts a run: reads the settings, opens the back end they ask for (closing
// any open one) and, for the simulator, starts a new simulated run. False when
// no back end can be used (the settings demand a Comedi board that does not open).
DAQBOARD_API bool OpenBoard();
// Ends the run and releases the board.
DAQBOARD_API void CloseBoard();

// Brackets the conversions of one pass over the channel list.
DAQBOARD_API void BeginScan();
DAQBOARD_API void EndScan();

// One conversion of an analog channel of device 1 (the only device) into
// *result. Gain: the board reads its range 0 whatever is asked. Returns kReadOk
// with the code, or a negative status and leaves *result as it was. A genuine
// reading never equals the failure code: one that lands on it is moved one
// code toward zero (away from zero when the failure code is 0), so the main
// program does not drop it as a failed conversion.
DAQBOARD_API int16_t AI_Read(int16_t device, int16_t channel, int16_t gain, int16_t *result);

// The reading that stands for a failed conversion: the program's code once it
// has given one (SetProgramFailureCode), otherwise "ErrorCode" of the
// settings, default -1.
DAQBOARD_API int16_t FailureCode();
DAQBOARD_API void SetProgramFailureCode(int16_t code);

// An output command of the main program. [86, 1, v]: bit 5 of v switches the
// heater. Anything else is ignored.
DAQBOARD_API void SendCommand(const uint8_t *bytes, int32_t count);

// Refreshes the report on the board: re-reads the settings and, outside a
// run, tries the device the next run would use.
DAQBOARD_API void RefreshReport();
// The last report; made first if there is none.
DAQBOARD_API std::string Report();

// The weigher reads the simulated instrument: available unless the open back
// end is a real board. Its reading is the length change latched by the last
// scan, in micrometres at full resolution, or the failure code when the
// simulator is not the back end in use.
DAQBOARD_API bool WeigherAvailable();
DAQBOARD_API double WeigherReading();

// Tests: settings from this text instead of the file beside the library;
// nothing goes back to the file.
DAQBOARD_API void OverrideSettings(std::optional<std::string> text);

} // namespace daqboard

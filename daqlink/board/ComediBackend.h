#pragma once
// The Comedi back end: a data-acquisition board through the Linux Comedi
// driver library. Built only when the library is found; otherwise Open always
// says why there is no board.
#include "daqlink/board/Backend.h"
#include "daqlink/board/BoardSettings.h"

#include <memory>
#include <string>

namespace daqboard {

// Opens the board named in the settings. Nothing, with the reason in *whyNot,
// when the library is not built in, the device does not open or it has no
// analog input.
std::unique_ptr<TBackend> OpenComediBackend(const TBoardSettings &settings, std::string *whyNot);

} // namespace daqboard

// The four exports of libauxlink.so: the weigher over the shared driver layer.
// The library is built with hidden visibility: its exports are the functions
// of its header.
#pragma GCC visibility push(default)
#include "auxlink/auxlink.h"
#pragma GCC visibility pop
#include "daqlink/board/Board.h"

namespace {

bool &Initialised()
{
    static bool initialised = false;
    return initialised;
}

} // namespace

extern "C" {

uint8_t InitAuxlink(void)
{
    Initialised() = daqboard::WeigherAvailable();
    return Initialised() ? 1 : 0;
}

double GetStatusWindow(void)
{
    return Initialised() ? 1.0 : 0.0;
}

void GetWRes(double *w)
{
    if (!w)
        return;
    *w = Initialised() ? daqboard::WeigherReading() : daqboard::FailureCode();
}

void DoneAuxlink(void)
{
    Initialised() = false;
}

} // extern "C"

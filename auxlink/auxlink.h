/*
 * auxlink: the weigher, an optional second source of the length change.
 *
 * libauxlink.so exports exactly these four functions, in C linkage. The
 * weigher reads the simulated dilatometer that libdaqlink.so drives (the same
 * furnace and sample in one process): its reading is the sample's length
 * change in micrometres at full resolution, where the converter's channel 1
 * rounds it to whole micrometres. Next to a real Comedi board there is no
 * weigher. All calls come from one thread.
 */
#ifndef VAROTEM_AUXLINK_H
#define VAROTEM_AUXLINK_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Readies the weigher: 1 when it can read, 0 when there is none (the board
 * in use is a real Comedi board). */
uint8_t InitAuxlink(void);

/* The weigher's state: 1 while it is initialised, otherwise 0. */
double GetStatusWindow(void);

/* Writes the current reading into *w, or the failure code (-1 unless
 * daqlink.ini says otherwise) while the weigher is not initialised or has no
 * simulated instrument to read. A null pointer writes nothing. */
void GetWRes(double *w);

/* Releases the weigher; GetWRes then gives the failure code. */
void DoneAuxlink(void);

#ifdef __cplusplus
}
#endif

#endif

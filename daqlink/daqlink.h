/*
 * daqlink: the connection between Varotem and the data-acquisition board.
 *
 * libdaqlink.so exports exactly the five functions below, in C linkage. An
 * open array is passed as a pointer to its first element and the index of its
 * last element; nothing is read or written past that element, whatever the
 * count says, and a null pointer or a negative count reads and writes nothing.
 * Nothing allocated crosses the boundary. All calls come from one thread.
 *
 * Behind the exports a driver layer reads the board: a Comedi board when its
 * device opens (/dev/comedi0, or the "Device" of daqlink.ini), otherwise the
 * simulated dilatometer (channel 0: sample temperature in degrees Celsius,
 * 1: length change in micrometres, 2: control thermocouple in degrees Celsius).
 * The optional file daqlink.ini beside the library holds the settings.
 */
#ifndef VAROTEM_DAQLINK_H
#define VAROTEM_DAQLINK_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Opens the channel list for a run: keeps the low 16 bits of the first N
 * channel numbers (at most lastIndex + 1 of them), replacing any earlier list,
 * and opens the board (the simulator starts a new run: room temperature,
 * heating on). Returns 1 when ready, 0 when no board can be used (only when
 * daqlink.ini demands a Comedi board that does not open). */
uint8_t InitDaqlink(int32_t n, const int32_t *channels, int32_t lastIndex);

/* Reads the first N channels of the list, one conversion each, into
 * results[0..N-1] as signed 16-bit codes; a failed conversion gives the
 * failure code (the one given by DaqlinkSetFailureCode, otherwise the
 * "ErrorCode" of daqlink.ini, -1 by default), and a genuine reading never
 * equals it. Writes nothing when N is 0 or negative, when N exceeds the
 * list or lastIndex + 1, or when no list is open (before InitDaqlink or after
 * DoneDaqlink). Each call moves the simulator's clock on by one step. */
void GetRes(int32_t n, int32_t *results, int32_t lastIndex);

/* An output command of N bytes (at most lastIndex + 1). [86, 1, v]: bit 5 of
 * v switches the furnace heater on or off; other commands are ignored. */
void SetRes(int32_t n, const uint8_t *data, int32_t lastIndex);

/* Ends the run: releases the board and empties the channel list. */
void DoneDaqlink(void);

/* Looks at the board again: re-reads daqlink.ini and, outside a run, tries the
 * device that the next run would use. Shows nothing; the findings are read
 * with DaqlinkBackendText. */
void DAQSetup(void);

/* Not one of the five exports: it lives in libdaqboard.so, the board library
 * that libdaqlink.so and libauxlink.so share, and comes with the CMake target
 * daqlink. Writes into text[0..lastIndex] the report on the back end in use
 * (or, outside a run, the one the next run would use), UTF-8, cut on a
 * character boundary and ended with a zero byte; returns the full length of
 * the report in bytes. Call DAQSetup first for a fresh report. */
int32_t DaqlinkBackendText(char *text, int32_t lastIndex);

/* Not one of the five exports either; it lives beside DaqlinkBackendText. The
 * program's own marker of a failed conversion: from this call on, GetRes and
 * the weigher give this code for a failed conversion (and move a genuine
 * reading off it) in place of the "ErrorCode" of daqlink.ini, so the two can
 * never disagree. The program calls it before it opens the board and before
 * each reading, so a changed marker acts at once. */
void DaqlinkSetFailureCode(int16_t code);

/* Not one of the five exports either; it lives beside DaqlinkBackendText.
 * The program's translation of the board library's texts, which are Russian:
 * given the context ("daqlink") and a UTF-8 source text with its placeholders
 * %1..%9, the translator writes the translation, UTF-8, into
 * text[0..lastIndex] ended with a zero byte and returns its full length in
 * bytes (0: no translation, the source text is used). A null translator
 * restores the Russian texts. Texts made from then on (DAQSetup, InitDaqlink)
 * are translated. */
typedef int32_t (*DaqlinkTranslator)(const char *context, const char *source, char *text, int32_t lastIndex);
void DaqlinkSetTranslator(DaqlinkTranslator translator);

#ifdef __cplusplus
}
#endif

#endif

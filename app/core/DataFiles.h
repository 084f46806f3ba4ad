#pragma once
// Run files (.dat: the raw record's 240032-byte image) and the text export.
#include "app/core/Calibration.h"
#include "app/core/Prompt.h"
#include "app/core/RunData.h"
#include "app/core/Settings.h"

#include <QByteArray>
#include <QString>

inline constexpr int kRunFileSize = static_cast<int>(sizeof(TRunData));

// The record's byte image, always 240032 bytes (slots above Count as they lie).
QByteArray RunImage(const TRunData &run);

// Writes the raw record to fileName, replacing it. Returns an empty string or
// the message to show.
[[nodiscard]] QString SaveData(const QString &fileName, const TRunData &run);

// Copies the first 240032 bytes of fileName (all of a shorter file) over run,
// with no error filter: the rest of a short file's record keeps run's bytes
// (pass a zeroed record for "missing means zero"). A file that cannot be read,
// or whose Count lies above 10000, leaves run untouched and returns the message
// to show. Used for run, baseline and quartz-table files.
[[nodiscard]] QString LoadRunImage(const QString &fileName, TRunData &run);
// The same on bytes already read from fileName (named in the message).
[[nodiscard]] QString RunImageFromBytes(const QByteArray &bytes, const QString &fileName, TRunData &run);

// Opens a run file: LoadRunImage, then the error filter with errorCode
// (a negative Count gives an empty run). On failure run is unchanged.
[[nodiscard]] QString ReadRunFile(const QString &fileName, TRunData &run, int16_t errorCode);

// Writes the text export of a raw run: a calibrated and filtered copy, one
// line "T\tL\tTC\r\n" per sample, no header, numbers in the general format
// (15 digits) with the locale's decimal separator. The raw record is not
// changed. A calibrated value that is not a finite number writes nothing.
// Returns an empty string or the message to show.
[[nodiscard]] QString ExportText(const QString &fileName, const TRunData &raw, const TSettings &settings,
                                 const TSplineTable &tTable, const TSplineTable &lTable);

// The open dialog of every command that reads a run file (a run, a baseline,
// a quartz table): "Data files (*.dat)|*.dat|All files (*.*)|*.*", ".dat".
TFileDialogOptions RunFileOpenOptions();

// What the save command writes for a chosen name, by its extension in any case.
enum class TSaveKind { Data, Text, Nothing };
TSaveKind SaveKindOf(const QString &fileName);

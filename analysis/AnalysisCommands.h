#pragma once
// The analysis commands of the main window. Each runs to its end on the
// calling thread, shows its dialogs through DialogRunner() and its messages
// through Prompt(), and never changes the run's raw samples: it calibrates a
// copy. The computations are in the windowless library (analysis/core).
#include "analysis/AnalysisContext.h"
#include "analysis/SvedPicture.h"

#include <QString>
#include <cstdint>
#include <optional>

class TDlgCorrection;

class TDlgGlass;

// "Расчет": the calculation parameters dialog, the expansion coefficient per
// interval, the result window. The four parameters read back are stored in
// ctx.run; BaseLineFile may become "Nil".
void CalculateClick(TAnalysisContext &ctx);

// "Сведение": the calibrated run's L over T as the reduction picture, shown
// in the reduction window when it was drawn.
void SvedClick(TAnalysisContext &ctx);

// "Коррекция по эталону": the run, measured on a reference sample, becomes a
// correction file (analysis/core/Correction.h) through the dialog; the
// materials come from the library in materialDirectory.
void CorrectionClick(TAnalysisContext &ctx, TDlgCorrection &dlg, const QString &materialDirectory);

// "Экспорт в Excel": the calibrated run into a new workbook.
void ExcelClick(TAnalysisContext &ctx);

// "Стеклование и размягчение": the calibrated run's Tg and Ts in their window,
// the softening found by the criterion with marginPercent.
void GlassClick(TAnalysisContext &ctx, TDlgGlass &dialog, double marginPercent);

// Asks for the plotting parameters (TDlgScale) and draws the first N points
// (X, Y) into picture; the caller's arrays are not changed. True when a new
// picture was drawn; false (picture unchanged) when the dialog was cancelled,
// a range text is not a number, the baseline file cannot be read or the
// ranges cannot be drawn (each but the first with its message). sampleLength,
// when given, is the run's, against which a baseline's recorded length is
// checked.
bool MakeSvedPicture(TAnalysisContext &ctx, analysis::TSvedPicture &picture, int32_t N, const double *X,
                     const double *Y, std::optional<double> sampleLength = std::nullopt);

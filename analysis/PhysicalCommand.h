#pragma once
// "Физический КТР" in the main window: its parameters dialog, the
// computation on a calibrated copy of the run (analysis/core), its result
// window.
#include "analysis/AnalysisContext.h"

class TDlgPhysParam;
class TDlgPhysResult;

// Connects the command's dialogs with the context: the quartz table of the
// calculation serves "Таблица", the context's spreadsheet "В Excel". Call
// again whenever the context is rebuilt; ctx must live as long as the dialogs.
void BindPhysicalDialogs(TAnalysisContext &ctx, TDlgPhysParam &param, TDlgPhysResult &result);

// The command. L0, LQ and alpha_q read back are stored in ctx.run as
// "Расчет" stores them; nothing else of the run changes. The baseline name
// is the dialog's own: a name without a file becomes "Nil" there.
void PhysicalClick(TAnalysisContext &ctx, TDlgPhysParam &param, TDlgPhysResult &result);

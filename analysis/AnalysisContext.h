#pragma once
// What the analysis commands work on, handed to them explicitly: the main
// window's run, settings and reference-point tables, the analysis dialogs and
// the spreadsheet. The main window creates the dialogs once, builds one
// context over them and its own state, binds the dialogs and calls the
// commands from its slots.
#include "analysis/core/AnalysisMessages.h"
#include "analysis/core/ExpansionCalc.h"
#include "analysis/core/GlassTransition.h"
#include "analysis/core/PhysicalCoefficient.h"
#include "app/core/Calibration.h"
#include "app/core/RunData.h"
#include "app/core/Settings.h"

#include <functional>
#include <vector>

class TDlgAlphaQuartz;
class TDlgCalcParam;
class TDlgCalcResult;
class TDlgScale;
class TDlgSved;
class TSpreadsheet;

struct TAnalysisContext {
    TRunData &run;                  // always raw; only the four calculation parameters are written
    TSettings &settings;            // BaseLineFile is read and written; the calibration is read
    const TSplineTable &tTable;
    const TSplineTable &lTable;
    TDlgCalcResult &calcResult;
    TDlgCalcParam &calcParam;
    TDlgAlphaQuartz &alphaQuartz;
    TDlgSved &sved;
    TDlgScale &scale;
    TSpreadsheet &spreadsheet;      // the run export and the result window's "В Excel"
    // A calculation gave results (before they are shown): the run archive keeps them.
    std::function<void(const analysis::TCalcParams &, const std::vector<analysis::TCalcRow> &)> onCalculated = {};
    // "Физический КТР" gave its table, and the glass window closed on a result:
    // the run archive keeps them too.
    std::function<void(const analysis::TPhysicalParams &, const analysis::TPhysicalOutcome &)> onPhysical = {};
    std::function<void(const analysis::TGlassResult &)> onGlass = {};
};

// Connects the dialogs with each other and with the context: the second
// "Open" button of the calculation parameters shows the quartz table, the
// quartz table's "График" draws through the curve reduction, the result
// window's "В Excel" writes to the context's spreadsheet. Call once after
// creating everything; ctx must live as long as the dialogs.
void BindAnalysisDialogs(TAnalysisContext &ctx);

// Shows what a computation reports through Prompt(): its notices, then its
// failure; a baseline name whose file is missing becomes "Nil". True when
// there is a result to show.
bool ShowReport(TAnalysisContext &ctx, const analysis::TCommandReport &report);

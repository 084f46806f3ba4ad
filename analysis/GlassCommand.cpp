// "Стеклование и размягчение": the calibrated run analysed in its window.
#include "analysis/AnalysisCommands.h"

#include "analysis/DlgGlass.h"
#include "analysis/core/GlassTransition.h"
#include "app/widgets/DialogRunner.h"

#include <memory>

void GlassClick(TAnalysisContext &ctx, TDlgGlass &dialog, double marginPercent)
{
    // A calibrated copy taken now: an acquisition going on behind the window
    // keeps appending to the run, and the window shows the run as it was.
    const std::shared_ptr<const TRunData> calibrated =
        CalibratedCopy(ctx.run, ctx.settings, ctx.tTable, ctx.lTable);
    dialog.SetSpreadsheet(&ctx.spreadsheet);
    // The settings and tables are the main window's own, which outlive the
    // dialog; the context around them may be rebuilt meanwhile.
    dialog.Start(
        [calibrated, &settings = ctx.settings, &tTable = ctx.tTable,
         &lTable = ctx.lTable](const analysis::TGlassParams &params) {
            return analysis::AnalyseGlass(*calibrated, params, settings, tTable, lTable);
        },
        marginPercent);
    DialogRunner().Exec(dialog);
    // What the window showed last, with the markers the user left.
    const analysis::TGlassResult &last = dialog.Result();
    if (ctx.onGlass && last.Failure.isEmpty() && (last.Tangents.Failure.isEmpty() || last.Softening))
        ctx.onGlass(last);
}

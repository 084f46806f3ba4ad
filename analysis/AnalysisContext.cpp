#include "analysis/AnalysisContext.h"

#include "analysis/AnalysisCommands.h"
#include "analysis/DlgAlphaQuartz.h"
#include "analysis/DlgCalcParam.h"
#include "analysis/DlgCalcResult.h"
#include "analysis/DlgSved.h"
#include "analysis/SpreadsheetExport.h"
#include "app/core/Prompt.h"
#include "app/widgets/DialogRunner.h"

#include <memory>

void BindAnalysisDialogs(TAnalysisContext &ctx)
{
    ctx.calcParam.OnQuartzTable = [&ctx] { DialogRunner().Exec(ctx.alphaQuartz); };
    ctx.alphaQuartz.OnPlot = [&ctx](const analysis::TFitPoints &table) {
        const auto n = int32_t(std::min(table.X.size(), table.Y.size()));
        if (MakeSvedPicture(ctx, ctx.sved.Picture(), n, table.X.data(), table.Y.data()))
            DialogRunner().Exec(ctx.sved);
    };
    ctx.calcResult.SetSpreadsheet(&ctx.spreadsheet);
}

void ExcelClick(TAnalysisContext &ctx)
{
    const auto calibrated = CalibratedCopy(ctx.run, ctx.settings, ctx.tTable, ctx.lTable);
    if (const QString message = analysis::ExportRun(*calibrated, ctx.spreadsheet); !message.isEmpty())
        Prompt().Message(message);
}

#include "analysis/AnalysisContext.h"

#include "analysis/AnalysisCommands.h"
#include "analysis/DlgAlphaQuartz.h"
#include "analysis/DlgCalcParam.h"
#include "analysis/DlgCalcResult.h"
#include "analysis/DlgSved.h"
#include "analysis/core/SpreadsheetExport.h"
#include "app/core/Prompt.h"
#include "app/widgets/DialogRunner.h"

#include <memory>

void BindAnalysisDialogs(TAnalysisContext &ctx)
{
    ctx.calcParam.OnQuartzTable = [&ctx] { DialogRunner().Exec(ctx.alphaQuartz); };
    ctx.calcParam.QuartzPoints = [&ctx] { return ctx.alphaQuartz.Points(); };
    ctx.alphaQuartz.OnPlot = [&ctx](const analysis::TFitPoints &table) {
        const auto n = int32_t(std::min(table.X.size(), table.Y.size()));
        if (MakeSvedPicture(ctx, ctx.sved.Picture(), n, table.X.data(), table.Y.data()))
            DialogRunner().Exec(ctx.sved);
    };
    ctx.calcResult.SetSpreadsheet(&ctx.spreadsheet);
}

bool ShowReport(TAnalysisContext &ctx, const analysis::TCommandReport &report)
{
    if (report.BaselineMissing)
        ctx.settings.BaseLineFile = analysis::kNoBaseline;
    for (const QString &notice : report.Notices)
        Prompt().Message(notice);
    if (!report.Failure.isEmpty()) {
        Prompt().Message(report.Failure);
        return false;
    }
    return true;
}

void ExcelClick(TAnalysisContext &ctx)
{
    const auto calibrated = CalibratedCopy(ctx.run, ctx.settings, ctx.tTable, ctx.lTable);
    if (const QString message = analysis::ExportRun(*calibrated, ctx.spreadsheet); !message.isEmpty())
        Prompt().Message(message);
}

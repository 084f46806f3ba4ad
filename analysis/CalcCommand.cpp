// "Расчет": the parameters dialog, the calculation, the results.
#include "analysis/AnalysisCommands.h"

#include "analysis/DlgCalcParam.h"
#include "analysis/DlgCalcResult.h"
#include "analysis/core/ExpansionCalc.h"
#include "app/core/Prompt.h"
#include "app/widgets/DialogRunner.h"

void CalculateClick(TAnalysisContext &ctx)
{
    analysis::TCalcParams params = analysis::CalcParamsOf(ctx.run, ctx.settings.BaseLineFile);
    TDlgCalcParam &dlg = ctx.calcParam;
    dlg.Fill(params);
    if (DialogRunner().Exec(dlg) != QDialog::Accepted)
        return;
    const bool read = dlg.ReadBack(params);
    // The parameters read before a text that is not a number are kept.
    analysis::StoreCalcParameters(params, ctx.run);
    if (!read) {
        Prompt().Message(analysis::MsgBadParameter());
        return;
    }
    ctx.settings.BaseLineFile = params.BaseLineFile;

    // A calibrated copy: the live record stays raw, and an acquisition that
    // goes on behind the modal windows keeps all its samples.
    const auto calibrated = CalibratedCopy(ctx.run, ctx.settings, ctx.tTable, ctx.lTable);
    const analysis::TCalcOutcome outcome =
        analysis::Calculate(*calibrated, params, ctx.settings, ctx.tTable, ctx.lTable);
    if (!ShowReport(ctx, outcome))
        return;
    if (ctx.onCalculated)
        ctx.onCalculated(params, outcome.Rows);
    ctx.calcResult.ShowResults(outcome.Rows);
    DialogRunner().Exec(ctx.calcResult);
}

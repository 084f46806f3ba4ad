#include "analysis/PhysicalCommand.h"

#include "analysis/DlgAlphaQuartz.h"
#include "analysis/DlgPhysParam.h"
#include "analysis/DlgPhysResult.h"
#include "analysis/core/PhysicalCoefficient.h"
#include "app/core/Prompt.h"
#include "app/widgets/DialogRunner.h"

#include <QLineEdit>

void BindPhysicalDialogs(TAnalysisContext &ctx, TDlgPhysParam &param, TDlgPhysResult &result)
{
    param.OnQuartzTable = [&ctx] { DialogRunner().Exec(ctx.alphaQuartz); };
    param.QuartzPoints = [&ctx] { return ctx.alphaQuartz.Points(); };
    result.SetSpreadsheet(&ctx.spreadsheet);
}

void PhysicalClick(TAnalysisContext &ctx, TDlgPhysParam &param, TDlgPhysResult &result)
{
    analysis::TPhysicalParams params = analysis::PhysicalParamsOf(ctx.run);
    param.Fill(params);
    if (DialogRunner().Exec(param) != QDialog::Accepted)
        return;
    if (!param.ReadBack(params)) {
        Prompt().Message(analysis::MsgBadParameter());
        return;
    }
    analysis::StorePhysicalParameters(params, ctx.run);

    // A calibrated copy: the live record stays raw, and an acquisition that
    // goes on behind the modal windows keeps all its samples.
    const auto calibrated = CalibratedCopy(ctx.run, ctx.settings, ctx.tTable, ctx.lTable);
    const analysis::TPhysicalOutcome outcome =
        analysis::CalculatePhysical(*calibrated, params, ctx.settings, ctx.tTable, ctx.lTable);
    if (outcome.BaselineMissing)
        param.EditBaseline->setText(analysis::kNoBaseline);
    // The calculation's own baseline name stays as it is.
    analysis::TCommandReport report = outcome;
    report.BaselineMissing = false;
    if (!ShowReport(ctx, report))
        return;
    if (outcome.Smoothing.Automatic)
        param.ShowSmoothing(outcome.Smoothing.R);
    if (ctx.onPhysical)
        ctx.onPhysical(params, outcome);
    result.ShowResults(outcome);
    DialogRunner().Exec(result);
}

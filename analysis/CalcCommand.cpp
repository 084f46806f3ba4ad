// "Расчет": the parameters dialog, the baseline, the calculation, the results.
#include "analysis/AnalysisCommands.h"

#include "analysis/AnalysisMessages.h"
#include "analysis/Baseline.h"
#include "analysis/DlgAlphaQuartz.h"
#include "analysis/DlgCalcParam.h"
#include "analysis/DlgCalcResult.h"
#include "analysis/ExpansionCalc.h"
#include "app/core/Prompt.h"
#include "app/widgets/DialogRunner.h"

#include <QCheckBox>
#include <QLineEdit>
#include <memory>

namespace {

// The baseline as the dialog's field asks for it: "Nil" ignores it, anything
// else must name a readable run file. False when the calculation must stop.
bool ReadBaseline(TAnalysisContext &ctx, const QString &fieldText, analysis::TCalcParams &params)
{
    if (!analysis::BaselineFileExists(ctx.settings.BaseLineFile))
        ctx.settings.BaseLineFile = analysis::kNoBaseline;
    if (fieldText == analysis::kNoBaseline) {
        Prompt().Message(analysis::kMsgBaselineIgnored);
        return true;
    }
    QString error;
    params.Baseline = analysis::LoadBaseline(ctx.settings.BaseLineFile, ctx.settings, ctx.tTable, ctx.lTable, error);
    if (!params.Baseline) {
        Prompt().Message(analysis::kMsgBaselineNotLoaded);
        return false;
    }
    Prompt().Message(analysis::kMsgBaselineLoaded);
    return true;
}

} // namespace

void CalculateClick(TAnalysisContext &ctx)
{
    TDlgCalcParam &dlg = ctx.calcParam;
    dlg.Fill(ctx.run, ctx.settings.BaseLineFile);
    if (DialogRunner().Exec(dlg) != QDialog::Accepted)
        return;
    if (!dlg.ReadBack(ctx.run, ctx.settings.BaseLineFile)) {
        Prompt().Message(analysis::kMsgBadParameter);
        return;
    }

    // A calibrated copy: the live record stays raw, and an acquisition that
    // goes on behind the modal windows keeps all its samples.
    const auto calibrated = CalibratedCopy(ctx.run, ctx.settings, ctx.tTable, ctx.lTable);

    analysis::TCalcParams params;
    params.CalcPoints = ctx.run.CalcPoints;
    params.SampleLength = ctx.run.SampleLength;
    params.QuartzLength = ctx.run.QuartzLength;
    params.QuartzAlpha = ctx.run.QuartzAlpha;
    params.DLFromZero = dlg.CheckBox2->isChecked();
    params.DLQFromZero = dlg.CheckBox3->isChecked();
    if (!ReadBaseline(ctx, dlg.Edit1->text(), params))
        return;
    if (dlg.CheckBox1->isChecked())
        params.QuartzTable = ctx.alphaQuartz.Points();

    const analysis::TCalcOutcome outcome = analysis::ComputeExpansion(*calibrated, params);
    for (const QString &notice : outcome.Notices)
        Prompt().Message(notice);
    if (!outcome.Failure.isEmpty()) {
        Prompt().Message(outcome.Failure);
        return;
    }
    ctx.calcResult.ShowResults(outcome.Rows);
    DialogRunner().Exec(ctx.calcResult);
}

// "Сведение": the reduction picture of the run or of the quartz table.
#include "analysis/AnalysisCommands.h"

#include "analysis/DlgScale.h"
#include "analysis/DlgSved.h"
#include "app/widgets/DialogRunner.h"

bool MakeSvedPicture(TAnalysisContext &ctx, analysis::TSvedPicture &picture, int32_t N, const double *X,
                     const double *Y, std::optional<double> sampleLength)
{
    const size_t n = N > 0 ? size_t(N) : 0;
    std::vector<double> x(X, X + n), y(Y, Y + n);

    // The range fields show the data's ranges each time.
    const analysis::TSvedRanges data = analysis::DataRanges(x, y);
    analysis::TSvedParams params;
    params.TMin = data.TMin;
    params.TMax = data.TMax;
    params.LMin = data.LMin;
    params.LMax = data.LMax;
    params.BaseLineFile = ctx.settings.BaseLineFile;
    params.SampleLength = sampleLength;
    TDlgScale &dlg = ctx.scale;
    dlg.Fill(params);
    if (DialogRunner().Exec(dlg) != QDialog::Accepted)
        return false;
    dlg.ReadBack(params);
    if (params.Baseline)
        ctx.settings.BaseLineFile = params.BaseLineFile;

    const analysis::TSvedPlan plan =
        analysis::PlanSved(params, std::move(x), std::move(y), ctx.settings, ctx.tTable, ctx.lTable);
    if (!ShowReport(ctx, plan))
        return false;
    const QPicture drawing = analysis::PaintSvedPicture(analysis::LayoutSvedPicture(plan.Ranges, plan.X, plan.Y));
    if (params.Metafile)
        picture.SetVector(drawing);
    else
        picture.SetRaster(drawing);
    return true;
}

void SvedClick(TAnalysisContext &ctx)
{
    const auto calibrated = CalibratedCopy(ctx.run, ctx.settings, ctx.tTable, ctx.lTable);
    const std::vector<double> t = ChannelValues(*calibrated, TChannel::T);
    const std::vector<double> l = ChannelValues(*calibrated, TChannel::L);
    if (MakeSvedPicture(ctx, ctx.sved.Picture(), int32_t(t.size()), t.data(), l.data(), ctx.run.SampleLength))
        DialogRunner().Exec(ctx.sved);
}

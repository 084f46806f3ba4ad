// "Сведение": the reduction picture of the run or of the quartz table.
#include "analysis/AnalysisCommands.h"

#include "analysis/AnalysisMessages.h"
#include "analysis/Baseline.h"
#include "analysis/DlgScale.h"
#include "analysis/DlgSved.h"
#include "app/core/LocaleFormat.h"
#include "app/core/Prompt.h"
#include "app/widgets/DialogRunner.h"
#include "numerics/ArrayFuncs.h"
#include "numerics/MNKFuncs.h"

#include <QCheckBox>
#include <QLineEdit>
#include <array>
#include <memory>

namespace {

using analysis::TSvedRanges;

// The baseline of the dialog subtracted from Y: a missing file only drops it,
// an unreadable one stops the picture (false).
bool SubtractBaseline(TAnalysisContext &ctx, const std::vector<double> &X, std::vector<double> &Y)
{
    ctx.settings.BaseLineFile = ShortString(ctx.scale.Edit5->text());
    if (!analysis::BaselineFileExists(ctx.settings.BaseLineFile))
        ctx.settings.BaseLineFile = analysis::kNoBaseline;
    if (ctx.settings.BaseLineFile == analysis::kNoBaseline) {
        Prompt().Message(analysis::kMsgBaselineIgnored);
        return true;
    }
    QString error;
    const auto baseline = analysis::LoadBaseline(ctx.settings.BaseLineFile, ctx.settings, ctx.tTable, ctx.lTable, error);
    if (!baseline) {
        Prompt().Message(analysis::kMsgBaselineNotLoaded);
        return false;
    }
    Prompt().Message(analysis::kMsgBaselineLoaded);
    std::array<double, 3> c{0, 0, 0};
    const auto n = int32_t(baseline->X.size());
    if (numerics::PolyFit(n, 3, baseline->X.data(), baseline->Y.data(), c.data()) != numerics::Status::Ok)
        Prompt().Message(analysis::kMsgFitFailed);
    for (size_t i = 0; i < Y.size(); ++i)
        Y[i] -= c[0] + c[1] * X[i] + c[2] * X[i] * X[i];
    return true;
}

bool ParseRange(const QLineEdit *lo, const QLineEdit *hi, double &min, double &max)
{
    double a = 0, b = 0;
    if (!LocaleParseReal(lo->text(), a) || !LocaleParseReal(hi->text(), b))
        return false;
    min = a;
    max = b;
    return true;
}

double Min(const std::vector<double> &v) { return numerics::ArrayMin(int32_t(v.size()), v.data()); }
double Max(const std::vector<double> &v) { return numerics::ArrayMax(int32_t(v.size()), v.data()); }

} // namespace

bool MakeSvedPicture(TAnalysisContext &ctx, analysis::TSvedPicture &picture, int32_t N, const double *X,
                     const double *Y)
{
    const size_t n = N > 0 ? size_t(N) : 0;
    std::vector<double> x(X, X + n), y(Y, Y + n);
    TSvedRanges r{Min(x), Max(x), Min(y), Max(y)};

    TDlgScale &dlg = ctx.scale;
    dlg.Fill(r.TMin, r.TMax, r.LMin, r.LMax, ctx.settings.BaseLineFile);
    if (DialogRunner().Exec(dlg) != QDialog::Accepted)
        return false;
    if (dlg.CheckBox5->isChecked() && !SubtractBaseline(ctx, x, y))
        return false;
    if (!dlg.CheckBox1->isChecked() && !ParseRange(dlg.Edit1, dlg.Edit2, r.TMin, r.TMax)) {
        Prompt().Message(analysis::kMsgBadParameter);
        return false;
    }
    if (dlg.CheckBox3->isChecked()) {
        r.LMin = Min(y);
        r.LMax = Max(y);
    } else if (!ParseRange(dlg.Edit3, dlg.Edit4, r.LMin, r.LMax)) {
        Prompt().Message(analysis::kMsgBadParameter);
        return false;
    }
    if (dlg.CheckBox4->isChecked()) {
        for (double &v : y)
            v -= r.LMin;
        r.LMin = Min(y);
        r.LMax = Max(y);
    }
    if (const QString error = analysis::CheckSvedRanges(r); !error.isEmpty()) {
        Prompt().Message(error);
        return false;
    }

    const QPicture drawing = analysis::PaintSvedPicture(analysis::LayoutSvedPicture(r, x, y));
    if (dlg.CheckBox2->isChecked())
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
    if (MakeSvedPicture(ctx, ctx.sved.Picture(), int32_t(t.size()), t.data(), l.data()))
        DialogRunner().Exec(ctx.sved);
}

#include "analysis/IntervalCommand.h"

#include "analysis/CaseDlg.h"
#include "chart/SimplCht.h"
#include "numerics/ArrayFuncs.h"

#include <QAction>
#include <QString>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

QString ChannelTitle(TChannel channel)
{
    switch (channel) {
    case TChannel::T: return QStringLiteral("T, deg. C");
    case TChannel::L: return QStringLiteral("L, mkm");
    case TChannel::TC: return QStringLiteral("TC, deg. C");
    }
    return {};
}

// Draws the calibrated channel on the dialog's chart over the time axis.
void ShowPreview(TSimpleChart &chart, const TRunData &calibrated, TChannel channel)
{
    chart.SetSCXTitle(QStringLiteral("t, mm:ss"));
    chart.Menu().TimeLineItem->setVisible(false);
    chart.Menu().GridLinesItem->setVisible(false);
    chart.SetSCYTitle(ChannelTitle(channel));
    const std::vector<double> values = ChannelValues(calibrated, channel);
    chart.SetData(static_cast<int32_t>(values.size()), TimeAxis().data(), values.data());
    chart.RepaintOrReport();
}

void CopySample(TRunData &run, int32_t from, int32_t to)
{
    run.T[to - 1] = run.T[from - 1];
    run.L[to - 1] = run.L[from - 1];
    run.TC[to - 1] = run.TC[from - 1];
}

} // namespace

void KeepInterval(TRunData &run, int32_t n0, double f1, double f2)
{
    const int32_t count = ValidCount(run);
    n0 = std::clamp(n0, 0, count);
    // Slots are only ever copied downwards (to <= from), so the cut can be made
    // in place, in ascending order.
    int32_t kept = 0;
    if (n0 > 0) {
        const double *time = TimeAxis().data();
        const double tmin = numerics::ArrayMin(n0, time);
        const double tmax = numerics::ArrayMax(n0, time);
        const double lo = tmin + (tmax - tmin) * f1;
        const double hi = tmin + (tmax - tmin) * f2;
        for (int32_t i = 1; i <= n0; ++i) {
            if (lo <= time[i - 1] && time[i - 1] <= hi)
                CopySample(run, i, ++kept);
        }
    }
    for (int32_t i = n0 + 1; i <= count; ++i)
        CopySample(run, i, ++kept);
    run.Count = kept;
}

void ChoiceIntervalClick(TRunData &run, const TSettings &settings, const TSplineTable &tTable,
                         const TSplineTable &lTable, const TChannelChoice &chooseChannel,
                         TCaseDlg &dialog, const TRunRedraw &setMainGraphic)
{
    const std::optional<TChannel> channel = chooseChannel ? chooseChannel() : std::nullopt;
    if (!channel)
        return;

    // The count the operator chooses from; an acquisition may add samples
    // behind it while the dialog is open.
    const int32_t n0 = ValidCount(run);
    ShowPreview(*dialog.SimpleChart, *CalibratedCopy(run, settings, tTable, lTable), *channel);

    const TCaseDlg::TSelection selection = dialog.SelectInterval();
    if (selection.result != QDialog::Accepted)
        return;
    KeepInterval(run, n0, selection.f1, selection.f2);
    if (setMainGraphic)
        setMainGraphic();
}

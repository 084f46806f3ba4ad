#include "analysis/IntervalCommand.h"

#include "analysis/CaseDlg.h"
#include "analysis/core/Interval.h"
#include "chart/SimplCht.h"

#include <QAction>
#include <QString>

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

} // namespace

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

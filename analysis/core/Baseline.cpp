#include "analysis/core/Baseline.h"

#include "analysis/core/AnalysisMessages.h"
#include "app/core/DataFiles.h"

#include <QFileInfo>

#include <cstring>
#include <memory>

namespace analysis {

QString BaselineMessage(TBaselineState state)
{
    switch (state) {
    case TBaselineState::Ignored: return MsgBaselineIgnored();
    case TBaselineState::Loaded: return MsgBaselineLoaded();
    case TBaselineState::NotLoaded: return MsgBaselineNotLoaded();
    }
    return {};
}

bool BaselineFileExists(const QString &fileName) { return QFileInfo(fileName).isFile(); }

TBaseline LoadBaseline(const QString &fileName, TMissingBaseline missing, const TSettings &settings,
                       const TSplineTable &tTable, const TSplineTable &lTable)
{
    TBaseline baseline;
    if (fileName == kNoBaseline)
        return baseline;
    if (!BaselineFileExists(fileName)) {
        baseline.Missing = true;
        if (missing == TMissingBaseline::Stops)
            baseline.State = TBaselineState::NotLoaded;
        return baseline;
    }
    auto record = std::make_unique<TRunData>();
    std::memset(static_cast<void *>(record.get()), 0, sizeof(TRunData));
    baseline.Error = LoadRunImage(fileName, *record);
    if (!baseline.Error.isEmpty()) {
        baseline.State = TBaselineState::NotLoaded;
        return baseline;
    }
    ApplyKalibr(*record, settings, tTable, lTable);
    baseline.State = TBaselineState::Loaded;
    baseline.SampleLength = record->SampleLength;
    baseline.QuartzAlpha = record->QuartzAlpha;
    baseline.QuartzLength = record->QuartzLength;
    baseline.Points = {ChannelValues(*record, TChannel::T), ChannelValues(*record, TChannel::L)};
    return baseline;
}

} // namespace analysis

#include "analysis/Baseline.h"

#include "app/core/DataFiles.h"

#include <QFileInfo>

#include <cstring>
#include <memory>

namespace analysis {

bool BaselineFileExists(const QString &fileName) { return QFileInfo(fileName).isFile(); }

std::optional<TFitPoints> LoadBaseline(const QString &fileName, const TSettings &settings,
                                       const TSplineTable &tTable, const TSplineTable &lTable, QString &error)
{
    auto record = std::make_unique<TRunData>();
    std::memset(static_cast<void *>(record.get()), 0, sizeof(TRunData));
    error = LoadRunImage(fileName, *record);
    if (!error.isEmpty())
        return std::nullopt;
    ApplyKalibr(*record, settings, tTable, lTable);
    return TFitPoints{ChannelValues(*record, TChannel::T), ChannelValues(*record, TChannel::L)};
}

} // namespace analysis

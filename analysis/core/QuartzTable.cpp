#include "analysis/core/QuartzTable.h"

#include "app/core/DataFiles.h"

#include <algorithm>
#include <cstring>

namespace analysis {

std::unique_ptr<TRunData> QuartzTableRecord(const TFitPoints &table)
{
    auto record = std::make_unique<TRunData>();
    std::memset(static_cast<void *>(record.get()), 0, sizeof(TRunData));
    const auto n = int32_t(std::min({table.X.size(), table.Y.size(), size_t(kMaxQuartzRows)}));
    record->Count = n;
    for (int32_t r = 0; r < n; ++r) {
        record->T[r] = table.X[r];
        record->L[r] = table.Y[r];
    }
    return record;
}

QString LoadQuartzTable(const QString &fileName, TFitPoints &points)
{
    auto record = QuartzTableRecord({});
    if (QString error = LoadRunImage(fileName, *record); !error.isEmpty())
        return error;
    const int32_t rows = std::clamp<int32_t>(record->Count, 0, kMaxQuartzRows);
    TFitPoints loaded;
    // By value: push_back would bind a reference to the packed record's doubles.
    for (int32_t r = 0; r < rows; ++r) {
        loaded.X.push_back(double(record->T[r]));
        loaded.Y.push_back(double(record->L[r]));
    }
    points = std::move(loaded);
    return {};
}

} // namespace analysis

#include "archive/core/CalcResult.h"

#include <QJsonArray>

namespace archive {

TArchiveResult CalcResult(const analysis::TCalcParams &params, const std::vector<analysis::TCalcRow> &rows)
{
    TArchiveResult r;
    r.command = kCalcCommand;
    r.params = {{QStringLiteral("CalcPoints"), params.CalcPoints},
                {QStringLiteral("SampleLength"), params.SampleLength},
                {QStringLiteral("QuartzAlpha"), params.QuartzAlpha},
                {QStringLiteral("QuartzLength"), params.QuartzLength},
                {QStringLiteral("BaseLineFile"), params.BaseLineFile},
                {QStringLiteral("DLFromZero"), params.DLFromZero},
                {QStringLiteral("DLQFromZero"), params.DLQFromZero}};
    if (params.QuartzTable) {
        QJsonArray table;
        const size_t n = std::min(params.QuartzTable->X.size(), params.QuartzTable->Y.size());
        for (size_t i = 0; i < n; ++i)
            table.append(QJsonArray{params.QuartzTable->X[i], params.QuartzTable->Y[i]});
        r.params.insert(QStringLiteral("QuartzTable"), table);
    }
    r.columns = analysis::CalcHeader();
    for (const analysis::TCalcRow &row : rows)
        r.rows.push_back({double(row.J), row.T, row.DL, row.DLQ, row.Diff, row.Relative, row.Alpha});
    return r;
}

const TArchiveResult *LastResult(const std::vector<TArchiveResult> &results, const QString &command)
{
    for (auto it = results.rbegin(); it != results.rend(); ++it)
        if (it->command == command)
            return &*it;
    return nullptr;
}

std::vector<TArchiveResult> LastResults(const std::vector<TArchiveResult> &results)
{
    std::vector<TArchiveResult> last;
    for (const TArchiveResult &r : results) {
        const auto same = std::find_if(last.begin(), last.end(),
                                       [&r](const TArchiveResult &l) { return l.command == r.command; });
        if (same == last.end())
            last.push_back(r);
        else
            *same = r;
    }
    return last;
}

int ColumnOf(const TArchiveResult &result, const QString &name) { return int(result.columns.indexOf(name)); }

} // namespace archive

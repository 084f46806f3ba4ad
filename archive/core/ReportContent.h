#pragma once
// What the report of a run says, as texts: the description of the sample,
// the run file, the calculation parameters, the settings, the L(T) curve and
// the result tables of "Расчет" and of the other analysis commands stored with
// the run. The PDF writer (archive/report) only lays it out.
#include "archive/core/Archive.h"
#include "archive/core/CompareSeries.h"
#include "archive/core/RunFacts.h"

#include "app/core/RunData.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

namespace archive {

using TReportFields = std::vector<std::pair<QString, QString>>;

struct TReportTable {
    QString title;         // "Расчет"
    QString subtitle;      // its parameters and date
    QStringList values;    // "Tg = 512,3" lines of the named values
    QStringList header;
    std::vector<QStringList> rows;
};

struct TReportContent {
    QString title;             // "Отчет о запуске № 12"
    TReportFields sample;      // "Описание образца"
    TReportFields record;      // "Запись"
    TReportFields params;      // "Параметры расчета"
    TReportFields settings;    // "Настройки"
    TCompareCurve curve;       // L over T; empty when the file cannot be drawn
    QString curveNote;         // why there is no curve
    std::vector<TReportTable> tables;
    QString footer;            // "Отчет составлен 05.12.2026 14:03, Varotem 0.1.0"
};

// The report of a run. state: of its archived file (none: a run in memory
// that is not archived). raw: the run to draw (null: no picture, curveNote
// says why). Of the results, the last of each command is reported.
TReportContent ReportContent(const TRunEntry &entry, std::optional<TFileState> state, const TRunData *raw,
                             const std::vector<TArchiveResult> &results, int64_t nowMs, const QString &version);

// The report of an archived row: its file checked and, when it holds what
// was archived, read for the picture. nullopt with error set for an unknown id.
std::optional<TReportContent> ReportOfRow(TArchive &archive, int64_t id, int64_t nowMs, const QString &version,
                                          QString &error);

// A time as the report and the archive window write it: "05.12.2026 14:03:07".
QString ReportTime(int64_t ms);

} // namespace archive

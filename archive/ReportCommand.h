#pragma once
// "Отчет": asks where to put the report, writes the PDF and opens it with the
// desktop's viewer, as the spreadsheet export opens its workbook.
#include "archive/core/ReportContent.h"

#include "app/core/Prompt.h"

#include <QUrl>
#include <functional>

// Opens a written file; false when nothing could be started.
using TUrlOpener = std::function<bool(const QUrl &)>;

// The save dialog of the reports: "PDF files (*.pdf)", ".pdf".
TFileDialogOptions ReportFileOptions();

// options keeps the folder and name chosen last. Messages through Prompt().
// True when the report was written.
bool SaveReport(const archive::TReportContent &content, TFileDialogOptions &options, const TUrlOpener &opener);

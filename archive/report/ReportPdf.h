#pragma once
// The report of a run as a PDF document: A4 pages with the sample's
// description, the run file, the calculation parameters and settings, the
// L(T) chart and the result tables, the date and the program's version at
// the foot of every page. Needs a QGuiApplication (fonts); the platform may
// be "offscreen". The fonts' glyphs are embedded, Cyrillic included.
#include "archive/core/ReportContent.h"

#include <QByteArray>
#include <QString>

namespace archive {

// The document's bytes.
QByteArray ReportPdf(const TReportContent &content);

// Writes the document to fileName (safe write); an empty string or the
// message to show.
[[nodiscard]] QString WriteReportPdf(const TReportContent &content, const QString &fileName);

} // namespace archive

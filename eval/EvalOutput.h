#pragma once
// What varotem-eval prints: results on standard output, the program's
// messages on standard error, as UTF-8.
#include "analysis/core/AnalysisMessages.h"

#include <QByteArray>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <optional>

void PrintOut(const QByteArray &bytes);
// One line on standard error.
void PrintError(const QString &message);

// The notices of a report, then its failure, on standard error. True when
// there is a result to print.
bool PrintReport(const analysis::TCommandReport &report);

// How a result table is printed: as the window's grid shows its texts (the
// locale's decimal separator, tab-separated), or at full precision as CSV or
// JSON (shortest text that reads back as the same double, '.').
enum class TFormat { Table, Csv, Json };

// --format table|csv|json
QCommandLineOption FormatOption();
// The format asked for (table when not given); nullopt, with the message
// printed, for any other word.
std::optional<TFormat> FormatOf(const QCommandLineParser &parser);

#pragma once
// A main window on a temporary data directory with the recording prompt.
#include "app/Unit1.h"
#include "chart/SimplCht.h"
#include "tests/app/AppTestUtil.h"
#include "tests/app/CoreTestUtil.h"
#include "tests/support/RecordingPrompt.h"

#include <QTemporaryDir>
#include <memory>

// Everything a window writes stays inside dir.
inline TMainFormSetup FormSetup(const QTemporaryDir &dir, TBoardPort &board)
{
    TMainFormSetup setup;
    setup.dataDir = dir.path();
    setup.board = &board;
    setup.workbookDir = dir.filePath("workbooks");
    setup.archiveFile = dir.filePath("archive/Varotem-archive.sqlite");
    return setup;
}

inline std::unique_ptr<TMainForm> NewForm(const QTemporaryDir &dir, TBoardPort &board)
{
    return std::make_unique<TMainForm>(FormSetup(dir, board));
}

inline QString DirPath(const QTemporaryDir &dir) { return dir.path() + u'/'; }

// The Y values a chart holds.
inline std::vector<double> ChartY(const TSimpleChart &chart)
{
    const TSimpleData &d = chart.Data();
    return std::vector<double>(d.Y.begin(), d.Y.begin() + std::max(d.Count, 0));
}

// Writes a reference-point table file, so a start finds it.
inline void WriteTableFile(const QString &name, const TSplineTable &table)
{
    WriteBytes(name, SplineTableImage(table));
}

inline QByteArray TableBytes(const TSplineTable &table) { return SplineTableImage(table); }

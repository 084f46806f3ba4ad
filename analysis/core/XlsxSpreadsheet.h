#pragma once
// The spreadsheet as an .xlsx workbook written with libxlsxwriter. A new
// workbook is a new file "Varotem-XXXXXX.xlsx" (six letters or digits) in a
// directory of the user's own (DefaultDirectory() unless given); "make
// visible" writes the file and hands it to the opener (the window's opens it
// in the desktop's spreadsheet program). The file stands for the unsaved
// workbook the user is left with, so it is kept for a week:
// RemoveOldWorkbooks, called at start, removes older ones.
#include "analysis/core/Spreadsheet.h"

#include <QDateTime>
#include <QStringView>
#include <QUrl>
#include <functional>

struct lxw_workbook;
struct lxw_worksheet;

// How long a workbook is kept in the directory.
inline constexpr int kWorkbookKeepDays = 7;

class TXlsxSpreadsheet final : public TSpreadsheet {
public:
    // Opens a written workbook; false when nothing could be started.
    using TOpener = std::function<bool(const QUrl &)>;

    // directory empty = DefaultDirectory(); opener empty = nothing opens it.
    explicit TXlsxSpreadsheet(QString directory = QString(), TOpener opener = TOpener());
    ~TXlsxSpreadsheet() override;
    TXlsxSpreadsheet(const TXlsxSpreadsheet &) = delete;
    TXlsxSpreadsheet &operator=(const TXlsxSpreadsheet &) = delete;

    QString NewWorkbook() override;
    void SetCell(int row, int column, const QString &text) override;
    void SetCell(int row, int column, double value) override;
    QString MakeVisible() override;

    // The file of the current or last workbook.
    QString FileName() const { return fileName_; }

    // The per-user cache directory (~/.cache/Varotem). Not the system's
    // temporary directory, which all users share, nor the runtime directory,
    // which is emptied at logout (taking the workbook the user was told
    // about with it), lies in memory, and is missing from sessions started
    // without a login manager; the cache directory is always there, on disk,
    // and its files are the user's to throw away.
    static QString DefaultDirectory();

    // Whether name is that of a workbook this program writes.
    static bool IsWorkbookName(QStringView name);

    // Removes the workbooks in directory that were last modified before
    // olderThan: files named as IsWorkbookName says, never another file, a
    // directory or a symbolic link; nothing at all from a directory the user
    // does not own. Returns how many were removed.
    static int RemoveOldWorkbooks(const QString &directory, const QDateTime &olderThan);

private:
    // Writes the file and releases the workbook; returns an error text or empty.
    QString Close();

    QString directory_;
    TOpener opener_;
    QString fileName_;
    lxw_workbook *workbook_ = nullptr;
    lxw_worksheet *sheet_ = nullptr;
    QString cellError_;  // the first cell that could not be written
};

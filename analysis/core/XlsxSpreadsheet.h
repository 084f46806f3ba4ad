#pragma once
// The spreadsheet as an .xlsx workbook written with libxlsxwriter. A new
// workbook is a new file with a unique name in a directory of its own
// (Varotem in the system's temporary directory unless given); "make visible"
// writes the file and hands it to the opener (the window's opens it in the
// desktop's spreadsheet program). The file is never deleted by the program:
// it stands for the unsaved workbook the user is left with.
#include "analysis/core/Spreadsheet.h"

#include <QUrl>
#include <functional>

struct lxw_workbook;
struct lxw_worksheet;

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

    static QString DefaultDirectory();

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

#pragma once
// "Архив": the archived runs in a table that sorts by any column and filters
// by words of the description, a date range and a temperature range; the
// chosen run opened in the main window, its description edited, its report
// written, its row removed; several runs compared on one chart.
#include "archive/ReportCommand.h"
#include "archive/core/Archive.h"
#include "archive/core/ArchiveModel.h"

#include <QDialog>
#include <functional>
#include <memory>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class TCompareWindow;
class TDlgSampleDescription;

class TArchiveWindow : public QDialog {
    Q_OBJECT
public:
    explicit TArchiveWindow(QWidget *parent = nullptr);
    ~TArchiveWindow() override;

    QLineEdit *EditSearch;        // "Поиск"
    QCheckBox *CheckFrom;         // "Дата с"
    QDateEdit *DateFrom;
    QCheckBox *CheckTo;           // "по"
    QDateEdit *DateTo;
    QLineEdit *EditTFrom;         // "T от"
    QLineEdit *EditTTo;           // "до"
    QTableView *Table;
    QLabel *LabelCount;           // "Запусков: N"
    QPushButton *BtnOpen;         // "Открыть"
    QPushButton *BtnDescription;  // "Описание образца"
    QPushButton *BtnCompare;      // "Сравнить"
    QPushButton *BtnReport;       // "Отчет"
    QPushButton *BtnDelete;       // "Удалить"
    TDlgSampleDescription *Description;
    TCompareWindow *Comparison;

    // The archive shown (null: none could be opened; the window says so).
    void SetArchive(archive::TArchive *archive);
    archive::TArchiveModel *Model() const { return model_.get(); }

    // Opens a run file in the main window: an empty string, or the message
    // that the main window has shown.
    std::function<QString(const QString &fileName)> OnOpen;
    // A row's description changed.
    std::function<void(int64_t id, const archive::TSampleDescription &)> OnDescribed;
    TUrlOpener OpenUrl;
    QString Version;

    // The ids of the selected rows, in the table's order.
    std::vector<int64_t> SelectedIds() const;
    void SelectIds(const std::vector<int64_t> &ids);
    // Reads the filter fields and shows the rows that pass.
    void ApplyFilter();

    void OpenClick();
    void DescriptionClick();
    void CompareClick();
    void ReportClick();
    void DeleteClick();

private:
    // The one selected row, or 0 with a message.
    int64_t OneSelected();

    archive::TArchive *archive_ = nullptr;
    std::unique_ptr<archive::TArchiveModel> model_;
    TFileDialogOptions reportOptions_ = ReportFileOptions();
};

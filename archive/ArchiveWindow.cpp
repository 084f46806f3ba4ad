#include "archive/ArchiveWindow.h"

#include "archive/CompareWindow.h"
#include "archive/DlgSampleDescription.h"
#include "archive/core/ReportContent.h"
#include "archive/core/RunFacts.h"

#include "app/core/LocaleFormat.h"
#include "app/core/Prompt.h"
#include "app/widgets/DialogRunner.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

using namespace archive;

namespace {

QString Caption() { return TArchiveWindow::tr("Архив"); }

QPushButton *Button(const QString &text, QWidget *parent, QHBoxLayout *row)
{
    auto *button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    row->addWidget(button);
    return button;
}

} // namespace

TArchiveWindow::TArchiveWindow(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(Caption());
    EditSearch = new QLineEdit(this);
    EditSearch->setPlaceholderText(tr("образец, материал, партия, оператор, примечание"));
    EditSearch->setClearButtonEnabled(true);
    CheckFrom = new QCheckBox(tr("Дата с"), this);
    DateFrom = new QDateEdit(QDate::currentDate().addMonths(-1), this);
    CheckTo = new QCheckBox(tr("по"), this);
    DateTo = new QDateEdit(QDate::currentDate(), this);
    for (QDateEdit *edit : {DateFrom, DateTo}) {
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    }
    EditTFrom = new QLineEdit(this);
    EditTTo = new QLineEdit(this);
    for (QLineEdit *edit : {EditTFrom, EditTTo})
        edit->setFixedWidth(70);

    auto *filters = new QHBoxLayout;
    filters->addWidget(new QLabel(tr("Поиск"), this));
    filters->addWidget(EditSearch, 1);
    filters->addWidget(CheckFrom);
    filters->addWidget(DateFrom);
    filters->addWidget(CheckTo);
    filters->addWidget(DateTo);
    filters->addWidget(new QLabel(tr("T от"), this));
    filters->addWidget(EditTFrom);
    filters->addWidget(new QLabel(tr("до"), this));
    filters->addWidget(EditTTo);

    Table = new QTableView(this);
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->setSortingEnabled(true);
    Table->setWordWrap(false);
    Table->verticalHeader()->hide();
    Table->verticalHeader()->setDefaultSectionSize(Table->fontMetrics().height() + 6);
    Table->horizontalHeader()->setStretchLastSection(true);

    LabelCount = new QLabel(this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(LabelCount, 1);
    BtnOpen = Button(tr("Открыть"), this, buttons);
    BtnDescription = Button(tr("Описание образца"), this, buttons);
    BtnCompare = Button(tr("Сравнить"), this, buttons);
    BtnReport = Button(tr("Отчет"), this, buttons);
    BtnDelete = Button(tr("Удалить"), this, buttons);
    QPushButton *close = Button(tr("Закрыть"), this, buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(Table, 1);
    layout->addLayout(buttons);
    resize(1000, 560);

    Description = new TDlgSampleDescription(this);
    Comparison = new TCompareWindow(this);

    connect(EditSearch, &QLineEdit::textChanged, this, &TArchiveWindow::ApplyFilter);
    for (QCheckBox *check : {CheckFrom, CheckTo})
        connect(check, &QCheckBox::toggled, this, &TArchiveWindow::ApplyFilter);
    for (QDateEdit *edit : {DateFrom, DateTo})
        connect(edit, &QDateEdit::dateChanged, this, &TArchiveWindow::ApplyFilter);
    for (QLineEdit *edit : {EditTFrom, EditTTo})
        connect(edit, &QLineEdit::textChanged, this, &TArchiveWindow::ApplyFilter);
    connect(Table, &QTableView::doubleClicked, this, &TArchiveWindow::OpenClick);
    connect(BtnOpen, &QPushButton::clicked, this, &TArchiveWindow::OpenClick);
    connect(BtnDescription, &QPushButton::clicked, this, &TArchiveWindow::DescriptionClick);
    connect(BtnCompare, &QPushButton::clicked, this, &TArchiveWindow::CompareClick);
    connect(BtnReport, &QPushButton::clicked, this, &TArchiveWindow::ReportClick);
    connect(BtnDelete, &QPushButton::clicked, this, &TArchiveWindow::DeleteClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

TArchiveWindow::~TArchiveWindow() { Table->setModel(nullptr); }

void TArchiveWindow::SetArchive(TArchive *archive)
{
    archive_ = archive;
    Table->setModel(nullptr);
    model_.reset(archive ? new TArchiveModel(*archive) : nullptr);
    Table->setModel(model_.get());
    for (QPushButton *button : {BtnOpen, BtnDescription, BtnCompare, BtnReport, BtnDelete})
        button->setEnabled(archive != nullptr);
    if (!model_) {
        LabelCount->setText(tr("Архив недоступен."));
        return;
    }
    const int widths[] = {40, 120, 120, 150, 70, 90, 55, 55, 55, 110, 80};
    for (int c = 0; c < int(std::size(widths)); ++c)
        Table->setColumnWidth(c, widths[c]);
    Table->sortByColumn(TArchiveModel::ColDate, Qt::DescendingOrder);
    ApplyFilter();
}

void TArchiveWindow::ApplyFilter()
{
    if (!model_)
        return;
    TArchiveFilter filter;
    filter.text = EditSearch->text();
    if (CheckFrom->isChecked())
        filter.fromMs = DateFrom->date().startOfDay().toMSecsSinceEpoch();
    if (CheckTo->isChecked())
        filter.toMs = DateTo->date().addDays(1).startOfDay().toMSecsSinceEpoch();
    QStringList wrong;
    for (const auto &[edit, bound] : {std::pair{EditTFrom, &filter.tFrom}, std::pair{EditTTo, &filter.tTo}}) {
        double value = 0;
        if (edit->text().trimmed().isEmpty())
            continue;
        if (LocaleParseReal(edit->text(), value))
            *bound = value;
        else
            wrong << edit->text();
    }
    const QString error = model_->SetFilter(filter);
    QString count = tr("Запусков: %1").arg(model_->rowCount());
    if (!wrong.isEmpty())
        count = tr("%1 (не число: %2)").arg(count, wrong.join(QStringLiteral(", ")));
    LabelCount->setText(error.isEmpty() ? count : error);
}

std::vector<int64_t> TArchiveWindow::SelectedIds() const
{
    std::vector<int64_t> ids;
    if (!model_ || !Table->selectionModel())
        return ids;
    QModelIndexList rows = Table->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    for (const QModelIndex &index : rows)
        ids.push_back(model_->IdAt(index.row()));
    return ids;
}

void TArchiveWindow::SelectIds(const std::vector<int64_t> &ids)
{
    if (!model_)
        return;
    Table->clearSelection();
    for (int64_t id : ids) {
        const int row = model_->RowOf(id);
        if (row >= 0)
            Table->selectionModel()->select(model_->index(row, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

int64_t TArchiveWindow::OneSelected()
{
    const std::vector<int64_t> ids = SelectedIds();
    if (ids.size() == 1)
        return ids.front();
    Prompt().Message(tr("Выберите один запуск!"), Caption());
    return 0;
}

void TArchiveWindow::OpenClick()
{
    const int64_t id = OneSelected();
    if (id == 0 || !OnOpen)
        return;
    const std::optional<TRunEntry> entry = archive_->Run(id);
    if (!entry)
        return;
    switch (CheckRunFile(entry->path, entry->facts.size, entry->facts.sha256)) {
    case TFileState::Missing:
        Prompt().Message(tr("Файл \"%1\" не найден!").arg(entry->path), Caption());
        return;
    case TFileState::Changed:
        if (!Prompt().AskYesNo(Caption(), tr("Файл \"%1\" изменен после записи в архив.\nОткрыть его "
                                             "таким, какой он сейчас?")
                                             .arg(entry->path)))
            return;
        break;
    case TFileState::Present: break;
    }
    if (OnOpen(entry->path).isEmpty())
        accept();
    else
        model_->Refresh();
}

void TArchiveWindow::DescriptionClick()
{
    const int64_t id = OneSelected();
    if (id == 0)
        return;
    const std::optional<TRunEntry> entry = archive_->Run(id);
    if (!entry)
        return;
    Description->Fill(entry->description);
    if (DialogRunner().Exec(*Description) != QDialog::Accepted)
        return;
    const TSampleDescription description = Description->Description();
    if (const QString error = archive_->UpdateDescription(id, description); !error.isEmpty()) {
        Prompt().Message(error, Caption());
        return;
    }
    if (OnDescribed)
        OnDescribed(id, description);
    model_->Refresh();
    SelectIds({id});
}

void TArchiveWindow::CompareClick()
{
    const std::vector<int64_t> ids = SelectedIds();
    if (ids.empty()) {
        Prompt().Message(tr("Выберите запуски для сравнения!"), Caption());
        return;
    }
    Comparison->Compare(*archive_, ids);
    DialogRunner().Exec(*Comparison);
}

void TArchiveWindow::ReportClick()
{
    const int64_t id = OneSelected();
    if (id == 0)
        return;
    QString error;
    const std::optional<TReportContent> content = ReportOfRow(*archive_, id, archive_->Now(), Version, error);
    if (!content) {
        Prompt().Message(error, Caption());
        return;
    }
    SaveReport(*content, reportOptions_, OpenUrl);
}

void TArchiveWindow::DeleteClick()
{
    const std::vector<int64_t> ids = SelectedIds();
    if (ids.empty())
        return;
    QStringList numbers;
    for (int64_t id : ids)
        numbers << QString::number(id);
    if (!Prompt().AskYesNo(Caption(), tr("Удалить из архива запуски № %1?\nФайлы записей останутся на "
                                         "диске.")
                                         .arg(numbers.join(QStringLiteral(", ")))))
        return;
    for (int64_t id : ids) {
        const std::optional<TRunEntry> entry = archive_->Run(id);
        if (!entry)
            continue;
        if (const QString error = archive_->DeleteRun(id); !error.isEmpty()) {
            Prompt().Message(error, Caption());
            break;
        }
        // Only a file that still holds the archived run is offered for removal.
        if (CheckRunFile(entry->path, entry->facts.size, entry->facts.sha256) == TFileState::Present
            && Prompt().AskYesNo(Caption(), tr("Удалить и файл \"%1\"?").arg(entry->path))
            && !QFile::remove(entry->path))
            Prompt().Message(tr("Файл \"%1\" не удален!").arg(entry->path), Caption());
    }
    model_->Refresh();
}

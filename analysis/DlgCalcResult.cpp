#include "analysis/DlgCalcResult.h"

#include "analysis/StringGrid.h"
#include "analysis/core/SpreadsheetExport.h"
#include "app/core/Prompt.h"
#include "app/widgets/DialogFrame.h"
#include "chart/SimplCht.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

TDlgCalcResult::TDlgCalcResult(QWidget *parent) : QDialog(parent, kToolWindowFlags)
{
    setWindowTitle(tr("Результаты расчета"));
    setFixedSize(605, 406);
    KeepCentredOnScreen(*this);

    PageControl1 = new QTabWidget(this);
    SimpleChart1 = new TSimpleChart;
    SimpleChart1->OnMessage = [](const QString &message) { Prompt().Message(message); };
    StringGrid1 = new TStringGrid(7, false);
    StringGrid1->horizontalHeader()->setDefaultSectionSize(80);
    StringGrid1->horizontalHeader()->setStretchLastSection(true);
    StringGrid1->setColumnWidth(0, 40);
    PageControl1->addTab(SimpleChart1, tr("График"));
    PageControl1->addTab(StringGrid1, tr("Таблица"));

    SimpleChart1->SetSCDrawingMode(TSCDrawing::ByMultiLine);
    SimpleChart1->SetSCXTitle(QStringLiteral("T, deg C"));
    SimpleChart1->SetSCYTitle(QStringLiteral("Alpha"));
    SimpleChart1->SetSCMstShowing(true);
    SimpleChart1->SetSCDrawingModeChange(true);
    SimpleChart1->SetSCGridLinesChange(true);
    SimpleChart1->SetSCDrawingDiff(false);
    SimpleChart1->SetSCXYWindowShowing(false);
    SimpleChart1->SetSCDrawPoints(false);
    SimpleChart1->SetSCDrawingTimeLine(false);

    BitBtn1 = new QPushButton(QStringLiteral("Close"), this);
    BitBtn2 = new QPushButton(tr("В Excel"), this);
    BtnReport = new QPushButton(tr("Отчет"), this);
    BtnReport->hide();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BtnReport);
    buttons->addWidget(BitBtn1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->addLayout(buttons);

    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &TDlgCalcResult::BitBtn2Click);
    connect(BtnReport, &QPushButton::clicked, this, [this] {
        if (onReport_)
            onReport_();
    });
    SimpleChart1->installEventFilter(this);
    FormCreate();
}

bool TDlgCalcResult::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == SimpleChart1 && event->type() == QEvent::Resize)
        SimpleChart1->RepaintOrReport();
    return QDialog::eventFilter(watched, event);
}

void TDlgCalcResult::FormCreate()
{
    const QStringList header = analysis::CalcHeader();
    for (int a = 0; a < header.size(); ++a)
        StringGrid1->SetCells(a, 0, header[a]);
}

void TDlgCalcResult::ShowResults(const std::vector<analysis::TCalcRow> &rows)
{
    const int n = int(rows.size());
    StringGrid1->SetRowCount(n + 1);
    std::vector<double> x(n), y(n);
    for (int j = 1; j <= n; ++j) {
        const QStringList texts = analysis::FormatCalcRow(rows[j - 1]);
        for (int a = 0; a < texts.size(); ++a)
            StringGrid1->SetCells(a, j, texts[a]);
        x[j - 1] = rows[j - 1].T;
        y[j - 1] = rows[j - 1].Alpha;
    }
    SimpleChart1->SetData(n, x.data(), y.data());
    PageControl1->setCurrentIndex(0);
    SimpleChart1->RepaintOrReport();
}

void TDlgCalcResult::SetOnReport(std::function<void()> onReport)
{
    onReport_ = std::move(onReport);
    BtnReport->setVisible(bool(onReport_));
}

void TDlgCalcResult::BitBtn2Click()
{
    if (!spreadsheet_)
        return;
    if (const QString message = analysis::ExportTable(StringGrid1->Texts(), *spreadsheet_); !message.isEmpty())
        Prompt().Message(message);
}

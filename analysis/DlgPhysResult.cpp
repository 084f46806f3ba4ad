#include "analysis/DlgPhysResult.h"

#include "analysis/CurvesPlot.h"
#include "analysis/StringGrid.h"
#include "analysis/core/PhysicalExport.h"
#include "app/core/SafeFile.h"
#include "app/widgets/DialogFrame.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QColor kData(150, 150, 150);
const QColor kSmooth(0, 0, 200);
const QColor kMean(200, 0, 0);

std::vector<double> SampleNumbers(size_t n)
{
    std::vector<double> x(n);
    for (size_t i = 0; i < n; ++i)
        x[i] = double(i + 1);
    return x;
}

std::vector<double> Difference(const std::vector<double> &a, const std::vector<double> &b)
{
    std::vector<double> d(std::min(a.size(), b.size()));
    for (size_t i = 0; i < d.size(); ++i)
        d[i] = a[i] - b[i];
    return d;
}

} // namespace

TDlgPhysResult::TDlgPhysResult(QWidget *parent) : QDialog(parent, kToolWindowFlags)
{
    setWindowTitle(tr("Результаты: физический КТР"));
    setFixedSize(760, 540);
    KeepCentredOnScreen(*this);

    Pages = new QTabWidget(this);
    PlotAlpha = new TCurvesPlot;
    PlotAlpha->SetTitles(QStringLiteral("T, deg C"), QStringLiteral("Alpha, 1/K"));
    Pages->addTab(PlotAlpha, tr("График"));

    auto *smoothing = new QWidget;
    PlotSmooth = new TCurvesPlot;
    PlotRemoved = new TCurvesPlot;
    RadioL = new QRadioButton(QStringLiteral("L"));
    RadioT = new QRadioButton(QStringLiteral("T"));
    RadioL->setChecked(true);
    auto *channels = new QHBoxLayout;
    channels->addWidget(new QLabel(tr("Канал:")));
    channels->addWidget(RadioL);
    channels->addWidget(RadioT);
    channels->addStretch();
    auto *smoothingLayout = new QVBoxLayout(smoothing);
    smoothingLayout->addLayout(channels);
    smoothingLayout->addWidget(PlotSmooth, 3);
    smoothingLayout->addWidget(PlotRemoved, 2);
    Pages->addTab(smoothing, tr("Сглаживание"));

    Grid = new TStringGrid(6, false);
    Grid->horizontalHeader()->setStretchLastSection(true);
    Grid->setColumnWidth(0, 40);
    Grid->SetCells(0, 0, QStringLiteral("N"));
    Pages->addTab(Grid, tr("Таблица"));

    LabelSmoothing = new QLabel(this);
    LabelSmoothing->setWordWrap(true);
    BtnExcel = new QPushButton(tr("В Excel"), this);
    BtnCsv = new QPushButton(QStringLiteral("CSV"), this);
    BtnCsv->setToolTip(tr("Сохранить таблицу в файле CSV"));
    BtnClose = new QPushButton(QStringLiteral("Close"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(LabelSmoothing, 1);
    buttons->addWidget(BtnExcel);
    buttons->addWidget(BtnCsv);
    buttons->addWidget(BtnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Pages);
    layout->addLayout(buttons);

    csvDialog_.filter = QStringLiteral("CSV files (*.csv)|*.csv|All files (*.*)|*.*");
    csvDialog_.defaultExt = QStringLiteral(".csv");
    connect(BtnClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnExcel, &QPushButton::clicked, this, &TDlgPhysResult::ExcelClick);
    connect(BtnCsv, &QPushButton::clicked, this, &TDlgPhysResult::CsvClick);
    connect(RadioL, &QRadioButton::toggled, this, &TDlgPhysResult::ShowChannel);
}

void TDlgPhysResult::ShowResults(const analysis::TPhysicalOutcome &outcome)
{
    outcome_ = outcome;
    const QStringList header = analysis::PhysicalHeader(outcome.ReferenceTemperature);
    Grid->SetRowCount(int(outcome.Rows.size()) + 1);
    for (int a = 0; a < header.size(); ++a) {
        Grid->SetCells(a + 1, 0, header[a]);
        Grid->setColumnWidth(a + 1, std::max(90, Grid->fontMetrics().horizontalAdvance(header[a]) + 16));
    }
    std::vector<double> rowT, rowMean;
    for (size_t r = 0; r < outcome.Rows.size(); ++r) {
        const QStringList texts = analysis::FormatPhysicalRow(outcome.Rows[r]);
        Grid->SetCells(0, int(r) + 1, QString::number(r + 1));
        for (int a = 0; a < texts.size(); ++a)
            Grid->SetCells(a + 1, int(r) + 1, texts[a]);
        rowT.push_back(outcome.Rows[r].T);
        rowMean.push_back(outcome.Rows[r].MeanAlpha);
    }
    PlotAlpha->SetCurves({{tr("Alpha физ."), outcome.TSmooth, outcome.Alpha, kSmooth, false},
                          {header[3], rowT, rowMean, kMean, true}});
    LabelSmoothing->setText(analysis::SmoothingSummary(outcome.Smoothing));
    ShowChannel();
    Pages->setCurrentIndex(0);
}

void TDlgPhysResult::ShowChannel()
{
    const bool l = RadioL->isChecked();
    const std::vector<double> &data = l ? outcome_.L : outcome_.T;
    const std::vector<double> &smooth = l ? outcome_.LSmooth : outcome_.TSmooth;
    const QString name = l ? QStringLiteral("L, mkm") : QStringLiteral("T, deg C");
    const std::vector<double> x = SampleNumbers(data.size());
    PlotSmooth->SetTitles(tr("точка"), name);
    PlotSmooth->SetCurves({{tr("данные"), x, data, kData, true},
                           {tr("сглаженная кривая"), x, smooth, kSmooth, false}});
    PlotRemoved->SetTitles(tr("точка"), name);
    PlotRemoved->SetCurves({{tr("данные - сглаженная кривая"), x, Difference(data, smooth), kData, true}});
}

void TDlgPhysResult::ExcelClick()
{
    if (!spreadsheet_)
        return;
    if (const QString message = analysis::ExportPhysical(outcome_, *spreadsheet_); !message.isEmpty())
        Prompt().Message(message);
}

void TDlgPhysResult::CsvClick()
{
    const QString name = Prompt().SaveFileName(csvDialog_);
    if (name.isEmpty())
        return;
    RememberChosenFile(csvDialog_, name);
    if (const QString error = WriteFileSafely(name, analysis::PhysicalCsv(outcome_)); !error.isEmpty())
        Prompt().Message(error);
}

#include "analysis/DlgAlphaQuartz.h"

#include "analysis/StringGrid.h"
#include "app/core/DataFiles.h"
#include "app/core/LocaleFormat.h"
#include "app/core/Prompt.h"
#include "app/widgets/DialogFrame.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include <algorithm>

namespace {

const QString kSaveFilter = QStringLiteral("Data files (*.dat)|*.dat|Text files (*.txt)|*.txt|All files (*.*)|*.*");

// The coefficients of the table built at start, rows 1..9 (T = 100 r).
constexpr double kDefaultAlpha[9] = {5.1e-7, 5.8e-7, 6.0e-7, 6.1e-7, 5.9e-7, 5.7e-7, 5.4e-7, 5.2e-7, 5.1e-7};

} // namespace

TDlgAlphaQuartz::TDlgAlphaQuartz(QWidget *parent) : QDialog(parent, kFixedDialogFlags)
{
    setWindowTitle(tr("Alpha кварца"));
    setFixedSize(324, 205);
    KeepCentredOnScreen(*this);

    SpinEdit1 = new QSpinBox(this);
    SpinEdit1->setRange(1, analysis::kMaxQuartzRows);
    StringGrid1 = new TStringGrid(3, true, this);
    StringGrid1->verticalHeader()->setDefaultSectionSize(18);
    StringGrid1->setColumnWidth(0, 30);
    StringGrid1->setColumnWidth(1, 70);
    StringGrid1->setColumnWidth(2, 95);
    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn2 = new QPushButton(QStringLiteral("Cancel"), this);
    BitBtn3 = new QPushButton(QStringLiteral("Open"), this);
    BitBtn4 = new QPushButton(QStringLiteral("Save"), this);
    BitBtn5 = new QPushButton(tr("График"), this);

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(tr("Число точек"), this), 0, 0);
    grid->addWidget(SpinEdit1, 0, 1);
    grid->addWidget(StringGrid1, 1, 0, 5, 2);
    grid->addWidget(BitBtn1, 1, 2);
    grid->addWidget(BitBtn2, 2, 2);
    grid->addWidget(BitBtn3, 3, 2);
    grid->addWidget(BitBtn4, 4, 2);
    grid->addWidget(BitBtn5, 5, 2);

    connect(SpinEdit1, &QSpinBox::valueChanged, this, &TDlgAlphaQuartz::SpinEdit1Change);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn3, &QPushButton::clicked, this, &TDlgAlphaQuartz::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TDlgAlphaQuartz::BitBtn4Click);
    connect(BitBtn5, &QPushButton::clicked, this, &TDlgAlphaQuartz::BitBtn5Click);
    FormCreate();
}

void TDlgAlphaQuartz::FormCreate()
{
    StringGrid1->SetCells(0, 0, QStringLiteral("N"));
    StringGrid1->SetCells(1, 0, QStringLiteral("T, deg C"));
    StringGrid1->SetCells(2, 0, tr("Alpha кварца"));
    SpinEdit1->setValue(9);
    SpinEdit1Change();  // in case the value was 9 already
    for (int r = 1; r <= 9; ++r) {
        StringGrid1->SetCells(1, r, QString::number(100 * r));
        StringGrid1->SetCells(2, r, LocaleGeneral(kDefaultAlpha[r - 1]));
    }
}

void TDlgAlphaQuartz::SpinEdit1Change()
{
    const int n = SpinEdit1->value();
    StringGrid1->SetRowCount(n + 1);
    for (int r = 1; r <= n; ++r)
        StringGrid1->SetCells(0, r, QString::number(r));
}

analysis::TFitPoints TDlgAlphaQuartz::Points() const
{
    const int n = SpinEdit1->value();
    analysis::TFitPoints points;
    points.X.assign(n, 0.0);
    points.Y.assign(n, 0.0);
    for (int r = 1; r <= n; ++r) {
        double t = 0, alpha = 0;
        if (LocaleParseReal(StringGrid1->Cells(1, r), t) && LocaleParseReal(StringGrid1->Cells(2, r), alpha)) {
            points.X[r - 1] = t;
            points.Y[r - 1] = alpha;
        }
    }
    return points;
}

void TDlgAlphaQuartz::BitBtn3Click()
{
    const QString name = Prompt().OpenFileName(RunFileOpenOptions());
    if (name.isEmpty())
        return;
    analysis::TFitPoints table;
    if (const QString error = analysis::LoadQuartzTable(name, table); !error.isEmpty()) {
        Prompt().Message(error);
        return;
    }
    const auto rows = int32_t(table.X.size());
    SpinEdit1->setValue(std::clamp<int32_t>(rows, 1, analysis::kMaxQuartzRows));
    for (int32_t i = 1; i <= rows; ++i) {
        StringGrid1->SetCells(1, i, LocaleGeneral(table.X[i - 1]));
        StringGrid1->SetCells(2, i, LocaleGeneral(table.Y[i - 1]));
    }
}

void TDlgAlphaQuartz::BitBtn4Click()
{
    TFileDialogOptions options;
    options.filter = kSaveFilter;
    options.defaultExt = QStringLiteral(".dat");
    const QString name = Prompt().SaveFileName(options);
    if (name.isEmpty())
        return;
    if (const QString error = SaveData(name, *analysis::QuartzTableRecord(Points())); !error.isEmpty())
        Prompt().Message(error);
}

void TDlgAlphaQuartz::BitBtn5Click()
{
    if (OnPlot)
        OnPlot(Points());
}

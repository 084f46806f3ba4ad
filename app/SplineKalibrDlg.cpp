#include "app/SplineKalibrDlg.h"

#include "app/core/LocaleFormat.h"
#include "app/core/Prompt.h"
#include "app/widgets/DialogButtons.h"
#include "app/widgets/DialogFrame.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

TDlgSplineKalibr::TDlgSplineKalibr(const QString &caption, const QString &quantity, QWidget *parent)
    : QDialog(parent, kFixedDialogFlags)
{
    setWindowTitle(caption);
    KeepCentredOnScreen(*this);
    SpinEdit1 = new QSpinBox(this);
    SpinEdit1->setRange(1, kSplineCapacity);
    SpinEdit1->setValue(1);

    StringGrid1 = new QTableWidget(1, 3, this);
    StringGrid1->setHorizontalHeaderLabels({QStringLiteral("N"), quantity, QStringLiteral("X")});
    StringGrid1->verticalHeader()->hide();
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (int column = 0; column < 3; ++column)
        SetCell(0, column, QStringLiteral("1"));

    Edit1 = new QLineEdit(this);
    SpeedButton1 = NewFileButton(this, tr("Выбрать файл"));
    BitBtn1 = new QPushButton(tr("Close"), this);

    connect(SpinEdit1, &QSpinBox::valueChanged, this, &TDlgSplineKalibr::SpinEdit1Change);
    connect(SpeedButton1, &QToolButton::clicked, this, &TDlgSplineKalibr::SpeedButton1Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    auto *count = new QFormLayout;
    count->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    count->addRow(tr("Число точек"), SpinEdit1);
    auto *file = new QHBoxLayout;
    file->addWidget(Edit1, 1);
    file->addWidget(SpeedButton1);
    auto *close = new QHBoxLayout;
    close->addStretch();
    close->addWidget(BitBtn1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(count);
    layout->addWidget(StringGrid1, 1);
    layout->addWidget(new QLabel(tr("Хранить в файле"), this));
    layout->addLayout(file);
    layout->addLayout(close);
    setFixedSize(360, 420);
}

QString TDlgSplineKalibr::CellText(int row, int column) const
{
    const QTableWidgetItem *item = StringGrid1->item(row, column);
    return item ? item->text() : QString();
}

void TDlgSplineKalibr::SetCell(int row, int column, const QString &text)
{
    if (QTableWidgetItem *item = StringGrid1->item(row, column))
        item->setText(text);
    else
        StringGrid1->setItem(row, column, new QTableWidgetItem(text));
}

// Rows added below the old last row stay unnumbered unless reached one by one.
void TDlgSplineKalibr::SpinEdit1Change(int value)
{
    StringGrid1->setRowCount(value);
    SetCell(value - 1, 0, QString::number(value));
}

void TDlgSplineKalibr::SpeedButton1Click()
{
    TFileDialogOptions options;
    options.filter = QStringLiteral("Spline Calibrate Files (*.spl)|*.spl|All Files (*.*)|*.*");
    options.defaultExt = QStringLiteral(".spl");
    options.initialName = Edit1->text();
    const QString name = Prompt().SaveFileName(options);
    if (!name.isEmpty())
        Edit1->setText(name);
}

void TDlgSplineKalibr::Fill(const TSplineTable &table, const QString &fileName)
{
    const int32_t count = table.Count;  // from a file: any value
    SpinEdit1->setValue(std::clamp(count, 1, kSplineCapacity));
    const int32_t rows = std::clamp(count, 0, kSplineCapacity);
    for (int32_t q = 1; q <= rows; ++q) {
        SetCell(q - 1, 0, QString::number(q));
        SetCell(q - 1, 1, LocaleGeneral(table.Y[q - 1]));
        SetCell(q - 1, 2, LocaleGeneral(table.X[q - 1]));
    }
    Edit1->setText(fileName);
}

void TDlgSplineKalibr::ReadInto(TSplineTable &table) const
{
    table.Count = SpinEdit1->value();
    const int32_t rows = std::min<int32_t>(table.Count, StringGrid1->rowCount());
    for (int32_t q = 1; q <= rows; ++q) {
        double y = 0, x = 0;
        if (!LocaleParseReal(CellText(q - 1, 1), y))
            continue;
        table.Y[q - 1] = y;
        if (LocaleParseReal(CellText(q - 1, 2), x))
            table.X[q - 1] = x;
    }
}

QString TDlgSplineKalibr::FileName() const { return Edit1->text(); }

TDlgSplineKalibrT::TDlgSplineKalibrT(QWidget *parent)
    : TDlgSplineKalibr(tr("Температура по реперным точкам"), QStringLiteral("T"), parent)
{
}

TDlgSplineKalibrL::TDlgSplineKalibrL(QWidget *parent)
    : TDlgSplineKalibr(tr("L по реперным точкам"), QStringLiteral("L"), parent)
{
}

#include "archive/CompareWindow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace archive;

TCompareWindow::TCompareWindow(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("Сравнение запусков"));
    ComboMode = new QComboBox(this);
    for (int m = 0; m < kCompareModeCount; ++m)
        ComboMode->addItem(CompareModeCaption(TCompareMode(m)));
    Plot = new TComparePlotWidget(this);
    LabelProblems = new QLabel(this);
    LabelProblems->setWordWrap(true);
    auto *close = new QPushButton(tr("Закрыть"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("График"), this));
    top->addWidget(ComboMode);
    top->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Plot, 1);
    layout->addWidget(LabelProblems);
    layout->addLayout(buttons);
    resize(820, 560);
    connect(ComboMode, &QComboBox::currentIndexChanged, this, [this] { Load(); });
}

void TCompareWindow::Compare(TArchive &archive, std::vector<int64_t> ids)
{
    archive_ = &archive;
    ids_ = std::move(ids);
    Load();
}

void TCompareWindow::Load()
{
    if (!archive_)
        return;
    const auto mode = TCompareMode(ComboMode->currentIndex());
    TComparison comparison = LoadComparison(*archive_, ids_, mode);
    LabelProblems->setText(comparison.problems.isEmpty()
                               ? QString()
                               : tr("Не показаны: %1").arg(comparison.problems.join(QStringLiteral("; "))));
    LabelProblems->setVisible(!comparison.problems.isEmpty());
    Plot->SetCurves(std::move(comparison.curves), TPlotTitles{QStringLiteral("T, deg C"), CompareYTitle(mode)});
}

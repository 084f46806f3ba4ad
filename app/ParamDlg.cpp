#include "app/ParamDlg.h"

#include "app/SplineKalibrDlg.h"
#include "app/core/LocaleFormat.h"
#include "app/core/Prompt.h"
#include "app/widgets/DialogButtons.h"
#include "app/widgets/DialogRunner.h"
#include "app/widgets/DialogFrame.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <limits>

namespace {

QSpinBox *NewSpin(QWidget *parent, int low, int high)
{
    auto *spin = new QSpinBox(parent);
    spin->setRange(low, high);
    return spin;
}

// Copies one real field; false (and the message) when the text is not a number.
bool CopyReal(const QLineEdit *edit, double &field, const QString &name, QString &message)
{
    double value = 0;
    if (!LocaleParseReal(edit->text(), value)) {
        message = QCoreApplication::translate("TDlgParam", "'%1' не является числом (поле %2)!").arg(edit->text(), name);
        return false;
    }
    field = value;
    return true;
}

QString RefusedTable(const QString &quantity, const QString &checkBox, TTableState state)
{
    return QCoreApplication::translate("TDlgParam", "Таблица реперных точек %1 не принята: %2!\nИсправьте таблицу "
                                                    "(кнопка \"Edit\") или снимите флажок \"%3\".")
        .arg(quantity, SplineTableProblem(state), checkBox);
}

} // namespace

// Fixed at the size of its contents (no size is given for it), in the middle
// of the screen.
TDlgParam::TDlgParam(QWidget *parent) : QDialog(parent, kFixedDialogFlags)
{
    setWindowTitle(tr("Параметры"));
    KeepCentredOnScreen(*this);
    PageControl1 = new QTabWidget(this);
    PageControl1->addTab(CreateAdcPage(), tr("АЦП"));
    PageControl1->addTab(CreateCalibrationPage(), tr("Калибровка"));
    PageControl1->addTab(CreateControlPage(), tr("Управление"));

    BitBtnOk = new QPushButton(QStringLiteral("OK"), this);
    BitBtnCancel = new QPushButton(tr("Cancel"), this);
    BitBtnOk->setDefault(true);
    connect(BitBtnOk, &QPushButton::clicked, this, &TDlgParam::accept);
    connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtnOk);
    buttons->addWidget(BitBtnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget *TDlgParam::CreateAdcPage()
{
    auto *page = new QWidget;
    constexpr int kMin = std::numeric_limits<int>::min(), kMax = std::numeric_limits<int>::max();

    GroupBox1 = new QGroupBox(tr("Параметры соединения"), page);
    SpinEdit1 = NewSpin(GroupBox1, kMin, kMax);
    SpinEdit2 = NewSpin(GroupBox1, kMin, kMax);
    SpinEdit3 = NewSpin(GroupBox1, kMin, kMax);
    SpinEdit4 = NewSpin(GroupBox1, -32000, 32000);
    CheckBox1 = new QCheckBox(tr("Использовать весы для  L"), GroupBox1);
    Button1 = new QPushButton(tr("DAQ Setup"), GroupBox1);
    connect(Button1, &QPushButton::clicked, this, &TDlgParam::Button1Click);
    auto *connection = new QFormLayout(GroupBox1);
    connection->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    connection->addRow(tr("Кривая T"), SpinEdit1);
    connection->addRow(tr("Кривая L"), SpinEdit2);
    connection->addRow(tr("Кривая TC"), SpinEdit3);
    connection->addRow(tr("Код ошибки"), SpinEdit4);
    connection->addRow(CheckBox1);
    auto *setup = new QHBoxLayout;
    setup->addWidget(Button1);
    setup->addStretch();
    connection->addRow(setup);

    GroupBox2 = new QGroupBox(tr("Параметры таймера"), page);
    SpinEdit5 = NewSpin(GroupBox2, 1, 60);
    SpinEdit6 = NewSpin(GroupBox2, 1, 10000);
    CheckBox2 = new QCheckBox(tr("Автосохранение каждые"), GroupBox2);
    SpinEdit7 = NewSpin(GroupBox2, 1, 10000);
    Edit1 = new QLineEdit(GroupBox2);
    Edit1->setMinimumWidth(260);
    SpeedButton1 = NewFileButton(GroupBox2, tr("Выбрать файл автосохранения"));
    connect(SpeedButton1, &QToolButton::clicked, this, &TDlgParam::SpeedButton1Click);
    auto *every = new QHBoxLayout;
    every->addWidget(CheckBox2);
    every->addWidget(SpinEdit7);
    every->addWidget(new QLabel(tr("точек в файл"), GroupBox2));
    every->addStretch();
    auto *file = new QHBoxLayout;
    file->addWidget(Edit1, 1);
    file->addWidget(SpeedButton1);
    auto *timer = new QFormLayout(GroupBox2);
    timer->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    timer->addRow(tr("Частота, с"), SpinEdit5);
    timer->addRow(tr("Число точек"), SpinEdit6);
    timer->addRow(every);
    timer->addRow(file);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(GroupBox1);
    layout->addWidget(GroupBox2);
    layout->addStretch();
    return page;
}

QWidget *TDlgParam::CreateCalibrationPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout;
    const QString heads[] = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")};
    for (int k = 0; k < 4; ++k)
        grid->addWidget(new QLabel(heads[k], page), 0, k + 1, Qt::AlignCenter);
    QLineEdit **rows[2][4] = {{&Edit2, &Edit3, &Edit4, &Edit5}, {&Edit6, &Edit7, &Edit8, &Edit9}};
    for (int r = 0; r < 2; ++r) {
        grid->addWidget(new QLabel(r == 0 ? QStringLiteral("T") : QStringLiteral("L"), page), r + 1, 0);
        for (int k = 0; k < 4; ++k) {
            *rows[r][k] = new QLineEdit(page);
            grid->addWidget(*rows[r][k], r + 1, k + 1);
        }
    }

    CheckBox3 = new QCheckBox(tr("Температура по реперным точкам"), page);
    BitBtn3 = new QPushButton(tr("Edit"), page);
    CheckBox4 = new QCheckBox(tr("L по реперным точкам"), page);
    BitBtn4 = new QPushButton(tr("Edit"), page);
    connect(BitBtn3, &QPushButton::clicked, this, &TDlgParam::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TDlgParam::BitBtn4Click);
    auto *tables = new QGridLayout;
    tables->addWidget(CheckBox3, 0, 0);
    tables->addWidget(BitBtn3, 0, 1);
    tables->addWidget(CheckBox4, 1, 0);
    tables->addWidget(BitBtn4, 1, 1);
    tables->setColumnStretch(0, 1);

    auto *formula = new QLabel(QStringLiteral("Y = a + b X + c X^2 + d X^3"), page);
    QFont bold = formula->font();
    bold.setBold(true);
    formula->setFont(bold);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(formula, 0, Qt::AlignHCenter);
    layout->addLayout(grid);
    layout->addSpacing(12);
    layout->addLayout(tables);
    layout->addStretch();
    return page;
}

QWidget *TDlgParam::CreateControlPage()
{
    auto *page = new QWidget;
    GroupBox3 = new QGroupBox(tr("Нагрев"), page);
    CheckBox5 = new QCheckBox(tr("Включить управление"), GroupBox3);
    ComboBox1 = new QComboBox(GroupBox3);
    ComboBox1->addItem(tr("Начале приема информации с АЦП"));
    ComboBox2 = new QComboBox(GroupBox3);
    ComboBox2->addItems({tr("Окончании приема информации с АЦП"), tr("При превышении T"),
                         tr("При превышении L"), tr("При принижении T"),
                         tr("При принижении L")});
    ComboBox1->setCurrentIndex(0);
    ComboBox2->setCurrentIndex(0);
    Edit10 = new QLineEdit(GroupBox3);
    auto *form = new QFormLayout(GroupBox3);
    form->addRow(CheckBox5);
    form->addRow(tr("Включить при"), ComboBox1);
    form->addRow(tr("Выключить при"), ComboBox2);
    form->addRow(tr("Значение"), Edit10);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(GroupBox3);
    layout->addStretch();
    return page;
}

void TDlgParam::SetSplineDialogs(TDlgSplineKalibr *tDialog, TDlgSplineKalibr *lDialog)
{
    dlgT_ = tDialog;
    dlgL_ = lDialog;
}

void TDlgParam::Fill(const TSettings &s, const TSplineTable &tTable, const TSplineTable &lTable)
{
    SpinEdit1->setValue(s.Chan1);
    SpinEdit2->setValue(s.Chan2);
    SpinEdit3->setValue(s.Chan3);
    SpinEdit4->setValue(s.ErrorCode);
    CheckBox1->setChecked(s.LWeightDriver);
    SpinEdit5->setValue(s.TimerWorkInterval);
    SpinEdit6->setValue(s.N);
    CheckBox2->setChecked(s.AutoSaveFlag);
    SpinEdit7->setValue(s.AutoSaveTime);
    Edit1->setText(s.AutoSaveFile);
    const std::pair<QLineEdit *, double> reals[] = {{Edit2, s.aT}, {Edit3, s.bT}, {Edit4, s.cT}, {Edit5, s.dT},
                                                    {Edit6, s.aL}, {Edit7, s.bL}, {Edit8, s.cL}, {Edit9, s.dL}};
    for (const auto &[edit, value] : reals)
        edit->setText(LocaleGeneral(value));
    CheckBox3->setChecked(s.TSplineKalibrFlag);
    CheckBox4->setChecked(s.LSplineKalibrFlag);
    CheckBox5->setChecked(s.ManageFlag);
    ComboBox1->setCurrentIndex(s.ManageStartEvent);
    ComboBox2->setCurrentIndex(s.ManageStopEvent);
    Edit10->setText(LocaleFixed(s.ManageValue, 8, 3));

    tFilled_ = tTable;
    lFilled_ = lTable;
    if (dlgT_)
        dlgT_->Fill(tTable, s.SplineTFile);
    if (dlgL_)
        dlgL_->Fill(lTable, s.SplineLFile);
}

QString TDlgParam::CopyBack(TSettings &s, TSplineTable &tTable, TSplineTable &lTable) const
{
    s.TimerWorkInterval = SpinEdit5->value();
    s.N = SpinEdit6->value();
    const std::tuple<QLineEdit *, double TSettings::*, const char *> reals[] = {
        {Edit2, &TSettings::aT, "aT"}, {Edit6, &TSettings::aL, "aL"}, {Edit3, &TSettings::bT, "bT"},
        {Edit7, &TSettings::bL, "bL"}, {Edit4, &TSettings::cT, "cT"}, {Edit8, &TSettings::cL, "cL"},
        {Edit5, &TSettings::dT, "dT"}, {Edit9, &TSettings::dL, "dL"}};
    QString message;
    for (const auto &[edit, field, name] : reals) {
        if (!CopyReal(edit, s.*field, QString::fromLatin1(name), message))
            return message;
    }
    s.Chan1 = SpinEdit1->value();
    s.Chan2 = SpinEdit2->value();
    s.Chan3 = SpinEdit3->value();
    s.ErrorCode = static_cast<int16_t>(SpinEdit4->value());
    s.AutoSaveFlag = CheckBox2->isChecked();
    s.AutoSaveTime = SpinEdit7->value();
    s.AutoSaveFile = Edit1->text();
    s.TSplineKalibrFlag = CheckBox3->isChecked();
    s.LSplineKalibrFlag = CheckBox4->isChecked();
    s.LWeightDriver = CheckBox1->isChecked();
    if (dlgT_)
        dlgT_->ReadInto(tTable);
    if (dlgL_)
        dlgL_->ReadInto(lTable);
    if (dlgT_)
        s.SplineTFile = dlgT_->FileName();
    if (dlgL_)
        s.SplineLFile = dlgL_->FileName();
    s.ManageFlag = CheckBox5->isChecked();
    s.ManageStartEvent = ComboBox1->currentIndex();
    s.ManageStopEvent = ComboBox2->currentIndex();
    if (!CopyReal(Edit10, s.ManageValue, tr("\"Значение\""), message))
        return message;
    return {};
}

QString TDlgParam::TableProblem() const
{
    struct TCheck {
        const QCheckBox *flag;
        const TDlgSplineKalibr *dialog;
        const TSplineTable &filled;
        const char *quantity;
    };
    for (const TCheck &c : {TCheck{CheckBox3, dlgT_, tFilled_, "T"}, TCheck{CheckBox4, dlgL_, lFilled_, "L"}}) {
        if (!c.flag->isChecked() || !c.dialog)
            continue;
        TSplineTable table = c.filled;
        c.dialog->ReadInto(table);
        const TTableState state = CheckSplineTable(table);
        if (state != TTableState::Ok)
            return RefusedTable(QString::fromLatin1(c.quantity), c.flag->text(), state);
    }
    return {};
}

void TDlgParam::accept()
{
    if (const QString problem = TableProblem(); !problem.isEmpty()) {
        Prompt().Message(problem);
        return;
    }
    QDialog::accept();
}

void TDlgParam::Button1Click()
{
    if (!OnDaqSetup)
        return;
    Prompt().Message(OnDaqSetup(), tr("DAQ Setup"));
}

void TDlgParam::BitBtn3Click()
{
    if (dlgT_)
        DialogRunner().Exec(*dlgT_);
}

void TDlgParam::BitBtn4Click()
{
    if (dlgL_)
        DialogRunner().Exec(*dlgL_);
}

void TDlgParam::SpeedButton1Click()
{
    TFileDialogOptions options;
    options.filter = QStringLiteral("Data Files (*.dat)|*.dat|All Files (*.*)|*.*");
    options.filterIndex = 0;
    options.defaultExt = QStringLiteral(".dat");
    options.initialName = Edit1->text();
    const QString name = Prompt().SaveFileName(options);
    if (!name.isEmpty())
        Edit1->setText(name);
}

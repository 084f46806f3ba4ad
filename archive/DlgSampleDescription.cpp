#include "archive/DlgSampleDescription.h"

#include "app/widgets/DialogFrame.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TDlgSampleDescription::TDlgSampleDescription(QWidget *parent) : QDialog(parent, kFixedDialogFlags)
{
    setWindowTitle(tr("Описание образца"));
    EditName = new QLineEdit(this);
    EditMaterial = new QLineEdit(this);
    EditBatch = new QLineEdit(this);
    EditOperator = new QLineEdit(this);
    EditNote = new QPlainTextEdit(this);
    EditNote->setTabChangesFocus(true);
    EditNote->setFixedHeight(90);
    auto *form = new QFormLayout;
    form->addRow(tr("Образец"), EditName);
    form->addRow(tr("Материал"), EditMaterial);
    form->addRow(tr("Партия"), EditBatch);
    form->addRow(tr("Оператор"), EditOperator);
    form->addRow(tr("Примечание"), EditNote);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setFixedSize(420, 290);
    KeepCentredOnScreen(*this);
}

void TDlgSampleDescription::Fill(const archive::TSampleDescription &d)
{
    EditName->setText(d.name);
    EditMaterial->setText(d.material);
    EditBatch->setText(d.batch);
    EditOperator->setText(d.operatorName);
    EditNote->setPlainText(d.note);
    EditName->setFocus();
}

archive::TSampleDescription TDlgSampleDescription::Description() const
{
    return {EditName->text().trimmed(), EditMaterial->text().trimmed(), EditBatch->text().trimmed(),
            EditOperator->text().trimmed(), EditNote->toPlainText().trimmed()};
}

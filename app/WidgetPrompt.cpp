#include "app/WidgetPrompt.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

QString QtFilterFromPipes(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList names;
    for (int i = 0; i < parts.size(); i += 2)
        names << parts[i];
    return names.join(QStringLiteral(";;"));
}

namespace {

QWidget *Parent() { return QApplication::activeWindow(); }

QString SelectedFilter(const TFileDialogOptions &options)
{
    const QStringList names = QtFilterFromPipes(options.filter).split(QStringLiteral(";;"));
    return options.filterIndex >= 0 && options.filterIndex < names.size() ? names[options.filterIndex]
                                                                           : QString();
}

QString WithDefaultExt(const QString &name, const QString &defaultExt)
{
    if (name.isEmpty() || defaultExt.isEmpty() || !QFileInfo(name).suffix().isEmpty())
        return name;
    return name + (defaultExt.startsWith(QLatin1Char('.')) ? defaultExt : QLatin1Char('.') + defaultExt);
}

} // namespace

void TWidgetPrompt::Message(const QString &text, const QString &caption)
{
    QMessageBox::information(Parent(), caption.isEmpty() ? QApplication::applicationName() : caption, text);
}

bool TWidgetPrompt::AskYesNo(const QString &caption, const QString &text)
{
    return QMessageBox::question(Parent(), caption, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

std::optional<QString> TWidgetPrompt::InputText(const QString &caption, const QString &prompt,
                                                const QString &defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(Parent(), caption, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QString TWidgetPrompt::OpenFileName(const TFileDialogOptions &options)
{
    QString selected = SelectedFilter(options);
    return QFileDialog::getOpenFileName(Parent(), options.title, options.initialName,
                                        QtFilterFromPipes(options.filter), &selected);
}

QString TWidgetPrompt::SaveFileName(const TFileDialogOptions &options)
{
    QString selected = SelectedFilter(options);
    const QString name = QFileDialog::getSaveFileName(Parent(), options.title, options.initialName,
                                                      QtFilterFromPipes(options.filter), &selected);
    return WithDefaultExt(name, options.defaultExt);
}

int TWidgetPrompt::Exec(QDialog &dialog) { return dialog.exec(); }

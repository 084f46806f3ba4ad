#include "app/WidgetPrompt.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
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

// A file dialog preset with the options. The dialog adds the default extension
// to a name typed without one before it checks the name, so "run" typed where
// run.dat exists is asked about like "run.dat" (adding it afterwards would
// replace run.dat without a question), and an open finds run.dat.
QString RunFileDialog(const TFileDialogOptions &options, QFileDialog::AcceptMode mode)
{
    // The toolkit opens the dialog in the folder of a preset path, with its
    // name selected.
    const QString start =
        options.directory.isEmpty() ? options.initialName : QDir(options.directory).filePath(options.initialName);
    QFileDialog dialog(Parent(), options.title, start, QtFilterFromPipes(options.filter));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(options.defaultExt);
    if (const QString selected = SelectedFilter(options); !selected.isEmpty())
        dialog.selectNameFilter(selected);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.constFirst();
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
    return RunFileDialog(options, QFileDialog::AcceptOpen);
}

QString TWidgetPrompt::SaveFileName(const TFileDialogOptions &options)
{
    return RunFileDialog(options, QFileDialog::AcceptSave);
}

int TWidgetPrompt::Exec(QDialog &dialog) { return dialog.exec(); }

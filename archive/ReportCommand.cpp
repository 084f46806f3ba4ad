#include "archive/ReportCommand.h"

#include "archive/report/ReportPdf.h"

#include <QDir>

TFileDialogOptions ReportFileOptions()
{
    TFileDialogOptions options;
    options.title = QStringLiteral("Отчет");
    options.filter = QStringLiteral("PDF files (*.pdf)|*.pdf|All files (*.*)|*.*");
    options.defaultExt = QStringLiteral(".pdf");
    return options;
}

bool SaveReport(const archive::TReportContent &content, TFileDialogOptions &options, const TUrlOpener &opener)
{
    const QString name = Prompt().SaveFileName(options);
    if (name.isEmpty())
        return false;
    RememberChosenFile(options, name);
    if (const QString error = archive::WriteReportPdf(content, name); !error.isEmpty()) {
        Prompt().Message(error);
        return false;
    }
    if (!opener || !opener(QUrl::fromLocalFile(name)))
        Prompt().Message(QStringLiteral("Отчет сохранен в файле \"%1\".").arg(QDir::toNativeSeparators(name)));
    return true;
}

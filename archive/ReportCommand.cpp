#include "archive/ReportCommand.h"

#include "archive/report/ReportPdf.h"

#include <QCoreApplication>
#include <QDir>

namespace {
// The context of this file's texts in the translation catalogue.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(archive::ReportCommand)
};
} // namespace

TFileDialogOptions ReportFileOptions()
{
    TFileDialogOptions options;
    options.title = Tr::tr("Отчет");
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
        Prompt().Message(Tr::tr("Отчет сохранен в файле \"%1\".").arg(QDir::toNativeSeparators(name)));
    return true;
}

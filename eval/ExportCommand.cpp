// varotem-eval export: the calibrated run into a workbook or a CSV file, the
// rows "Экспорт в Excel" writes.
#include "analysis/core/CsvSpreadsheet.h"
#include "analysis/core/SpreadsheetExport.h"
#include "analysis/core/XlsxSpreadsheet.h"
#include "app/core/SafeFile.h"
#include "eval/EvalInput.h"
#include "eval/EvalOutput.h"
#include "eval/Subcommand.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>

namespace {

// The context of this file's texts in the translation catalogue.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(eval::ExportCommand)
};

// The workbook is written where the window writes its workbooks, in a
// directory of its own here, and then put in place as a whole.
QString ExportXlsx(const TRunData &calibrated, const QString &out)
{
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return Tr::tr("Не удалось создать временный каталог (%1)!").arg(scratch.errorString());
    QString placed;
    TXlsxSpreadsheet book(scratch.path(), [&placed, &out](const QUrl &written) {
        QFile file(written.toLocalFile());
        placed = file.open(QIODevice::ReadOnly) ? WriteFileSafely(out, file.readAll())
                                                : Tr::tr("Книга не записана (%1)!").arg(file.errorString());
        return true;
    });
    const QString error = analysis::ExportRun(calibrated, book);
    return error.isEmpty() ? placed : error;
}

QString ExportCsv(const TRunData &calibrated, const QString &out)
{
    TCsvSpreadsheet sheet;
    if (const QString error = analysis::ExportRun(calibrated, sheet); !error.isEmpty())
        return error;
    return WriteFileSafely(out, sheet.Text());
}

int Export(const QCommandLineParser &parser)
{
    const QString out = parser.positionalArguments().at(1);
    const QString suffix = QFileInfo(out).suffix().toLower();
    if (suffix != QStringLiteral("xlsx") && suffix != QStringLiteral("csv")) {
        PrintError(Tr::tr("Файл \"%1\" не записан: имя должно оканчиваться на .xlsx или .csv!").arg(out));
        return kExitUsage;
    }
    const std::optional<TEvalInput> input = ReadEvalInput(parser, parser.positionalArguments().constFirst());
    if (!input)
        return kExitFailed;
    const auto calibrated = input->Calibrated();
    if (!calibrated)
        return kExitFailed;
    const QString error = suffix == QStringLiteral("xlsx") ? ExportXlsx(*calibrated, out) : ExportCsv(*calibrated, out);
    if (!error.isEmpty()) {
        PrintError(error);
        return kExitFailed;
    }
    return kExitOk;
}

const TSubcommandRegistration registration(TSubcommand{
    QStringLiteral("export"),
    {QStringLiteral("RUN.dat"), QStringLiteral("OUT.xlsx|OUT.csv")},
    QT_TRANSLATE_NOOP("eval::Help",
                      "Экспорт: откалиброванная запись (T, L, TC по точкам) в книгу .xlsx или файл .csv."),
    {CalibrationOption()},
    Export,
});

} // namespace

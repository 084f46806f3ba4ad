// varotem-eval materials: the library of reference materials, one line each.
#include "analysis/core/CsvSpreadsheet.h"
#include "analysis/core/MaterialDirectory.h"
#include "eval/EvalOutput.h"
#include "eval/MaterialOption.h"
#include "eval/Subcommand.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString Source(const materials::TReferenceMaterial &m)
{
    return QString::fromStdString(m.source).replace(u'\n', u' ');
}

QByteArray Table(const std::vector<materials::TReferenceMaterial> &list)
{
    QByteArray text = "id\tname\trange, K\tsource\n";
    for (const auto &m : list) {
        text += QStringLiteral("%1\t%2\t%3–%4\t%5\n")
                    .arg(QString::fromStdString(m.id), analysis::MaterialName(m))
                    .arg(m.lowKelvin)
                    .arg(m.highKelvin)
                    .arg(Source(m))
                    .toUtf8();
    }
    return text;
}

QByteArray Csv(const std::vector<materials::TReferenceMaterial> &list)
{
    TCsvSpreadsheet sheet;
    const QStringList header = {QStringLiteral("id"), QStringLiteral("name"), QStringLiteral("low_k"),
                                QStringLiteral("high_k"), QStringLiteral("source")};
    for (int a = 0; a < header.size(); ++a)
        sheet.SetCell(1, a + 1, header[a]);
    int line = 1;
    for (const auto &m : list) {
        ++line;
        sheet.SetCell(line, 1, QString::fromStdString(m.id));
        sheet.SetCell(line, 2, QString::fromStdString(m.name));
        sheet.SetCell(line, 3, m.lowKelvin);
        sheet.SetCell(line, 4, m.highKelvin);
        sheet.SetCell(line, 5, Source(m));
    }
    return sheet.Text();
}

QByteArray Json(const std::vector<materials::TReferenceMaterial> &list)
{
    QJsonArray array;
    for (const auto &m : list) {
        array.append(QJsonObject{{QStringLiteral("id"), QString::fromStdString(m.id)},
                                 {QStringLiteral("name"), QString::fromStdString(m.name)},
                                 {QStringLiteral("low_k"), m.lowKelvin},
                                 {QStringLiteral("high_k"), m.highKelvin},
                                 {QStringLiteral("source"), QString::fromStdString(m.source)}});
    }
    return QJsonDocument(QJsonObject{{QStringLiteral("materials"), array}}).toJson();
}

int Materials(const QCommandLineParser &parser)
{
    const std::optional<TFormat> format = FormatOf(parser);
    if (!format)
        return kExitUsage;
    const std::optional<materials::TMaterialLibrary> library = ReadMaterialLibrary(parser);
    if (!library)
        return kExitFailed;
    switch (*format) {
    case TFormat::Table: PrintOut(Table(library->materials)); break;
    case TFormat::Csv: PrintOut(Csv(library->materials)); break;
    case TFormat::Json: PrintOut(Json(library->materials)); break;
    }
    return kExitOk;
}

const TSubcommandRegistration registration(TSubcommand{
    QStringLiteral("materials"),
    {},
    QT_TRANSLATE_NOOP("eval::Help",
                      "Эталонные материалы: идентификатор, название, аттестованный диапазон (K) и источник."),
    {MaterialsDirectoryOption(), FormatOption()},
    Materials,
});

} // namespace

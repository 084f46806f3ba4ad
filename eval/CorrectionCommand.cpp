// varotem-eval correction: "Коррекция по эталону" on a reference run file.
#include "analysis/core/Correction.h"

#include <QCoreApplication>
#include "app/core/DataFiles.h"
#include "eval/EvalInput.h"
#include "eval/EvalOutput.h"
#include "eval/MaterialOption.h"
#include "eval/Subcommand.h"

namespace {

// The context of this file's texts in the translation catalogue.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(eval::CorrectionCommand)
};

int Correction(const QCommandLineParser &parser)
{
    for (const char *required : {"material", "out"}) {
        if (!parser.isSet(QString::fromLatin1(required))) {
            PrintError(Tr::tr("Не задан параметр --%1!").arg(QString::fromLatin1(required)));
            return kExitUsage;
        }
    }
    const std::optional<TEvalInput> input = ReadEvalInput(parser, parser.positionalArguments().constFirst());
    if (!input)
        return kExitFailed;
    const auto length = RealOption(parser, QStringLiteral("sample-length"), input->run->SampleLength);
    if (!length)
        return kExitUsage;
    const auto library = ReadMaterialLibrary(parser);
    if (!library)
        return kExitFailed;
    const QString id = parser.value(QStringLiteral("material"));
    const materials::TReferenceMaterial *material = library->Find(id.toStdString());
    if (!material) {
        PrintError(Tr::tr("Материал \"%1\" не найден в библиотеке (varotem-eval materials)!").arg(id));
        return kExitUsage;
    }
    const analysis::TCorrectionOutcome outcome =
        analysis::MakeCorrection(*input->run, *material, *length, input->settings, input->tTable, input->lTable);
    if (!PrintReport(outcome))
        return kExitFailed;
    if (const QString error = SaveData(parser.value(QStringLiteral("out")), *outcome.File); !error.isEmpty()) {
        PrintError(error);
        return kExitFailed;
    }
    return kExitOk;
}

QCommandLineOption Valued(const char *name, const char *value, const QString &description)
{
    return QCommandLineOption(QString::fromLatin1(name), description, QString::fromLatin1(value));
}

const TSubcommandRegistration registration(TSubcommand{
    QStringLiteral("correction"),
    {QStringLiteral("REF.dat")},
    QT_TRANSLATE_NOOP("eval::Help", "Коррекция по эталону: запись эталонного образца превращается в файл коррекции, "
                                    "базовую линию для \"Расчет\" и \"Сведение\"."),
    {Valued("material", "ID", QT_TRANSLATE_NOOP("eval::Help", "эталонный материал (varotem-eval materials)")),
     Valued("sample-length", "L0",
            QT_TRANSLATE_NOOP("eval::Help", "длина эталонного образца (по умолчанию \"Длина образца\" записи)")),
     Valued("out", "CORR.dat", QT_TRANSLATE_NOOP("eval::Help", "файл коррекции")),
     CalibrationOption(),
     MaterialsDirectoryOption()},
    Correction,
});

} // namespace

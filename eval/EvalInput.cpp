#include "eval/EvalInput.h"

#include "analysis/core/QuartzTable.h"
#include "app/core/DataFiles.h"
#include "eval/EvalOutput.h"
#include "numerics/NumberFormat.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <string_view>

namespace {

// The context of this file's texts in the translation catalogue.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(eval::EvalInput)
};

const QString kCalibration = QStringLiteral("calibration");

QString NotFound(const QString &fileName) { return Tr::tr("Файл не найден: %1!").arg(fileName); }

// The settings file and the tables its flags ask for; the messages that stop.
QStringList ReadCalibration(const QString &fileName, TEvalInput &input)
{
    if (!QFileInfo(fileName).isFile())
        return {NotFound(fileName)};
    const QString dir = QFileInfo(fileName).absolutePath() + u'/';
    if (QStringList messages = ReadSettings(fileName, dir, input.settings); !messages.isEmpty())
        return messages;
    const struct {
        bool used;
        const QString &file;
        TSplineTable &table;
    } tables[] = {{input.settings.TSplineKalibrFlag, input.settings.SplineTFile, input.tTable},
                  {input.settings.LSplineKalibrFlag, input.settings.SplineLFile, input.lTable}};
    for (const auto &t : tables) {
        if (!t.used)
            continue;
        if (QString error = LoadSplineTable(t.file, t.table); !error.isEmpty())
            return {error};
    }
    return {};
}

// The option's value read by parse; not given: fallback.
template <typename T, typename Parse>
std::optional<T> NumberOption(const QCommandLineParser &parser, const QString &name, T fallback, const QString &kind,
                              Parse parse)
{
    if (!parser.isSet(name))
        return fallback;
    const QString text = parser.value(name);
    T value{};
    if (!parse(text.toStdString(), value)) {
        PrintError(Tr::tr("Неверный параметр --%1: \"%2\" не является %3!").arg(name, text, kind));
        return std::nullopt;
    }
    return value;
}

} // namespace

std::unique_ptr<TRunData> TEvalInput::Calibrated() const
{
    TKalibrStatus status;
    auto calibrated = CalibratedCopy(*run, settings, tTable, lTable, &status);
    bool usable = true;
    for (const auto &[quantity, state] : {std::pair{"T", status.T}, std::pair{"L", status.L}}) {
        if (const QString problem = SplineTableProblem(state); !problem.isEmpty()) {
            PrintError(Tr::tr("Калибровка %1 по реперным точкам невозможна: %2!")
                           .arg(QString::fromLatin1(quantity), problem));
            usable = false;
        }
    }
    return usable ? std::move(calibrated) : nullptr;
}

QCommandLineOption CalibrationOption()
{
    return QCommandLineOption(kCalibration,
                              QT_TRANSLATE_NOOP("eval::Help",
                                                "калибровка из файла настроек программы и его файлов реперных точек "
                                                "(по умолчанию без калибровки)"),
                              QStringLiteral("Varotem.ini"));
}

std::optional<TEvalInput> ReadEvalInput(const QCommandLineParser &parser, const QString &runFile)
{
    TEvalInput input;
    input.settings = DefaultSettings(QString());
    if (parser.isSet(kCalibration)) {
        if (const QStringList messages = ReadCalibration(parser.value(kCalibration), input); !messages.isEmpty()) {
            for (const QString &message : messages)
                PrintError(message);
            return std::nullopt;
        }
    }
    input.run = std::make_unique<TRunData>();
    ClearRun(*input.run);
    if (const QString error = ReadRunFile(runFile, *input.run, input.settings.ErrorCode); !error.isEmpty()) {
        PrintError(error);
        return std::nullopt;
    }
    return input;
}

std::optional<double> RealOption(const QCommandLineParser &parser, const QString &name, double fallback)
{
    return NumberOption(parser, name, fallback, Tr::tr("числом"), [](std::string_view text, double &value) {
        return numerics::ParseReal(text, ".", value);
    });
}

std::optional<int32_t> IntOption(const QCommandLineParser &parser, const QString &name, int32_t fallback)
{
    return NumberOption(parser, name, fallback, Tr::tr("целым числом"), numerics::ParseInt);
}

bool ReadBaselineOptions(const QCommandLineParser &parser, QString &baseLineFile,
                         std::optional<analysis::TFitPoints> &quartzTable)
{
    if (parser.isSet(QStringLiteral("baseline")))
        baseLineFile = parser.value(QStringLiteral("baseline"));
    if (parser.isSet(QStringLiteral("quartz-table"))) {
        analysis::TFitPoints table;
        if (const QString error = analysis::LoadQuartzTable(parser.value(QStringLiteral("quartz-table")), table);
            !error.isEmpty()) {
            PrintError(error);
            return false;
        }
        quartzTable = std::move(table);
    }
    return true;
}

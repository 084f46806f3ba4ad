#include "archive/core/ReportContent.h"

#include "archive/core/AnalysisResults.h"
#include "archive/core/CalcResult.h"

#include "analysis/core/ExpansionCalc.h"
#include "app/core/DataFiles.h"
#include "app/core/LocaleFormat.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QJsonArray>

namespace archive {
namespace {

// The context of this file's texts in the translation catalogue.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(archive::ReportContent)
};

QString Or(const QString &text, const QString &fallback) { return text.isEmpty() ? fallback : text; }

QString Calibration(bool byPoints, const TSplineTable &table, double a, double b, double c, double d)
{
    if (byPoints)
        return Tr::tr("по реперным точкам (%1)").arg(table.Count);
    return QStringLiteral("Y = a + b X + c X^2 + d X^3; a = %1, b = %2, c = %3, d = %4")
        .arg(LocaleGeneral(a), LocaleGeneral(b), LocaleGeneral(c), LocaleGeneral(d));
}

QString ParamText(const QJsonValue &value)
{
    if (value.isBool())
        return value.toBool() ? Tr::tr("да") : Tr::tr("нет");
    if (value.isDouble())
        return LocaleGeneral(value.toDouble());
    if (value.isArray())
        return Tr::tr("%n строк", nullptr, int(value.toArray().size()));
    return value.toString();
}

// The archive keeps a result's command by its name in the program's own
// language; the report shows it in the user's.
QString CommandCaption(const QString &command)
{
    if (command == kCalcCommand)
        return Tr::tr("Расчет");
    if (command == kPhysicalCommand)
        return Tr::tr("Физический КТР");
    if (command == kGlassCommand)
        return Tr::tr("Стеклование и размягчение");
    return command;
}

QStringList CalcRowTexts(const std::vector<double> &v)
{
    analysis::TCalcRow row;
    row.J = int32_t(v[0]);
    row.T = v[1];
    row.DL = v[2];
    row.DLQ = v[3];
    row.Diff = v[4];
    row.Relative = v[5];
    row.Alpha = v[6];
    return analysis::FormatCalcRow(row);
}

TReportTable TableOf(const TArchiveResult &r)
{
    TReportTable t;
    t.title = CommandCaption(r.command);
    QStringList params;
    for (auto it = r.params.begin(); it != r.params.end(); ++it)
        params << QStringLiteral("%1 = %2").arg(it.key(), ParamText(it.value()));
    t.subtitle = Tr::tr("%1. Параметры: %2").arg(ReportTime(r.createdMs), params.join(QStringLiteral("; ")));
    for (auto it = r.values.begin(); it != r.values.end(); ++it)
        t.values << QStringLiteral("%1 = %2").arg(it.key(), ParamText(it.value()));
    t.header = r.columns;
    const bool calc = r.command == kCalcCommand && r.columns == analysis::CalcHeader();
    for (const std::vector<double> &values : r.rows) {
        if (calc) {
            t.rows.push_back(CalcRowTexts(values));
            continue;
        }
        QStringList texts;
        for (double v : values)
            texts << LocaleGeneral(v, 6);
        t.rows.push_back(texts);
    }
    return t;
}

} // namespace

QString ReportTime(int64_t ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms).toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

TReportContent ReportContent(const TRunEntry &entry, std::optional<TFileState> state, const TRunData *raw,
                             const std::vector<TArchiveResult> &results, int64_t nowMs, const QString &version)
{
    TReportContent c;
    const QString unknown = QStringLiteral("-");
    c.title = entry.id ? Tr::tr("Отчет о запуске № %1").arg(entry.id) : Tr::tr("Отчет о запуске");
    const TSampleDescription &d = entry.description;
    c.sample = {{Tr::tr("Образец"), Or(d.name, unknown)},
                {Tr::tr("Материал"), Or(d.material, unknown)},
                {Tr::tr("Партия"), Or(d.batch, unknown)},
                {Tr::tr("Оператор"), Or(d.operatorName, unknown)},
                {Tr::tr("Примечание"), Or(d.note, unknown)}};

    const TRunFacts &f = entry.facts;
    const QString range = f.tMin && f.tMax ? QStringLiteral("%1 ... %2 deg C")
                                                 .arg(LocaleFixed(*f.tMin, 15, 1), LocaleFixed(*f.tMax, 15, 1))
                                           : unknown;
    c.record = {{Tr::tr("Файл"), Or(QDir::toNativeSeparators(entry.path), Tr::tr("не сохранен"))},
                {Tr::tr("Состояние файла"),
                 state ? FileStateCaption(*state) : Tr::tr("запуск не в архиве")},
                {Tr::tr("Размер, байт"), f.size ? QString::number(f.size) : unknown},
                {QStringLiteral("SHA-256"), Or(f.sha256, unknown)},
                {Tr::tr("Точек"), QString::number(f.count)},
                {Tr::tr("Диапазон температур"), range},
                {Tr::tr("Начало записи"), entry.startedMs ? ReportTime(*entry.startedMs) : unknown},
                {Tr::tr("Конец записи"), entry.endedMs ? ReportTime(*entry.endedMs) : unknown}};
    if (entry.addedMs)
        c.record.push_back({Tr::tr("В архиве с"), ReportTime(entry.addedMs)});

    c.params = {{Tr::tr("Точек"), QString::number(f.calcPoints)},
                {Tr::tr("Длина образца"), LocaleGeneral(f.sampleLength)},
                {Tr::tr("L кварца"), LocaleGeneral(f.quartzLength)},
                {Tr::tr("Alpha кварца"), LocaleGeneral(f.quartzAlpha)}};

    const TSettings &s = entry.settings.settings;
    c.settings = {
        {Tr::tr("Калибровка T"),
         Calibration(s.TSplineKalibrFlag, entry.settings.tTable, s.aT, s.bT, s.cT, s.dT)},
        {Tr::tr("Калибровка L"),
         Calibration(s.LSplineKalibrFlag, entry.settings.lTable, s.aL, s.bL, s.cL, s.dL)},
        {Tr::tr("Каналы"), QStringLiteral("T - %1, L - %2, TC - %3").arg(s.Chan1).arg(s.Chan2).arg(s.Chan3)},
        {Tr::tr("Частота, с"), QString::number(s.TimerWorkInterval)},
        {Tr::tr("Код ошибки"), QString::number(s.ErrorCode)},
        {Tr::tr("Весы для L"), s.LWeightDriver ? Tr::tr("да") : Tr::tr("нет")}};

    if (raw) {
        QString problem;
        c.curve = CurveOf(entry, *raw, TCompareMode::Length, {}, problem);
        c.curveNote = problem;
    } else {
        c.curveNote = state ? Tr::tr("Файл записи %1: график не построен.").arg(FileStateCaption(*state))
                            : Tr::tr("График не построен.");
    }
    for (const TArchiveResult &r : LastResults(results))
        c.tables.push_back(TableOf(r));
    c.footer = Tr::tr("Отчет составлен %1, Varotem %2").arg(ReportTime(nowMs), version);
    return c;
}

std::optional<TReportContent> ReportOfRow(TArchive &archive, int64_t id, int64_t nowMs, const QString &version,
                                          QString &error)
{
    const std::optional<TRunEntry> entry = archive.Run(id);
    if (!entry) {
        error = Tr::tr("В архиве нет запуска № %1!").arg(id);
        return std::nullopt;
    }
    const TFileState state = CheckRunFile(entry->path, entry->facts.size, entry->facts.sha256);
    std::unique_ptr<TRunData> raw;
    if (state == TFileState::Present) {
        raw = std::make_unique<TRunData>();
        ClearRun(*raw);
        if (!ReadRunFile(entry->path, *raw, entry->settings.settings.ErrorCode).isEmpty())
            raw.reset();
    }
    return ReportContent(*entry, state, raw.get(), archive.Results(id), nowMs, version);
}

} // namespace archive

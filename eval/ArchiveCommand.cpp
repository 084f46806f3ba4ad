// varotem-eval archive: the run archive of the program (or of --archive)
// listed with the archive window's filters, one row shown whole, a run file
// added with its description, and the report of a row as a PDF.
#include "archive/core/Archive.h"
#include "archive/core/ArchiveModel.h"
#include "archive/core/ReportContent.h"
#include "archive/core/RunArchiver.h"
#include "archive/report/ReportPdf.h"
#include "eval/EvalInput.h"
#include "eval/EvalOutput.h"
#include "eval/Subcommand.h"

#include "analysis/core/CsvSpreadsheet.h"
#include "app/core/LocaleFormat.h"

#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <string_view>

namespace {

// The context of this file's texts in the translation catalogue.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(eval::ArchiveCommand)
};

using namespace archive;

const QString kArchiveOption = QStringLiteral("archive");

QCommandLineOption ArchiveOption()
{
    // The name is written out so that the help's translation finds this text.
    static_assert(std::string_view(kArchiveFileName) == "Varotem-archive.sqlite");
    return QCommandLineOption(
        kArchiveOption,
        QT_TRANSLATE_NOOP("eval::Help",
                          "файл архива (по умолчанию архив программы: ~/.local/share/Varotem/Varotem-archive.sqlite)"),
        QStringLiteral("FILE"));
}

QCommandLineOption Valued(const char *name, const char *value, const QString &description)
{
    return QCommandLineOption(QString::fromLatin1(name), description, QString::fromUtf8(value));
}

// The archive asked for; its messages (a rebuild) on standard error. Only
// "add" creates an archive that does not exist yet; the others read.
std::unique_ptr<TArchive> OpenFor(const QCommandLineParser &parser, bool create = false)
{
    TArchiveSetup setup;
    setup.fileName = parser.isSet(kArchiveOption) ? parser.value(kArchiveOption)
                                                  : DefaultArchiveDir() + QString::fromLatin1(kArchiveFileName);
    if (!create && !QFileInfo::exists(setup.fileName)) {
        PrintError(Tr::tr("Архив \"%1\" не найден!").arg(setup.fileName));
        return nullptr;
    }
    setup.runDirs = {QFileInfo(setup.fileName).absolutePath()};
    // The file named may be anything: one that is not an archive is refused
    // and left as it is.
    setup.leaveForeign = true;
    TOpenedArchive opened = OpenArchive(setup);
    for (const QString &message : opened.messages)
        PrintError(message);
    return std::move(opened.archive);
}

std::optional<int64_t> IdArgument(const QCommandLineParser &parser)
{
    bool ok = false;
    const qlonglong id = parser.positionalArguments().constFirst().toLongLong(&ok);
    if (!ok || id <= 0) {
        PrintError(Tr::tr("Неверный номер запуска \"%1\"!").arg(parser.positionalArguments().constFirst()));
        return std::nullopt;
    }
    return id;
}

// --from / --to: a day as yyyy-MM-dd, local time; --to takes the whole day.
bool ReadDay(const QCommandLineParser &parser, const char *name, bool end, std::optional<int64_t> &ms)
{
    const QString option = QString::fromLatin1(name);
    if (!parser.isSet(option))
        return true;
    const QDate day = QDate::fromString(parser.value(option), Qt::ISODate);
    if (!day.isValid()) {
        PrintError(Tr::tr("Неверный параметр --%1: \"%2\" не является датой ГГГГ-ММ-ДД!")
                       .arg(option, parser.value(option)));
        return false;
    }
    ms = (end ? day.addDays(1) : day).startOfDay().toMSecsSinceEpoch();
    return true;
}

bool ReadFilter(const QCommandLineParser &parser, TArchiveFilter &filter)
{
    filter.text = parser.value(QStringLiteral("text"));
    if (!ReadDay(parser, "from", false, filter.fromMs) || !ReadDay(parser, "to", true, filter.toMs))
        return false;
    for (const auto &[name, bound] : {std::pair{"t-from", &filter.tFrom}, std::pair{"t-to", &filter.tTo}}) {
        const QString option = QString::fromLatin1(name);
        if (!parser.isSet(option))
            continue;
        const std::optional<double> value = RealOption(parser, option, 0);
        if (!value)
            return false;
        *bound = *value;
    }
    return true;
}

const struct {
    const char *word;
    TSortKey key;
} kSortWords[] = {{"id", TSortKey::Id},         {"date", TSortKey::Date},     {"name", TSortKey::Name},
                  {"material", TSortKey::Material}, {"batch", TSortKey::Batch}, {"operator", TSortKey::Operator},
                  {"count", TSortKey::Count},   {"t-min", TSortKey::TMin},    {"t-max", TSortKey::TMax},
                  {"file", TSortKey::Path}};

QString IsoTime(int64_t ms)
{
    return ms ? QDateTime::fromMSecsSinceEpoch(ms).toString(Qt::ISODate) : QString();
}

QJsonValue OptNumber(const std::optional<double> &v) { return v ? QJsonValue(*v) : QJsonValue(); }

QJsonObject RowJson(const TArchiveRow &r, TFileState state)
{
    return {{QStringLiteral("id"), qint64(r.id)},
            {QStringLiteral("date"), IsoTime(r.runDateMs)},
            {QStringLiteral("recorded"), r.recordedHere},
            {QStringLiteral("name"), r.description.name},
            {QStringLiteral("material"), r.description.material},
            {QStringLiteral("batch"), r.description.batch},
            {QStringLiteral("operator"), r.description.operatorName},
            {QStringLiteral("note"), r.description.note},
            {QStringLiteral("count"), r.count},
            {QStringLiteral("t_min"), OptNumber(r.tMin)},
            {QStringLiteral("t_max"), OptNumber(r.tMax)},
            {QStringLiteral("file"), r.path},
            {QStringLiteral("state"), FileStateWord(state)},
            {QStringLiteral("source"), SourceName(r.source)}};
}

const QStringList kListColumns = {"id", "date", "name", "material", "batch", "operator", "note",
                                  "count", "t_min", "t_max", "file", "state"};

int List(const QCommandLineParser &parser)
{
    const std::optional<TFormat> format = FormatOf(parser);
    TArchiveFilter filter;
    if (!format || !ReadFilter(parser, filter))
        return kExitUsage;
    const QString sortWord = parser.value(QStringLiteral("sort"));
    const auto sort = std::find_if(std::begin(kSortWords), std::end(kSortWords),
                                   [&](const auto &w) { return sortWord == QLatin1String(w.word); });
    if (sort == std::end(kSortWords)) {
        PrintError(Tr::tr("Неверный параметр --sort \"%1\"!").arg(sortWord));
        return kExitUsage;
    }
    const auto archive = OpenFor(parser);
    if (!archive)
        return kExitFailed;
    QString error;
    const auto ids = archive->Query(filter, sort->key, parser.isSet(QStringLiteral("descending")), error);
    if (!ids) {
        PrintError(error);
        return kExitFailed;
    }
    const std::vector<TArchiveRow> rows = archive->Rows(*ids);
    if (*format == TFormat::Json) {
        QJsonArray array;
        for (const TArchiveRow &r : rows)
            array.append(RowJson(r, CheckRunFile(r.path, r.size, r.sha256)));
        PrintOut(QJsonDocument(QJsonObject{{QStringLiteral("runs"), array}}).toJson());
        return kExitOk;
    }
    TCsvSpreadsheet sheet;
    QByteArray table = kListColumns.join(u'\t').toUtf8() + '\n';
    for (int c = 0; c < kListColumns.size(); ++c)
        sheet.SetCell(1, c + 1, kListColumns[c]);
    int line = 1;
    for (const TArchiveRow &r : rows) {
        const QJsonObject o = RowJson(r, CheckRunFile(r.path, r.size, r.sha256));
        ++line;
        QStringList texts;
        for (int c = 0; c < kListColumns.size(); ++c) {
            const QJsonValue v = o.value(kListColumns[c]);
            if (v.isDouble()) {
                sheet.SetCell(line, c + 1, v.toDouble());
                texts << LocaleGeneral(v.toDouble());
            } else {
                sheet.SetCell(line, c + 1, v.toString());
                texts << v.toString().replace(u'\n', u' ').replace(u'\t', u' ');
            }
        }
        table += texts.join(u'\t').toUtf8() + '\n';
    }
    PrintOut(*format == TFormat::Csv ? sheet.Text() : table);
    return kExitOk;
}

QJsonObject ResultJson(const TArchiveResult &r)
{
    QJsonArray rows;
    for (const std::vector<double> &row : r.rows) {
        QJsonArray values;
        for (double v : row)
            values.append(v);
        rows.append(values);
    }
    return {{QStringLiteral("command"), r.command},
            {QStringLiteral("created"), IsoTime(r.createdMs)},
            {QStringLiteral("params"), r.params},
            {QStringLiteral("values"), r.values},
            {QStringLiteral("columns"), QJsonArray::fromStringList(r.columns)},
            {QStringLiteral("rows"), rows}};
}

int Show(const QCommandLineParser &parser)
{
    const std::optional<int64_t> id = IdArgument(parser);
    if (!id)
        return kExitUsage;
    const auto archive = OpenFor(parser);
    if (!archive)
        return kExitFailed;
    const std::optional<TRunEntry> e = archive->Run(*id);
    if (!e) {
        PrintError(Tr::tr("В архиве нет запуска № %1!").arg(*id));
        return kExitFailed;
    }
    const TFileState state = CheckRunFile(e->path, e->facts.size, e->facts.sha256);
    QJsonArray results;
    for (const TArchiveResult &r : archive->Results(*id))
        results.append(ResultJson(r));
    const QJsonObject object{
        {QStringLiteral("id"), qint64(e->id)},
        {QStringLiteral("file"), e->path},
        {QStringLiteral("state"), FileStateWord(state)},
        {QStringLiteral("size"), qint64(e->facts.size)},
        {QStringLiteral("sha256"), e->facts.sha256},
        {QStringLiteral("count"), e->facts.count},
        {QStringLiteral("t_min"), OptNumber(e->facts.tMin)},
        {QStringLiteral("t_max"), OptNumber(e->facts.tMax)},
        {QStringLiteral("calc_points"), e->facts.calcPoints},
        {QStringLiteral("sample_length"), e->facts.sampleLength},
        {QStringLiteral("quartz_length"), e->facts.quartzLength},
        {QStringLiteral("quartz_alpha"), e->facts.quartzAlpha},
        {QStringLiteral("started"), e->startedMs ? IsoTime(*e->startedMs) : QString()},
        {QStringLiteral("ended"), e->endedMs ? IsoTime(*e->endedMs) : QString()},
        {QStringLiteral("source"), SourceName(e->source)},
        {QStringLiteral("added"), IsoTime(e->addedMs)},
        {QStringLiteral("name"), e->description.name},
        {QStringLiteral("material"), e->description.material},
        {QStringLiteral("batch"), e->description.batch},
        {QStringLiteral("operator"), e->description.operatorName},
        {QStringLiteral("note"), e->description.note},
        {QStringLiteral("results"), results}};
    PrintOut(QJsonDocument(object).toJson());
    return kExitOk;
}

const struct {
    const char *option;
    QString TSampleDescription::*field;
    const char *caption;
} kDescriptionOptions[] = {{"name", &TSampleDescription::name, QT_TRANSLATE_NOOP("eval::Help", "\"Образец\"")},
                           {"material", &TSampleDescription::material, QT_TRANSLATE_NOOP("eval::Help", "\"Материал\"")},
                           {"batch", &TSampleDescription::batch, QT_TRANSLATE_NOOP("eval::Help", "\"Партия\"")},
                           {"operator", &TSampleDescription::operatorName, QT_TRANSLATE_NOOP("eval::Help",
                                                                                             "\"Оператор\"")},
                           {"note", &TSampleDescription::note, QT_TRANSLATE_NOOP("eval::Help", "\"Примечание\"")}};

int Add(const QCommandLineParser &parser)
{
    const QString file = parser.positionalArguments().constFirst();
    const std::optional<TEvalInput> input = ReadEvalInput(parser, file);
    if (!input)
        return kExitFailed;
    const auto archive = OpenFor(parser, true);
    if (!archive)
        return kExitFailed;
    TRunArchiver archiver(archive.get());
    TSampleDescription description;
    for (const auto &o : kDescriptionOptions)
        description.*o.field = parser.value(QString::fromLatin1(o.option));
    (void)archiver.SetDescription(description);
    const TRunSettings settings{input->settings, input->tTable, input->lTable};
    if (const QString error = archiver.RecordFile(file, TRunSource::Added, settings); !error.isEmpty()) {
        PrintError(error);
        return kExitFailed;
    }
    PrintOut(QByteArray::number(qlonglong(archiver.Rows().front())) + '\n');
    return kExitOk;
}

int Report(const QCommandLineParser &parser)
{
    const std::optional<int64_t> id = IdArgument(parser);
    if (!id)
        return kExitUsage;
    const QString out = parser.positionalArguments().at(1);
    const auto archive = OpenFor(parser);
    if (!archive)
        return kExitFailed;
    QString error;
    const std::optional<TReportContent> content =
        ReportOfRow(*archive, *id, archive->Now(), QCoreApplication::applicationVersion(), error);
    if (!content) {
        PrintError(error);
        return kExitFailed;
    }
    if (!content->curveNote.isEmpty())
        PrintError(content->curveNote);
    if (const QString failed = WriteReportPdf(*content, out); !failed.isEmpty()) {
        PrintError(failed);
        return kExitFailed;
    }
    return kExitOk;
}

QList<QCommandLineOption> ListOptions()
{
    return {Valued("text", "WORDS", QT_TRANSLATE_NOOP("eval::Help",
                                                      "слова, которые должны быть в образце, материале, партии, "
                                                      "операторе или примечании (без учета регистра)")),
            Valued("from", QT_TRANSLATE_NOOP("eval::Help", "ГГГГ-ММ-ДД"),
                   QT_TRANSLATE_NOOP("eval::Help", "запуски не раньше этого дня")),
            Valued("to", QT_TRANSLATE_NOOP("eval::Help", "ГГГГ-ММ-ДД"),
                   QT_TRANSLATE_NOOP("eval::Help", "запуски не позже этого дня")),
            Valued("t-from", "T", QT_TRANSLATE_NOOP("eval::Help", "запуски, достигшие этой температуры")),
            Valued("t-to", "T", QT_TRANSLATE_NOOP("eval::Help", "запуски, начатые не выше этой температуры")),
            QCommandLineOption(QStringLiteral("sort"),
                               QT_TRANSLATE_NOOP("eval::Help",
                                                 "порядок: id, date, name, material, batch, operator, count, t-min, "
                                                 "t-max или file (по умолчанию date)"),
                               QStringLiteral("KEY"), QStringLiteral("date")),
            QCommandLineOption(QStringLiteral("descending"), QT_TRANSLATE_NOOP("eval::Help", "в обратном порядке")),
            FormatOption(),
            ArchiveOption()};
}

QList<QCommandLineOption> AddOptions()
{
    QList<QCommandLineOption> options;
    for (const auto &o : kDescriptionOptions)
        options << Valued(o.option, "TEXT", QString::fromUtf8(o.caption));
    options << CalibrationOption() << ArchiveOption();
    return options;
}

const TSubcommandRegistration list(TSubcommand{
    QStringLiteral("archive list"),
    {},
    QT_TRANSLATE_NOOP("eval::Help", "Архив: запуски, отобранные как в окне \"Архив\"."),
    ListOptions(),
    List,
});

const TSubcommandRegistration show(TSubcommand{
    QStringLiteral("archive show"),
    {QStringLiteral("ID")},
    QT_TRANSLATE_NOOP("eval::Help", "Архив: все сведения о запуске и его результаты (JSON)."),
    {ArchiveOption()},
    Show,
});

const TSubcommandRegistration add(TSubcommand{
    QStringLiteral("archive add"),
    {QStringLiteral("RUN.dat")},
    QT_TRANSLATE_NOOP("eval::Help", "Архив: файл записи с описанием образца; выводит номер запуска."),
    AddOptions(),
    Add,
});

const TSubcommandRegistration report(TSubcommand{
    QStringLiteral("archive report"),
    {QStringLiteral("ID"), QStringLiteral("OUT.pdf")},
    QT_TRANSLATE_NOOP("eval::Help", "Архив: отчет о запуске в PDF."),
    {ArchiveOption()},
    Report,
    true,
});

} // namespace

#include "app/core/Settings.h"

#include "app/core/IniText.h"
#include "app/core/LocaleFormat.h"
#include "app/core/SafeFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <array>
#include <variant>

namespace {

using TField = std::variant<int32_t TSettings::*, int16_t TSettings::*, bool TSettings::*,
                            double TSettings::*, QString TSettings::*>;

struct TKey {
    const char *name;
    TField field;
};

// The keys in the order they are read and written.
const std::array<TKey, 27> kKeys{{
    {"TimerWorkInterval", &TSettings::TimerWorkInterval},
    {"N", &TSettings::N},
    {"aT", &TSettings::aT},
    {"aL", &TSettings::aL},
    {"bT", &TSettings::bT},
    {"bL", &TSettings::bL},
    {"cT", &TSettings::cT},
    {"cL", &TSettings::cL},
    {"dT", &TSettings::dT},
    {"dL", &TSettings::dL},
    {"Chan1", &TSettings::Chan1},
    {"Chan2", &TSettings::Chan2},
    {"Chan3", &TSettings::Chan3},
    {"ErrorCode", &TSettings::ErrorCode},
    {"AutoSaveFlag", &TSettings::AutoSaveFlag},
    {"AutoSaveTime", &TSettings::AutoSaveTime},
    {"AutoSaveFile", &TSettings::AutoSaveFile},
    {"SplineTFile", &TSettings::SplineTFile},
    {"SplineLFile", &TSettings::SplineLFile},
    {"TSplineKalibrFlag", &TSettings::TSplineKalibrFlag},
    {"LSplineKalibrFlag", &TSettings::LSplineKalibrFlag},
    {"LWeightDriver", &TSettings::LWeightDriver},
    {"BaseLineFile", &TSettings::BaseLineFile},
    {"ManageFlag", &TSettings::ManageFlag},
    {"ManageStartEvent", &TSettings::ManageStartEvent},
    {"ManageStopEvent", &TSettings::ManageStopEvent},
    {"ManageValue", &TSettings::ManageValue},
}};

const QString kSection = QStringLiteral("Options");

// Blanks around a string value are not part of it.
QString TrimBlanks(const QString &text)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && (text[begin] == u' ' || text[begin] == u'\t'))
        ++begin;
    while (end > begin && (text[end - 1] == u' ' || text[end - 1] == u'\t'))
        --end;
    return text.mid(begin, end - begin);
}

// Sets the field of one key from its text as the reader does; false (the
// field left as it was) when the text does not convert.
bool ReadValue(TSettings &s, const TKey &key, const QString &text)
{
    return std::visit(
        [&](auto member) -> bool {
            auto &field = s.*member;
            using V = std::decay_t<decltype(field)>;
            if constexpr (std::is_same_v<V, QString>) {
                field = TrimBlanks(text);
            } else if constexpr (std::is_same_v<V, double>) {
                return LocaleParseReal(text, field);
            } else {
                int32_t value = 0;
                if (!LocaleParseInt(text, value))
                    return false;
                if constexpr (std::is_same_v<V, bool>)
                    field = value != 0;
                else
                    field = static_cast<V>(value);  // ErrorCode keeps the low 16 bits
            }
            return true;
        },
        key.field);
}

bool IsReal(const TKey &key) { return std::holds_alternative<double TSettings::*>(key.field); }

// The base-line name is cut to a short string; blanks the cut bares go too.
void CutBaseLineFile(TSettings &s) { s.BaseLineFile = TrimBlanks(ShortString(s.BaseLineFile)); }

QString NotANumber(const QString &text, const char *key, const QString &fileName)
{
    return QCoreApplication::translate("Settings", "'%1' не является числом: ключ \"%2\" в файле %3!")
        .arg(text, QString::fromLatin1(key), fileName);
}

// Line breaks cannot stand inside a one-line value.
QString OneLine(QString text)
{
    text.remove(u'\r');
    text.remove(u'\n');
    return text;
}

QString WriteValue(const TSettings &s, const TField &field)
{
    return std::visit(
        [&s](auto member) -> QString {
            const auto &value = s.*member;
            using V = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<V, bool>)
                return value ? QStringLiteral("1") : QStringLiteral("0");
            else if constexpr (std::is_same_v<V, double>)
                return LocaleGeneral(value, 15);
            else if constexpr (std::is_same_v<V, QString>)
                return OneLine(value);
            else
                return QString::number(value);
        },
        field);
}

QString LowerKey(const TKey &key) { return QString::fromLatin1(key.name).toLower(); }

// Whether the file's text for a key already reads as the value of s, so that
// its line can stay as the user wrote it ("0.50", "AutoSaveFlag = 2").
bool ReadsAs(const TSettings &s, const TKey &key, const QString &text)
{
    TSettings read = s;
    if (!ReadValue(read, key, text))
        return false;
    if (key.field == TField(&TSettings::BaseLineFile))
        CutBaseLineFile(read);
    return read == s;
}

// The settings file old with the values of s: the first occurrence of each
// key in a section "Options" gets its new value in place unless it already
// reads as that value (so "0.50" or "AutoSaveFlag = 2" stay as written); the
// keys it lacks are added to the first section "Options". All else stays.
QByteArray MergeSettings(const QByteArray &old, const TSettings &s)
{
    const TIniSection section = ScanIniSection(old, kSection);
    std::vector<TIniEdit> edits;
    QList<QByteArray> added;
    for (const TKey &key : kKeys) {
        const QByteArray value = WriteValue(s, key.field).toUtf8();
        const auto found = section.values.constFind(LowerKey(key));
        if (found == section.values.constEnd())
            added << key.name + ('=' + value);
        else if (!ReadsAs(s, key, IniValueText(old, *found)))
            edits.push_back({*found, value});
    }
    return EditIniSection(old, section, kSection, std::move(edits), added);
}

} // namespace

TSettings DefaultSettings(const QString &dataDir)
{
    TSettings s;
    s.AutoSaveFile = dataDir + QStringLiteral("default.dat");
    s.SplineTFile = dataDir + QStringLiteral("defaultT.spl");
    s.SplineLFile = dataDir + QStringLiteral("defaultL.spl");
    return s;
}

QString ShortString(const QString &text)
{
    if (text.size() <= kShortStringLength)
        return text;
    qsizetype n = kShortStringLength;
    if (text.at(n - 1).isHighSurrogate())
        --n;
    return text.left(n);
}

QStringList ReadSettings(const QString &fileName, const QString &dataDir, TSettings &settings)
{
    settings = DefaultSettings(dataDir);
    if (!QFileInfo::exists(fileName))
        return {};
    QString error;
    const auto bytes = ReadFileHead(fileName, kMaxSettingsBytes, error);
    if (!bytes)
        return {error};
    return ParseSettingsText(*bytes, fileName, dataDir, settings);
}

QStringList ParseSettingsText(const QByteArray &bytes, const QString &fileName, const QString &dataDir,
                              TSettings &settings)
{
    settings = DefaultSettings(dataDir);
    QStringList messages;
    const TIniSection section = ScanIniSection(bytes, kSection);
    for (const TKey &key : kKeys) {
        const auto found = section.values.constFind(LowerKey(key));
        if (found == section.values.constEnd())
            continue;
        const QString text = IniValueText(bytes, *found);
        if (!ReadValue(settings, key, text) && IsReal(key))
            messages << NotANumber(text, key.name, fileName);
    }
    CutBaseLineFile(settings);
    return messages;
}

QString WriteSettings(const QString &fileName, const TSettings &settings)
{
    TSettings s = settings;
    s.BaseLineFile = ShortString(s.BaseLineFile);
    QString error;
    const std::optional<QByteArray> old = ReadSettingsForRewrite(fileName, error);
    if (!old)
        return error;
    return WriteFileSafely(fileName, MergeSettings(*old, s));
}

std::optional<QByteArray> ReadSettingsForRewrite(const QString &fileName, QString &error)
{
    if (!QFileInfo::exists(fileName))
        return QByteArray();
    std::optional<QByteArray> bytes = ReadFileHead(fileName, kMaxSettingsBytes + 1, error);
    if (bytes && bytes->size() > kMaxSettingsBytes) {
        error = QCoreApplication::translate("Settings", "Настройки не записаны: файл \"%1\" больше 1 МБ!").arg(fileName);
        return std::nullopt;
    }
    return bytes;
}

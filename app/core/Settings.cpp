#include "app/core/Settings.h"

#include "app/core/LocaleFormat.h"
#include "app/core/SafeFile.h"

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
constexpr qint64 kMaxSettingsBytes = 1 << 20;  // far above any real settings file

// Key (in lower case: keys match without regard to case) -> value of the
// section "Options"; the first occurrence of a key counts. A value is the
// text after '=' as it stands (numbers ignore surrounding blanks themselves).
QHash<QString, QString> ParseSection(const QString &text)
{
    QHash<QString, QString> values;
    bool inSection = false;
    for (QString line : text.split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(u'[') && trimmed.endsWith(u']')) {
            inSection = trimmed.mid(1, trimmed.size() - 2).trimmed().compare(kSection, Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!inSection || trimmed.startsWith(u';') || eq < 0)
            continue;
        const QString key = line.left(eq).trimmed().toLower();
        if (!key.isEmpty() && !values.contains(key))
            values.insert(key, line.mid(eq + 1));
    }
    return values;
}

QString NotANumber(const QString &text, const char *key, const QString &fileName)
{
    return QStringLiteral("'%1' не является числом: ключ \"%2\" в файле %3!")
        .arg(text, QString::fromLatin1(key), fileName);
}

// Sets the field of one key from its text; a text that does not convert
// leaves the field as it was. Returns a message for a real that is not a number.
QString ReadValue(TSettings &s, const TKey &key, const QString &text, const QString &fileName)
{
    return std::visit(
        [&](auto member) -> QString {
            auto &field = s.*member;
            using V = std::decay_t<decltype(field)>;
            if constexpr (std::is_same_v<V, QString>) {
                field = text;
            } else if constexpr (std::is_same_v<V, double>) {
                if (!LocaleParseReal(text, field))
                    return NotANumber(text, key.name, fileName);
            } else {
                int32_t value = 0;
                if (!LocaleParseInt(text, value))
                    return {};
                if constexpr (std::is_same_v<V, bool>)
                    field = value != 0;
                else
                    field = static_cast<V>(value);  // ErrorCode keeps the low 16 bits
            }
            return {};
        },
        key.field);
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
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QHash<QString, QString> values = ParseSection(text);
    for (const TKey &key : kKeys) {
        const auto found = values.constFind(QString::fromLatin1(key.name).toLower());
        if (found == values.constEnd())
            continue;
        if (QString message = ReadValue(settings, key, *found, fileName); !message.isEmpty())
            messages << message;
    }
    settings.BaseLineFile = ShortString(settings.BaseLineFile);
    return messages;
}

QString WriteSettings(const QString &fileName, const TSettings &settings)
{
    TSettings s = settings;
    s.BaseLineFile = ShortString(s.BaseLineFile);
    QString text = u'[' + kSection + QStringLiteral("]\n");
    for (const TKey &key : kKeys)
        text += QString::fromLatin1(key.name) + u'=' + WriteValue(s, key.field) + u'\n';
    return WriteFileSafely(fileName, text.toUtf8());
}

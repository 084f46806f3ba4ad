#include "app/core/SofteningSettings.h"

#include "app/core/IniText.h"
#include "app/core/LocaleFormat.h"
#include "app/core/SafeFile.h"
#include "app/core/Settings.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>

#include <vector>

namespace {

const QString kSection = QStringLiteral("Softening");
const QString kEnabled = QStringLiteral("enabled");
const QString kMargin = QStringLiteral("marginpercent");

QString ValueText(const QByteArray &bytes, const TIniSection::TValue &value)
{
    return IniValueText(bytes, value).trimmed();
}

bool ReadEnabled(const QString &text, bool &enabled)
{
    int32_t value = 0;
    if (!LocaleParseInt(text, value))
        return false;
    enabled = value != 0;
    return true;
}

// A point, or the locale's own separator.
bool ReadMargin(const QString &text, double &margin)
{
    bool ok = false;
    double value = QLocale::c().toDouble(text, &ok);
    if (!ok && !LocaleParseReal(text, value))
        return false;
    if (!(value >= kMinMarginPercent && value <= kMaxMarginPercent))
        return false;
    margin = value;
    return true;
}

QByteArray MarginText(double margin) { return QByteArray::number(margin, 'g', 15); }

} // namespace

QStringList ParseSofteningOptions(const QByteArray &bytes, const QString &fileName, TSofteningOptions &options)
{
    options = TSofteningOptions{};
    const TIniSection section = ScanIniSection(bytes, kSection);
    if (const auto found = section.values.constFind(kEnabled); found != section.values.constEnd())
        ReadEnabled(ValueText(bytes, *found), options.Enabled);
    const auto found = section.values.constFind(kMargin);
    if (found == section.values.constEnd())
        return {};
    const QString text = ValueText(bytes, *found);
    if (ReadMargin(text, options.MarginPercent))
        return {};
    return {QCoreApplication::translate("SofteningSettings", "'%1' не является числом от %2 до %3: ключ \"MarginPercent\" раздела [Softening] в "
                           "файле %4!")
                .arg(text, LocaleGeneral(kMinMarginPercent), LocaleGeneral(kMaxMarginPercent), fileName)};
}

QStringList ReadSofteningOptions(const QString &fileName, TSofteningOptions &options)
{
    options = TSofteningOptions{};
    if (!QFileInfo::exists(fileName))
        return {};
    QString error;
    const auto bytes = ReadFileHead(fileName, kMaxSettingsBytes, error);
    if (!bytes)
        return {error};
    return ParseSofteningOptions(*bytes, fileName, options);
}

QByteArray MergeSofteningOptions(const QByteArray &old, const TSofteningOptions &options)
{
    const TIniSection section = ScanIniSection(old, kSection);
    std::vector<TIniEdit> edits;
    QList<QByteArray> added;
    const auto keep = [&](const QString &key, const char *name, const QByteArray &value, auto readsAsHeld) {
        const auto found = section.values.constFind(key);
        if (found == section.values.constEnd())
            added << name + ('=' + value);
        else if (!readsAsHeld(ValueText(old, *found)))
            edits.push_back({*found, value});
    };
    keep(kEnabled, "Enabled", options.Enabled ? "1" : "0", [&](const QString &text) {
        bool enabled = !options.Enabled;
        return ReadEnabled(text, enabled) && enabled == options.Enabled;
    });
    keep(kMargin, "MarginPercent", MarginText(options.MarginPercent), [&](const QString &text) {
        double margin = 0;
        return ReadMargin(text, margin) && margin == options.MarginPercent;
    });
    return EditIniSection(old, section, kSection, std::move(edits), added);
}

QString WriteSofteningOptions(const QString &fileName, const TSofteningOptions &options)
{
    QString error;
    const std::optional<QByteArray> read = ReadSettingsForRewrite(fileName, error);
    if (!read)
        return error;
    const QByteArray &old = *read;
    const QByteArray merged = MergeSofteningOptions(old, options);
    if (merged == old)
        return {};
    // A file that never had the section keeps its shape while the option
    // stays at its defaults.
    if (options == TSofteningOptions{} && ScanIniSection(old, kSection).appendAt < 0)
        return {};
    return WriteFileSafely(fileName, merged);
}

#include "archive/core/ArchiveTypes.h"

#include <QCoreApplication>

namespace archive {
namespace {

struct TSourceWords {
    TRunSource source;
    const char *name;
    const char *caption;
};

const TSourceWords kSources[] = {
    {TRunSource::Saved, "saved", QT_TRANSLATE_NOOP("archive::ArchiveTypes", "сохранена")},
    {TRunSource::Autosaved, "autosaved", QT_TRANSLATE_NOOP("archive::ArchiveTypes", "автосохранение")},
    {TRunSource::Opened, "opened", QT_TRANSLATE_NOOP("archive::ArchiveTypes", "открыта")},
    {TRunSource::Added, "added", QT_TRANSLATE_NOOP("archive::ArchiveTypes", "добавлена")},
    {TRunSource::Found, "found", QT_TRANSLATE_NOOP("archive::ArchiveTypes", "найдена")},
};

} // namespace

QString SourceName(TRunSource source)
{
    for (const TSourceWords &w : kSources)
        if (w.source == source)
            return QString::fromLatin1(w.name);
    return {};
}

QString SourceCaption(TRunSource source)
{
    for (const TSourceWords &w : kSources)
        if (w.source == source)
            return QCoreApplication::translate("archive::ArchiveTypes", w.caption);
    return {};
}

std::optional<TRunSource> SourceOf(const QString &name)
{
    for (const TSourceWords &w : kSources)
        if (name == QLatin1String(w.name))
            return w.source;
    return std::nullopt;
}

bool TSampleDescription::IsEmpty() const
{
    return name.isEmpty() && material.isEmpty() && batch.isEmpty() && operatorName.isEmpty() && note.isEmpty();
}

int64_t TRunEntry::RunDateMs() const
{
    if (startedMs)
        return *startedMs;
    return facts.mtimeMs.value_or(0);
}

} // namespace archive

#include "app/core/IniText.h"

#include "app/core/Utf8Text.h"

#include <algorithm>

TIniSection ScanIniSection(const QByteArray &bytes, const QString &name)
{
    TIniSection section;
    section.textBegin = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    const QByteArrayView all(bytes);
    bool inSection = false, inFirst = false, lineEndSeen = false;
    for (qsizetype begin = section.textBegin; begin < bytes.size();) {
        const qsizetype newline = bytes.indexOf('\n', begin);
        const qsizetype next = newline < 0 ? bytes.size() : newline + 1;
        qsizetype end = newline < 0 ? bytes.size() : newline;
        if (end > begin && bytes[end - 1] == '\r')
            --end;
        if (newline >= 0 && !lineEndSeen) {
            section.lineEnd = bytes.mid(end, next - end);
            lineEndSeen = true;
        }
        const QByteArrayView line = all.sliced(begin, end - begin);
        const QString trimmed = QString::fromUtf8(line).trimmed();
        const qsizetype eq = line.indexOf('=');
        if (trimmed.startsWith(u'[') && trimmed.endsWith(u']')) {
            inSection = trimmed.mid(1, trimmed.size() - 2).trimmed().compare(name, Qt::CaseInsensitive) == 0;
            inFirst = inSection && section.appendAt < 0;
            if (inFirst)
                section.appendAt = next;
        } else if (inSection && eq >= 0 && !trimmed.startsWith(u';')) {
            const QString key = QString::fromUtf8(line.first(eq)).trimmed().toLower();
            if (!key.isEmpty() && !section.values.contains(key))
                section.values.insert(key, {begin + eq + 1, end});
            if (inFirst)
                section.appendAt = next;
        }
        begin = next;
    }
    return section;
}

QString IniValueText(const QByteArray &bytes, const TIniSection::TValue &value)
{
    return Utf8Text(QByteArrayView(bytes).sliced(value.begin, value.end - value.begin));
}

QByteArray EditIniSection(const QByteArray &bytes, const TIniSection &section, const QString &name,
                          std::vector<TIniEdit> edits, const QList<QByteArray> &added)
{
    for (TIniEdit &edit : edits) {
        while (edit.where.begin < edit.where.end && (bytes[edit.where.begin] == ' ' || bytes[edit.where.begin] == '\t'))
            ++edit.where.begin;
    }
    if (!added.isEmpty()) {
        qsizetype at = section.appendAt;
        QByteArray lines;
        if (at < 0) {
            at = bytes.size();
            lines = '[' + name.toUtf8() + ']' + section.lineEnd;
        }
        // The file's last line gets the line end it lacked.
        if (at == bytes.size() && bytes.size() > section.textBegin && !bytes.endsWith('\n'))
            lines.prepend(bytes.endsWith('\r') ? QByteArray("\n") : section.lineEnd);
        for (const QByteArray &line : added)
            lines += line + section.lineEnd;
        edits.push_back({{at, at}, lines});
    }
    std::stable_sort(edits.begin(), edits.end(),
                     [](const TIniEdit &a, const TIniEdit &b) { return a.where.begin < b.where.begin; });
    QByteArray edited;
    const QByteArrayView all(bytes);
    qsizetype copied = 0;
    for (const TIniEdit &edit : edits) {
        edited += all.sliced(copied, edit.where.begin - copied);
        edited += edit.text;
        copied = edit.where.end;
    }
    edited += all.sliced(copied);
    return edited;
}

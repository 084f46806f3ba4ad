#pragma once
// The keys of one section of an INI file, found in the file's bytes, so that
// their values can be read and rewritten in place while every other byte
// (other sections and keys, comments, blank lines, line ends, a byte order
// mark) stays as it was.
//
// A line ends at "\n", and a "\r" before it belongs to the line end. A line
// whose text, trimmed, is "[name]" opens the section name (matched without
// regard to case, blanks inside the brackets ignored); in it, a line with '='
// that does not start with ';' holds a key (the text before the first '=',
// trimmed) and its value (the text after it, up to the line end).
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <vector>

struct TIniSection {
    struct TValue {
        qsizetype begin;  // the byte after '='
        qsizetype end;    // the end of the line's text
    };
    // Key in lower case -> its first occurrence in any section of the name.
    QHash<QString, TValue> values;
    // Where new keys go: after the last key line of the first section of the
    // name, or after its header; -1 when the file has none.
    qsizetype appendAt = -1;
    qsizetype textBegin = 0;    // past a UTF-8 byte order mark
    QByteArray lineEnd = "\n";  // that of the file's first ended line
};

TIniSection ScanIniSection(const QByteArray &bytes, const QString &name);

// The text of a value found by ScanIniSection, as it stands in the file.
QString IniValueText(const QByteArray &bytes, const TIniSection::TValue &value);

// A value's new text; the blanks after '=' stay.
struct TIniEdit {
    TIniSection::TValue where;  // from TIniSection::values
    QByteArray text;
};

// bytes with the edits made and the lines added ("key=value", each given
// without a line end) put at section.appendAt, in the file's line end. When
// the file has no section of the name, one is started at its end.
QByteArray EditIniSection(const QByteArray &bytes, const TIniSection &section, const QString &name,
                          std::vector<TIniEdit> edits, const QList<QByteArray> &added);

#pragma once
// The option "heating off at softening" and its own section of the settings
// file, beside the section "Options" that it never touches:
//
//   [Softening]
//   Enabled=0            1: watch the run and cut the heating at softening
//   MarginPercent=0.5    how far the length must fall below its maximum, in
//                        percent of the expansion up to it
//
// Numbers are written with a point and read with a point or the locale's
// decimal separator. The writer rewrites the two values where they stand and
// keeps every other byte of the file.
#include <QByteArray>
#include <QString>
#include <QStringList>

struct TSofteningOptions {
    bool Enabled = false;
    double MarginPercent = 0.5;

    bool operator==(const TSofteningOptions &) const = default;
};

inline constexpr double kMinMarginPercent = 0.05;
inline constexpr double kMaxMarginPercent = 20.0;

// The options from the bytes of a settings file: the defaults, then the keys
// of its first section "Softening" (without regard to case). A margin that is
// not a number from kMinMarginPercent to kMaxMarginPercent keeps the default
// and yields a message naming the key, the text and fileName; "Enabled" that
// is not an integer keeps the default.
[[nodiscard]] QStringList ParseSofteningOptions(const QByteArray &bytes, const QString &fileName,
                                                TSofteningOptions &options);

// The same from the file itself; an absent file gives the defaults.
[[nodiscard]] QStringList ReadSofteningOptions(const QString &fileName, TSofteningOptions &options);

// The settings file's bytes with the section holding options: values
// rewritten in place unless they already read as held, missing keys added,
// the section started at the end when the file has none.
QByteArray MergeSofteningOptions(const QByteArray &old, const TSofteningOptions &options);

// Writes the section into the settings file (safe write): nothing when the
// file already holds the options, nor when it has no such section and the
// options are the defaults. A file that cannot be read, or is larger than
// the settings reader reads, is not written. Returns an empty string or the
// message to show.
[[nodiscard]] QString WriteSofteningOptions(const QString &fileName, const TSofteningOptions &options);

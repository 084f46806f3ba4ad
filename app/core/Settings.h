#pragma once
// The acquisition, calibration and heating settings of the main window, and
// the settings file "Varotem.ini" (one section "Options") that keeps them
// between runs of the program.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <cstdint>
#include <optional>

struct TSettings {
    int32_t TimerWorkInterval = 1;   // acquisition period, seconds
    int32_t N = 10000;               // point limit of a run
    double aT = 0, aL = 0;           // Y = a + b X + c X^2 + d X^3 for T (and TC) and for L
    double bT = 1, bL = 1;
    double cT = 0, cL = 0;
    double dT = 0, dL = 0;
    int32_t Chan1 = 0;               // converter channels of T, L and TC
    int32_t Chan2 = 1;
    int32_t Chan3 = 0;
    int16_t ErrorCode = -1;          // reading that marks a failed conversion
    bool AutoSaveFlag = true;
    int32_t AutoSaveTime = 300;      // autosave every this many samples
    QString AutoSaveFile;            // DefaultSettings fills the three file names
    QString SplineTFile;
    QString SplineLFile;
    bool TSplineKalibrFlag = false;  // T and TC by reference points instead of the polynomial
    bool LSplineKalibrFlag = false;  // L by reference points
    bool LWeightDriver = false;      // L read from the weigher
    QString BaseLineFile = QStringLiteral("Nil");  // at most kShortStringLength characters
    bool ManageFlag = false;         // heating control on
    int32_t ManageStartEvent = 0;
    int32_t ManageStopEvent = 0;
    double ManageValue = 0;          // threshold of the switch-off events 1..4

    bool operator==(const TSettings &) const = default;
};

inline constexpr int kShortStringLength = 255;

// Only this much of a settings file is read: far above any real one.
inline constexpr qint64 kMaxSettingsBytes = 1 << 20;

// The defaults, with the three file names in dataDir (see ProgramDataDir):
// "default.dat", "defaultT.spl", "defaultL.spl".
TSettings DefaultSettings(const QString &dataDir);

// text cut to kShortStringLength characters (a surrogate pair is not split).
QString ShortString(const QString &text);

// Replaces settings by the defaults and then by the keys found in the first
// kMaxSettingsBytes of fileName (UTF-8; keys and section name without regard
// to case; the first occurrence of a key counts; a string is the text after
// '=' without the blanks around it).
// An absent file or key gives the default; an integer or boolean key that is
// not an integer gives the default. A real key that is not a number in the
// locale's format (a blank one included) keeps its default and yields one
// message naming the key and the text; reading goes on with the next keys. Returns the messages to show
// (none when all went well; also one when the file exists but cannot be read).
[[nodiscard]] QStringList ReadSettings(const QString &fileName, const QString &dataDir,
                                       TSettings &settings);

// ReadSettings on the bytes of a settings file already read (fileName only
// names the file in the messages).
[[nodiscard]] QStringList ParseSettingsText(const QByteArray &bytes, const QString &fileName,
                                            const QString &dataDir, TSettings &settings);

// Writes all 27 keys, reals with the locale's decimal separator, as UTF-8.
// An existing file keeps everything but the keys' values: each key's value
// is rewritten where the reader finds it (unless it already reads as the
// value held), keys it lacks are added to its section "Options" (started at
// its end when missing), and other sections, unknown keys, comments, blank
// lines, line ends and a byte order mark stay byte for byte. A new file gets
// "[Options]" and the keys in their fixed order. A file larger than
// kMaxSettingsBytes, or one that cannot be read, is not written. Returns an
// empty string or the message to show.
[[nodiscard]] QString WriteSettings(const QString &fileName, const TSettings &settings);

// The whole of a settings file about to be rewritten in part: empty when
// there is no file; nothing, with the message in error, when it cannot be
// read or is larger than kMaxSettingsBytes (its tail could not be kept as it
// stands, the reader never saw it).
std::optional<QByteArray> ReadSettingsForRewrite(const QString &fileName, QString &error);

// The settings file and where the program keeps its files.
#include "app/core/AppPaths.h"
#include "app/core/Settings.h"
#include "tests/app/CoreTestUtil.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

TSettings ReadText(const QByteArray &ini, QStringList &messages)
{
    QTemporaryDir dir;
    WriteBytes(dir.filePath("Varotem.ini"), ini);
    TSettings s;
    messages = ReadSettings(dir.filePath("Varotem.ini"), "/dir/", s);
    return s;
}

} // namespace

TEST(Settings, DefaultsWithoutFile)
{
    TSettings s;
    s.N = 5;
    EXPECT_TRUE(ReadSettings("/nonexistent/Varotem.ini", "/prog/", s).isEmpty());
    TSettings expected;
    expected.AutoSaveFile = "/prog/default.dat";
    expected.SplineTFile = "/prog/defaultT.spl";
    expected.SplineLFile = "/prog/defaultL.spl";
    EXPECT_EQ(s, expected);
}

TEST(Settings, AllKeysRoundTripInOrder)
{
    TSettings changed = DefaultSettings("/elsewhere/");  // every key off its default
    changed.TimerWorkInterval = 5, changed.N = 1234, changed.aT = -273.15, changed.aL = 0.001;
    changed.bT = 1.25, changed.bL = -2e-5, changed.cT = 3.5e-7, changed.cL = 12345.6789012345;
    changed.dT = -1e20, changed.dL = 5.2e-7, changed.Chan1 = 3, changed.Chan2 = -4, changed.Chan3 = 7;
    changed.ErrorCode = -32768, changed.AutoSaveFlag = false, changed.AutoSaveTime = 17;
    changed.AutoSaveFile = "/data/прогон 1.dat", changed.SplineLFile = "l.spl";
    changed.TSplineKalibrFlag = changed.LSplineKalibrFlag = changed.LWeightDriver = true;
    changed.BaseLineFile = "/base=line.dat", changed.ManageFlag = true;
    changed.ManageStartEvent = 1, changed.ManageStopEvent = 4, changed.ManageValue = 1000.5;
    const QString keys = "TimerWorkInterval N aT aL bT bL cT cL dT dL Chan1 Chan2 Chan3 ErrorCode "
                         "AutoSaveFlag AutoSaveTime AutoSaveFile SplineTFile SplineLFile TSplineKalibrFlag "
                         "LSplineKalibrFlag LWeightDriver BaseLineFile ManageFlag ManageStartEvent "
                         "ManageStopEvent ManageValue";
    for (const auto &[language, aT] : {std::pair{QLocale::C, "aT=-273.15"}, {QLocale::Russian, "aT=-273,15"}}) {
        TLocaleGuard locale(language);
        QTemporaryDir dir;
        const QString name = dir.filePath("Varotem.ini");
        ASSERT_TRUE(WriteSettings(name, changed).isEmpty());
        TSettings s;
        EXPECT_TRUE(ReadSettings(name, "/x/", s).isEmpty());
        EXPECT_EQ(s, changed);
        QStringList lines = QString::fromUtf8(ReadBytes(name)).split('\n', Qt::SkipEmptyParts);
        EXPECT_EQ(lines.takeFirst(), "[Options]");
        for (const char *line : {aT, "dT=-1E20", "AutoSaveFlag=0", "LWeightDriver=1"})
            EXPECT_TRUE(lines.contains(line)) << line;
        for (QString &line : lines)
            line = line.section('=', 0, 0);
        EXPECT_EQ(lines.join(' '), keys);
    }
}

TEST(Settings, CommaIsNotANumberForAPointLocale)
{
    QByteArray ini;
    {
        TLocaleGuard russian(QLocale::Russian);
        QTemporaryDir dir;
        TSettings s;
        s.aT = 0.5, s.N = 77;
        ASSERT_TRUE(WriteSettings(dir.filePath("a.ini"), s).isEmpty());
        ini = ReadBytes(dir.filePath("a.ini"));
    }
    TLocaleGuard english(QLocale::English);
    QStringList messages;
    const TSettings s = ReadText(ini, messages);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("'0,5' не является числом: ключ \"aT\"")) << messages[0].toStdString();
    EXPECT_EQ(s.aT, 0);  // kept its default
    EXPECT_EQ(s.N, 77);  // the keys after it are still read
}

TEST(Settings, ValueForms)
{
    TLocaleGuard c(QLocale::C);
    QStringList messages;
    const TSettings s = ReadText("\xEF\xBB\xBF[Other]\r\nN=5\r\n[ options ]\r\ntimerworkinterval = 7 \r\n"
                                 "N=abc\r\ncT= \r\nErrorCode=65535\r\nAutoSaveFlag=2\r\nLWeightDriver=yes\r\n"
                                 "Chan2=9\r\nChan2=10\r\nBaseLineFile=" + QByteArray(254, 'b') + "  c\r\n"
                                 "AutoSaveFile= \t/data/прогон 1.dat \r\nSplineLFile=\xEF\xBB\xBF/data/L.spl\r\n",
                                 messages);
    EXPECT_EQ(s.TimerWorkInterval, 7);  // key and section names without regard to case
    EXPECT_EQ(s.N, 10000);              // not an integer: default; the other section ignored
    EXPECT_EQ(s.ErrorCode, -1);         // the low 16 bits of 65535
    EXPECT_TRUE(s.AutoSaveFlag);
    EXPECT_FALSE(s.LWeightDriver);
    EXPECT_EQ(s.Chan2, 9);              // the first occurrence counts
    EXPECT_EQ(s.BaseLineFile, QString(254, 'b'));  // cut to 255, then the blank the cut left is trimmed
    EXPECT_EQ(s.AutoSaveFile, "/data/прогон 1.dat");  // blanks around a string are not part of it
    // A byte order mark inside a line is the value's own character.
    EXPECT_EQ(s.SplineLFile, QChar(0xFEFF) + QStringLiteral("/data/L.spl"));
    EXPECT_EQ(s.cT, 0);
    ASSERT_EQ(messages.size(), 1);  // a blank real is not a number either
    EXPECT_TRUE(messages[0].contains("\"cT\"")) << messages[0].toStdString();
}

// The lines of a new file for DefaultSettings("/d/") in the C locale, in
// their fixed order, but for the keys in skip; each ends in end.
QByteArray DefaultKeyLines(const QStringList &skip, const QByteArray &end)
{
    const QString lines = "TimerWorkInterval=1 N=10000 aT=0 aL=0 bT=1 bL=1 cT=0 cL=0 dT=0 dL=0 Chan1=0 Chan2=1 "
                          "Chan3=0 ErrorCode=-1 AutoSaveFlag=1 AutoSaveTime=300 AutoSaveFile=/d/default.dat "
                          "SplineTFile=/d/defaultT.spl SplineLFile=/d/defaultL.spl TSplineKalibrFlag=0 "
                          "LSplineKalibrFlag=0 LWeightDriver=0 BaseLineFile=Nil ManageFlag=0 ManageStartEvent=0 "
                          "ManageStopEvent=0 ManageValue=0";
    QByteArray text;
    for (const QString &line : lines.split(' '))
        text += skip.contains(line.section('=', 0, 0)) ? QByteArray() : line.toUtf8() + end;
    return text;
}

// A file the user edited keeps all but the 27 values: a value changes where
// the reader found it, and missing keys join the section in its line ends.
TEST(Settings, WritingKeepsWhatTheFileHeldBesideTheValues)
{
    TLocaleGuard c(QLocale::C);
    const QByteArray bom = "\xEF\xBB\xBF";
    const struct {
        const char *name;
        QByteArray before;
        int32_t N;  // set before writing
        QByteArray after;
    } rows[] = {
        {"hand-edited, CR LF, a second section",
         bom + "; furnace 2\r\n[Options]\r\nN = 500\r\n; 12 May\r\naT=0.50\r\nOperator=Иванов\r\n\r\n[Oven]\r\nN=7",
         600,
         bom + "; furnace 2\r\n[Options]\r\nN = 600\r\n; 12 May\r\naT=0.50\r\nOperator=Иванов\r\n" +
             DefaultKeyLines({"N", "aT"}, "\r\n") + "\r\n[Oven]\r\nN=7"},
        {"values held stay as written", "[options]\ntimerworkinterval = 1 \nAutoSaveFlag=2\nBaseLineFile= Nil\n",
         10000,
         "[options]\ntimerworkinterval = 1 \nAutoSaveFlag=2\nBaseLineFile= Nil\n" +
             DefaultKeyLines({"TimerWorkInterval", "AutoSaveFlag", "BaseLineFile"}, "\n")},
        {"no section, last line unended", "[Other]\nN=7", 10000,
         "[Other]\nN=7\n[Options]\n" + DefaultKeyLines({}, "\n")},
        {"first occurrence, comment, two sections", "[Options]\n;N=5\nN=5\nN=6\n[Other]\n[OPTIONS]\naT=2\n", 9,
         "[Options]\n;N=5\nN=9\nN=6\n" + DefaultKeyLines({"N", "aT"}, "\n") + "[Other]\n[OPTIONS]\naT=2\n"},
    };
    for (const auto &r : rows) {
        QTemporaryDir dir;
        const QString name = dir.filePath("Varotem.ini");
        WriteBytes(name, r.before);
        TSettings s, back;
        EXPECT_TRUE(ReadSettings(name, "/d/", s).isEmpty()) << r.name;
        s.N = r.N;
        ASSERT_TRUE(WriteSettings(name, s).isEmpty()) << r.name;
        EXPECT_EQ(ReadBytes(name).toStdString(), r.after.toStdString()) << r.name;
        EXPECT_TRUE(ReadSettings(name, "/d/", back).isEmpty() && back == s) << r.name;
    }

    // The reader sees the first MiB only; a longer file is left as it is.
    QTemporaryDir dir;
    const QByteArray big = "[Options]\nN=5\n" + QByteArray(kMaxSettingsBytes, ';');
    WriteBytes(dir.filePath("Varotem.ini"), big);
    EXPECT_TRUE(WriteSettings(dir.filePath("Varotem.ini"), DefaultSettings("/d/")).contains(dir.path()));
    EXPECT_EQ(ReadBytes(dir.filePath("Varotem.ini")), big);
}

TEST(AppPaths, ProgramDirectoryUnlessNothingCanBeCreatedThere)
{
    QTemporaryDir dir;
    EXPECT_EQ(ChooseDataDir(dir.path(), dir.filePath("user")), dir.path() + '/');
    EXPECT_EQ(ChooseDataDir(UnwritablePath(dir, "bin"), dir.filePath("user/cfg")), dir.filePath("user/cfg/"));
    EXPECT_TRUE(QDir(dir.filePath("user/cfg")).exists());
    EXPECT_TRUE(QDir(dir.path()).entryList({"varotem-probe-*"}).isEmpty());
}

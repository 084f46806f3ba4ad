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
    changed.AutoSaveFile = "/data/прогон 1.dat", changed.SplineLFile = " l.spl ";
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
                                 "Chan2=9\r\nChan2=10\r\nBaseLineFile=" + QByteArray(300, 'b') + "\r\n",
                                 messages);
    EXPECT_EQ(s.TimerWorkInterval, 7);  // key and section names without regard to case
    EXPECT_EQ(s.N, 10000);              // not an integer: default; the other section ignored
    EXPECT_EQ(s.ErrorCode, -1);         // the low 16 bits of 65535
    EXPECT_TRUE(s.AutoSaveFlag);
    EXPECT_FALSE(s.LWeightDriver);
    EXPECT_EQ(s.Chan2, 9);              // the first occurrence counts
    EXPECT_EQ(s.BaseLineFile, QString(255, 'b'));
    EXPECT_EQ(s.cT, 0);
    ASSERT_EQ(messages.size(), 1);  // a blank real is not a number either
    EXPECT_TRUE(messages[0].contains("\"cT\"")) << messages[0].toStdString();
}

TEST(AppPaths, ProgramDirectoryUnlessNothingCanBeCreatedThere)
{
    QTemporaryDir dir;
    EXPECT_EQ(ChooseDataDir(dir.path(), dir.filePath("user")), dir.path() + '/');
    EXPECT_EQ(ChooseDataDir(UnwritablePath(dir, "bin"), dir.filePath("user/cfg")), dir.filePath("user/cfg/"));
    EXPECT_TRUE(QDir(dir.filePath("user/cfg")).exists());
    EXPECT_TRUE(QDir(dir.path()).entryList({"varotem-probe-*"}).isEmpty());
}

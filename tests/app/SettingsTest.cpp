// The settings file and where the program keeps its files.
#include "app/core/AppPaths.h"
#include "app/core/Settings.h"
#include "tests/app/CoreTestUtil.h"

#include <gtest/gtest.h>

namespace {

// Every key with a value different from its default.
TSettings Changed()
{
    TSettings s = DefaultSettings("/elsewhere/");
    s.TimerWorkInterval = 5, s.N = 1234;
    s.aT = -273.15, s.aL = 0.001, s.bT = 1.25, s.bL = -2e-5, s.cT = 3.5e-7, s.cL = 12345.6789012345;
    s.dT = -1e20, s.dL = 5.2e-7;
    s.Chan1 = 3, s.Chan2 = -4, s.Chan3 = 7, s.ErrorCode = -32768;
    s.AutoSaveFlag = false, s.AutoSaveTime = 17;
    s.AutoSaveFile = "/data/прогон 1.dat", s.SplineTFile = "C:\\t.spl", s.SplineLFile = " l.spl";
    s.TSplineKalibrFlag = s.LSplineKalibrFlag = s.LWeightDriver = true;
    s.BaseLineFile = "/data/base=line.dat";
    s.ManageFlag = true, s.ManageStartEvent = 1, s.ManageStopEvent = 4, s.ManageValue = 1000.5;
    return s;
}

void ExpectSame(const TSettings &a, const TSettings &b)
{
    EXPECT_EQ(a.TimerWorkInterval, b.TimerWorkInterval);
    EXPECT_EQ(a.N, b.N);
    for (auto f : {&TSettings::aT, &TSettings::aL, &TSettings::bT, &TSettings::bL, &TSettings::cT,
                   &TSettings::cL, &TSettings::dT, &TSettings::dL, &TSettings::ManageValue})
        EXPECT_EQ(a.*f, b.*f);
    EXPECT_EQ(a.Chan1, b.Chan1);
    EXPECT_EQ(a.Chan2, b.Chan2);
    EXPECT_EQ(a.Chan3, b.Chan3);
    EXPECT_EQ(a.ErrorCode, b.ErrorCode);
    for (auto f : {&TSettings::AutoSaveFlag, &TSettings::TSplineKalibrFlag, &TSettings::LSplineKalibrFlag,
                   &TSettings::LWeightDriver, &TSettings::ManageFlag})
        EXPECT_EQ(a.*f, b.*f);
    EXPECT_EQ(a.AutoSaveTime, b.AutoSaveTime);
    for (auto f : {&TSettings::AutoSaveFile, &TSettings::SplineTFile, &TSettings::SplineLFile,
                   &TSettings::BaseLineFile})
        EXPECT_EQ(a.*f, b.*f);
    EXPECT_EQ(a.ManageStartEvent, b.ManageStartEvent);
    EXPECT_EQ(a.ManageStopEvent, b.ManageStopEvent);
}

TSettings ReadText(const QByteArray &ini, QStringList *messages = nullptr)
{
    QTemporaryDir dir;
    WriteBytes(dir.filePath("Varotem.ini"), ini);
    TSettings s;
    const QStringList m = ReadSettings(dir.filePath("Varotem.ini"), "/dir/", s);
    if (messages)
        *messages = m;
    return s;
}

} // namespace

TEST(Settings, DefaultsWithoutFile)
{
    TSettings s = Changed();
    EXPECT_TRUE(ReadSettings("/nonexistent/Varotem.ini", "/prog/", s).isEmpty());
    TSettings expected;  // the table of defaults, spelled out
    expected.AutoSaveFile = "/prog/default.dat";
    expected.SplineTFile = "/prog/defaultT.spl";
    expected.SplineLFile = "/prog/defaultL.spl";
    ExpectSame(s, expected);
    EXPECT_EQ(s.TimerWorkInterval, 1);
    EXPECT_EQ(s.N, 10000);
    EXPECT_EQ(s.bT, 1);
    EXPECT_EQ(s.Chan2, 1);
    EXPECT_EQ(s.ErrorCode, -1);
    EXPECT_TRUE(s.AutoSaveFlag);
    EXPECT_EQ(s.AutoSaveTime, 300);
    EXPECT_EQ(s.BaseLineFile, "Nil");
}

TEST(Settings, AllKeysRoundTripInOrder)
{
    for (auto language : {QLocale::C, QLocale::Russian}) {
        TLocaleGuard locale(language);
        QTemporaryDir dir;
        const QString name = dir.filePath("Varotem.ini");
        ASSERT_TRUE(WriteSettings(name, Changed()).isEmpty());
        TSettings s;
        EXPECT_TRUE(ReadSettings(name, "/x/", s).isEmpty());
        ExpectSame(s, Changed());

        const QStringList lines = QString::fromUtf8(ReadBytes(name)).split('\n', Qt::SkipEmptyParts);
        const QStringList keys{"TimerWorkInterval", "N", "aT", "aL", "bT", "bL", "cT", "cL", "dT",
                               "dL", "Chan1", "Chan2", "Chan3", "ErrorCode", "AutoSaveFlag",
                               "AutoSaveTime", "AutoSaveFile", "SplineTFile", "SplineLFile",
                               "TSplineKalibrFlag", "LSplineKalibrFlag", "LWeightDriver",
                               "BaseLineFile", "ManageFlag", "ManageStartEvent", "ManageStopEvent",
                               "ManageValue"};
        ASSERT_EQ(lines.size(), 28);
        EXPECT_EQ(lines[0], "[Options]");
        for (int k = 0; k < 27; ++k)
            EXPECT_EQ(lines[k + 1].section('=', 0, 0), keys[k]);
        const QString sep = language == QLocale::C ? "." : ",";
        EXPECT_TRUE(lines.contains("aT=-273" + sep + "15"));
        EXPECT_TRUE(lines.contains("dT=-1E20"));
        EXPECT_TRUE(lines.contains("AutoSaveFlag=0"));
        EXPECT_TRUE(lines.contains("LWeightDriver=1"));
        EXPECT_TRUE(lines.contains("AutoSaveFile=/data/прогон 1.dat"));
    }
}

TEST(Settings, CommaIsNotANumberForAPointLocale)
{
    QByteArray ini;
    {
        TLocaleGuard russian(QLocale::Russian);
        QTemporaryDir dir;
        TSettings s = DefaultSettings("/");
        s.aT = 0.5, s.N = 77;
        ASSERT_TRUE(WriteSettings(dir.filePath("a.ini"), s).isEmpty());
        ini = ReadBytes(dir.filePath("a.ini"));
    }
    TLocaleGuard english(QLocale::English);
    QStringList messages;
    const TSettings s = ReadText(ini, &messages);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("'0,5'") && messages[0].contains("\"aT\""));
    EXPECT_EQ(s.aT, 0);   // kept its default
    EXPECT_EQ(s.N, 77);   // the other keys still read
    EXPECT_EQ(s.bT, 1);
}

TEST(Settings, ValueForms)
{
    TLocaleGuard c(QLocale::C);
    QStringList messages;
    const TSettings s = ReadText("\xEF\xBB\xBF; comment\r\n[Other]\r\nN=5\r\n[ options ]\r\n"
                                 "timerworkinterval = 7 \r\nN=abc\r\nbT=oops\r\ncT= \r\ndT=2.5\r\n"
                                 "ErrorCode=65535\r\nChan1=1.5\r\nAutoSaveFlag=2\r\nLWeightDriver=yes\r\n"
                                 "TSplineKalibrFlag=-1\r\nAutoSaveFile=\r\nManageValue=1e999\r\n"
                                 "Chan2=9\r\nChan2=10\r\nBaseLineFile=" + QByteArray(300, 'b') + "\r\n",
                                 &messages);
    EXPECT_EQ(s.TimerWorkInterval, 7);  // keys and section without regard to case
    EXPECT_EQ(s.N, 10000);              // not an integer: default (the other section ignored)
    EXPECT_EQ(s.bT, 1);                 // not a number: reported, default kept
    EXPECT_EQ(s.cT, 0);                 // blank: default, not reported
    EXPECT_EQ(s.dT, 2.5);
    EXPECT_EQ(s.ErrorCode, -1);         // low 16 bits of 65535
    EXPECT_EQ(s.Chan1, 0);
    EXPECT_TRUE(s.AutoSaveFlag);
    EXPECT_FALSE(s.LWeightDriver);
    EXPECT_TRUE(s.TSplineKalibrFlag);
    EXPECT_EQ(s.AutoSaveFile, "");
    EXPECT_EQ(s.Chan2, 9);              // the first occurrence counts
    EXPECT_EQ(s.BaseLineFile, QString(255, 'b'));
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[0].contains("'oops'") && messages[0].contains("\"bT\""));
    EXPECT_TRUE(messages[1].contains("\"ManageValue\""));
}

TEST(Settings, ShortStringKeepsSurrogatePairsWhole)
{
    const QString clef = QString::fromUtf8("\xF0\x9D\x84\x9E");  // one character, two UTF-16 units
    EXPECT_EQ(ShortString(QString(254, 'a') + clef), QString(254, 'a'));
    EXPECT_EQ(ShortString(QString(253, 'a') + clef + "z"), QString(253, 'a') + clef);
}

TEST(AppPaths, ProgramDirectoryUnlessNothingCanBeCreatedThere)
{
    QTemporaryDir dir;
    EXPECT_EQ(ChooseDataDir(dir.path(), dir.filePath("user")), dir.path() + '/');
    const QString blocked = UnwritablePath(dir, "bin");
    EXPECT_EQ(ChooseDataDir(blocked, dir.filePath("user/cfg")), dir.filePath("user/cfg/"));
    EXPECT_TRUE(QFileInfo(dir.filePath("user/cfg")).isDir());
    EXPECT_TRUE(QDir(dir.path()).entryList({"varotem-probe-*"}).isEmpty());
    EXPECT_EQ(SettingsFilePath("/a/"), "/a/Varotem.ini");
}

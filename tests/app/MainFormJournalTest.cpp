// The main window's commands and the journal of a run recorded without
// autosave: it stays after the stop until the run is saved as a run file or
// replaced, or the window closes; and what the journal has to say is shown.
#include "app/core/DataFiles.h"
#include "app/core/Journal.h"
#include "tests/app/MainFormTestUtil.h"

#include <QTimer>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

TEST(MainFormJournal, KeptJournalGoesWithTheRunInMemory)
{
    struct TRow {
        const char *name;
        void (*command)(TMainForm &, TRecordingPrompt &, const QTemporaryDir &);
        bool kept;
    };
    const TRow rows[] = {
        {"nothing", [](TMainForm &, TRecordingPrompt &, const QTemporaryDir &) {}, true},
        {"saved as text",
         [](TMainForm &f, TRecordingPrompt &p, const QTemporaryDir &d) {
             p.saveNames = {d.filePath("run.txt")};
             f.SaveClick();
         },
         true},
        {"saved as a run file",
         [](TMainForm &f, TRecordingPrompt &p, const QTemporaryDir &d) {
             p.saveNames = {d.filePath("run.dat")};
             f.SaveClick();
         },
         false},
        {"a file opened",
         [](TMainForm &f, TRecordingPrompt &p, const QTemporaryDir &d) {
             auto other = NewRun();
             ASSERT_TRUE(SaveData(d.filePath("other.dat"), *other).isEmpty());
             p.openNames = {d.filePath("other.dat")};
             f.OpenClick();
         },
         false},
        {"the test run", [](TMainForm &f, TRecordingPrompt &, const QTemporaryDir &) { f.TestClick(); }, false},
        {"the window closed", [](TMainForm &f, TRecordingPrompt &, const QTemporaryDir &) { f.close(); }, false},
    };
    for (const TRow &r : rows) {
        QTemporaryDir dir;
        TRecordingPrompt prompt;
        TScriptedBoard board;
        board.readings = {{100, 200, 300}};
        auto form = NewForm(dir, board);
        form->Settings.AutoSaveFlag = false;
        form->Settings.TimerWorkInterval = 3600;
        const QString journal = JournalPath(form->Settings.AutoSaveFile);
        form->GoClick();
        for (int k = 0; k < 3; ++k)
            form->Timer1Timer();
        form->StopClick();
        prompt.messages.clear();
        EXPECT_TRUE(QFileInfo::exists(journal)) << r.name;
        r.command(*form, prompt, dir);
        EXPECT_EQ(QFileInfo::exists(journal), r.kept) << r.name;
        EXPECT_TRUE(prompt.messages.isEmpty()) << r.name << ": " << prompt.messages.join('\n').toStdString();
    }
}

TEST(MainFormJournal, NoticesAreShown)
{
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TScriptedBoard board;
    board.readings = {{100, 200, 300}};
    auto form = NewForm(dir, board);
    form->Settings.TimerWorkInterval = 3600;
    WriteBytes(JournalPath(form->Settings.AutoSaveFile), "left by another copy");
    prompt.messages.clear();
    form->GoClick();
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(prompt.messages[0].startsWith("Найден журнал прерванного приема информации"));

    // Records that cannot be written (a file size limit below the first
    // one): the first failing tick says so, the next does not.
    prompt.messages.clear();
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit limit = old;
    limit.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    form->Timer1Timer();
    form->Timer1Timer();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(form->RunData.Count, 2);
    EXPECT_TRUE(form->Timer1->isActive());
    ASSERT_EQ(prompt.messages.size(), 1) << prompt.messages.join('\n').toStdString();
    EXPECT_TRUE(prompt.messages[0].startsWith("Не удалось записать точку 1 в журнал")) << prompt.messages[0].toStdString();
}

// A run file opened during recording that is as long as the run recorded so
// far: the journal then holds the opened run and the samples after it, none
// of the run it replaced.
TEST(MainFormJournal, RunOpenedDuringRecordingReplacesTheJournalledOne)
{
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TScriptedBoard board;
    board.readings = {{100, 200, 300}};
    auto form = NewForm(dir, board);
    form->Settings.TimerWorkInterval = 3600;
    form->GoClick();
    for (int k = 0; k < 3; ++k)
        form->Timer1Timer();
    auto other = NewRun();
    other->Count = 3;
    for (int k = 0; k < 3; ++k) {
        other->T[k] = 10 + k;
        other->L[k] = 20 + k;
        other->TC[k] = 30 + k;
    }
    ASSERT_TRUE(SaveData(dir.filePath("other.dat"), *other).isEmpty());
    prompt.openNames = {dir.filePath("other.dat")};
    form->OpenClick();
    form->Timer1Timer();

    auto read = NewRun();
    TRunTimes times;
    const TJournalContents contents = ReadJournal(ReadBytes(JournalPath(form->Settings.AutoSaveFile)), *read, times);
    ASSERT_EQ(contents.state, TJournalState::Readable);
    const std::vector<double> t = ChannelValues(*read, TChannel::T);
    EXPECT_EQ(t, (std::vector<double>{10, 11, 12, 100}));
    form->StopClick();
}

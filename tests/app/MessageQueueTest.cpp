// Messages held back while work is under way, and shown one box at a time.
#include "app/core/MessageQueue.h"
#include "tests/support/RecordingPrompt.h"

#include <QDialog>
#include <gtest/gtest.h>

TEST(DeferredMessages, CollectsMessagesAndPassesQuestionsOn)
{
    TRecordingPrompt prompt;
    prompt.yesNo = {true};
    {
        TDeferredMessages deferred;
        EXPECT_EQ(&Prompt(), &deferred);
        Prompt().Message("one");
        EXPECT_TRUE(Prompt().AskYesNo("c", "question"));
        Prompt().Message("two");
        EXPECT_EQ(deferred.Take(), QStringList({"one", "two"}));
        EXPECT_TRUE(deferred.Take().isEmpty());
    }
    EXPECT_EQ(&Prompt(), &prompt);
    EXPECT_TRUE(prompt.messages.isEmpty());
    EXPECT_EQ(prompt.questions, QStringList{"question"});
}

TEST(MessageQueue, NoBoxOnTopOfAnotherAndNoDuplicatesWaiting)
{
    // More messages arrive while the first box is open, as from a tick
    // running in that box's event loop.
    TRecordingPrompt prompt;
    TMessageQueue queue;
    prompt.whileMessageOpen = [&](const QString &) {
        if (prompt.messages.size() != 1)
            return;
        queue.Show({"b", "b", "a"});  // "a" is open, so it may come again
        queue.Show({"", "c", "b"});
    };
    queue.Show({"a"});
    EXPECT_EQ(prompt.messages, QStringList({"a", "b", "a", "c"}));
    EXPECT_EQ(prompt.mostOpenBoxes, 1);
    EXPECT_FALSE(queue.Showing());
    EXPECT_TRUE(queue.Waiting().isEmpty());
}

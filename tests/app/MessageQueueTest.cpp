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

namespace {
// Adds more messages to the queue from inside the first box, as a tick
// running in that box's event loop would.
class TNestingPrompt final : public TPrompt {
public:
    TNestingPrompt() { SetPrompt(this); }
    ~TNestingPrompt() override { SetPrompt(nullptr); }
    TMessageQueue *queue = nullptr;
    QStringList shown;
    int depth = 0, maxDepth = 0;

    void Message(const QString &text, const QString &) override
    {
        shown << text;
        maxDepth = std::max(maxDepth, ++depth);
        if (shown.size() == 1) {
            queue->Show({"b", "b", "a"});  // "a" is open, so it may come again
            queue->Show({"", "c", "b"});
        }
        --depth;
    }
    bool AskYesNo(const QString &, const QString &) override { return false; }
    std::optional<QString> InputText(const QString &, const QString &, const QString &) override { return {}; }
    QString OpenFileName(const TFileDialogOptions &) override { return {}; }
    QString SaveFileName(const TFileDialogOptions &) override { return {}; }
    int Exec(QDialog &) override { return QDialog::Rejected; }
};
} // namespace

TEST(MessageQueue, NoBoxOnTopOfAnotherAndNoDuplicatesWaiting)
{
    TNestingPrompt prompt;
    TMessageQueue queue;
    prompt.queue = &queue;
    queue.Show({"a"});
    EXPECT_EQ(prompt.shown, QStringList({"a", "b", "a", "c"}));
    EXPECT_EQ(prompt.maxDepth, 1);
    EXPECT_FALSE(queue.Showing());
    EXPECT_TRUE(queue.Waiting().isEmpty());
}

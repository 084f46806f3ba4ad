#pragma once
// A prompt for tests: records every message and question, and answers them
// and the modal dialogs from scripted queues. Installed, as the prompt and as
// the dialog runner, for its lifetime.
#include "app/core/Prompt.h"
#include "app/widgets/DialogRunner.h"

#include <QStringList>
#include <deque>
#include <functional>

class TRecordingPrompt final : public TPrompt, public TDialogRunner {
public:
    TRecordingPrompt();
    ~TRecordingPrompt() override;

    // What was shown, in order.
    QStringList messages;       // texts of Message()
    QStringList captions;       // captions of Message(), parallel to messages
    QStringList questions;      // texts of AskYesNo() and prompts of InputText()
    QStringList questionCaptions;  // their captions, parallel to questions
    QStringList inputDefaults;  // default texts of InputText()
    QList<TFileDialogOptions> fileDialogs;
    QStringList dialogsShown;   // window titles of Exec()

    // Scripted answers; an empty queue answers No / cancel / empty / Rejected.
    std::deque<bool> yesNo;
    std::deque<std::optional<QString>> inputs;
    std::deque<QString> openNames;
    std::deque<QString> saveNames;
    // Each Exec() takes the next handler, which may edit the dialog's controls
    // and returns its result.
    std::deque<std::function<int(QDialog &)>> dialogs;

    // Runs inside each Message(), as code running in an open box's event loop
    // would (a timer tick); openBoxes counts the boxes open at once.
    std::function<void(const QString &)> whileMessageOpen;
    int openBoxes = 0;
    int mostOpenBoxes = 0;

    void Message(const QString &text, const QString &caption = QString()) override;
    bool AskYesNo(const QString &caption, const QString &text) override;
    std::optional<QString> InputText(const QString &caption, const QString &prompt,
                                     const QString &defaultText) override;
    QString OpenFileName(const TFileDialogOptions &options) override;
    QString SaveFileName(const TFileDialogOptions &options) override;
    int Exec(QDialog &dialog) override;
};

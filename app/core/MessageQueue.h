#pragma once
// Messages that must not open a message box where they arise. A message box
// runs the event loop, so the acquisition timer keeps firing inside it: shown
// in the middle of a redraw or a tick it would let the next tick run between
// two steps of the first. Such code collects its messages and shows them when
// its work is done.
#include "app/core/Prompt.h"

#include <QStringList>

// While it lives, Message() calls are collected instead of shown; every other
// question goes to the prompt that was installed before, which is installed
// again at the end of the scope.
class TDeferredMessages final : public TPrompt {
public:
    TDeferredMessages();
    ~TDeferredMessages() override;
    TDeferredMessages(const TDeferredMessages &) = delete;
    TDeferredMessages &operator=(const TDeferredMessages &) = delete;

    // The messages collected so far; the list is emptied.
    QStringList Take();

    void Message(const QString &text, const QString &caption = QString()) override;
    bool AskYesNo(const QString &caption, const QString &text) override;
    std::optional<QString> InputText(const QString &caption, const QString &prompt,
                                     const QString &defaultText) override;
    QString OpenFileName(const TFileDialogOptions &options) override;
    QString SaveFileName(const TFileDialogOptions &options) override;

private:
    TPrompt &previous_;
    QStringList messages_;
};

// Shows messages one after another through Prompt(). Messages added while one
// is open (by a tick running inside its message box) wait in line instead of
// stacking a new box on top, and a message already waiting is not queued
// twice, so a condition repeated on every tick waits as one box.
class TMessageQueue {
public:
    void Show(const QStringList &messages);
    bool Showing() const { return showing_; }
    const QStringList &Waiting() const { return waiting_; }

private:
    QStringList waiting_;
    bool showing_ = false;
};

#include "app/core/MessageQueue.h"

TDeferredMessages::TDeferredMessages() : previous_(Prompt()) { SetPrompt(this); }

TDeferredMessages::~TDeferredMessages() { SetPrompt(&previous_); }

QStringList TDeferredMessages::Take()
{
    QStringList taken;
    taken.swap(messages_);
    return taken;
}

void TDeferredMessages::Message(const QString &text, const QString &) { messages_ << text; }

bool TDeferredMessages::AskYesNo(const QString &caption, const QString &text)
{
    return previous_.AskYesNo(caption, text);
}

std::optional<QString> TDeferredMessages::InputText(const QString &caption, const QString &prompt,
                                                    const QString &defaultText)
{
    return previous_.InputText(caption, prompt, defaultText);
}

QString TDeferredMessages::OpenFileName(const TFileDialogOptions &options)
{
    return previous_.OpenFileName(options);
}

QString TDeferredMessages::SaveFileName(const TFileDialogOptions &options)
{
    return previous_.SaveFileName(options);
}

void TMessageQueue::Show(const QStringList &messages)
{
    for (const QString &m : messages) {
        if (!m.isEmpty() && !waiting_.contains(m))
            waiting_ << m;
    }
    if (showing_)
        return;
    showing_ = true;
    while (!waiting_.isEmpty()) {
        // Taken off the line before it is shown: while its box is open the
        // same text may be queued again by a later tick.
        const QString next = waiting_.takeFirst();
        Prompt().Message(next);
    }
    showing_ = false;
}

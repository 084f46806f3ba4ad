#include "tests/support/RecordingPrompt.h"

#include <QDialog>

#include <algorithm>

TRecordingPrompt::TRecordingPrompt()
{
    SetPrompt(this);
    SetDialogRunner(this);
}

TRecordingPrompt::~TRecordingPrompt()
{
    SetDialogRunner(nullptr);
    SetPrompt(nullptr);
}

void TRecordingPrompt::Message(const QString &text, const QString &caption)
{
    messages << text;
    captions << caption;
    mostOpenBoxes = std::max(mostOpenBoxes, ++openBoxes);
    if (whileMessageOpen)
        whileMessageOpen(text);
    --openBoxes;
}

bool TRecordingPrompt::AskYesNo(const QString &caption, const QString &text)
{
    questions << text;
    questionCaptions << caption;
    if (yesNo.empty())
        return false;
    const bool answer = yesNo.front();
    yesNo.pop_front();
    return answer;
}

std::optional<QString> TRecordingPrompt::InputText(const QString &caption, const QString &prompt,
                                                   const QString &defaultText)
{
    questions << prompt;
    questionCaptions << caption;
    inputDefaults << defaultText;
    if (inputs.empty())
        return std::nullopt;
    std::optional<QString> answer;
    answer.swap(inputs.front());
    inputs.pop_front();
    return answer;
}

QString TRecordingPrompt::OpenFileName(const TFileDialogOptions &options)
{
    fileDialogs << options;
    if (openNames.empty())
        return {};
    QString name = openNames.front();
    openNames.pop_front();
    return name;
}

QString TRecordingPrompt::SaveFileName(const TFileDialogOptions &options)
{
    fileDialogs << options;
    if (saveNames.empty())
        return {};
    QString name = saveNames.front();
    saveNames.pop_front();
    return name;
}

int TRecordingPrompt::Exec(QDialog &dialog)
{
    dialogsShown << dialog.windowTitle();
    if (dialogs.empty())
        return QDialog::Rejected;
    auto handler = std::move(dialogs.front());
    dialogs.pop_front();
    return handler(dialog);
}

#pragma once
// The prompt of the running program: real message boxes, input boxes and file
// dialogs, and the modal dialogs executed.
#include "app/core/Prompt.h"
#include "app/widgets/DialogRunner.h"

class TWidgetPrompt final : public TPrompt, public TDialogRunner {
public:
    void Message(const QString &text, const QString &caption = QString()) override;
    bool AskYesNo(const QString &caption, const QString &text) override;
    std::optional<QString> InputText(const QString &caption, const QString &prompt,
                                     const QString &defaultText) override;
    QString OpenFileName(const TFileDialogOptions &options) override;
    QString SaveFileName(const TFileDialogOptions &options) override;
    int Exec(QDialog &dialog) override;
};

// "Data files (*.dat)|*.dat|All files (*.*)|*.*" -> "Data files (*.dat);;All files (*.*)".
QString QtFilterFromPipes(const QString &filter);

#include "app/core/Prompt.h"

#include <QFileInfo>

#include <cstdio>

namespace {

// Used until an owner installs a prompt (benchmarks, command-line tools):
// messages go to standard error and every question is answered "cancel".
class TNullPrompt final : public TPrompt {
public:
    void Message(const QString &text, const QString &caption) override
    {
        std::fprintf(stderr, "%s%s%s\n", qPrintable(caption), caption.isEmpty() ? "" : ": ",
                     qPrintable(text));
    }
    bool AskYesNo(const QString &, const QString &) override { return false; }
    std::optional<QString> InputText(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    QString OpenFileName(const TFileDialogOptions &) override { return {}; }
    QString SaveFileName(const TFileDialogOptions &) override { return {}; }
};

TNullPrompt nullPrompt;
TPrompt *current = &nullPrompt;

} // namespace

void RememberChosenFile(TFileDialogOptions &options, const QString &fileName)
{
    const QFileInfo chosen(fileName);
    options.directory = chosen.absolutePath();
    options.initialName = chosen.fileName();
}

TPrompt &Prompt() { return *current; }

void SetPrompt(TPrompt *prompt) { current = prompt ? prompt : &nullPrompt; }

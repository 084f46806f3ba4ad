#pragma once
// A prompt for benchmarks: answers every question with "cancel" and drops
// the messages (dialogs are answered Rejected by the default runner).
#include "app/core/Prompt.h"

class TQuietPrompt final : public TPrompt {
public:
    void Message(const QString &, const QString &) override {}
    bool AskYesNo(const QString &, const QString &) override { return false; }
    std::optional<QString> InputText(const QString &, const QString &, const QString &) override { return {}; }
    QString OpenFileName(const TFileDialogOptions &) override { return {}; }
    QString SaveFileName(const TFileDialogOptions &) override { return {}; }
};

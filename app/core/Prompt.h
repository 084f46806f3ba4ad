#pragma once
// Every question the program asks the user and every message it shows goes
// through one TPrompt. The main window installs the one that opens real message
// boxes and file dialogs; tests install a scripted one that records what was
// shown and answers without blocking. Modal dialogs of the windows go through
// their own runner in the widget layer (app/widgets/DialogRunner.h).
#include <QString>
#include <optional>

struct TFileDialogOptions {
    QString title;        // window title; empty for the toolkit's default
    QString filter;       // "Data files (*.dat)|*.dat|All files (*.*)|*.*" form
    QString defaultExt;   // ".dat": added when the chosen name has no extension
    QString initialName;  // preset file name, a bare name or a path
    int filterIndex = 0;  // filter selected first
    QString directory;    // where a bare initialName lies; empty: the toolkit's choice
};

// Keeps a chosen file in options, so that a dialog that belongs to one window
// opens next time where the last file was put, with its name preset.
void RememberChosenFile(TFileDialogOptions &options, const QString &fileName);

class TPrompt {
public:
    virtual ~TPrompt() = default;

    // A plain modal message box with OK; caption empty = the application title.
    virtual void Message(const QString &text, const QString &caption = QString()) = 0;
    // Yes/No box; true for Yes.
    virtual bool AskYesNo(const QString &caption, const QString &text) = 0;
    // One-line input box; std::nullopt when cancelled (callers that take the
    // default text on Cancel do so themselves).
    virtual std::optional<QString> InputText(const QString &caption, const QString &prompt,
                                             const QString &defaultText) = 0;
    // File dialogs; an empty string when cancelled.
    virtual QString OpenFileName(const TFileDialogOptions &options) = 0;
    virtual QString SaveFileName(const TFileDialogOptions &options) = 0;
};

// The prompt in use. Never null: a default that opens real widgets is installed
// by the application (app/), and tests install their own.
TPrompt &Prompt();
void SetPrompt(TPrompt *prompt);

#pragma once
// Every modal dialog the program shows goes through one TDialogRunner, as every
// message and question goes through the prompt (app/core/Prompt.h). The
// program installs a runner that executes the dialog; tests install one that
// answers it from a script without blocking. The prompt itself stays free of
// widgets, so the windowless code and tools can use it.
class QDialog;

class TDialogRunner {
public:
    virtual ~TDialogRunner() = default;
    // Shows a modal dialog and returns its result (QDialog::Accepted or Rejected).
    virtual int Exec(QDialog &dialog) = 0;
};

// The runner in use. Never null: until an owner installs one, every dialog is
// answered Rejected without being shown.
TDialogRunner &DialogRunner();
void SetDialogRunner(TDialogRunner *runner);

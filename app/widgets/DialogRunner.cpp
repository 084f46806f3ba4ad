#include "app/widgets/DialogRunner.h"

#include <QDialog>

namespace {

class TRejectingRunner final : public TDialogRunner {
public:
    int Exec(QDialog &) override { return QDialog::Rejected; }
};

TRejectingRunner rejecting;
TDialogRunner *current = &rejecting;

} // namespace

TDialogRunner &DialogRunner() { return *current; }

void SetDialogRunner(TDialogRunner *runner) { current = runner ? runner : &rejecting; }

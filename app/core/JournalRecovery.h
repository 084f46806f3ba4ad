#pragma once
// At start: the journal of a run whose recording did not end normally (a
// crash, a kill, a power cut), found beside the autosave file, is offered
// back to the user through the prompt.
#include "app/core/RunData.h"
#include "app/core/RunTimes.h"

#include <QString>
#include <QStringList>

struct TRecoveryResult {
    bool recovered = false;  // run and times hold the recovered run
    QStringList messages;    // to show, in order
};

// Looks for the journal of autoSaveFile. A journal that another running copy
// of the program holds is left alone, and so is anything but a regular file.
// An empty one (no sample recorded) is removed. Otherwise, when it can be
// read, the user is asked "Прием информации был прерван. Восстановить запись
// (N точек)?": Yes rebuilds the run from every good record, writes it to
// autoSaveFile and then removes the journal (it stays when the write fails);
// the messages say how many damaged records were dropped. No, or a journal
// that cannot be read (another format, a damaged header, no good record),
// keeps it under its dated name (SetAsideName) and says so. run and times
// change only when the result says recovered.
TRecoveryResult RecoverInterruptedRun(const QString &autoSaveFile, TRunData &run, TRunTimes &times);

#pragma once
// At start: the journal of a run whose recording did not end normally (a
// crash, a kill, a power cut), found beside the autosave file, is offered
// back to the user through the prompt.
#include "app/core/Journal.h"
#include "app/core/RunData.h"
#include "app/core/RunTimes.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

struct TRecoveryResult {
    bool recovered = false;  // run and times hold the recovered run
    QStringList messages;    // to show, in order
    QString savedTo;         // the file the recovered run was written to; empty when none
    TJournalHeader header;   // of the recovered run: the settings it was recorded with
};

// Looks for the journal of autoSaveFile. A journal that another running copy
// of the program holds is left alone, and so is anything but a regular file.
// An empty one (no sample recorded) is removed. Otherwise, when it can be
// read, the user is asked "Прием информации был прерван. Восстановить запись
// (N точек)?": Yes rebuilds the run from every good record, writes it to
// autoSaveFile and then removes the journal; when autoSaveFile cannot be
// written, the run goes to a new file beside it, dated by the run's start
// (RecoveredRunName), and the messages say so; when that fails too, the
// journal is kept under its dated name. The messages say how many damaged
// records were dropped. No, or a journal
// that cannot be read (another format, a damaged header, no good record),
// keeps it under its dated name (SetAsideName) and says so. run and times
// change only when the result says recovered.
// A new name beside autoSaveFile for a recovered run it cannot take:
// "<base name>-<yyyyMMdd-HHmmss>.<suffix>" of started in local time, with
// "-2", "-3", ... before the suffix when that name is taken.
QString RecoveredRunName(const QString &autoSaveFile, const QDateTime &started);

TRecoveryResult RecoverInterruptedRun(const QString &autoSaveFile, TRunData &run, TRunTimes &times);

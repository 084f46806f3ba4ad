#pragma once
// Interval selection: cuts the run down to the stretch of samples the operator
// marks on a calibrated preview of one channel.
//
// The run record stays raw throughout: the preview is drawn from a calibrated
// copy, so the samples that a running acquisition appends while the dialogs
// are open are neither calibrated nor lost.
#include "app/core/Calibration.h"
#include "app/core/CommandHooks.h"
#include "app/core/RunData.h"
#include "app/core/Settings.h"

#include <cstdint>

class TCaseDlg;

// The main window's command "Выбор интервала". Cancel in either dialog, or
// closing the interval dialog, leaves the run exactly as it is (with whatever
// an acquisition appended meanwhile). OK keeps the samples between the
// markers (see KeepInterval) and redraws.
void ChoiceIntervalClick(TRunData &run, const TSettings &settings, const TSplineTable &tTable,
                         const TSplineTable &lTable, const TChannelChoice &chooseChannel,
                         TCaseDlg &dialog, const TRunRedraw &setMainGraphic);

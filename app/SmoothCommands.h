#pragma once
// The three smoothing commands of the main window. Each asks for a channel,
// asks for the filter's parameter where it has one, smooths the stored (raw)
// samples of that channel in place and redraws the run.
//
// The commands read the channel only after the last question has been
// answered and write it back at once, so samples that a running acquisition
// appends while a question is open are smoothed along with the rest and never
// lost.
#include "app/core/CommandHooks.h"
#include "app/core/RunData.h"

// Moving average; the window half-width comes from "M = " (default 10).
void SmoothMeanClick(TRunData &run, const TChannelChoice &chooseChannel, const TRunRedraw &setMainGraphic);
// Seven-point fourth-degree smoothing; no parameter.
void SmoothPolyClick(TRunData &run, const TChannelChoice &chooseChannel, const TRunRedraw &setMainGraphic);
// Smoothing spline over the time axis with alpha = R from "R = " (default 10).
void SmoothSplineClick(TRunData &run, const TChannelChoice &chooseChannel, const TRunRedraw &setMainGraphic);

#pragma once
// What the main window hands to the commands that work on the run: a way to
// ask which channel, and its redraw of the run.
#include "app/core/RunData.h"

#include <functional>
#include <optional>

// Shows the channel dialog; the chosen channel, or nullopt when it was cancelled.
using TChannelChoice = std::function<std::optional<TChannel>()>;
// The main window's redraw of the run (SetMainGraphic).
using TRunRedraw = std::function<void()>;

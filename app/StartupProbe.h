#pragma once
// A measuring aid, off unless the environment variable VAROTEM_STARTUP_PROBE
// is set: prints the time from entering main() to the first painting of the
// shown window's chart on standard error, then ends the program without
// closing the window (so no file is written).
class QWidget;

// Call first thing in main().
void StartupProbeBegin();
// Watches the chart that shows the test run.
void StartupProbeWatch(QWidget &chart);

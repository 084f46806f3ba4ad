#pragma once
// The frame of the program's fixed-size dialogs and tool windows: their
// window flags, and their place in the middle of the screen whatever their
// parent.
#include <Qt>

class QWidget;

// A fixed border with only the system menu: a caption and the close button,
// no minimise or maximise button. As a dialog and as a tool window.
inline constexpr Qt::WindowFlags kFixedDialogFlags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                     Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                                                     Qt::MSWindowsFixedSizeDialogHint;
inline constexpr Qt::WindowFlags kToolWindowFlags = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                    Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                                                    Qt::MSWindowsFixedSizeDialogHint;

// Moves the window so that its frame is centred on the available area of its
// screen. Until the window system has framed the window once, the frame of
// its parent's window stands in for its own.
void CentreOnScreen(QWidget &window);

// CentreOnScreen each time the window is shown (a dialog would otherwise be
// placed over its parent).
void KeepCentredOnScreen(QWidget &window);

#pragma once
// The buttons the program's dialogs share: the "..." beside a file name, and
// the OK and Cancel that close a dialog.
#include <QString>

class QDialog;
class QDialogButtonBox;
class QHBoxLayout;
class QPushButton;
class QToolButton;
class QWidget;

// The "..." button beside a file name field; its tool tip says what it does.
QToolButton *NewFileButton(QWidget *parent, const QString &toolTip);

// OK and Cancel that accept and reject the dialog. Texts of their own, as in
// the program's other dialogs: the toolkit's standard buttons would follow
// its translation.
QDialogButtonBox *NewOkCancelBox(QDialog &dialog);

// The row of Cancel and OK at the right of a dialog: OK is the default and
// accepts, Cancel rejects.
QHBoxLayout *NewCancelOkRow(QDialog &dialog, QPushButton *cancel, QPushButton *ok);

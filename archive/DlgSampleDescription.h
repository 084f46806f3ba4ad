#pragma once
// "Описание образца": the sample name, material, batch, operator and a note
// of a run. A view over a TSampleDescription: filled from one, read back
// into one on OK.
#include "archive/core/ArchiveTypes.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

class TDlgSampleDescription : public QDialog {
    Q_OBJECT
public:
    explicit TDlgSampleDescription(QWidget *parent = nullptr);

    QLineEdit *EditName;
    QLineEdit *EditMaterial;
    QLineEdit *EditBatch;
    QLineEdit *EditOperator;
    QPlainTextEdit *EditNote;

    void Fill(const archive::TSampleDescription &description);
    // The fields, blanks around each one-line field dropped.
    archive::TSampleDescription Description() const;
};

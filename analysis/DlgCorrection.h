#pragma once
// "Коррекция по эталону": the reference material, the reference sample's
// length and the correction file. A view over TCorrectionChoice; created
// once, so the material and the file chosen last are offered again.
#include "materials/ReferenceMaterial.h"

#include <QDialog>
#include <QString>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

struct TCorrectionChoice {
    QString MaterialId;     // a library id; empty: the first material
    double SampleLength = 0;
    QString OutFile;        // the correction file
};

class TDlgCorrection : public QDialog {
    Q_OBJECT
public:
    explicit TDlgCorrection(QWidget *parent = nullptr);

    QComboBox *ComboMaterial;    // "Эталонный материал": one entry per material, by name
    QLabel *LabelRange;          // the chosen material's certified range
    QLineEdit *EditLength;       // "Длина эталонного образца"
    QLineEdit *EditFile;         // "Файл коррекции"
    QToolButton *ButtonFile;     // hint "Save": chooses the file

    // The materials to offer and the fields from the choice (the length in
    // the general format).
    void Fill(const std::vector<materials::TReferenceMaterial> &library, const TCorrectionChoice &choice);
    // The choice back; false when the length is not a number.
    bool ReadBack(TCorrectionChoice &choice) const;

    void ButtonFileClick();
    // Whether fileName was chosen in the save dialog, which asked already
    // whether an existing file may be replaced.
    bool ChosenInSaveDialog(const QString &fileName) const
    {
        return !chosen_.isEmpty() && fileName == chosen_;
    }

private:
    void ShowRange();
    QString chosen_;
    std::vector<materials::TReferenceMaterial> library_;
};

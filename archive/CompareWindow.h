#pragma once
// "Сравнение запусков": the runs chosen in the archive overlaid on one chart,
// L over T, the strain over T or the expansion coefficient over T, each run
// calibrated with its own archived settings.
#include "archive/ComparePlotWidget.h"
#include "archive/core/Archive.h"

#include <QDialog>

class QComboBox;
class QLabel;

class TCompareWindow : public QDialog {
    Q_OBJECT
public:
    explicit TCompareWindow(QWidget *parent = nullptr);

    QComboBox *ComboMode;        // "L от T", ...
    TComparePlotWidget *Plot;
    QLabel *LabelProblems;       // the runs left out, and why

    // Loads the rows' curves in the mode chosen (and again when it changes).
    void Compare(archive::TArchive &archive, std::vector<int64_t> ids);

private:
    void Load();

    archive::TArchive *archive_ = nullptr;
    std::vector<int64_t> ids_;
};

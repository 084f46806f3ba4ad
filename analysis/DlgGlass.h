#pragma once
// "Стеклование и размягчение": the picture of the analysed run with four
// markers the operator drags (the glassy portion between T1 and T2, the
// liquid one between T3 and T4), the values beside it, and what can be done
// with them: copy or save the picture (PNG or SVG), send the values to the
// spreadsheet or a CSV file. Moving a marker refits the tangents at once;
// "Авто" chooses the portions again, "Пересчитать" analyses the run again
// with the baseline of the field.
//
// A press within 2 pixels of a marker's column grabs it (the nearest one);
// while the button is held it follows the pointer within the plot.
#include "analysis/core/GlassLayout.h"
#include "app/core/Prompt.h"

#include <QDialog>
#include <QImage>
#include <QWidget>
#include <functional>
#include <vector>

class QLineEdit;
class QPushButton;
class QToolButton;
class TSpreadsheet;
class TStringGrid;

// The image control: shows the picture and hands its mouse events on.
class TGlassImage : public QWidget {
    Q_OBJECT
public:
    explicit TGlassImage(QWidget *parent = nullptr);
    void SetImage(const QImage &image);
    const QImage &Image() const { return image_; }

    std::function<void(int x)> OnPress, OnMove;
    std::function<void()> OnRelease;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage image_;
};

class TDlgGlass : public QDialog {
    Q_OBJECT
public:
    using TAnalyse = std::function<analysis::TGlassResult(const analysis::TGlassParams &)>;

    explicit TDlgGlass(QWidget *parent = nullptr);

    QLineEdit *Edit1;           // "Базовая линия": a run file, or "Nil"
    QToolButton *SpeedButton1;  // opens a run file for the field
    QPushButton *BtnRecalc;     // "Пересчитать"
    TGlassImage *Image1;
    TStringGrid *StringGrid1;   // the values: name, value
    QPushButton *BtnAuto;       // "Авто"
    QPushButton *BtnCopy;       // "Копировать"
    QPushButton *BtnSave;       // "Сохранить рисунок"
    QPushButton *BtnExcel;      // "В Excel"
    QPushButton *BtnCsv;        // "Сохранить CSV"
    QPushButton *BitBtn1;       // Close

    // The spreadsheet "В Excel" writes to (not owned).
    void SetSpreadsheet(TSpreadsheet *sheet) { spreadsheet_ = sheet; }

    // A new run to look at: analysed with the field's baseline and the
    // portions chosen automatically, shown. analyse must stay valid while the
    // dialog is used.
    void Start(TAnalyse analyse, double marginPercent);

    const analysis::TGlassResult &Result() const { return result_; }
    const std::vector<analysis::TGlassItem> &Items() const { return items_; }

    // Marker k (0..3, that is T1..T4) to the temperature t: the tangents
    // refitted, the picture and the values renewed.
    void SetMarker(int k, double t);
    // The marker being dragged (0..3), or -1.
    int Dragging() const { return dragging_; }

    void ImageMouseDown(int x);
    void ImageMouseMove(int x);
    void ImageMouseUp();

    void SpeedButton1Click();
    void BtnRecalcClick();
    void BtnAutoClick();
    void BtnCopyClick();
    void BtnSaveClick();
    void BtnExcelClick();
    void BtnCsvClick();

private:
    void Analyse(bool keepMarkers);
    void Show();
    // The message that stops an export of the values, or an empty string.
    QString NoValues() const;
    double &Marker(int k);

    TAnalyse analyse_;
    double margin_ = 0.5;
    analysis::TGlassResult result_;
    std::vector<analysis::TGlassItem> items_;
    int dragging_ = -1;
    TSpreadsheet *spreadsheet_ = nullptr;
    TFileDialogOptions baselineDialog_, pictureDialog_, csvDialog_;
};

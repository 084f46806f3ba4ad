#pragma once
// "Сведение": shows the reduction picture (400 x 360) and copies or saves it
// in its own kind: SVG for the vector picture, a bitmap for the raster one.
#include "analysis/SvedPicture.h"
#include "app/core/Prompt.h"

#include <QDialog>
#include <QWidget>

class QAction;
class QFrame;
class QMenu;
class QPushButton;

// The image control: paints the picture it is given, 400 x 360.
class TSvedImage : public QWidget {
    Q_OBJECT
public:
    TSvedImage(const analysis::TSvedPicture &picture, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const analysis::TSvedPicture &picture_;
};

class TDlgSved : public QDialog {
    Q_OBJECT
public:
    explicit TDlgSved(QWidget *parent = nullptr);

    QFrame *Panel1;
    TSvedImage *Image1;
    QPushButton *BitBtn1;   // Close
    QMenu *PopupMenu1;      // the image's popup menu
    QAction *Copy1;         // "Copy"
    QAction *Save1;         // "Save"

    // The picture MakeSvedPicture draws into; shown by Image1.
    analysis::TSvedPicture &Picture() { return picture_; }
    const analysis::TSvedPicture &Picture() const { return picture_; }

    void Copy1Click();
    void Save1Click();

private:
    analysis::TSvedPicture picture_;
    TFileDialogOptions saveDialog_;  // "Save": keeps the folder and name last chosen
};

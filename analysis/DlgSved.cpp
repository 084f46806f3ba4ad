#include "analysis/DlgSved.h"

#include "app/core/Prompt.h"
#include "app/core/SafeFile.h"
#include "app/widgets/DialogFrame.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QHBoxLayout>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

TSvedImage::TSvedImage(const analysis::TSvedPicture &picture, QWidget *parent) : QWidget(parent), picture_(picture)
{
    setFixedSize(analysis::kSvedWidth, analysis::kSvedHeight);
}

void TSvedImage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, picture_.Image());
}

TDlgSved::TDlgSved(QWidget *parent) : QDialog(parent, kFixedDialogFlags)
{
    setWindowTitle(tr("Сведение"));
    setFixedSize(404, 403);
    KeepCentredOnScreen(*this);

    // 404 x 403: the lowered panel's one-pixel frame around the 400 x 360
    // image, one pixel from the edges, the Close button below.
    Panel1 = new QFrame(this);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(1);
    Image1 = new TSvedImage(picture_, Panel1);
    auto *panelLayout = new QVBoxLayout(Panel1);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(Image1);

    PopupMenu1 = new QMenu(this);
    Copy1 = PopupMenu1->addAction(QStringLiteral("Copy"));
    Save1 = PopupMenu1->addAction(QStringLiteral("Save"));
    Image1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Image1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { PopupMenu1->popup(Image1->mapToGlobal(at)); });
    connect(Copy1, &QAction::triggered, this, &TDlgSved::Copy1Click);
    connect(Save1, &QAction::triggered, this, &TDlgSved::Save1Click);

    BitBtn1 = new QPushButton(QStringLiteral("Close"), this);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 4);
    layout->addWidget(Panel1);
    layout->addLayout(buttons);
}

void TDlgSved::Copy1Click()
{
    using Kind = analysis::TSvedPicture::Kind;
    if (picture_.kind() == Kind::Empty)
        return;
    auto *data = new QMimeData;
    if (picture_.kind() == Kind::Vector)
        data->setData(QStringLiteral("image/svg+xml"), picture_.Svg());
    data->setImageData(picture_.Image());
    QApplication::clipboard()->setMimeData(data);
}

void TDlgSved::Save1Click()
{
    using Kind = analysis::TSvedPicture::Kind;
    if (picture_.kind() == Kind::Empty)
        return;
    // The file takes the picture's own kind whatever name is chosen; the
    // default extension and the first filter follow that kind.
    const bool vector = picture_.kind() == Kind::Vector;
    saveDialog_.filter = QStringLiteral("Windows Bitmap (*.bmp)|*.bmp|SVG (*.svg)|*.svg|All files (*.*)|*.*");
    saveDialog_.defaultExt = vector ? QStringLiteral(".svg") : QStringLiteral(".bmp");
    saveDialog_.filterIndex = vector ? 1 : 0;
    // The name kept from the last save is offered with this kind's
    // extension: the file is written in the picture's kind whatever its name.
    const QString otherExt = vector ? QStringLiteral(".bmp") : QStringLiteral(".svg");
    if (saveDialog_.initialName.endsWith(otherExt, Qt::CaseInsensitive))
        saveDialog_.initialName = saveDialog_.initialName.chopped(otherExt.size()) + saveDialog_.defaultExt;
    const QString name = Prompt().SaveFileName(saveDialog_);
    if (name.isEmpty())
        return;
    RememberChosenFile(saveDialog_, name);
    if (const QString error = WriteFileSafely(name, picture_.FileBytes()); !error.isEmpty())
        Prompt().Message(error);
}

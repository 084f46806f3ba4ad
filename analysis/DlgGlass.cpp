#include "analysis/DlgGlass.h"

#include "analysis/GlassPicture.h"
#include "analysis/StringGrid.h"
#include "analysis/core/CsvSpreadsheet.h"
#include "analysis/core/GlassReport.h"
#include "app/core/SafeFile.h"
#include "app/widgets/DialogButtons.h"
#include "app/widgets/DialogFrame.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kGrabDistance = 2;

} // namespace

TGlassImage::TGlassImage(QWidget *parent) : QWidget(parent)
{
    setFixedSize(analysis::kGlassWidth, analysis::kGlassHeight);
}

void TGlassImage::SetImage(const QImage &image)
{
    image_ = image;
    update();
}

void TGlassImage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

void TGlassImage::mousePressEvent(QMouseEvent *event)
{
    if (OnPress)
        OnPress(event->position().toPoint().x());
}

void TGlassImage::mouseMoveEvent(QMouseEvent *event)
{
    if (OnMove)
        OnMove(event->position().toPoint().x());
}

void TGlassImage::mouseReleaseEvent(QMouseEvent *)
{
    if (OnRelease)
        OnRelease();
}

TDlgGlass::TDlgGlass(QWidget *parent) : QDialog(parent, kFixedDialogFlags)
{
    setWindowTitle(tr("Стеклование и размягчение"));
    KeepCentredOnScreen(*this);

    Edit1 = new QLineEdit(QStringLiteral("Nil"), this);
    SpeedButton1 = NewFileButton(this, QStringLiteral("Open"));
    BtnRecalc = new QPushButton(tr("Пересчитать"), this);
    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("Базовая линия"), this));
    top->addWidget(Edit1, 1);
    top->addWidget(SpeedButton1);
    top->addWidget(BtnRecalc);

    Image1 = new TGlassImage(this);
    Image1->OnPress = [this](int x) { ImageMouseDown(x); };
    Image1->OnMove = [this](int x) { ImageMouseMove(x); };
    Image1->OnRelease = [this] { ImageMouseUp(); };

    StringGrid1 = new TStringGrid(2, false, this);
    StringGrid1->SetRowCount(int(analysis::GlassHeader().size()) + 1);
    StringGrid1->SetCells(0, 0, tr("Величина"));
    StringGrid1->SetCells(1, 0, tr("Значение"));
    const QStringList names = analysis::GlassHeader();
    for (int k = 0; k < names.size(); ++k)
        StringGrid1->SetCells(0, k + 1, names[k]);
    StringGrid1->setColumnWidth(0, 185);
    StringGrid1->horizontalHeader()->setStretchLastSection(true);
    StringGrid1->setFixedWidth(290);

    BtnAuto = new QPushButton(tr("Авто"), this);
    BtnAuto->setToolTip(tr("Выбрать участки автоматически"));
    BtnCopy = new QPushButton(tr("Копировать"), this);
    BtnSave = new QPushButton(tr("Сохранить рисунок"), this);
    BtnExcel = new QPushButton(tr("В Excel"), this);
    BtnCsv = new QPushButton(tr("Сохранить CSV"), this);
    BitBtn1 = new QPushButton(QStringLiteral("Close"), this);
    auto *side = new QVBoxLayout;
    side->addWidget(StringGrid1, 1);
    for (QPushButton *button : {BtnAuto, BtnCopy, BtnSave, BtnExcel, BtnCsv, BitBtn1}) {
        button->setAutoDefault(false);
        side->addWidget(button);
    }

    auto *body = new QHBoxLayout;
    body->addWidget(Image1);
    body->addLayout(side);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(body);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(SpeedButton1, &QToolButton::clicked, this, &TDlgGlass::SpeedButton1Click);
    connect(BtnRecalc, &QPushButton::clicked, this, &TDlgGlass::BtnRecalcClick);
    connect(BtnAuto, &QPushButton::clicked, this, &TDlgGlass::BtnAutoClick);
    connect(BtnCopy, &QPushButton::clicked, this, &TDlgGlass::BtnCopyClick);
    connect(BtnSave, &QPushButton::clicked, this, &TDlgGlass::BtnSaveClick);
    connect(BtnExcel, &QPushButton::clicked, this, &TDlgGlass::BtnExcelClick);
    connect(BtnCsv, &QPushButton::clicked, this, &TDlgGlass::BtnCsvClick);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    baselineDialog_.filter = QStringLiteral("Data files (*.dat)|*.dat|All files (*.*)|*.*");
    pictureDialog_.filter = QStringLiteral("PNG (*.png)|*.png|SVG (*.svg)|*.svg");
    pictureDialog_.defaultExt = QStringLiteral(".png");
    csvDialog_.filter = QStringLiteral("CSV (*.csv)|*.csv|All files (*.*)|*.*");
    csvDialog_.defaultExt = QStringLiteral(".csv");
}

void TDlgGlass::Start(TAnalyse analyse, double marginPercent)
{
    analyse_ = std::move(analyse);
    margin_ = marginPercent;
    dragging_ = -1;
    Analyse(false);
}

void TDlgGlass::Analyse(bool keepMarkers)
{
    if (!analyse_)
        return;
    analysis::TGlassParams params;
    const QString baseline = Edit1->text().trimmed();
    params.BaseLineFile = baseline.isEmpty() ? analysis::kNoBaseline : baseline;
    params.MarginPercent = margin_;
    if (keepMarkers && result_.Failure.isEmpty())
        params.Ranges = result_.Ranges;
    result_ = analyse_(params);
    for (const QString &notice : result_.Notices)
        Prompt().Message(notice);
    Show();
}

void TDlgGlass::Show()
{
    items_ = analysis::LayoutGlassPicture(result_);
    Image1->SetImage(analysis::GlassImage(items_));
    const QStringList texts = analysis::GlassValueTexts(result_);
    for (int k = 0; k < texts.size(); ++k)
        StringGrid1->SetCells(1, k + 1, result_.Failure.isEmpty() ? texts[k] : QString());
}

double &TDlgGlass::Marker(int k)
{
    analysis::TGlassRanges &r = result_.Ranges;
    double *markers[4] = {&r.T1, &r.T2, &r.T3, &r.T4};
    return *markers[std::clamp(k, 0, 3)];
}

void TDlgGlass::SetMarker(int k, double t)
{
    if (!result_.Failure.isEmpty() || k < 0 || k > 3)
        return;
    Marker(k) = t;
    result_.Tangents = analysis::FitTangents(result_.Curve, result_.Ranges, result_.Rod);
    Show();
}

void TDlgGlass::ImageMouseDown(int x)
{
    if (!result_.Failure.isEmpty())
        return;
    const analysis::TGlassFrame frame = analysis::GlassFrameOf(result_.Curve);
    int nearest = kGrabDistance + 1;
    for (int k = 0; k < 4; ++k) {
        const int distance = std::abs(x - std::clamp(frame.X(Marker(k)), analysis::kGlassLeft, analysis::kGlassRight));
        if (distance < nearest) {
            nearest = distance;
            dragging_ = k;
        }
    }
}

void TDlgGlass::ImageMouseMove(int x)
{
    if (dragging_ < 0)
        return;
    const analysis::TGlassFrame frame = analysis::GlassFrameOf(result_.Curve);
    SetMarker(dragging_, frame.TAt(std::clamp(x, analysis::kGlassLeft, analysis::kGlassRight)));
}

void TDlgGlass::ImageMouseUp() { dragging_ = -1; }

void TDlgGlass::SpeedButton1Click()
{
    const QString name = Prompt().OpenFileName(baselineDialog_);
    if (name.isEmpty())
        return;
    RememberChosenFile(baselineDialog_, name);
    Edit1->setText(name);
}

void TDlgGlass::BtnRecalcClick() { Analyse(true); }

void TDlgGlass::BtnAutoClick() { Analyse(false); }

void TDlgGlass::BtnCopyClick()
{
    auto *data = new QMimeData;
    data->setData(QStringLiteral("image/svg+xml"), analysis::GlassSvg(items_));
    data->setImageData(Image1->Image());
    QApplication::clipboard()->setMimeData(data);
}

// An SVG document for a name ending in .svg, otherwise a PNG image.
void TDlgGlass::BtnSaveClick()
{
    const QString name = Prompt().SaveFileName(pictureDialog_);
    if (name.isEmpty())
        return;
    RememberChosenFile(pictureDialog_, name);
    const bool svg = name.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
    const QByteArray bytes = svg ? analysis::GlassSvg(items_) : analysis::GlassPng(items_);
    if (const QString error = WriteFileSafely(name, bytes); !error.isEmpty())
        Prompt().Message(error);
}

QString TDlgGlass::NoValues() const
{
    if (!result_.Failure.isEmpty())
        return result_.Failure;
    return result_.Tangents.Failure;
}

void TDlgGlass::BtnExcelClick()
{
    if (const QString refused = NoValues(); !refused.isEmpty()) {
        Prompt().Message(refused);
        return;
    }
    if (!spreadsheet_)
        return;
    if (const QString message = analysis::ExportGlass(result_, *spreadsheet_, analysis::TsNotReached());
        !message.isEmpty())
        Prompt().Message(message);
}

void TDlgGlass::BtnCsvClick()
{
    if (const QString refused = NoValues(); !refused.isEmpty()) {
        Prompt().Message(refused);
        return;
    }
    const QString name = Prompt().SaveFileName(csvDialog_);
    if (name.isEmpty())
        return;
    RememberChosenFile(csvDialog_, name);
    TCsvSpreadsheet sheet;
    analysis::ExportGlass(result_, sheet, QString());
    if (const QString error = WriteFileSafely(name, sheet.Text()); !error.isEmpty())
        Prompt().Message(error);
}

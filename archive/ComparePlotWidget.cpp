#include "archive/ComparePlotWidget.h"

#include <QPainter>

TComparePlotWidget::TComparePlotWidget(QWidget *parent) : QWidget(parent)
{
    setMinimumSize(300, 200);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TComparePlotWidget::SetCurves(std::vector<archive::TCompareCurve> curves, const archive::TPlotTitles &titles)
{
    curves_ = std::move(curves);
    titles_ = titles;
    Redraw();
}

void TComparePlotWidget::Redraw()
{
    if (picture_.size() != size())
        picture_ = QImage(size(), QImage::Format_RGB32);
    if (picture_.isNull())
        return;
    QPainter painter(&picture_);
    archive::PaintComparison(painter, QRectF(QPointF(0, 0), QSizeF(size())), curves_, titles_);
    painter.end();
    update();
}

void TComparePlotWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

void TComparePlotWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Redraw();
}

#include "archive/report/ReportPdf.h"

#include "archive/report/ComparePlot.h"

#include "app/core/SafeFile.h"

#include <QCoreApplication>
#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace archive {
namespace {

// The context of this file's texts in the translation catalogue.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(archive::ReportPdf)
};

constexpr int kDpi = 300;
constexpr double kMarginMm = 15;

// Lays out the report top to bottom, starting a new page where the next
// block does not fit.
class TLayout {
public:
    TLayout(QPdfWriter &writer, QPainter &painter, const QString &footer)
        : writer_(writer), painter_(painter), footer_(footer)
    {
        const QRect page = writer.pageLayout().paintRectPixels(kDpi);
        area_ = QRectF(0, 0, page.width(), page.height());
        body_ = QFont(QStringLiteral("DejaVu Sans"));
        body_.setPointSizeF(9);
        bold_ = body_;
        bold_.setBold(true);
        title_ = bold_;
        title_.setPointSizeF(14);
        small_ = body_;
        small_.setPointSizeF(7);
        y_ = area_.top();
        Footer();
    }

    double Line(const QFont &font) const { return QFontMetricsF(font, painter_.device()).height(); }
    double Width() const { return area_.width(); }
    double Bottom() const { return area_.bottom() - Line(small_) * 2; }

    void Need(double height)
    {
        if (y_ + height > Bottom()) {
            writer_.newPage();
            ++page_;
            y_ = area_.top();
            Footer();
        }
    }

    void Text(const QString &text, const QFont &font, double indent = 0)
    {
        painter_.setFont(font);
        const QRectF box(area_.left() + indent, 0, area_.width() - indent, 1e6);
        const QRectF needed = painter_.boundingRect(box, Qt::TextWordWrap, text);
        Need(needed.height());
        painter_.drawText(QRectF(box.left(), y_, box.width(), needed.height()), Qt::TextWordWrap, text);
        y_ += needed.height();
    }

    void Title(const QString &text) { Text(text, title_); Space(0.5); }
    void Heading(const QString &text)
    {
        Space(0.6);
        Need(Line(bold_) * 3);
        Text(text, bold_);
        Space(0.2);
    }
    void Space(double lines) { y_ += Line(body_) * lines; }

    void Fields(const TReportFields &fields)
    {
        painter_.setFont(body_);
        const QFontMetricsF fm(body_, painter_.device());
        double labelWidth = 0;
        for (const auto &f : fields)
            labelWidth = std::max(labelWidth, fm.horizontalAdvance(f.first));
        const double gap = Line(body_);
        for (const auto &[label, value] : fields) {
            const QRectF box(area_.left() + labelWidth + gap, 0, area_.width() - labelWidth - gap, 1e6);
            const QRectF needed = painter_.boundingRect(box, Qt::TextWrapAnywhere, value);
            Need(needed.height());
            painter_.setFont(body_);
            painter_.drawText(QPointF(area_.left(), y_ + fm.ascent()), label);
            painter_.drawText(QRectF(box.left(), y_, box.width(), needed.height()), Qt::TextWrapAnywhere, value);
            y_ += needed.height();
        }
    }

    void Chart(const TCompareCurve &curve)
    {
        const double height = area_.width() * 0.55;
        Need(height);
        PaintComparison(painter_, QRectF(area_.left(), y_, area_.width(), height), {curve},
                        TPlotTitles{QStringLiteral("T, deg C"), QStringLiteral("L, mkm")}, 8);
        y_ += height;
    }

    // The table's header again at the top of every page it runs onto.
    void Table(const QStringList &header, const std::vector<QStringList> &rows)
    {
        const double line = Line(small_);
        const int columns = int(header.size());
        if (columns == 0)
            return;
        const double width = area_.width() / columns;
        auto drawRow = [&](const QStringList &cells, const QFont &font) {
            painter_.setFont(font);
            for (int k = 0; k < columns && k < cells.size(); ++k)
                painter_.drawText(QRectF(area_.left() + k * width, y_, width - line / 2, line),
                                  Qt::AlignRight | Qt::AlignVCenter, cells[k]);
            y_ += line;
        };
        QFont headerFont = small_;
        headerFont.setBold(true);
        Need(line * 3);
        drawRow(header, headerFont);
        for (const QStringList &row : rows) {
            if (y_ + line > Bottom()) {
                Need(Bottom());
                drawRow(header, headerFont);
            }
            drawRow(row, small_);
        }
    }

    const QFont &Body() const { return body_; }
    const QFont &Small() const { return small_; }

private:
    void Footer()
    {
        painter_.setFont(small_);
        const double line = Line(small_);
        painter_.drawText(QRectF(area_.left(), area_.bottom() - line, area_.width(), line),
                          Qt::AlignLeft | Qt::AlignVCenter, footer_);
        painter_.drawText(QRectF(area_.left(), area_.bottom() - line, area_.width(), line),
                          Qt::AlignRight | Qt::AlignVCenter, Tr::tr("Страница %1").arg(page_));
    }

    QPdfWriter &writer_;
    QPainter &painter_;
    QString footer_;
    QRectF area_;
    QFont body_, bold_, title_, small_;
    double y_ = 0;
    int page_ = 1;
};

} // namespace

QByteArray ReportPdf(const TReportContent &c)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kDpi);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter));
        writer.setTitle(c.title);
        writer.setCreator(QStringLiteral("Varotem"));
        QPainter painter(&writer);
        TLayout layout(writer, painter, c.footer);
        layout.Title(c.title);
        layout.Heading(Tr::tr("Описание образца"));
        layout.Fields(c.sample);
        layout.Heading(Tr::tr("Запись"));
        layout.Fields(c.record);
        layout.Heading(Tr::tr("Параметры расчета"));
        layout.Fields(c.params);
        layout.Heading(Tr::tr("Настройки"));
        layout.Fields(c.settings);
        layout.Heading(Tr::tr("L от T"));
        if (!c.curve.x.empty())
            layout.Chart(c.curve);
        else
            layout.Text(c.curveNote, layout.Body());
        for (const TReportTable &t : c.tables) {
            layout.Heading(Tr::tr("Результаты: %1").arg(t.title));
            layout.Text(t.subtitle, layout.Small());
            for (const QString &v : t.values)
                layout.Text(v, layout.Body());
            layout.Space(0.3);
            layout.Table(t.header, t.rows);
        }
        if (c.tables.empty()) {
            layout.Heading(Tr::tr("Результаты"));
            layout.Text(Tr::tr("С запуском не сохранено ни одного результата."), layout.Body());
        }
    }
    return buffer.data();
}

QString WriteReportPdf(const TReportContent &content, const QString &fileName)
{
    return WriteFileSafely(fileName, ReportPdf(content));
}

} // namespace archive

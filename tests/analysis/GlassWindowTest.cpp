// The window of "Стеклование и размягчение": its picture checked pixel by
// pixel where the tangents, the crosses and the markers must be, the SVG
// read back, the markers dragged with the mouse, and the values exported.
#include "analysis/DlgGlass.h"
#include "analysis/GlassPicture.h"
#include "analysis/StringGrid.h"
#include "analysis/core/GlassTransition.h"
#include "tests/analysis/AnalysisFixture.h"
#include "tests/analysis/GlassModel.h"
#include "tests/app/CoreTestUtil.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// The picture's mapping as documented: the plot spans columns 64..544 and
// rows 12..362, each range widened by 3 % of its span on both sides.
struct TMapping {
    double tMin, tMax, lMin, lMax;
    explicit TMapping(const analysis::TGlassCurve &c)
    {
        const auto [t0, t1] = std::minmax_element(c.T.begin(), c.T.end());
        const auto [l0, l1] = std::minmax_element(c.L.begin(), c.L.end());
        tMin = *t0 - 0.03 * (*t1 - *t0), tMax = *t1 + 0.03 * (*t1 - *t0);
        lMin = *l0 - 0.03 * (*l1 - *l0), lMax = *l1 + 0.03 * (*l1 - *l0);
    }
    int X(double t) const { return 64 + int(std::lround((t - tMin) / (tMax - tMin) * 480)); }
    int Y(double l) const { return 362 - int(std::lround((l - lMin) / (lMax - lMin) * 350)); }
    double TAt(int x) const { return tMin + (x - 64) / 480.0 * (tMax - tMin); }
};

bool Near(const QImage &image, int x, int y, const std::function<bool(QRgb)> &is, int reach = 1)
{
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            if (image.valid(x + dx, y + dy) && is(image.pixel(x + dx, y + dy)))
                return true;
    return false;
}

std::function<bool(QRgb)> Exactly(QRgb colour)
{
    return [colour](QRgb p) { return (p | 0xFF000000u) == (colour | 0xFF000000u); };
}

// Anti-aliased renderings: a clearly red pixel.
bool Reddish(QRgb p) { return qRed(p) > 180 && qGreen(p) < 110 && qBlue(p) < 110; }

class GlassWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale::c());
        run = glasstest::ModelRun(model, 20, 620, 0.5, 0.01);
        dialog.SetSpreadsheet(&sheet);
        dialog.Start([this](const analysis::TGlassParams &p) { return Analyse(p); }, 0.5);
        // The analysis at opening says what became of the baseline, as "Расчет" does.
        EXPECT_EQ(prompt.messages, QStringList{QStringLiteral("Базовая линия игнорирована!")});
        prompt.messages.clear();
    }
    analysis::TGlassResult Analyse(const analysis::TGlassParams &params) const
    {
        const TSplineTable none;
        return analysis::AnalyseGlass(*run, params, DefaultSettings(QString()), none, none);
    }
    void Mouse(QEvent::Type type, int x)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(x, 200), QPointF(x, 200), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(dialog.Image1, &event);
    }
    void Drag(int from, int to)
    {
        Mouse(QEvent::MouseButtonPress, from);
        for (int x = from; x != to; x += to > from ? 1 : -1)
            Mouse(QEvent::MouseMove, x);
        Mouse(QEvent::MouseMove, to);
        Mouse(QEvent::MouseButtonRelease, to);
    }

    glasstest::TGlassModel model;
    std::unique_ptr<TRunData> run;
    TRecordingPrompt prompt;
    TRecordingSpreadsheet sheet;
    TDlgGlass dialog;
};

TEST_F(GlassWindow, PictureShowsTangentsCrossesAndMarkers)
{
    const analysis::TGlassResult &r = dialog.Result();
    ASSERT_TRUE(r.Tangents.Failure.isEmpty());
    ASSERT_TRUE(r.Softening);
    const QImage image = dialog.Image1->Image();
    ASSERT_EQ(image.size(), QSize(560, 400));
    const TMapping m(r.Curve);

    // Each tangent along its portion.
    const auto [gLo, gHi] = std::minmax(r.Ranges.T1, r.Ranges.T2);
    const auto [qLo, qHi] = std::minmax(r.Ranges.T3, r.Ranges.T4);
    for (const auto &[line, lo, hi] : {std::tuple{r.Tangents.Glass, gLo, gHi}, std::tuple{r.Tangents.Liquid, qLo, qHi}}) {
        for (int k = 1; k < 10; ++k) {
            const double t = lo + (hi - lo) * k / 10;
            EXPECT_TRUE(Near(image, m.X(t), m.Y(line(t)), Exactly(0xFF0000))) << "tangent at " << t << " C";
        }
    }
    // The crosses at Tg (black) and Ts (magenta): centre and arms.
    const struct {
        const char *name;
        double t, l;
        QRgb colour;
    } crosses[] = {{"Tg", r.Tangents.Tg, r.Tangents.Lg, 0x000000}, {"Ts", r.Softening->Ts, r.Softening->Ls, 0xC000C0}};
    for (const auto &c : crosses) {
        const int x = m.X(c.t), y = m.Y(c.l);
        for (const auto &[dx, dy] : {std::pair{0, 0}, {-3, 0}, {3, 0}, {0, -3}, {0, 3}})
            EXPECT_TRUE(Exactly(c.colour)(image.pixel(x + dx, y + dy))) << c.name << " at " << dx << ", " << dy;
    }
    // The markers: dotted green columns over the plot's height.
    for (const double t : {r.Ranges.T1, r.Ranges.T2, r.Ranges.T3, r.Ranges.T4}) {
        int green = 0;
        for (int y = 12; y <= 362; ++y)
            green += Exactly(0x008000)(image.pixel(m.X(t), y));
        EXPECT_GT(green, 120) << "marker at " << t << " C";
        EXPECT_LT(green, 200) << "dotted";
    }
}

TEST_F(GlassWindow, SvgLoadsAndDrawsTheSamePicture)
{
    const QByteArray svg = analysis::GlassSvg(dialog.Items());
    QSvgRenderer renderer(svg);
    ASSERT_TRUE(renderer.isValid());
    EXPECT_EQ(renderer.viewBox(), QRect(0, 0, 560, 400));
    QImage image(560, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    const analysis::TGlassResult &r = dialog.Result();
    const TMapping m(r.Curve);
    for (const double t : {r.Ranges.T3 + 5, r.Ranges.T4 - 5, 100.0, 300.0}) {
        const analysis::TTangent &line = t > r.Tangents.Tg ? r.Tangents.Liquid : r.Tangents.Glass;
        EXPECT_TRUE(Near(image, m.X(t), m.Y(line(t)), Reddish, 2)) << t;
    }
}

// A marker follows the mouse within the plot; the tangents follow it.
TEST_F(GlassWindow, DraggedMarkersRefitTheTangents)
{
    const TMapping m(dialog.Result().Curve);
    const analysis::TGlassRanges before = dialog.Result().Ranges;
    const int x2 = m.X(before.T2);

    Mouse(QEvent::MouseButtonPress, x2 + 10);
    EXPECT_EQ(dialog.Dragging(), -1) << "10 pixels off grabs nothing";
    Mouse(QEvent::MouseButtonRelease, x2 + 10);

    Drag(x2 + 2, x2 - 40);
    analysis::TGlassRanges expected = before;
    expected.T2 = m.TAt(x2 - 40);
    const analysis::TGlassResult &r = dialog.Result();
    EXPECT_DOUBLE_EQ(r.Ranges.T2, expected.T2);
    EXPECT_EQ(r.Ranges.T3, before.T3);
    const analysis::TGlassTangents refit = analysis::FitTangents(r.Curve, expected, r.Rod);
    EXPECT_EQ(r.Tangents.Tg, refit.Tg);
    EXPECT_NEAR(r.Tangents.Tg, model.TangentIntersection(), 2.0) << "still a good glassy portion";
    EXPECT_EQ(dialog.StringGrid1->Cells(1, 1), QString::number(refit.Tg, 'f', 1));

    // Dragged past the edge of the plot: held at its edge.
    Drag(m.X(before.T4), 600);
    EXPECT_DOUBLE_EQ(dialog.Result().Ranges.T4, m.TAt(544));

    // T3 dragged below T2: refused, said in the picture, and the values are
    // not exported.
    Drag(m.X(dialog.Result().Ranges.T3), m.X(dialog.Result().Ranges.T2) - 30);
    EXPECT_TRUE(dialog.Result().Tangents.Failure.startsWith("Участки перекрываются"));
    EXPECT_EQ(dialog.StringGrid1->Cells(1, 1), "");
    const auto failureShown = std::any_of(dialog.Items().begin(), dialog.Items().end(), [](const auto &item) {
        return item.color == analysis::kGlassFailureColor && item.text.startsWith("Участки перекрываются");
    });
    EXPECT_TRUE(failureShown);
    dialog.BtnExcel->click();
    EXPECT_EQ(sheet.workbooks, 0);
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(prompt.messages[0].startsWith("Участки перекрываются"));

    dialog.BtnAuto->click();
    EXPECT_TRUE(dialog.Result().Tangents.Failure.isEmpty());
    EXPECT_DOUBLE_EQ(dialog.Result().Ranges.T2, before.T2);
}

TEST_F(GlassWindow, ValuesAndPictureGoOut)
{
    const analysis::TGlassResult &r = dialog.Result();
    dialog.BtnExcel->click();
    ASSERT_EQ(sheet.workbooks, 1);
    EXPECT_EQ(sheet.shown, 1);
    ASSERT_EQ(sheet.cells.size(), 16u);
    EXPECT_EQ(std::get<QString>(sheet.cells[0].value), "Tg, deg C");
    EXPECT_EQ(std::get<double>(sheet.cells[1].value), r.Tangents.Tg);
    EXPECT_EQ(std::get<double>(sheet.cells[7].value), r.Softening->Ts);

    QTemporaryDir dir;
    prompt.saveNames = {dir.filePath("values.csv"), dir.filePath("glass.png"), dir.filePath("glass.svg")};
    dialog.BtnCsv->click();
    const QStringList csv = QString::fromUtf8(ReadBytes(dir.filePath("values.csv"))).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(csv.size(), 2);
    EXPECT_EQ(csv[1].split(',')[0].toDouble(), r.Tangents.Tg) << "read back as the same double";
    dialog.BtnSave->click();
    EXPECT_EQ(QImage(dir.filePath("glass.png")).size(), QSize(560, 400));
    dialog.BtnSave->click();
    EXPECT_TRUE(QSvgRenderer(dir.filePath("glass.svg")).isValid());
    EXPECT_EQ(prompt.fileDialogs[1].filter, "PNG (*.png)|*.png|SVG (*.svg)|*.svg");

    dialog.BtnCopy->click();
    const QMimeData *copied = QApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_TRUE(copied->hasFormat("image/svg+xml"));
    EXPECT_EQ(qvariant_cast<QImage>(copied->imageData()).size(), QSize(560, 400));
    EXPECT_TRUE(prompt.messages.isEmpty()) << prompt.messages.join('\n').toStdString();
}

// A run heated only to below its softening point: Ts not reached, in the
// list and in the workbook.
TEST_F(GlassWindow, SofteningNotReachedIsSaidSo)
{
    run = glasstest::ModelRun(model, 20, 595, 0.5, 0.01);
    dialog.BtnAuto->click();
    EXPECT_FALSE(dialog.Result().Softening);
    EXPECT_EQ(dialog.StringGrid1->Cells(1, 4), "не достигнута");
    dialog.BtnExcel->click();
    ASSERT_EQ(sheet.cells.size(), 16u);
    EXPECT_EQ(std::get<QString>(sheet.cells[7].value), "не достигнута");
}

} // namespace

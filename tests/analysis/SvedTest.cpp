// The curve reduction: label texts, the picture's pixels, manual ranges,
// baselines, the vector and raster kinds, copying and saving.
#include "AnalysisFixture.h"

#include "analysis/SvedPicture.h"
#include "analysis/core/AnalysisMessages.h"
#include "chart/ChartCanvas.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include <set>

using namespace analysis;

namespace {

constexpr QRgb kBlue = 0xFF0000FFu;
constexpr QRgb kRed = 0xFFFF0000u;
constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr QRgb kBlack = 0xFF000000u;
const QString kSvedTitle = QStringLiteral("Сведение");

// The columns of row y (or the rows of column x) where the colour lies.
std::set<int> ColumnsOf(const QImage &image, int y, QRgb color)
{
    std::set<int> xs;
    for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) == color)
            xs.insert(x);
    return xs;
}
std::set<int> RowsOf(const QImage &image, int x, QRgb color)
{
    return ColumnsOf(image.transformed(QTransform(0, 1, 1, 0, 0, 0)), x, color);
}

int RedOutsidePlot(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == kRed && (x < 50 || x > 350 || y < 10 || y > 310);
    return count;
}

// The label text as the picture draws it: black on an opaque white block.
bool LabelAt(const QImage &picture, int x, int y, const QString &text)
{
    const QImage block = chart::RenderTextBlock(chart::LabelFont(), kBlack, kWhite, text);
    return !block.isNull() && picture.copy(x, y, block.width(), block.height()) == block;
}

} // namespace

TEST(SvedLabels, FormatsByMagnitude)
{
    struct Row {
        const char *name;
        double v;
        QString t, l;
    };
    const Row rows[] = {
        {"zero", 0, "0", "0"},
        {"first T label of the test run", 1, "1", "1.000"},
        {"second T label of the test run", 75.875, "76", "76.000"},
        {"thousand", 1250, "1.3E+3", "1.25E+3"},
        {"just above the L limit", 250, "250", "2.50E+2"},
        {"inside both", 50.25, "50", "50.000"},
        {"small", 0.0123, "1.2E-2", "0.012"},
        {"below the L limit", 0.005, "5.0E-3", "5.00E-3"},
        {"negative", -5, "-5.0E+0", "-5.00E+0"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(SvedTLabel(r.v), r.t);
        EXPECT_EQ(SvedLLabel(r.v), r.l);
    }
}

TEST(SvedLayout, PointsOutsideTheRangeLieOnTheBorder)
{
    const TSvedRanges r{100, 200, 0.25, 0.75};
    const auto items = LayoutSvedPicture(r, {0, 150, 300, 175, std::nan("")}, {0, 0.5, 1, 1e300, 0.5});
    ASSERT_EQ(items.back().kind, TSvedItem::Kind::Curve);
    EXPECT_EQ(items.back().curve, (QList<QPoint>{{50, 310}, {200, 160}, {350, 10}, {275, 10}}));
}

TEST(SvedLayout, RangesThatCannotBeDrawnAreRefused)
{
    EXPECT_TRUE(CheckSvedRanges({0, 1, 0, 1}).isEmpty());
    EXPECT_TRUE(CheckSvedRanges({1, 0, 0, 1}).isEmpty());  // reversed: drawn mirrored
    EXPECT_FALSE(CheckSvedRanges({5, 5, 0, 1}).isEmpty());
    EXPECT_FALSE(CheckSvedRanges({0, 1, 2, 2}).isEmpty());
    EXPECT_FALSE(CheckSvedRanges({std::nan(""), 1, 0, 1}).isEmpty());
    EXPECT_FALSE(CheckSvedRanges({-1e308, 1e308, 0, 1}).isEmpty());
}

class Sved : public AnalysisTest {
protected:
    // SvedClick with the scale dialog set by set, the picture window closed.
    void Run(std::function<void(TDlgScale &)> set = {})
    {
        Accept<TDlgScale>(std::move(set));
        prompt.dialogs.push_back([](QDialog &) { return int(QDialog::Accepted); });
        SvedClick(ctx);
    }
    bool Shown() const { return prompt.dialogsShown.contains(kSvedTitle); }
    QImage Picture() const { return sved.Picture().Image(); }
};

TEST_F(Sved, TestRunWithDefaults)
{
    QStringList fields;
    Run([&](TDlgScale &d) { fields = {d.Edit1->text(), d.Edit2->text(), d.Edit3->text(), d.Edit4->text()}; });
    EXPECT_EQ(fields, (QStringList{"1.00", "600.00", "0.328", "0.540"}));
    ASSERT_TRUE(Shown());
    ASSERT_EQ(sved.Picture().kind(), TSvedPicture::Kind::Raster);
    const QImage p = Picture();
    ASSERT_EQ(p.size(), QSize(400, 360));

    EXPECT_TRUE(LabelAt(p, 50, 330, "1"));
    EXPECT_TRUE(LabelAt(p, 88, 330, "76"));
    EXPECT_TRUE(LabelAt(p, 1, 300, "0"));  // "L от нуля" puts the lowest value at 0
    EXPECT_TRUE(LabelAt(p, 350, 330, "T, deg. C"));
    EXPECT_TRUE(LabelAt(p, 1, 1, "L, mkm"));

    // T lines cross row 300 at their eight positions; L lines cross column
    // 340 at their twelve.
    EXPECT_EQ(ColumnsOf(p, 300, kBlue), (std::set<int>{50, 88, 125, 162, 200, 238, 275, 312}));
    EXPECT_EQ(RowsOf(p, 340, kBlue),
              (std::set<int>{35, 60, 85, 110, 135, 160, 185, 210, 235, 260, 285, 310}));
    // The curve starts at the bottom left corner and stays in the plot area.
    EXPECT_EQ(p.pixel(50, 310), kRed);
    EXPECT_EQ(RedOutsidePlot(p), 0);
}

TEST_F(Sved, BaselineParabolaIsSubtracted)
{
    // Run L = T^2 / 1000 + 0.001 T, baseline L = T^2 / 1000: what is left is a
    // straight line, the diagonal of the plot area.
    auto base = ZeroRun();
    base->Count = 4;
    for (int i = 1; i <= 4; ++i) {
        base->T[i - 1] = 200.0 * i;
        base->L[i - 1] = 40.0 * i * i;
    }
    WriteRun(Path("base.dat"), *base);
    for (int i = 1; i <= 600; ++i)
        run->L[i - 1] = i * i / 1000.0 + 0.001 * i;
    before = SampleBytes(*run);
    Run([&](TDlgScale &d) {
        d.CheckBox5->setChecked(true);
        d.Edit5->setText(Path("base.dat"));
    });
    EXPECT_EQ(prompt.messages, QStringList{MsgBaselineLoaded()});
    EXPECT_EQ(settings.BaseLineFile, Path("base.dat"));
    const QImage p = Picture();
    for (int x = 60; x <= 340; x += 20) {
        const std::set<int> ys = RowsOf(p, x, kRed);
        ASSERT_FALSE(ys.empty()) << x;
        EXPECT_LE(std::abs(*ys.begin() - (360 - x)), 1) << x;
    }
}

TEST_F(Sved, MissingBaselineIsDroppedUnreadableOneStops)
{
    auto damaged = ZeroRun();
    damaged->Count = 20000;
    WriteRun(Path("damaged.dat"), *damaged);
    const struct {
        const char *name;
        QString field;
        QString message, baseLineFile;
        bool shown;
    } rows[] = {
        {"no such file", Path("absent.dat"), MsgBaselineIgnored(), kNoBaseline, true},
        {"a directory is no file", dir.path(), MsgBaselineIgnored(), kNoBaseline, true},
        {"a file that is not a run", Path("damaged.dat"), MsgBaselineNotLoaded(), Path("damaged.dat"), false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        prompt.messages.clear();
        prompt.dialogsShown.clear();
        Run([&](TDlgScale &d) {
            d.CheckBox5->setChecked(true);
            d.Edit5->setText(row.field);
        });
        EXPECT_EQ(prompt.messages, QStringList{row.message});
        EXPECT_EQ(settings.BaseLineFile, row.baseLineFile);
        EXPECT_EQ(Shown(), row.shown);
        if (!row.shown)
            prompt.dialogs.clear();  // the picture window's answer was not taken
    }
}

TEST_F(Sved, RefusalsLeaveThePictureAndShowNoWindow)
{
    Run();
    const QImage first = Picture();
    auto manual = [](QString tMin, QString tMax, QString lMax) {
        return [=](TDlgScale &d) {
            d.CheckBox1->setChecked(false);
            d.CheckBox3->setChecked(false);
            d.CheckBox4->setChecked(false);
            d.Edit1->setText(tMin);
            d.Edit2->setText(tMax);
            d.Edit4->setText(lMax);
        };
    };
    auto automatic = [](TDlgScale &d) {
        d.CheckBox1->setChecked(true);
        d.CheckBox3->setChecked(true);
        d.CheckBox4->setChecked(true);
    };
    struct Case {
        const char *name;
        std::function<void(TDlgScale &)> set;  // empty: the dialog is cancelled
        std::function<void(TRunData &)> change;
        int messages;
    };
    const std::vector<Case> cases = {
        {"cancelled", {}, {}, 0},
        {"T range not a number", manual("abc", "600", "1"), {}, 1},
        {"L range not a number", manual("1", "600", ""), {}, 1},
        {"equal T limits", manual("5", "5", "1"), {}, 1},
        {"constant curve", automatic, [](TRunData &r) { for (int i = 0; i < 600; ++i) r.L[i] = 1; }, 1},
        {"no samples", automatic, [](TRunData &r) { r.Count = 0; }, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FillTestRun(*run);
        if (c.change)
            c.change(*run);
        prompt.messages.clear();
        prompt.dialogsShown.clear();
        if (c.set)
            Accept<TDlgScale>(c.set);
        else
            Cancel();
        SvedClick(ctx);
        EXPECT_EQ(prompt.messages.size(), c.messages);
        EXPECT_FALSE(Shown());
        EXPECT_EQ(Picture(), first);
    }
    checkSamples = false;
}

TEST_F(Sved, VectorPictureIsSavedAsSvgAndCopiedWithABitmap)
{
    Run();
    const QImage raster = Picture();
    Run([](TDlgScale &d) { d.CheckBox2->setChecked(true); });
    ASSERT_EQ(sved.Picture().kind(), TSvedPicture::Kind::Vector);
    // The raster kind is the vector picture drawn on white.
    EXPECT_EQ(Picture(), raster);

    prompt.saveNames.push_back(Path("picture.svg"));
    sved.Save1->trigger();
    ASSERT_EQ(prompt.fileDialogs.size(), 1);
    EXPECT_EQ(prompt.fileDialogs[0].defaultExt, ".svg");
    QFile file(Path("picture.svg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray svg = file.readAll();
    QXmlStreamReader xml(svg);
    ASSERT_TRUE(xml.readNextStartElement());
    EXPECT_EQ(xml.name(), QStringLiteral("svg"));
    while (!xml.atEnd())
        xml.readNext();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    QSvgRenderer renderer(svg);
    ASSERT_TRUE(renderer.isValid());
    EXPECT_EQ(renderer.viewBox(), QRect(0, 0, 400, 360));
    EXPECT_TRUE(svg.contains("T, deg. C"));

    sved.Copy1->trigger();
    const QMimeData *copied = QApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->data("image/svg+xml"), svg);
    EXPECT_TRUE(copied->hasImage());
}

// The reduction window keeps its save dialog's folder and name; the name
// comes back with the extension of the picture's kind.
TEST_F(Sved, SaveDialogKeepsFolderAndNameInThePicturesKind)
{
    const struct {
        const char *name;
        bool vector;
        const char *answer;  // empty: cancelled
        const char *offeredName;
    } steps[] = {
        {"first save", false, "run.bmp", ""},
        {"vector", true, "", "run.svg"},
        {"raster again", false, "Run.BMP.old", "run.bmp"},
        {"vector after a name of the user's own", true, "", "Run.BMP.old"},
    };
    for (const auto &step : steps) {
        Run([&step](TDlgScale &d) { d.CheckBox2->setChecked(step.vector); });
        prompt.fileDialogs.clear();
        prompt.saveNames = {*step.answer ? Path(step.answer) : QString()};
        sved.Save1->trigger();
        ASSERT_EQ(prompt.fileDialogs.size(), 1) << step.name;
        EXPECT_EQ(prompt.fileDialogs[0].directory, *step.offeredName ? dir.path() : QString()) << step.name;
        EXPECT_EQ(prompt.fileDialogs[0].initialName, step.offeredName) << step.name;
    }
}

TEST_F(Sved, RasterPictureIsABitmapWhateverTheName)
{
    Run();
    prompt.saveNames.push_back(Path("picture.svg"));
    sved.Save1->trigger();
    EXPECT_EQ(prompt.fileDialogs[0].defaultExt, ".bmp");
    QFile file(Path("picture.svg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("BM"));
    QImage loaded;
    ASSERT_TRUE(loaded.loadFromData(bytes, "BMP"));
    EXPECT_EQ(loaded.convertToFormat(QImage::Format_RGB32), Picture());

    sved.Copy1->trigger();
    const QMimeData *copied = QApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_FALSE(copied->hasFormat("image/svg+xml"));
    EXPECT_TRUE(copied->hasImage());
}

TEST_F(Sved, QuartzTablePlotPutsTheSmallestCoefficientOnTheBottomLine)
{
    Accept<TDlgScale>();
    prompt.dialogs.push_back([](QDialog &) { return int(QDialog::Accepted); });
    alphaQuartz.BitBtn5->click();
    ASSERT_EQ(prompt.dialogsShown, (QStringList{"Параметры сведения", kSvedTitle}));
    const QImage p = Picture();
    // Rows 1 and 9 (100 and 900 deg C) hold the smallest coefficient, 5.1e-7.
    EXPECT_EQ(p.pixel(50, 310), kRed);
    EXPECT_TRUE(RowsOf(p, 349, kRed).count(310) || RowsOf(p, 350, kRed).count(310));
    EXPECT_TRUE(LabelAt(p, 50, 330, "100"));
    EXPECT_TRUE(LabelAt(p, 1, 1, "L, mkm"));
}

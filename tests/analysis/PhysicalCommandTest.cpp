// "Физический КТР" in the window: driven through its dialog and result
// window with the recording prompt, on the test run (T = i, L = ln(i + 50) /
// 12), whose length change between two temperatures is known in closed form.
#include "AnalysisFixture.h"

#include "analysis/CurvesPlot.h"
#include "analysis/DlgPhysParam.h"
#include "analysis/DlgPhysResult.h"
#include "analysis/PhysicalCommand.h"
#include "analysis/StringGrid.h"
#include "app/core/LocaleFormat.h"

#include <QCheckBox>
#include <QImage>
#include <QLineEdit>

using namespace analysis;

namespace {

const QString kTitle = QStringLiteral("Физический КТР");
const QString kResultTitle = QStringLiteral("Результаты: физический КТР");

} // namespace

class PhysicalCommand : public AnalysisTest {
protected:
    PhysicalCommand() { BindPhysicalDialogs(ctx, param, result); }

    void Run(std::function<void(TDlgPhysParam &)> set, std::function<void(TDlgPhysResult &)> onResult = {})
    {
        Accept<TDlgPhysParam>(std::move(set));
        prompt.dialogs.push_back([onResult](QDialog &dialog) {
            if (auto *r = dynamic_cast<TDlgPhysResult *>(&dialog); r && onResult)
                onResult(*r);
            return int(QDialog::Accepted);
        });
        PhysicalClick(ctx, param, result);
    }

    TDlgPhysParam param;
    TDlgPhysResult result;
};

// The parameters read back (L0 stored in the run as "Расчет" stores it), the
// table from the reference temperature, and the same numbers in the
// workbook and in the CSV file, the undefined mean at the reference empty.
TEST_F(PhysicalCommand, ParametersToResultsAndExports)
{
    prompt.saveNames.push_back(Path("phys.csv"));
    Run(
        [](TDlgPhysParam &d) {
            d.EditStep->setText("50");
            d.EditReference->setText("100");
            d.EditSampleLength->setText("20000");
        },
        [](TDlgPhysResult &r) {
            r.ExcelClick();
            r.CsvClick();
        });
    EXPECT_EQ(prompt.messages, QStringList{MsgBaselineIgnored()});
    EXPECT_EQ(prompt.dialogsShown, (QStringList{kTitle, kResultTitle}));
    EXPECT_EQ(run->SampleLength, 20000);

    // T from 1 to 600: rows 50, 100, ..., 600; the reference is row 2.
    ASSERT_EQ(result.Grid->RowCount(), 13);
    EXPECT_EQ(result.Grid->Cells(2, 0), "dL от 100 deg C");
    EXPECT_EQ(result.Grid->Cells(1, 2), "100");
    EXPECT_EQ(result.Grid->Cells(2, 2), "0.0000");
    EXPECT_EQ(result.Grid->Cells(4, 2), "");
    // At 300: the measured rise plus the push rod's 50000 * 5.2e-7 * 200.
    const double dl300 = TestRunL(300) - TestRunL(100) + 50000 * 5.2e-7 * 200;
    EXPECT_EQ(result.Grid->Cells(1, 6), "300");
    EXPECT_EQ(result.Grid->Cells(2, 6), LocaleFixed(dl300, 8, 4));
    EXPECT_EQ(result.Grid->Cells(3, 6), LocaleFixed(dl300 / 20000 * 1e6, 8, 2));

    ASSERT_EQ(sheet.workbooks, 1);
    int referenceCells = 0;
    for (const auto &cell : sheet.cells) {
        if (cell.row == 3)
            ++referenceCells;
        if (cell.row == 7 && cell.column == 2) {
            EXPECT_NEAR(std::get<double>(cell.value), dl300, 1e-6);
        }
    }
    EXPECT_EQ(referenceCells, 4);  // no mean coefficient at the reference

    // The coefficient's curve is drawn (in its blue) in a picture of the plot.
    result.PlotAlpha->resize(700, 400);
    const QImage picture = result.PlotAlpha->grab().toImage();
    int blue = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            blue += picture.pixelColor(x, y) == QColor(0, 0, 200);
    EXPECT_GT(blue, 300);

    QFile csv(Path("phys.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(csv.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 13);
    EXPECT_EQ(lines[0], "\"T, deg C\",dL от 100 deg C,\"dL/L0 от 100 deg C, 1E-6\",Alpha ср. от 100 deg C,Alpha физ.");
    EXPECT_TRUE(lines[2].startsWith("100,0,0,,")) << lines[2].toStdString();
    EXPECT_NEAR(lines[6].split(',')[1].toDouble(), dl300, 1e-6);
}

// Each way the command stops shows its message and no results; the
// calculation's own baseline name is never touched.
TEST_F(PhysicalCommand, StopsShowTheirMessageAndNoResults)
{
    const struct {
        const char *name;
        std::function<void(TDlgPhysParam &)> set;
        QStringList messages;
        QString baselineAfter;
    } rows[] = {
        {"a step that is not a number", [](TDlgPhysParam &d) { d.EditStep->setText("10 K"); }, {MsgBadParameter()},
         "Nil"},
        {"a baseline without a file",
         [this](TDlgPhysParam &d) { d.EditBaseline->setText(Path("none.dat")); },
         {MsgBaselineNotLoaded()},
         "Nil"},
        {"a manual smoothing out of range",
         [](TDlgPhysParam &d) {
             d.CheckAutoSmoothing->setChecked(false);
             d.EditSmoothing->setText("5000");
         },
         {MsgBaselineIgnored(), "Сглаживание R должно быть от 0 до 1000 точек! Расчет остановлен!"},
         "Nil"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        prompt.messages.clear();
        prompt.dialogsShown.clear();
        param.EditBaseline->setText(kNoBaseline);
        param.EditReference->setText("20");
        param.EditStep->setText("10");
        param.CheckAutoSmoothing->setChecked(true);
        settings.BaseLineFile = Path("calculation.dat");
        Run(row.set);
        prompt.dialogs.clear();
        EXPECT_EQ(prompt.messages, row.messages);
        EXPECT_EQ(prompt.dialogsShown, QStringList{kTitle});
        EXPECT_EQ(param.EditBaseline->text(), row.baselineAfter);
        EXPECT_EQ(settings.BaseLineFile, Path("calculation.dat"));
    }
}


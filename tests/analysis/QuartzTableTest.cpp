// The quartz table dialog: its default table, the grid rules, its files in
// the run layout and the points the calculation reads from it.
#include "AnalysisFixture.h"

#include "analysis/StringGrid.h"
#include "app/core/LocaleFormat.h"

#include <QPushButton>
#include <QSpinBox>

using namespace analysis;

namespace {
const double kDefaultT[9] = {100, 200, 300, 400, 500, 600, 700, 800, 900};
const double kDefaultAlpha[9] = {5.1e-7, 5.8e-7, 6.0e-7, 6.1e-7, 5.9e-7, 5.7e-7, 5.4e-7, 5.2e-7, 5.1e-7};
} // namespace

class QuartzTable : public AnalysisTest {
protected:
    TStringGrid &Grid() { return *alphaQuartz.StringGrid1; }
    QStringList Row(int r)
    {
        return {Grid().Cells(0, r), Grid().Cells(1, r), Grid().Cells(2, r)};
    }
    void Open(const QString &name)
    {
        prompt.openNames.push_back(name);
        alphaQuartz.BitBtn3->click();
    }
    void Save(const QString &name)
    {
        prompt.saveNames.push_back(name);
        alphaQuartz.BitBtn4->click();
    }
};

TEST_F(QuartzTable, StartsWithTheNineDefaultRows)
{
    EXPECT_EQ(alphaQuartz.windowTitle(), "Alpha кварца");
    EXPECT_EQ(Row(0), (QStringList{"N", "T, deg C", "Alpha кварца"}));
    EXPECT_EQ(Grid().RowCount(), 10);
    EXPECT_EQ(Row(1), (QStringList{"1", "100", "5.1E-7"}));
    EXPECT_EQ(Row(9), (QStringList{"9", "900", "5.1E-7"}));
    const TFitPoints points = alphaQuartz.Points();
    EXPECT_EQ(points.X, std::vector<double>(std::begin(kDefaultT), std::end(kDefaultT)));
    EXPECT_EQ(points.Y, std::vector<double>(std::begin(kDefaultAlpha), std::end(kDefaultAlpha)));
}

TEST_F(QuartzTable, RowsCutByTheSpinBoxComeBackAsTheyWere)
{
    // Down to 3, up to 5, down to 2, up to 9: every default row is back.
    for (int n : {3, 5, 2, 9})
        alphaQuartz.SpinEdit1->setValue(n);
    ASSERT_EQ(Grid().RowCount(), 10);
    for (int r = 1; r <= 9; ++r)
        EXPECT_EQ(Row(r),
                  (QStringList{QString::number(r), QString::number(100 * r), LocaleGeneral(kDefaultAlpha[r - 1])}));
    EXPECT_EQ(alphaQuartz.Points().Y, std::vector<double>(std::begin(kDefaultAlpha), std::end(kDefaultAlpha)));

    // A row never written is empty and counts as (0, 0).
    alphaQuartz.SpinEdit1->setValue(10);
    EXPECT_EQ(Row(10), (QStringList{"10", "", ""}));
    EXPECT_EQ(alphaQuartz.Points().X[9], 0);
}

TEST_F(QuartzTable, SavedFileIsARunRecordThatOpensToTheSameRows)
{
    // A row with a cell that is not a number is the point (0, 0).
    Grid().SetCells(2, 5, "bad");
    EXPECT_EQ(alphaQuartz.Points().X[4], 0);
    Save(Path("quartz.dat"));
    ASSERT_TRUE(prompt.messages.isEmpty()) << prompt.messages.join('\n').toStdString();

    auto expected = ZeroRun();
    expected->Count = 9;
    for (int r = 1; r <= 9; ++r) {
        expected->T[r - 1] = r == 5 ? 0 : kDefaultT[r - 1];
        expected->L[r - 1] = r == 5 ? 0 : kDefaultAlpha[r - 1];
    }
    QFile file(Path("quartz.dat"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), RunImage(*expected));

    alphaQuartz.SpinEdit1->setValue(2);
    Grid().SetCells(1, 1, "999");
    Open(Path("quartz.dat"));
    EXPECT_EQ(Grid().RowCount(), 10);
    EXPECT_EQ(Row(1), (QStringList{"1", "100", "5.1E-7"}));
    EXPECT_EQ(Row(5), (QStringList{"5", "0", "0"}));
    EXPECT_EQ(Row(9), (QStringList{"9", "900", "5.1E-7"}));
    EXPECT_EQ(prompt.fileDialogs[0].defaultExt, ".dat");
    EXPECT_EQ(prompt.fileDialogs[1].filter, "Data files (*.dat)|*.dat|All files (*.*)|*.*");
}

TEST_F(QuartzTable, RunFileOfSixHundredSamplesGivesTheFirstHundred)
{
    WriteRun(Path("run.dat"), *run);
    Open(Path("run.dat"));
    EXPECT_EQ(alphaQuartz.SpinEdit1->value(), 100);
    EXPECT_EQ(Row(100), (QStringList{"100", "100", LocaleGeneral(TestRunL(100))}));
}

TEST_F(QuartzTable, FailedOpenOrSaveKeepsTheGridAndSaysWhy)
{
    Open(Path("absent.dat"));
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(prompt.messages[0].contains("absent.dat"));
    EXPECT_EQ(Grid().RowCount(), 10);
    EXPECT_EQ(Row(1)[1], "100");

    Save(Path("absent-dir/quartz.dat"));
    ASSERT_EQ(prompt.messages.size(), 2);
    EXPECT_TRUE(prompt.messages[1].contains("quartz.dat"));
}

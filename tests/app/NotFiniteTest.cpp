// No "NAN" or "INF" on screen: runs that are empty, hold one sample, hold
// samples or parameters that are not finite numbers, or calibrate to
// infinities, taken through every command that shows numbers. Whatever a
// command cannot show as a number it shows as an empty field or refuses with
// a message of its own.
#include "analysis/CaseDlg.h"
#include "analysis/DlgAlphaQuartz.h"
#include "analysis/DlgCalcResult.h"
#include "analysis/DlgScale.h"
#include "analysis/core/Spreadsheet.h"
#include "app/core/DataFiles.h"
#include "chart/ChartLabels.h"
#include "tests/app/MainFormTestUtil.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTableWidget>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class TNullSpreadsheet final : public TSpreadsheet {
public:
    QString NewWorkbook() override { return {}; }
    void SetCell(int, int, const QString &) override {}
    void SetCell(int, int, double) override {}
    QString MakeVisible() override { return {}; }
};

// What a user can read in the program's widgets: fields (spin boxes
// included), labels and grid cells.
QStringList WidgetTexts()
{
    QStringList texts;
    for (QWidget *widget : QApplication::allWidgets()) {
        if (const auto *edit = qobject_cast<QLineEdit *>(widget)) {
            texts << edit->text();
        } else if (const auto *label = qobject_cast<QLabel *>(widget)) {
            texts << label->text();
        } else if (const auto *grid = qobject_cast<QTableWidget *>(widget)) {
            for (int r = 0; r < grid->rowCount(); ++r)
                for (int c = 0; c < grid->columnCount(); ++c)
                    if (const QTableWidgetItem *item = grid->item(r, c))
                        texts << item->text();
        }
    }
    return texts;
}

// The axis labels a chart drew at its last redraw.
QStringList ChartLabels(const TSimpleChart &c)
{
    QStringList texts;
    for (const QString &t : chart::XLabels(c.SCXDrawingMode(), c.XMin(), c.XMax()))
        texts << t;
    for (const QString &t : chart::YLabels(c.SCYDrawingMode(), c.YMin(), c.YMax()))
        texts << t;
    return texts;
}

// A change to the test run (600 samples) and to the window's settings.
struct TScenario {
    const char *name;
    std::function<void(TRunData &)> run;
    std::function<void(TMainForm &)> setup;
};

struct TStep {
    const char *name;
    std::function<void(TMainForm &, TRecordingPrompt &, const QString &runFile)> run;
};

const TScenario kScenarios[] = {
    {"empty run", [](TRunData &r) { r.Count = 0; }, {}},
    {"one sample", [](TRunData &r) { r.Count = 1; }, {}},
    {"samples not finite",
     [](TRunData &r) {
         r.T[9] = kNaN;
         r.L[19] = kInf;
         r.TC[29] = -kInf;
     },
     {}},
    {"last sample not a number", [](TRunData &r) { r.T[599] = r.L[599] = r.TC[599] = kNaN; }, {}},
    {"calculation parameters not finite",
     [](TRunData &r) {
         r.SampleLength = kNaN;
         r.QuartzLength = kInf;
         r.QuartzAlpha = -kInf;
     },
     {}},
    // T above 100 calibrates beyond the largest double.
    {"polynomial overflows", [](TRunData &) {}, [](TMainForm &f) { f.Settings.dT = 1e303; }},
    {"reference points not finite", [](TRunData &) {},
     [](TMainForm &f) {
         f.SplineT.Count = 3;
         f.SplineT.X[0] = 1;
         f.SplineT.X[1] = kInf;
         f.SplineT.X[2] = 3;
         f.SplineT.Y[0] = kNaN;
     }},
};

void MoveOverCharts(TMainForm &form)
{
    for (TSimpleChart *c : {form.ChartT, form.ChartL, form.ChartTC})
        c->ChartMouseMove(TChartMouseEvent{Qt::NoButton, {}, {}, c->width() / 2, c->height() / 2});
}

const TStep kCommands[] = {
    {"display and readout", [](TMainForm &f, TRecordingPrompt &, const QString &) { MoveOverCharts(f); }},
    {"Auto Mst.",
     [](TMainForm &f, TRecordingPrompt &, const QString &) {
         for (TSimpleChart *c : {f.ChartT, f.ChartL, f.ChartTC}) {
             c->Menu().MstItem->trigger();  // off: the fixed range dialog
             c->Menu().MstItem->trigger();  // on again
         }
     }},
    {"Расчет", [](TMainForm &f, TRecordingPrompt &, const QString &) { f.CalculateClick(); }},
    {"Сведение", [](TMainForm &f, TRecordingPrompt &, const QString &) { f.SvedClick(); }},
    {"Alpha кварца: Open, График",
     [](TMainForm &f, TRecordingPrompt &p, const QString &file) {
         p.openNames = {file};
         f.DlgAlphaQuartz->BitBtn3Click();
         f.DlgAlphaQuartz->BitBtn5Click();
     }},
    {"Выбор интервала", [](TMainForm &f, TRecordingPrompt &, const QString &) { f.ChoiceIntervalClick(); }},
    {"Экспорт в Excel", [](TMainForm &f, TRecordingPrompt &, const QString &) { f.ExcelClick(); }},
    {"Сохранить .txt",
     [](TMainForm &f, TRecordingPrompt &p, const QString &file) {
         p.saveNames = {file + ".txt"};
         f.SaveClick();
     }},
    {"Сглаживание", [](TMainForm &f, TRecordingPrompt &, const QString &) {
         f.SmoothMeanClick();
         f.SmoothPolyClick();
         f.SmoothSplineClick();
     }},
    {"Параметры", [](TMainForm &f, TRecordingPrompt &, const QString &) { f.SettingsClick(); }},
};

} // namespace

TEST(NotFinite, NoCommandShowsNanOrInf)
{
    const QRegularExpression notFinite(QStringLiteral("\\b(nan|inf)\\b"), QRegularExpression::CaseInsensitiveOption);
    for (const TScenario &scenario : kScenarios) {
        QTemporaryDir dir;
        TRecordingPrompt prompt;
        TScriptedBoard board;
        auto form = NewForm(dir, board);
        TNullSpreadsheet sheet;
        form->SetSpreadsheet(&sheet);
        if (scenario.setup)
            scenario.setup(*form);
        auto run = NewRun();
        FillTestRun(*run);
        scenario.run(*run);
        const QString file = dir.filePath("run.dat");
        ASSERT_TRUE(SaveData(file, *run).isEmpty());

        for (const TStep &command : kCommands) {
            prompt.openNames = {file};
            form->OpenClick();
            prompt.messages.clear();
            QStringList seen;
            for (int i = 0; i < 8; ++i) {
                prompt.dialogs.push_back([&seen](QDialog &d) {
                    seen << WidgetTexts();
                    return PressOk(d);
                });
            }
            command.run(*form, prompt, file);
            prompt.dialogs.clear();

            seen << prompt.messages << WidgetTexts();
            for (const TSimpleChart *c : {form->ChartT, form->ChartL, form->ChartTC, form->CaseDlg->SimpleChart,
                                          form->DlgCalcResult->SimpleChart1})
                seen << ChartLabels(*c);
            for (const QString &text : seen) {
                EXPECT_FALSE(notFinite.match(text).hasMatch())
                    << scenario.name << " / " << command.name << ": \"" << text.toStdString() << '"';
            }
        }
        form->SetSpreadsheet(nullptr);
    }
}

// The reduction of an empty run: four empty range fields, then a refusal
// that names the problem, and no picture.
TEST(NotFinite, ReductionOfAnEmptyRunShowsEmptyRangesAndRefuses)
{
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TScriptedBoard board;
    auto form = NewForm(dir, board);
    form->RunData.Count = 0;
    prompt.messages.clear();
    QStringList ranges;
    prompt.dialogs.push_back([&ranges](QDialog &d) {
        auto &scale = dynamic_cast<TDlgScale &>(d);
        ranges = {scale.Edit1->text(), scale.Edit2->text(), scale.Edit3->text(), scale.Edit4->text()};
        return PressOk(d);
    });
    form->SvedClick();
    EXPECT_EQ(ranges, QStringList({"", "", "", ""}));
    EXPECT_EQ(prompt.dialogsShown, QStringList({"Параметры сведения"}));
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(prompt.messages[0].startsWith("Границы диапазона по оси T не являются числами"))
        << prompt.messages[0].toStdString();
}

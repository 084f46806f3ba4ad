// The main window's commands run whole, with scripted answers: start, the
// run display, menus and toolbar, acquisition, files and closing.
#include "analysis/DlgCalcResult.h"
#include "analysis/core/Spreadsheet.h"
#include "analysis/core/XlsxSpreadsheet.h"
#include "app/CaseChannelDlg.h"
#include "app/core/AppPaths.h"
#include "app/core/DataFiles.h"
#include "app/core/LocaleFormat.h"
#include "tests/app/MainFormTestUtil.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// Counts what an export writes, without opening anything.
class TCountingSpreadsheet final : public TSpreadsheet {
public:
    int workbooks = 0;
    int maxRow = 0;
    bool shown = false;
    QString NewWorkbook() override
    {
        ++workbooks;
        return {};
    }
    void SetCell(int row, int, const QString &) override { maxRow = std::max(maxRow, row); }
    void SetCell(int row, int, double) override { maxRow = std::max(maxRow, row); }
    QString MakeVisible() override
    {
        shown = true;
        return {};
    }
};

QStringList MenuLayout(QMainWindow &form)
{
    QStringList layout;
    for (QAction *top : form.menuBar()->actions()) {
        QStringList items;
        for (QAction *item : top->menu()->actions())
            items << (item->isSeparator() ? QStringLiteral("-") : item->text());
        layout << top->menu()->title() + QStringLiteral(": ") + items.join(QStringLiteral(", "));
    }
    return layout;
}

bool IconHasPixels(const QIcon &icon)
{
    const QImage image = icon.pixmap(16, 16).toImage();
    if (image.isNull())
        return false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                return true;
    return false;
}

QStringList FileLines(const QString &name)
{
    QString text = QString::fromUtf8(ReadBytes(name));
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

TEST(MainFormStart, FirstStartReportsMissingTablesAndShowsTheTestRun)
{
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TScriptedBoard board;
    auto form = NewForm(dir, board);
    const QString d = DirPath(dir);

    EXPECT_EQ(prompt.messages, QStringList({"Файл не найден: " + d + "defaultT.spl!",
                                            "Файл не найден: " + d + "defaultL.spl!"}));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Varotem"));
    EXPECT_EQ(form->Settings, DefaultSettings(d));
    EXPECT_EQ(form->SplineT.Count, 0);
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_TRUE(board.commands.empty());

    ASSERT_EQ(form->RunData.Count, 600);
    const std::vector<double> t = ChartY(*form->ChartT), l = ChartY(*form->ChartL), tc = ChartY(*form->ChartTC);
    ASSERT_EQ(t.size(), 600u);
    ASSERT_EQ(l.size(), 600u);
    ASSERT_EQ(tc.size(), 600u);
    for (int i = 1; i <= 600; ++i) {
        EXPECT_EQ(form->ChartT->Data().X[i - 1], i);
        EXPECT_EQ(t[i - 1], i);
        EXPECT_EQ(tc[i - 1], i);
        EXPECT_DOUBLE_EQ(l[i - 1], std::log(i + 50.0) / 12.0);
    }
    EXPECT_NEAR(l.front(), 0.327652, 1e-6);  // ln 51 / 12
    EXPECT_NEAR(l.back(), 0.539748, 1e-6);   // ln 650 / 12
}

TEST(MainFormStart, SettingsAndTablesAreReadBeforeTheTestRun)
{
    QTemporaryDir dir;
    const QString d = DirPath(dir);
    WriteBytes(d + "Varotem.ini", "[Options]\naT=5\nbT=2\nN=123\n");
    TSplineTable table;
    table.Count = 3;
    WriteTableFile(d + "defaultT.spl", table);
    WriteTableFile(d + "defaultL.spl", table);

    TRecordingPrompt prompt;
    TScriptedBoard board;
    auto form = NewForm(dir, board);
    EXPECT_TRUE(prompt.messages.isEmpty()) << prompt.messages.join('\n').toStdString();
    EXPECT_EQ(form->Settings.N, 123);
    EXPECT_EQ(form->SplineL.Count, 3);
    const std::vector<double> t = ChartY(*form->ChartT), tc = ChartY(*form->ChartTC);
    ASSERT_EQ(t.size(), 600u);
    EXPECT_EQ(t[0], 7);
    EXPECT_EQ(t[599], 1205);
    EXPECT_EQ(tc[599], 1205);
    EXPECT_EQ(double(form->RunData.T[599]), 600) << "the run stays raw";
}

TEST(MainFormLayout, TabsChartsAndDialogs)
{
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TScriptedBoard board;
    auto form = NewForm(dir, board);

    ASSERT_EQ(form->PageControl1->count(), 3);
    EXPECT_EQ(form->PageControl1->tabText(0), "T");
    EXPECT_EQ(form->PageControl1->tabText(1), "L");
    EXPECT_EQ(form->PageControl1->tabText(2), "TC");
    EXPECT_EQ(form->PageControl1->currentIndex(), 0);
    const std::pair<TSimpleChart *, const char *> charts[] = {
        {form->ChartT, "T, deg C"}, {form->ChartL, "L, mkm"}, {form->ChartTC, "T, deg C"}};
    for (const auto &[chart, yTitle] : charts) {
        EXPECT_EQ(chart->SCYTitle(), QString::fromUtf8(yTitle));
        EXPECT_EQ(chart->SCXTitle(), "t, mm:ss");
        EXPECT_EQ(chart->SCXDrawingMode(), TSCXDrawing::ByTime);
        EXPECT_EQ(chart->SCYDrawingMode(), TSCYDrawing::ByFixed);
        EXPECT_EQ(chart->SCDrawingMode(), TSCDrawing::ByMultiLine);
        EXPECT_TRUE(chart->SCDrawingModeChange() && chart->SCDrawingDiff() && chart->SCXYWindowShowing() &&
                    chart->SCMstShowing() && chart->SCDrawingTimeLine() && chart->SCGridLinesChange());
        EXPECT_FALSE(chart->SCDrawPoints());
    }

    // Created once, in this order, and kept.
    QStringList titles;
    for (QDialog *dialog : form->findChildren<QDialog *>(Qt::FindDirectChildrenOnly))
        titles << dialog->windowTitle();
    EXPECT_EQ(titles, QStringList({"О программе", "Выбор интервала", "Параметры", "Результаты расчета",
                                   "Параметры расчета", "Alpha кварца", "L по реперным точкам",
                                   "Температура по реперным точкам", "Сведение", "Параметры сведения",
                                   "Выбор канала", "Коррекция по эталону", "Физический КТР",
                                   "Результаты: физический КТР", "Стеклование и размягчение",
                                   "Выключение нагрева при размягчении", "Архив", "Описание образца"}));
    EXPECT_EQ(form->CaseChansDlg->Channel(), TChannel::T);
    EXPECT_EQ(form->CaseChansDlg->size(), QSize(201, 128));
}

TEST(MainFormLayout, MenuAndToolbarInOrderWithIcons)
{
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TScriptedBoard board;
    auto form = NewForm(dir, board);

    EXPECT_EQ(MenuLayout(*form),
              QStringList({"Файл: Открыть, Сохранить, -, Выход", "Правка: Выбор интервала",
                           "АЦП: Начать прием информации, Закончить прием информации",
                           "Обработка: Сглаживание скользящим средним, Сглаживание по семи точкам, "
                           "Сглаживание сплайном, Расчет, Сведение",
                           "Сервис: Тестовый пример, Экспорт в Excel, -, Параметры",
                           "Анализ: Коррекция по эталону, Физический КТР, -, Стеклование и размягчение, "
                           "Выключение нагрева при размягчении",
                           "Архив: Архив запусков, Описание образца, Отчет", "Информация: Справка, О программе"}));

    for (QAction *item : {form->Actions.ItemCorrection, form->Actions.ItemPhysical}) {
        EXPECT_TRUE(IconHasPixels(item->icon())) << item->text().toStdString();
        EXPECT_TRUE(item->toolTip().startsWith(item->text() + QStringLiteral(": "))) << item->text().toStdString();
    }

    QStringList tools;
    for (QAction *action : form->Actions.ToolBar1->actions()) {
        tools << (action->isSeparator() ? QStringLiteral("-") : action->toolTip());
        if (!action->isSeparator()) {
            EXPECT_TRUE(IconHasPixels(action->icon())) << action->text().toStdString();
        }
    }
    EXPECT_EQ(tools, QStringList({"Открыть", "Сохранить", "-", "Выбор интервала", "-", "Начать прием информации",
                                  "Закончить прием информации", "-", "Сглаживание скользящим средним",
                                  "Сглаживание по семи точкам", "Сглаживание сплайном", "Тестовый пример", "Расчет",
                                  "Сведение", "-", "Экспорт в Excel", "-", "О программе"}));
    for (QMenu *menu : form->menuBar()->findChildren<QMenu *>()) {
        for (QAction *item : menu->actions()) {
            if (!item->isSeparator()) {
                EXPECT_TRUE(IconHasPixels(item->icon())) << item->text().toStdString();
            }
        }
    }
    EXPECT_TRUE(IconHasPixels(form->windowIcon()));
}

// The charts follow the window's size: each picture is redrawn at its chart's size.
TEST(MainFormLayout, ResizingRedrawsTheCharts)
{
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TScriptedBoard board;
    auto form = NewForm(dir, board);
    form->resize(900, 600);
    form->show();
    QApplication::processEvents();
    for (const QSize size : {QSize(700, 500), QSize(1100, 760)}) {
        form->resize(size);
        QApplication::processEvents();
        EXPECT_EQ(form->ChartT->Picture().size(), form->ChartT->size());
        EXPECT_GT(form->ChartT->width(), 600);
        form->PageControl1->setCurrentIndex(2);
        QApplication::processEvents();
        EXPECT_EQ(form->ChartTC->Picture().size(), form->ChartTC->size());
        form->PageControl1->setCurrentIndex(0);
    }
    form->hide();
}

// Each entry reaches its handler.
TEST(MainFormLayout, EveryCommandIsWired)
{
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TScriptedBoard board;
    auto form = NewForm(dir, board);
    TMainActions &a = form->Actions;

    form->RunData.Count = 5;
    a.ItemTest->trigger();
    EXPECT_EQ(form->RunData.Count, 600);
    a.ItemGo->trigger();
    EXPECT_TRUE(form->Timer1->isActive());
    a.ItemStop->trigger();
    EXPECT_FALSE(form->Timer1->isActive());

    a.ItemAbout->trigger();
    a.ItemSettings->trigger();
    EXPECT_EQ(prompt.dialogsShown, QStringList({"О программе", "Параметры"}));
    a.ItemOpen->trigger();
    a.ItemSave->trigger();
    ASSERT_EQ(prompt.fileDialogs.size(), 2);
    EXPECT_EQ(prompt.fileDialogs[0].filter, "Data files (*.dat)|*.dat|All files (*.*)|*.*");
    EXPECT_EQ(prompt.fileDialogs[1].filter, "Data files (*.dat)|*.dat|Text files (*.txt)|*.txt|All files (*.*)|*.*");
    EXPECT_EQ(prompt.fileDialogs[0].defaultExt, ".dat");
    EXPECT_EQ(prompt.fileDialogs[1].defaultExt, ".dat");

    // The run's commands open their first dialog (answered Cancel here).
    prompt.dialogsShown.clear();
    for (QAction *command : {a.ItemChoiceInterval, a.ItemSmoothMean, a.ItemSmoothPoly, a.ItemSmoothSpline,
                             a.ItemCalculate, a.ItemSved})
        command->trigger();
    EXPECT_EQ(prompt.dialogsShown, QStringList({"Выбор канала", "Выбор канала", "Выбор канала", "Выбор канала",
                                                "Параметры расчета", "Параметры сведения"}));

    // The run export writes the header and one row per sample.
    TCountingSpreadsheet sheet;
    form->SetSpreadsheet(&sheet);
    a.ItemTest->trigger();
    a.ItemExcel->trigger();
    EXPECT_EQ(sheet.workbooks, 1);
    EXPECT_EQ(sheet.maxRow, 601);
    EXPECT_TRUE(sheet.shown);
    form->SetSpreadsheet(nullptr);

    a.ItemExit->trigger();
    EXPECT_TRUE(QFileInfo::exists(SettingsFilePath(dir.path())));
}

// The channel dialog is created once: the channel chosen for one smoothing
// command is the one offered by the next.
TEST(MainFormLayout, SmoothingOffersTheChannelChosenLast)
{
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TScriptedBoard board;
    auto form = NewForm(dir, board);
    const QByteArray before = Bytes(form->RunData);
    const auto tBytes = [](const QByteArray &run) { return run.mid(4, 80000); };  // T[0..9999]
    const double l300 = form->RunData.L[300];

    std::vector<bool> offered;  // T, L, TC checked as the dialog opens
    auto answer = [&](bool chooseL) {
        return [&offered, chooseL](QDialog &dialog) {
            auto &d = dynamic_cast<TCaseChansDlg &>(dialog);
            offered = {d.RadioButton1->isChecked(), d.RadioButton2->isChecked(), d.RadioButton3->isChecked()};
            if (!chooseL)
                return int(QDialog::Rejected);
            d.RadioButton2->click();
            return int(QDialog::Accepted);
        };
    };
    prompt.dialogs.push_back(answer(true));
    form->Actions.ItemSmoothPoly->trigger();
    EXPECT_EQ(offered, std::vector<bool>({true, false, false})) << "T at the first command";
    EXPECT_NE(double(form->RunData.L[300]), l300) << "L smoothed";
    EXPECT_EQ(tBytes(Bytes(form->RunData)), tBytes(before)) << "T untouched";

    prompt.dialogs.push_back(answer(false));
    form->Actions.ItemSmoothMean->trigger();
    EXPECT_EQ(offered, std::vector<bool>({false, true, false})) << "L offered again";
}

// RunData keeps its bytes; the charts get the calibrated copy.
TEST(MainFormDisplay, CalibratesACopyAndKeepsTheRunRaw)
{
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TScriptedBoard board;
    auto form = NewForm(dir, board);
    prompt.messages.clear();
    form->RunData.T[700] = 12345;  // above Count: must survive too
    const QByteArray raw = Bytes(form->RunData);

    // Polynomial on T and TC, spline through collinear points (a straight
    // line, y = 2x) on L.
    form->Settings.aT = 1;
    form->Settings.bT = 3;
    form->Settings.LSplineKalibrFlag = true;
    form->SplineL.Count = 4;
    const double xs[] = {0.0, 0.25, 0.5, 1.0};
    for (int q = 0; q < 4; ++q)
        form->SplineL.X[q] = xs[q], form->SplineL.Y[q] = 2 * xs[q];
    form->SetMainGraphic();

    EXPECT_EQ(Bytes(form->RunData), raw);
    const std::vector<double> t = ChartY(*form->ChartT), l = ChartY(*form->ChartL), tc = ChartY(*form->ChartTC);
    for (int i = 1; i <= 600; i += 37) {
        EXPECT_EQ(t[i - 1], 1 + 3.0 * i);
        EXPECT_EQ(tc[i - 1], 1 + 3.0 * i);
        EXPECT_NEAR(l[i - 1], 2 * std::log(i + 50.0) / 12.0, 1e-12);
    }
    EXPECT_TRUE(prompt.messages.isEmpty());
}

TEST(MainFormDisplay, UnusableTableIsReportedOnceAndLeavesTheRunRaw)
{
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TScriptedBoard board;
    auto form = NewForm(dir, board);
    prompt.messages.clear();
    const QByteArray raw = Bytes(form->RunData);

    form->Settings.TSplineKalibrFlag = true;
    form->SplineT.Count = 3;
    const double xs[] = {1.0, 1.0, 2.0};  // two equal raw values
    for (int q = 0; q < 3; ++q)
        form->SplineT.X[q] = xs[q], form->SplineT.Y[q] = q;
    form->SetMainGraphic();
    form->SetMainGraphic();

    EXPECT_EQ(prompt.messages, QStringList({SplineTableMessage("T", TTableState::NotIncreasing)}));
    EXPECT_EQ(Bytes(form->RunData), raw);
    EXPECT_EQ(ChartY(*form->ChartT)[599], 600) << "left uncalibrated";
}

// The threshold test runs on every redraw, with or without a run (its
// comparisons are tested with the heating commands).
TEST(MainFormDisplay, HeaterThresholdOnRedraw)
{
    struct TRow {
        const char *name;
        bool manage;
        int32_t event;
        double value;
        bool off;
    };
    const TRow rows[] = {
        {"T above", true, 1, 599.5, true},
        {"L above", true, 2, 0.5, true},
        {"event 0", true, 0, -1e9, false},
        {"control off", false, 1, 0, false},
    };
    for (const TRow &r : rows) {
        QTemporaryDir dir;
        TRecordingPrompt prompt;
        TScriptedBoard board;
        auto form = NewForm(dir, board);
        form->Settings.ManageFlag = r.manage;
        form->Settings.ManageStopEvent = r.event;
        form->Settings.ManageValue = r.value;
        form->TestClick();
        EXPECT_EQ(board.commands, r.off ? std::vector<TCommand>{kHeaterOffCommand} : std::vector<TCommand>{})
            << r.name;
    }
}

// Against the simulated dilatometer: failed conversions drop samples, the
// heater goes on at the start and off once T passes the threshold.
TEST(MainFormRun, RecordsTheSimulatedDilatometer)
{
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TRecordingLinkBoard board("Seed = 3\nFailureRate = 0.15\n");
    auto form = NewForm(dir, board);
    prompt.messages.clear();
    form->Settings.ManageFlag = true;
    form->Settings.ManageStopEvent = 1;
    form->Settings.ManageValue = 60;
    form->Settings.TimerWorkInterval = 2;

    form->GoClick();
    EXPECT_TRUE(form->Timer1->isActive());
    EXPECT_EQ(form->Timer1->interval(), 2000);
    EXPECT_EQ(form->RunData.Count, 0);
    EXPECT_EQ(form->ChartT->Data().Count, 0);
    EXPECT_EQ(board.commands, std::vector<TCommand>{kHeaterOnCommand});

    int failedTicks = 0;
    size_t firstOff = 0;
    for (int tick = 1; tick <= 40; ++tick) {
        const int32_t before = form->RunData.Count;
        const size_t commandsBefore = board.commands.size();
        form->Timer1Timer();
        const auto &scan = board.scans.back();
        const bool failed = std::find(scan.begin(), scan.end(), -1) != scan.end();
        failedTicks += failed;
        ASSERT_EQ(form->RunData.Count, before + (failed ? 0 : 1)) << tick;
        if (failed)
            continue;
        const int32_t n = form->RunData.Count;
        EXPECT_EQ(form->ChartT->Data().Count, n);
        EXPECT_EQ(ChartY(*form->ChartT).back(), scan[0]);
        const bool above = scan[0] > 60;
        const bool sent = board.commands.size() == commandsBefore + 1 && board.commands.back() == kHeaterOffCommand;
        EXPECT_EQ(sent, above) << "tick " << tick << " T " << scan[0];
        if (above && !firstOff)
            firstOff = board.commands.size();
    }
    EXPECT_GT(failedTicks, 0);
    EXPECT_GT(firstOff, 1u) << "T should pass 60 C within 40 minutes of heating";

    const size_t sent = board.commands.size();
    form->StopClick();
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_EQ(board.commands.size(), sent) << "switch-off event 1 sends nothing at the stop";
    EXPECT_TRUE(prompt.messages.isEmpty()) << prompt.messages.join('\n').toStdString();
}

TEST(MainFormRun, StopsAtNAndSwitchesTheHeaterOff)
{
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TRecordingLinkBoard board("");
    auto form = NewForm(dir, board);
    form->Settings.N = 1;
    form->Settings.ManageFlag = true;
    form->GoClick();
    form->Timer1Timer();
    EXPECT_EQ(form->RunData.Count, 1);
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_EQ(board.commands, (std::vector<TCommand>{kHeaterOnCommand, kHeaterOffCommand}));
    form->Timer1Timer();
    EXPECT_EQ(form->RunData.Count, 1);
}

TEST(MainFormRun, AutosavesTheRawRun)
{
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TRecordingLinkBoard board("");
    auto form = NewForm(dir, board);
    form->Settings.bT = 10;  // the display calibrates; the file stays raw
    form->GoClick();
    const QString file = form->Settings.AutoSaveFile;
    for (int tick = 1; tick <= 600; ++tick) {
        form->Timer1Timer();
        if (tick == 299) {
            EXPECT_FALSE(QFileInfo::exists(file));
        }
        if (tick == 300 || tick == 600) {
            EXPECT_EQ(ReadBytes(file), Bytes(form->RunData)) << tick;
            EXPECT_EQ(QFileInfo(file).size(), 240032);
        }
    }
    EXPECT_EQ(form->RunData.Count, 600);
    EXPECT_EQ(double(form->RunData.T[599]), board.scans[599][0]);
}

TEST(MainFormRun, DevicesNotFound)
{
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    {
        TRecordingLinkBoard board("Backend = comedi\nDevice = /nonexistent/comedi0\n");
        auto form = NewForm(dir, board);
        prompt.messages.clear();
        form->GoClick();
        EXPECT_EQ(prompt.messages, QStringList{"Устройство АЦП не найдено!"});
        EXPECT_FALSE(form->Timer1->isActive());
        EXPECT_EQ(form->RunData.Count, 600);
    }
    {
        TScriptedBoard board;
        board.weigherResult = false;
        auto form = NewForm(dir, board);
        prompt.messages.clear();
        form->Settings.LWeightDriver = true;
        form->GoClick();
        EXPECT_EQ(prompt.messages, QStringList{"Весы не найдены!"});
        EXPECT_FALSE(form->Timer1->isActive());
        EXPECT_EQ(form->RunData.Count, 600);
    }
}

// "Начать прием информации" during a run re-opens the board; when that fails
// the run stops where it is, with its samples kept and autosaved.
TEST(MainFormRun, ARestartThatFailsStopsTheRun)
{
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TRecordingLinkBoard board("TemperatureNoise = 0\nLengthNoise = 0\n");
    auto form = NewForm(dir, board);
    form->Settings.AutoSaveFile = dir.filePath("auto.dat");
    form->GoClick();
    for (int i = 0; i < 3; ++i)
        form->Timer1Timer();
    ASSERT_EQ(form->RunData.Count, 3);
    const QByteArray recorded = Bytes(form->RunData);
    prompt.messages.clear();

    daqboard::OverrideSettings("Backend = comedi\nDevice = /nonexistent/comedi0\n");
    form->GoClick();
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_FALSE(form->Acquisition().Running());
    ASSERT_EQ(prompt.messages.size(), 2);
    EXPECT_EQ(prompt.messages[0], "Устройство АЦП не найдено!");
    EXPECT_EQ(prompt.messages[1], "Прием информации остановлен. Записанные точки (3) сохранены в файле \"" +
                                      form->Settings.AutoSaveFile + "\".");
    EXPECT_EQ(Bytes(form->RunData), recorded);
    EXPECT_EQ(ReadBytes(form->Settings.AutoSaveFile), recorded);
}

// A message box runs the event loop, so the timer fires inside it: the tick
// there must store its sample, and the message must not be shown again.
TEST(MainFormRun, TicksGoOnWhileAMessageIsOpen)
{
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TScriptedBoard board;
    board.readings = {{10, 20, 30}};
    auto form = NewForm(dir, board);
    const QString good = dir.filePath("auto.dat"), bad = UnwritablePath(dir, "auto.dat");
    form->Settings.AutoSaveTime = 1;
    form->Settings.AutoSaveFile = bad;
    form->Settings.TSplineKalibrFlag = true;  // empty table: reported once
    form->GoClick();
    prompt.messages.clear();

    // Inside the first message box two more ticks: one saves, the next fails
    // again and brings the same autosave message, which is already waiting.
    bool ticked = false;
    prompt.whileMessageOpen = [&](const QString &) {
        if (std::exchange(ticked, true))
            return;
        form->Settings.AutoSaveFile = good;
        form->Timer1Timer();
        form->Settings.AutoSaveFile = bad;
        form->Timer1Timer();
    };
    form->Timer1Timer();
    EXPECT_EQ(form->RunData.Count, 3);
    EXPECT_EQ(ReadBytes(good).left(4), QByteArray("\x02\0\0\0", 4));
    EXPECT_EQ(prompt.mostOpenBoxes, 1) << "no box opened on top of another";
    ASSERT_EQ(prompt.messages.size(), 2) << prompt.messages.join('\n').toStdString();
    EXPECT_TRUE(prompt.messages[0].startsWith("Калибровка T"));
    EXPECT_TRUE(prompt.messages[1].startsWith("Автосохранение"));
}

TEST(MainFormFiles, SaveOpenAndExport)
{
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TScriptedBoard board;
    auto form = NewForm(dir, board);
    prompt.messages.clear();
    const QByteArray testRun = Bytes(form->RunData);

    prompt.saveNames = {dir.filePath("run.dat")};
    form->SaveClick();
    EXPECT_EQ(ReadBytes(dir.filePath("run.dat")), testRun);
    EXPECT_EQ(form->windowTitle(), "Varotem - run.dat");

    form->RunData.Count = 2;
    form->RunData.QuartzAlpha = 1;
    prompt.openNames = {dir.filePath("run.dat")};
    form->OpenClick();
    EXPECT_EQ(Bytes(form->RunData), testRun);
    EXPECT_EQ(ChartY(*form->ChartT).size(), 600u);

    // Upper-case extension: the text export of the calibrated run.
    form->Settings.bT = 2;
    prompt.saveNames = {dir.filePath("RUN.TXT")};
    form->SaveClick();
    EXPECT_EQ(form->windowTitle(), "Varotem - RUN.TXT");
    const QStringList lines = FileLines(dir.filePath("RUN.TXT"));
    ASSERT_EQ(lines.size(), 600);
    for (int i = 1; i <= 600; i += 61) {
        const QStringList f = lines[i - 1].split('\t');
        ASSERT_EQ(f.size(), 3);
        EXPECT_EQ(f[0], QString::number(2 * i));
        EXPECT_EQ(f[2], QString::number(2 * i));
        double l = 0;
        ASSERT_TRUE(LocaleParseReal(f[1], l));
        EXPECT_NEAR(l, std::log(i + 50.0) / 12.0, 1e-14);
    }
    EXPECT_EQ(Bytes(form->RunData), testRun);
    EXPECT_TRUE(prompt.messages.isEmpty());
}

// A desktop launcher says it opened a workbook as soon as it starts, so the
// status bar names the file of every export, opened or not.
TEST(MainFormFiles, StatusBarNamesEveryWorkbookWritten)
{
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TScriptedBoard board;
    auto form = NewForm(dir, board);
    bool opens = true;
    TXlsxSpreadsheet books(dir.filePath("books"), [&opens](const QUrl &) { return opens; });
    form->SetSpreadsheet(&books);
    for (QPushButton *excel : {static_cast<QPushButton *>(nullptr), form->DlgCalcResult->BitBtn2}) {
        for (const bool open : {true, false}) {
            opens = open;
            form->statusBar()->clearMessage();
            excel ? excel->click() : form->Actions.ItemExcel->trigger();
            ASSERT_TRUE(QFileInfo(books.FileName()).isFile());
            EXPECT_TRUE(form->statusBar()->currentMessage().contains(QDir::toNativeSeparators(books.FileName())))
                << form->statusBar()->currentMessage().toStdString();
        }
    }
    form->SetSpreadsheet(nullptr);
}

// A name that is neither .dat nor .txt writes nothing and says so; a file
// that cannot be read changes nothing.
TEST(MainFormFiles, RefusedNamesAndBadFiles)
{
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TScriptedBoard board;
    auto form = NewForm(dir, board);
    prompt.messages.clear();
    const QByteArray testRun = Bytes(form->RunData);

    prompt.saveNames = {dir.filePath("run.csv")};
    form->SaveClick();
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("run.csv")));
    EXPECT_EQ(form->windowTitle(), "Varotem");
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(prompt.messages[0].contains("run.csv") && prompt.messages[0].contains(".dat") &&
                prompt.messages[0].contains(".txt"));

    auto huge = NewRun();
    huge->Count = 10001;
    WriteBytes(dir.filePath("huge.dat"), Bytes(*huge));
    prompt.openNames = {dir.filePath("missing.dat"), dir.filePath("huge.dat")};
    form->OpenClick();
    form->OpenClick();
    EXPECT_EQ(prompt.messages.size(), 3);
    EXPECT_EQ(Bytes(form->RunData), testRun);
    EXPECT_EQ(form->windowTitle(), "Varotem");

    prompt.saveNames = {dir.filePath("no-such-dir/run.dat")};
    form->SaveClick();
    EXPECT_EQ(prompt.messages.size(), 4);
    EXPECT_EQ(form->windowTitle(), "Varotem");

    form->SaveClick();  // cancelled
    form->OpenClick();
    EXPECT_EQ(prompt.messages.size(), 4);
}

// Opening a run while acquiring: the next tick appends after it.
TEST(MainFormFiles, OpenDuringARunAppendsTheNextSample)
{
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TScriptedBoard board;
    board.readings = {{11, 22, 33}};
    auto form = NewForm(dir, board);
    prompt.saveNames = {dir.filePath("run.dat")};
    form->SaveClick();

    form->GoClick();
    form->Timer1Timer();
    prompt.openNames = {dir.filePath("run.dat")};
    form->OpenClick();
    form->Timer1Timer();
    EXPECT_EQ(form->RunData.Count, 601);
    EXPECT_EQ(double(form->RunData.T[599]), 600);
    EXPECT_EQ(double(form->RunData.T[600]), 11);
    EXPECT_EQ(double(form->RunData.L[600]), 22);
}

TEST(MainFormClose, AsksOnlyWhileAcquiring)
{
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TScriptedBoard board;
    auto form = NewForm(dir, board);
    form->Settings.ManageFlag = true;
    form->GoClick();

    prompt.yesNo = {false};
    EXPECT_FALSE(form->close());
    EXPECT_EQ(prompt.questions,
              QStringList{"Прием информации с АЦП не закончен.\nВы действительно хотите выйти?"});
    EXPECT_EQ(prompt.questionCaptions, QStringList{"Выход"});
    EXPECT_TRUE(form->Timer1->isActive());
    EXPECT_FALSE(QFileInfo::exists(SettingsFilePath(dir.path())));

    prompt.yesNo = {true};
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_EQ(board.commands, (std::vector<TCommand>{kHeaterOnCommand, kHeaterOffCommand}));
    EXPECT_EQ(board.Count("DoneDaqlink"), 1);
    EXPECT_TRUE(QFileInfo::exists(SettingsFilePath(dir.path())));

    QTemporaryDir idleDir;
    TScriptedBoard idleBoard;
    auto idle = NewForm(idleDir, idleBoard);
    prompt.questions.clear();
    EXPECT_TRUE(idle->close());
    EXPECT_TRUE(prompt.questions.isEmpty());
    EXPECT_TRUE(idleBoard.commands.empty());
}

TEST(MainFormClose, WritesTablesAndAllSettingsKeys)
{
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TScriptedBoard board;
    auto form = NewForm(dir, board);
    form->Settings.N = 4321;
    form->SplineT.Count = 3;
    form->SplineT.X[2] = 2.5;
    ASSERT_TRUE(form->close());

    const QString d = DirPath(dir);
    EXPECT_EQ(ReadBytes(d + "defaultT.spl"), TableBytes(form->SplineT));
    EXPECT_EQ(ReadBytes(d + "defaultL.spl").size(), 1604);
    const QStringList lines = QString::fromUtf8(ReadBytes(d + "Varotem.ini")).split('\n', Qt::SkipEmptyParts);
    const QStringList keys = {"TimerWorkInterval", "N", "aT", "aL", "bT", "bL", "cT", "cL", "dT",
                              "dL", "Chan1", "Chan2", "Chan3", "ErrorCode", "AutoSaveFlag", "AutoSaveTime",
                              "AutoSaveFile", "SplineTFile", "SplineLFile", "TSplineKalibrFlag",
                              "LSplineKalibrFlag", "LWeightDriver", "BaseLineFile", "ManageFlag",
                              "ManageStartEvent", "ManageStopEvent", "ManageValue"};
    ASSERT_EQ(lines.size(), 28);
    EXPECT_EQ(lines[0], "[Options]");
    for (int k = 0; k < keys.size(); ++k)
        EXPECT_EQ(lines[k + 1].section('=', 0, 0), keys[k]);
    EXPECT_EQ(lines[2], "N=4321");

    // A later start reads it all back, silently.
    prompt.messages.clear();
    auto again = NewForm(dir, board);
    EXPECT_TRUE(prompt.messages.isEmpty());
    EXPECT_EQ(again->Settings, form->Settings);
    EXPECT_EQ(TableBytes(again->SplineT), TableBytes(form->SplineT));
}

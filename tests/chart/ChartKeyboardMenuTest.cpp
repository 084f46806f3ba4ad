// The chart's popup menu from the keyboard: the menu key (a keyboard context
// menu event) and Shift+F10 open it in the middle of the focused chart.
#include "chart/SimplCht.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QKeyEvent>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

struct TKeyCase {
    const char *name;
    std::function<void(TSimpleChart &)> press;
};

const TKeyCase kKeyCases[] = {
    {"MenuKey",
     [](TSimpleChart &chart) {
         // What the toolkit sends the focused widget for the menu key: no
         // pointer position (0, 0), the reason Keyboard.
         QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(0, 0), chart.mapToGlobal(QPoint(0, 0)));
         QApplication::sendEvent(&chart, &event);
     }},
    {"ShiftF10",
     [](TSimpleChart &chart) {
         QKeyEvent key(QEvent::KeyPress, Qt::Key_F10, Qt::ShiftModifier);
         QApplication::sendEvent(&chart, &key);
     }},
};

class ChartKeyboardMenu : public ::testing::TestWithParam<TKeyCase> {};

std::unique_ptr<TSimpleChart> ShownChart()
{
    auto chart = std::make_unique<TSimpleChart>();
    chart->resize(400, 300);
    chart->move(50, 60);
    chart->show();
    const double x[] = {1, 2, 3, 4};
    const double y[] = {1, 4, 9, 16};
    chart->SetData(4, x, y);
    chart->Repaint();
    return chart;
}

} // namespace

TEST_P(ChartKeyboardMenu, OpensThePopupInTheMiddleOfTheChart)
{
    auto chart = ShownChart();
    QMenu &menu = chart->PopupMenu();
    ASSERT_FALSE(menu.isVisible());

    GetParam().press(*chart);
    QApplication::processEvents();
    EXPECT_TRUE(menu.isVisible());
    // Not at the event's (0, 0) corner but where the keyboard user looks.
    const QPoint middle = chart->mapToGlobal(chart->rect().center());
    EXPECT_EQ(menu.pos(), middle);
    EXPECT_TRUE(menu.actions().contains(chart->Menu().SaveGraphicItem));
    menu.close();
    EXPECT_FALSE(menu.isVisible());
}

TEST_P(ChartKeyboardMenu, StaysClosedUntilTheChartHasDrawn)
{
    TSimpleChart chart;
    chart.resize(400, 300);
    chart.show();
    GetParam().press(chart);
    QApplication::processEvents();
    EXPECT_FALSE(chart.PopupMenu().isVisible());
}

INSTANTIATE_TEST_SUITE_P(Keys, ChartKeyboardMenu, ::testing::ValuesIn(kKeyCases),
                         [](const auto &info) { return std::string(info.param.name); });

// The dialogs' geometry: client size, fixed size, the middle of the screen
// whatever the main window's place, the kind of window and its caption
// buttons, and room for their controls at that size.
#include "analysis/CaseDlg.h"
#include "analysis/DlgAlphaQuartz.h"
#include "analysis/DlgCalcParam.h"
#include "analysis/DlgCalcResult.h"
#include "analysis/DlgScale.h"
#include "analysis/DlgSved.h"
#include "app/CaseChannelDlg.h"
#include "app/ParamDlg.h"
#include "app/SplineKalibrDlg.h"
#include "chart/MstWin.h"
#include "tests/app/MainFormTestUtil.h"

#include <QApplication>
#include <QLayout>
#include <QScreen>
#include <gtest/gtest.h>

#include <cstdlib>

TEST(DialogGeometry, FixedSizesCentredOnTheScreen)
{
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TScriptedBoard board;
    auto form = NewForm(dir, board);
    // A small main window in a corner: a dialog centred on it would be far
    // from the middle of the screen.
    form->setGeometry(0, 0, 320, 240);
    form->show();
    QApplication::processEvents();

    struct TRow {
        const char *name;
        QWidget *window;
        QSize client;  // empty: its layout's size
        Qt::WindowType type;
    };
    const TRow rows[] = {
        {"TDlgCalcParam", form->DlgCalcParam, {250, 231}, Qt::Dialog},
        {"TDlgCalcResult", form->DlgCalcResult, {605, 406}, Qt::Tool},
        {"TDlgAlphaQuartz", form->DlgAlphaQuartz, {324, 205}, Qt::Dialog},
        {"TDlgScale", form->DlgScale, {267, 321}, Qt::Dialog},
        {"TDlgSved", form->DlgSved, {404, 403}, Qt::Dialog},
        {"TCaseChansDlg", form->CaseChansDlg, {201, 128}, Qt::Dialog},
        {"TCaseDlg", form->CaseDlg, {450, 269}, Qt::Dialog},
        {"TDlgSplineKalibrT", form->DlgSplineKalibrT, {360, 420}, Qt::Dialog},
        {"TDlgSplineKalibrL", form->DlgSplineKalibrL, {360, 420}, Qt::Dialog},
        {"TDlgParam", form->DlgParam, {}, Qt::Dialog},
        {"TMstWindow", &form->ChartT->MstWindow(), {194, 112}, Qt::Tool},
    };
    for (const TRow &r : rows) {
        r.window->show();
        QApplication::processEvents();
        const QSize size = r.window->size();
        if (r.client.isValid()) {
            EXPECT_EQ(size, r.client) << r.name;
        }
        EXPECT_EQ(r.window->minimumSize(), size) << r.name << ": fixed";
        EXPECT_EQ(r.window->maximumSize(), size) << r.name << ": fixed";
        if (const QLayout *layout = r.window->layout()) {
            const QSize needed = layout->totalMinimumSize();
            EXPECT_TRUE(needed.width() <= size.width() && needed.height() <= size.height())
                << r.name << ": the controls need " << needed.width() << " x " << needed.height();
        }

        const QPoint centre = r.window->frameGeometry().center();
        const QPoint middle = r.window->screen()->availableGeometry().center();
        EXPECT_LE(std::abs(centre.x() - middle.x()), 1) << r.name << ": x " << centre.x() << " for " << middle.x();
        EXPECT_LE(std::abs(centre.y() - middle.y()), 1) << r.name << ": y " << centre.y() << " for " << middle.y();

        // Only the system menu among the caption buttons: close, no minimise
        // or maximise.
        const Qt::WindowFlags flags = r.window->windowFlags();
        EXPECT_EQ(r.window->windowType(), r.type) << r.name;
        EXPECT_TRUE(flags.testFlags(Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                    Qt::WindowCloseButtonHint))
            << r.name;
        EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)) << r.name;
        r.window->hide();
    }
    form->hide();
}

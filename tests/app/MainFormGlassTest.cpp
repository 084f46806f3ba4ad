// The menu "Анализ" of the main window: its two commands, the option of
// heating off at softening kept in [Softening], and a run of the simulated
// glass whose heating the window cuts once, telling the user once.
#include "analysis/DlgGlass.h"
#include "app/DlgSoftening.h"
#include "app/core/AppPaths.h"
#include "tests/app/MainFormTestUtil.h"

#include <QAction>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QMenu>
#include <QTimer>
#include <gtest/gtest.h>

TEST(MainFormAnalysis, CommandsOpenTheirWindowsWithTooltips)
{
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TScriptedBoard board;
    auto form = NewForm(dir, board);
    const TMainActions &a = form->Actions;
    EXPECT_TRUE(a.SubAnalysis->toolTipsVisible());
    EXPECT_TRUE(a.ItemGlass->toolTip().contains("Tg"));
    EXPECT_TRUE(a.ItemSoftening->toolTip().startsWith("Выключать нагрев"));

    // The test run, 600 samples of T = i: its analysis opens the window.
    prompt.dialogs.push_back([](QDialog &) { return int(QDialog::Accepted); });
    a.ItemGlass->trigger();
    EXPECT_EQ(prompt.dialogsShown, QStringList{"Стеклование и размягчение"});
    EXPECT_TRUE(form->DlgGlass->Result().Failure.isEmpty());
    EXPECT_EQ(form->DlgGlass->Result().Curve.T.size(), 600u);
}

// Off by default and not written then; changed in its dialog, kept in the
// section [Softening] at close and read back at the next start.
TEST(MainFormAnalysis, SofteningOptionIsKeptInItsSection)
{
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TScriptedBoard board;
    {
        auto form = NewForm(dir, board);
        EXPECT_EQ(form->Softening, TSofteningOptions{});
        ASSERT_TRUE(form->close());
        EXPECT_FALSE(ReadBytes(SettingsFilePath(dir.path())).contains("[Softening]"));
    }
    {
        auto form = NewForm(dir, board);
        prompt.dialogs.push_back([](QDialog &d) {
            auto &dialog = static_cast<TDlgSoftening &>(d);
            EXPECT_FALSE(dialog.CheckBox1->isChecked());
            EXPECT_EQ(dialog.SpinEdit1->value(), 0.5);
            dialog.CheckBox1->setChecked(true);
            dialog.SpinEdit1->setValue(1.25);
            return int(QDialog::Accepted);
        });
        prompt.dialogs.push_back([](QDialog &d) {
            static_cast<TDlgSoftening &>(d).CheckBox1->setChecked(false);
            return int(QDialog::Rejected);
        });
        form->Actions.ItemSoftening->trigger();
        form->Actions.ItemSoftening->trigger();  // cancelled: no change
        EXPECT_EQ(form->Softening, (TSofteningOptions{true, 1.25}));
        ASSERT_TRUE(form->close());
    }
    EXPECT_TRUE(ReadBytes(SettingsFilePath(dir.path())).contains("[Softening]\nEnabled=1\nMarginPercent=1.25\n"));
    auto again = NewForm(dir, board);
    EXPECT_EQ(again->Softening, (TSofteningOptions{true, 1.25}));
}

// The simulated glass read at 1 K per reading: the window's own tick cuts the
// heating once the curve has turned over, and says so once.
TEST(MainFormAnalysis, TickCutsTheHeatingOnceAtSoftening)
{
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TRecordingLinkBoard board("Material = glass\nStep = 12\nTemperatureScale = 0.05\nLengthScale = 0.02\n");
    auto form = NewForm(dir, board);
    form->Settings.bT = 0.05;
    form->Settings.bL = 0.02;
    form->Settings.AutoSaveFlag = false;
    form->Softening.Enabled = true;
    prompt.messages.clear();
    form->GoClick();
    for (int tick = 0; tick < 700; ++tick)
        form->Timer1Timer();
    ASSERT_EQ(prompt.messages.size(), 1) << prompt.messages.join('\n').toStdString();
    EXPECT_TRUE(prompt.messages[0].startsWith("Образец размягчился"));
    EXPECT_EQ(board.commands, std::vector<TCommand>{kHeaterOffCommand});
    EXPECT_TRUE(form->Timer1->isActive()) << "the run goes on: the sample cools under observation";
    form->StopClick();
}

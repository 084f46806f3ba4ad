// The Parameters dialog run through the "Параметры" command, and the
// reference-point dialogs.
#include "app/ParamDlg.h"
#include "app/SplineKalibrDlg.h"
#include "app/core/LocaleFormat.h"
#include "tests/app/MainFormTestUtil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace {

struct TParamRig {
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TScriptedBoard board;
    std::unique_ptr<TMainForm> form = NewForm(dir, board);
    TDlgParam &dlg = *form->DlgParam;

    TParamRig() { prompt.messages.clear(); }

    // Runs the command; edit sets the controls, then OK (or Cancel).
    void Run(const std::function<void(TDlgParam &)> &edit, bool ok = true)
    {
        prompt.dialogs.push_back([edit, ok](QDialog &dialog) {
            auto &d = static_cast<TDlgParam &>(dialog);
            edit(d);
            return ok ? PressOk(d) : int(QDialog::Rejected);
        });
        form->SettingsClick();
    }
};

QString Cell(const TDlgSplineKalibr &d, int row, int column)
{
    const QTableWidgetItem *item = d.StringGrid1->item(row, column);
    return item ? item->text() : QString();
}

void SetCell(TDlgSplineKalibr &d, int row, int column, const QString &text)
{
    d.StringGrid1->setItem(row, column, new QTableWidgetItem(text));
}

// A table of rows (true value, raw value) typed into a reference-point dialog.
void TypeTable(TDlgSplineKalibr &d, const std::vector<std::pair<QString, QString>> &rows)
{
    d.SpinEdit1->setValue(int(rows.size()));
    for (size_t q = 0; q < rows.size(); ++q) {
        SetCell(d, int(q), 1, rows[q].first);
        SetCell(d, int(q), 2, rows[q].second);
    }
}

QString Dec(const char *text) { return QString::fromLatin1(text).replace('.', DecimalSeparator()); }

} // namespace

TEST(ParamDialog, FillShowsTheSettingsInTheirFormats)
{
    TParamRig rig;
    rig.form->Settings.ManageValue = 1000;
    rig.form->Settings.cL = 5.2e-7;
    rig.form->Settings.ManageStopEvent = 3;
    rig.form->Settings.Chan3 = -70000;
    rig.form->SplineL.Count = 2;
    rig.form->SplineL.X[1] = 2.5, rig.form->SplineL.Y[1] = 400;
    rig.Run([](TDlgParam &d) {
        EXPECT_EQ(d.Edit2->text(), "0");
        EXPECT_EQ(d.Edit3->text(), "1");
        EXPECT_EQ(d.Edit8->text(), Dec("5.2E-7"));
        EXPECT_EQ(d.Edit10->text(), Dec("1000.000"));
        EXPECT_EQ(d.ComboBox1->currentIndex(), 0);
        EXPECT_EQ(d.ComboBox2->currentText(), "При принижении T");
        EXPECT_EQ(d.SpinEdit3->value(), -70000);
        EXPECT_EQ(d.SpinEdit6->value(), 10000);
        EXPECT_TRUE(d.CheckBox2->isChecked());
    }, false);

    // An empty table shows one row, "1 1 1" as created; two points show both.
    const TDlgSplineKalibr &t = *rig.form->DlgSplineKalibrT;
    const TDlgSplineKalibr &l = *rig.form->DlgSplineKalibrL;
    EXPECT_EQ(t.SpinEdit1->value(), 1);
    EXPECT_EQ(t.StringGrid1->rowCount(), 1);
    EXPECT_EQ(QStringList({Cell(t, 0, 0), Cell(t, 0, 1), Cell(t, 0, 2)}), QStringList({"1", "1", "1"}));
    EXPECT_EQ(t.StringGrid1->horizontalHeaderItem(1)->text(), "T");
    EXPECT_EQ(l.StringGrid1->horizontalHeaderItem(1)->text(), "L");
    EXPECT_EQ(l.StringGrid1->rowCount(), 2);
    EXPECT_EQ(QStringList({Cell(l, 1, 0), Cell(l, 1, 1), Cell(l, 1, 2)}), QStringList({"2", "400", Dec("2.5")}));
    EXPECT_EQ(t.FileName(), rig.form->Settings.SplineTFile);
}

TEST(ParamDialog, CancelChangesNothingAndTheNextOpeningRefills)
{
    TParamRig rig;
    rig.form->SplineT.Count = 3;
    const TSettings before = rig.form->Settings;
    const QByteArray tableBefore = TableBytes(rig.form->SplineT);
    rig.Run([&](TDlgParam &d) {
        d.SpinEdit5->setValue(9);
        d.Edit2->setText("42");
        d.CheckBox3->setChecked(true);
        TypeTable(*rig.form->DlgSplineKalibrT, {{"1", "1"}, {"2", "2"}, {"3", "3"}, {"4", "4"}, {"5", "5"}});
    }, false);
    EXPECT_EQ(rig.form->Settings, before);
    EXPECT_EQ(TableBytes(rig.form->SplineT), tableBefore);

    rig.Run([](TDlgParam &d) { EXPECT_EQ(d.SpinEdit5->value(), 1); }, false);
    EXPECT_EQ(rig.form->DlgSplineKalibrT->StringGrid1->rowCount(), 3);
    EXPECT_EQ(Cell(*rig.form->DlgSplineKalibrT, 2, 1), "0");
}

TEST(ParamDialog, OkCopiesEveryFieldAndRedraws)
{
    TParamRig rig;
    rig.Run([&](TDlgParam &d) {
        d.SpinEdit1->setValue(3), d.SpinEdit2->setValue(4), d.SpinEdit3->setValue(5), d.SpinEdit4->setValue(-7);
        d.CheckBox1->setChecked(true);
        d.SpinEdit5->setValue(2), d.SpinEdit6->setValue(50);
        d.CheckBox2->setChecked(false), d.SpinEdit7->setValue(25), d.Edit1->setText("/x/auto.dat");
        const char *coefficients[] = {"1", "2", "0.5", "0.25", "-1", "3", "0", "1E-3"};
        QLineEdit *edits[] = {d.Edit2, d.Edit3, d.Edit4, d.Edit5, d.Edit6, d.Edit7, d.Edit8, d.Edit9};
        for (int k = 0; k < 8; ++k)
            edits[k]->setText(Dec(coefficients[k]));
        d.CheckBox4->setChecked(true);
        TypeTable(*rig.form->DlgSplineKalibrL, {{"0", "0"}, {"2", "1"}, {"4", "2"}});
        rig.form->DlgSplineKalibrL->Edit1->setText("/x/l.spl");
        d.CheckBox5->setChecked(true), d.ComboBox2->setCurrentIndex(4), d.Edit10->setText(Dec("12.5"));
    });
    ASSERT_TRUE(rig.prompt.messages.isEmpty()) << rig.prompt.messages.join('\n').toStdString();

    TSettings expected = DefaultSettings(DirPath(rig.dir));
    expected.Chan1 = 3, expected.Chan2 = 4, expected.Chan3 = 5, expected.ErrorCode = -7;
    expected.LWeightDriver = true;
    expected.TimerWorkInterval = 2, expected.N = 50;
    expected.AutoSaveFlag = false, expected.AutoSaveTime = 25, expected.AutoSaveFile = "/x/auto.dat";
    expected.aT = 1, expected.bT = 2, expected.cT = 0.5, expected.dT = 0.25;
    expected.aL = -1, expected.bL = 3, expected.cL = 0, expected.dL = 1e-3;
    expected.LSplineKalibrFlag = true, expected.SplineLFile = "/x/l.spl";
    expected.ManageFlag = true, expected.ManageStopEvent = 4, expected.ManageValue = 12.5;
    EXPECT_EQ(rig.form->Settings, expected);
    EXPECT_EQ(rig.form->SplineL.Count, 3);
    EXPECT_EQ(rig.form->SplineL.X[2], 2);
    EXPECT_EQ(rig.form->SplineL.Y[2], 4);

    // Redrawn with the new calibration: T = 1 + 2x + 0.5x^2 + 0.25x^3, L = 2x.
    const std::vector<double> t = ChartY(*rig.form->ChartT), l = ChartY(*rig.form->ChartL);
    EXPECT_EQ(t[9], 1 + 2 * 10 + 0.5 * 100 + 0.25 * 1000);
    EXPECT_NEAR(l[0], 2 * std::log(51.0) / 12.0, 1e-12);
}

// A bad number stops the copy at its field: the ones before it are taken,
// the rest keep their values, and nothing is redrawn.
TEST(ParamDialog, BadNumberStopsTheCopyAtItsField)
{
    struct TRow {
        const char *name;
        QLineEdit *TDlgParam::*field;
        int copiedReals;  // of aT, aL, bT, bL, cT, cL, dT, dL in copy order
        bool restCopied;
    };
    const TRow rows[] = {
        {"aT first", &TDlgParam::Edit2, 0, false},
        {"cT after bL", &TDlgParam::Edit4, 4, false},
        {"dL last coefficient", &TDlgParam::Edit9, 7, false},
        {"Значение at the very end", &TDlgParam::Edit10, 8, true},
    };
    double TSettings::*const order[] = {&TSettings::aT, &TSettings::aL, &TSettings::bT, &TSettings::bL,
                                        &TSettings::cT, &TSettings::cL, &TSettings::dT, &TSettings::dL};
    for (const TRow &r : rows) {
        TParamRig rig;
        const TSettings before = rig.form->Settings;
        const std::vector<double> chartBefore = ChartY(*rig.form->ChartT);
        rig.Run([&](TDlgParam &d) {
            d.SpinEdit5->setValue(7);
            for (QLineEdit *e : {d.Edit2, d.Edit3, d.Edit4, d.Edit5, d.Edit6, d.Edit7, d.Edit8, d.Edit9})
                e->setText("9");
            d.SpinEdit1->setValue(11);
            d.CheckBox5->setChecked(true);
            (d.*r.field)->setText("9x");
            d.Edit10->setText(r.field == &TDlgParam::Edit10 ? "9x" : "9");
        });
        const TSettings &s = rig.form->Settings;
        ASSERT_EQ(rig.prompt.messages.size(), 1) << r.name;
        EXPECT_TRUE(rig.prompt.messages[0].contains("9x")) << r.name;
        EXPECT_EQ(s.TimerWorkInterval, 7) << r.name;
        for (int k = 0; k < 8; ++k)
            EXPECT_EQ(s.*order[k], k < r.copiedReals ? 9.0 : before.*order[k]) << r.name << " real " << k;
        EXPECT_EQ(s.Chan1, r.restCopied ? 11 : before.Chan1) << r.name;
        EXPECT_EQ(s.ManageFlag, r.restCopied) << r.name;
        EXPECT_EQ(s.ManageValue, before.ManageValue) << r.name;
        EXPECT_EQ(ChartY(*rig.form->ChartT), chartBefore) << r.name << ": no redraw";
    }
}

// Cells that are not numbers are skipped; an empty table comes back as one
// point mapping 1 to 1.
TEST(ParamDialog, ReferencePointsCopiedBackCellByCell)
{
    TParamRig rig;
    rig.form->SplineT.Count = 3;
    const double x0[] = {10, 20, 30}, y0[] = {100, 200, 300};
    for (int q = 0; q < 3; ++q)
        rig.form->SplineT.X[q] = x0[q], rig.form->SplineT.Y[q] = y0[q];
    rig.Run([&](TDlgParam &) {
        TypeTable(*rig.form->DlgSplineKalibrT, {{"101", "11"}, {"bad", "21"}, {"301", "bad"}});
    });
    const TSplineTable &t = rig.form->SplineT;
    EXPECT_EQ(t.Count, 3);
    EXPECT_EQ(std::vector<double>(t.Y, t.Y + 3), (std::vector<double>{101, 200, 301}));
    EXPECT_EQ(std::vector<double>(t.X, t.X + 3), (std::vector<double>{11, 20, 30}));
    EXPECT_TRUE(rig.prompt.messages.isEmpty());

    // The L table was empty: its dialog showed "1 1 1", which came back.
    EXPECT_EQ(rig.form->SplineL.Count, 1);
    EXPECT_EQ(rig.form->SplineL.X[0], 1);
    EXPECT_EQ(rig.form->SplineL.Y[0], 1);
}

// OK is refused while a table in use cannot be built into a spline.
TEST(ParamDialog, UnusableTableInUseIsRefused)
{
    struct TRow {
        const char *name;
        bool flag;
        std::vector<std::pair<QString, QString>> rows;
        bool accepted;
    };
    const TRow rows[] = {
        {"increasing", true, {{"0", "0"}, {"50", "1"}, {"100", "2"}}, true},
        {"equal raw values", true, {{"0", "0"}, {"50", "1"}, {"100", "1"}}, false},
        {"decreasing", true, {{"0", "2"}, {"50", "1"}, {"100", "0"}}, false},
        {"two points", true, {{"0", "0"}, {"50", "1"}}, false},
        {"not in use", false, {{"0", "0"}, {"50", "1"}, {"100", "1"}}, true},
    };
    for (const TRow &r : rows) {
        TParamRig rig;
        int result = -1;
        rig.prompt.dialogs.push_back([&](QDialog &dialog) {
            auto &d = static_cast<TDlgParam &>(dialog);
            d.CheckBox3->setChecked(r.flag);
            TypeTable(*rig.form->DlgSplineKalibrT, r.rows);
            result = PressOk(d);
            return result;
        });
        rig.form->SettingsClick();
        EXPECT_EQ(result == QDialog::Accepted, r.accepted) << r.name;
        EXPECT_EQ(rig.prompt.messages.size(), r.accepted ? 0 : 1) << r.name;
        if (!r.accepted) {
            EXPECT_TRUE(rig.prompt.messages[0].contains("Температура по реперным точкам")) << r.name;
            EXPECT_FALSE(rig.form->Settings.TSplineKalibrFlag) << r.name;
        }
    }
}

TEST(ParamDialog, DaqSetupAndFileChoices)
{
    TParamRig rig;
    TDlgParam &d = rig.dlg;
    d.Button1Click();
    EXPECT_EQ(rig.board.Count("DaqSetup"), 1);
    EXPECT_EQ(rig.prompt.messages, QStringList{"scripted board"});

    d.Edit1->setText("/old/auto.dat");
    rig.prompt.saveNames = {"/new/auto.dat"};
    d.SpeedButton1Click();
    EXPECT_EQ(d.Edit1->text(), "/new/auto.dat");
    d.SpeedButton1Click();  // cancelled
    EXPECT_EQ(d.Edit1->text(), "/new/auto.dat");
    ASSERT_EQ(rig.prompt.fileDialogs.size(), 2);
    EXPECT_EQ(rig.prompt.fileDialogs[0].filter, "Data Files (*.dat)|*.dat|All Files (*.*)|*.*");
    EXPECT_EQ(rig.prompt.fileDialogs[0].defaultExt, ".dat");
    EXPECT_EQ(rig.prompt.fileDialogs[0].filterIndex, 0);

    TDlgSplineKalibr &t = *rig.form->DlgSplineKalibrT;
    t.Edit1->setText("/old/t.spl");
    rig.prompt.saveNames = {"/new/t.spl"};
    t.SpeedButton1Click();
    EXPECT_EQ(t.FileName(), "/new/t.spl");
    EXPECT_EQ(rig.prompt.fileDialogs[2].filter, "Spline Calibrate Files (*.spl)|*.spl|All Files (*.*)|*.*");
    EXPECT_EQ(rig.prompt.fileDialogs[2].defaultExt, ".spl");
    EXPECT_EQ(rig.prompt.fileDialogs[2].initialName, "/old/t.spl");

    rig.dlg.BitBtn3Click();
    rig.dlg.BitBtn4Click();
    EXPECT_EQ(rig.prompt.dialogsShown, QStringList({"Температура по реперным точкам", "L по реперным точкам"}));
}

// A changed point count sets that many rows and numbers the last one; rows
// passed over by a jump stay unnumbered.
TEST(ReferencePointDialog, PointCountSetsTheRows)
{
    TDlgSplineKalibrT d;
    d.SpinEdit1->setValue(4);
    EXPECT_EQ(d.StringGrid1->rowCount(), 4);
    EXPECT_EQ(Cell(d, 3, 0), "4");
    EXPECT_EQ(Cell(d, 1, 0), "");
    d.SpinEdit1->setValue(1);
    d.SpinEdit1->stepUp();
    d.SpinEdit1->stepUp();
    EXPECT_EQ(d.StringGrid1->rowCount(), 3);
    EXPECT_EQ(QStringList({Cell(d, 0, 0), Cell(d, 1, 0), Cell(d, 2, 0)}), QStringList({"1", "2", "3"}));
    d.SpinEdit1->setValue(500);
    EXPECT_EQ(d.StringGrid1->rowCount(), 100);
    d.SpinEdit1->setValue(0);
    EXPECT_EQ(d.StringGrid1->rowCount(), 1);
    EXPECT_EQ(d.windowTitle(), "Температура по реперным точкам");
}

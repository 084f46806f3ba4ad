// The archive in the main window: the rows of saved, autosaved and opened
// runs, the description, the results of "Расчет" and the report, and the
// archive window's filter, open, delete and comparison.
#include "analysis/DlgCalcParam.h"
#include "analysis/DlgCalcResult.h"
#include "app/Unit1.h"
#include "archive/ArchiveWindow.h"
#include "archive/CompareWindow.h"
#include "archive/DlgSampleDescription.h"
#include "archive/core/AnalysisResults.h"
#include "archive/core/CalcResult.h"
#include "archive/core/RunFacts.h"
#include "tests/app/AppTestUtil.h"
#include "tests/app/MainFormTestUtil.h"
#include "tests/archive/ArchiveTestUtil.h"
#include "tests/support/RecordingPrompt.h"

#include <QComboBox>
#include <algorithm>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace archive;

namespace {

struct TWindow {
    QTemporaryDir dir;
    TRecordingPrompt prompt;
    TScriptedBoard board;
    QList<QUrl> opened;
    std::unique_ptr<TMainForm> form;

    TWindow()
    {
        TMainFormSetup setup = FormSetup(dir, board);
        setup.openUrl = [this](const QUrl &url) {
            opened << url;
            return true;
        };
        form = std::make_unique<TMainForm>(setup);
    }
    TArchive &Archive() { return *form->Archive(); }
    QString File(const QString &name) const { return dir.filePath(name); }

    // "Описание образца" filled and accepted.
    void Describe(const TSampleDescription &d)
    {
        prompt.dialogs.push_back([d](QDialog &dialog) {
            auto &dlg = static_cast<TDlgSampleDescription &>(dialog);
            dlg.EditName->setText(d.name);
            dlg.EditMaterial->setText(d.material);
            dlg.EditBatch->setText(d.batch);
            dlg.EditOperator->setText(d.operatorName);
            dlg.EditNote->setPlainText(d.note);
            return int(QDialog::Accepted);
        });
        form->SampleDescriptionClick();
    }
    void Save(const QString &name)
    {
        prompt.saveNames.push_back(File(name));
        form->SaveClick();
    }
    std::vector<TArchiveRow> AllRows()
    {
        QString error;
        return Archive().Rows(Archive().Query({}, TSortKey::Id, false, error).value_or(std::vector<int64_t>{}));
    }
};

TSampleDescription Described(const QString &name)
{
    return {name, QStringLiteral("Сталь 12Х18Н10Т"), QStringLiteral("17"), QStringLiteral("Петров"), QString()};
}

// A description filled before the start goes with the recorded run; the run
// that ends at its point limit is archived from its autosave file only after
// the tick, with the times of its samples; saving it again under another
// name gives a row of its own; an opened file's row brings its description.
TEST(MainWindowArchive, RowsOfARecordedSavedAndOpenedRun)
{
    TWindow w;
    ASSERT_TRUE(w.form->Archive());
    w.Describe(Described(QStringLiteral("образец 5")));
    w.form->Settings.N = 3;
    w.board.readings = {{10, 20, 30}, {11, 21, 31}, {12, 22, 32}};
    w.form->GoClick();
    for (int i = 0; i < 3; ++i)
        w.form->Timer1Timer();
    ASSERT_FALSE(w.form->Acquisition().Running());
    EXPECT_EQ(w.Archive().RowCount(), 0) << "the tick wrote to the archive";
    QCoreApplication::processEvents();
    ASSERT_EQ(w.Archive().RowCount(), 1);

    std::optional<TRunEntry> autosaved = w.Archive().Run(w.AllRows()[0].id);
    ASSERT_TRUE(autosaved);
    EXPECT_EQ(autosaved->path, w.form->Settings.AutoSaveFile);
    EXPECT_EQ(autosaved->source, TRunSource::Autosaved);
    EXPECT_EQ(autosaved->facts.count, 3);
    EXPECT_EQ(autosaved->facts.tMin, 10.0);
    EXPECT_EQ(autosaved->facts.tMax, 12.0);
    EXPECT_EQ(autosaved->description.name, "образец 5");
    ASSERT_TRUE(autosaved->startedMs && autosaved->endedMs);
    EXPECT_EQ(*autosaved->endedMs, w.form->Acquisition().Times().sampleMs[2]);

    w.Save(QStringLiteral("run5.dat"));
    const std::vector<TArchiveRow> rows = w.AllRows();
    ASSERT_EQ(rows.size(), 2u);
    const std::optional<TRunEntry> saved = w.Archive().Run(rows[1].id);
    EXPECT_EQ(saved->source, TRunSource::Saved);
    EXPECT_EQ(saved->facts.sha256, Sha256Of(w.File("run5.dat")));
    EXPECT_EQ(saved->description.name, "образец 5");
    EXPECT_EQ(saved->startedMs, autosaved->startedMs);

    // Another run, described in the archive, opened from its file.
    const QString other = w.File("other.dat");
    ASSERT_EQ(SaveData(other, *FormulaRun(40)), "");
    w.prompt.openNames.push_back(other);
    w.form->OpenClick();
    ASSERT_EQ(w.Archive().RowCount(), 3);
    const std::optional<TRunEntry> read = w.Archive().Run(w.AllRows()[2].id);
    EXPECT_EQ(read->source, TRunSource::Opened);
    EXPECT_FALSE(read->startedMs);
    EXPECT_TRUE(read->description.IsEmpty());
    EXPECT_TRUE(w.form->Archiver().Description().IsEmpty());
    // Described now, the opened run's row takes the description.
    w.Describe(Described(QStringLiteral("образец 6")));
    EXPECT_EQ(w.Archive().Run(read->id)->description.name, "образец 6");
    EXPECT_EQ(w.Archive().Run(saved->id)->description.name, "образец 5");
}

// A recording interrupted (the window gone without stopping it) and
// brought back from its journal at the next start is archived as the
// autosave it is written to, with the times of its samples.
TEST(MainWindowArchive, RecoveredRunIsArchived)
{
    TWindow w;
    w.Describe(Described(QStringLiteral("прерванный")));
    w.board.readings = {{10, 20, 30}, {11, 21, 31}, {12, 22, 32}, {13, 23, 33}};
    w.form->GoClick();
    for (int i = 0; i < 4; ++i)
        w.form->Timer1Timer();
    const int64_t lastSample = w.form->Acquisition().Times().sampleMs[3];
    w.form.reset();  // no stop, no autosave: only the journal holds the run

    w.prompt.yesNo = {true};
    w.form = std::make_unique<TMainForm>(FormSetup(w.dir, w.board));
    ASSERT_EQ(w.form->RunData.Count, 4);
    ASSERT_EQ(w.Archive().RowCount(), 1);
    const std::optional<TRunEntry> row = w.Archive().Run(w.AllRows()[0].id);
    EXPECT_EQ(row->source, TRunSource::Autosaved);
    EXPECT_EQ(row->path, w.form->Settings.AutoSaveFile);
    EXPECT_EQ(row->facts.count, 4);
    EXPECT_EQ(row->endedMs, lastSample);
}

// "Расчет" on the test run: its table goes to the archive with the
// parameters that gave it (waiting for the run's file until it is saved),
// and "Отчет" in the result window writes the report with that table.
TEST(MainWindowArchive, CalculationIsStoredAndReported)
{
    TWindow w;
    w.Describe(Described(QStringLiteral("Тестовый образец")));
    QString pdfText;
    w.prompt.dialogs.push_back([](QDialog &) { return int(QDialog::Accepted); });  // "Параметры расчета"
    w.prompt.dialogs.push_back([&](QDialog &dialog) {                             // "Результаты расчета"
        auto &result = static_cast<TDlgCalcResult &>(dialog);
        EXPECT_TRUE(result.BtnReport->isVisibleTo(&result));
        w.prompt.saveNames.push_back(w.File("report.pdf"));
        result.BtnReport->click();
        pdfText = PdfText(w.File("report.pdf"));
        return int(QDialog::Accepted);
    });
    w.form->CalculateClick();
    ASSERT_EQ(w.opened.size(), 1);
    EXPECT_EQ(w.opened[0], QUrl::fromLocalFile(w.File("report.pdf")));
    EXPECT_EQ(w.form->Archiver().PendingResults(), 1u);

    // The worked example of the test run (T = i, L = ln(i + 50) / 12, N =
    // 100): interval 1 has dL = (ln 56 - ln 51) / 12 = 0.0077938 and Alpha =
    // dL / 50000 / 5 + 5.2e-7 = 5.51175e-7; interval 100 starts at 496 deg C
    // with Alpha = 5.27933e-7.
    for (const char *text : {"Отчет о запуске", "Описание образца", "Тестовый образец", "Сталь 12Х18Н10Т",
                             "Параметры расчета", "Настройки", "Результаты: Расчет", "запуск не в архиве",
                             "1 1.00000 0.00779 0.00000 0.00779 0.00000 5.51175E-07",
                             "100 496.00000 0.19800 0.00000 0.19800 0.00000 5.27933E-07"})
        EXPECT_TRUE(pdfText.contains(QString::fromUtf8(text))) << text << "\n" << pdfText.toStdString();

    // Saved, the run's row gets the result at full precision.
    w.Save(QStringLiteral("test.dat"));
    EXPECT_EQ(w.form->Archiver().PendingResults(), 0u);
    const std::vector<TArchiveResult> results = w.Archive().Results(w.AllRows().at(0).id);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].command, kCalcCommand);
    EXPECT_EQ(results[0].params.value(QStringLiteral("CalcPoints")).toInt(), 100);
    EXPECT_EQ(results[0].params.value(QStringLiteral("BaseLineFile")).toString(), "Nil");
    ASSERT_EQ(results[0].rows.size(), 100u);
    EXPECT_NEAR(results[0].rows[0][6], (std::log(56.0) - std::log(51.0)) / 12 / 50000 / 5 + 5.2e-7, 1e-19);
    EXPECT_EQ(results[0].rows[99][1], 496.0);
}

// "Физический КТР" stores its table with the run as "Расчет" does; the glass
// window, closed on the test run (a straight line: no Tg, no Ts), stores
// nothing.
TEST(MainWindowArchive, AnalysisResultsAreStored)
{
    TWindow w;
    w.prompt.dialogs.push_back([](QDialog &) { return int(QDialog::Accepted); });  // its parameters
    w.prompt.dialogs.push_back([](QDialog &) { return int(QDialog::Accepted); });  // its results
    w.form->PhysicalClick();
    w.prompt.dialogs.push_back([](QDialog &) { return int(QDialog::Accepted); });  // the glass window
    w.form->GlassClick();
    w.Save(QStringLiteral("test.dat"));
    const std::vector<TArchiveResult> results = w.Archive().Results(w.AllRows().at(0).id);
    QStringList commands;
    for (const TArchiveResult &r : results)
        commands << r.command;
    EXPECT_EQ(commands, QStringList{kPhysicalCommand});
    for (const TArchiveResult &r : results) {
        if (r.command == kPhysicalCommand) {
            // The test run heats from 1 to 600 deg C: rows every 10 K through
            // the reference temperature 20 deg C, where the length change is 0.
            const auto at20 = std::find_if(r.rows.begin(), r.rows.end(), [](const auto &row) { return row[0] == 20; });
            ASSERT_NE(at20, r.rows.end());
            EXPECT_EQ((*at20)[1], 0.0);
            EXPECT_EQ(r.rows.back()[0] - r.rows.front()[0], 10.0 * double(r.rows.size() - 1));
        }
    }
}

// The archive window: the table filters by words and temperatures, opens
// the chosen run in the main window, and removes a row only after asking,
// and its file only after asking again.
TEST(ArchiveWindow, FiltersOpensAndDeletes)
{
    TWindow w;
    const struct {
        const char *file, *name;
        double t0;
    } runs[] = {{"a.dat", "сталь-1", 20}, {"b.dat", "сталь-2", 300}, {"c.dat", "кварц-1", 20}};
    for (const auto &r : runs) {
        w.prompt.openNames.push_back(w.File(QString::fromLatin1(r.file)));
        ASSERT_EQ(SaveData(w.File(QString::fromLatin1(r.file)), *FormulaRun(200, r.t0)), "");
        w.form->OpenClick();
        w.Describe(Described(QString::fromUtf8(r.name)));
    }
    TArchiveWindow &window = *w.form->ArchiveWindow;
    const struct {
        const char *name, *search, *tFrom;
        int rows;
    } filters[] = {{"everything", "", "", 3}, {"by name, any case", "СТАЛЬ-", "", 2},
                   {"two words", "ПЕТРОВ сталь-2", "", 1}, {"reaching 200 deg C", "", "200", 1},
                   {"not a number ignored", "", "x", 3}};
    w.prompt.dialogs.push_back([&](QDialog &) {
        for (const auto &f : filters) {
            SCOPED_TRACE(f.name);
            window.EditSearch->setText(QString::fromUtf8(f.search));
            window.EditTFrom->setText(QString::fromLatin1(f.tFrom));
            EXPECT_EQ(window.Model()->rowCount(), f.rows);
        }
        window.EditSearch->setText(QStringLiteral("кварц"));
        window.EditTFrom->clear();
        window.SelectIds({window.Model()->IdAt(0)});
        window.BtnOpen->click();
        return window.result();
    });
    w.form->TestClick();
    w.form->ArchiveClick();
    EXPECT_EQ(w.form->windowTitle(), "Varotem - c.dat");
    EXPECT_EQ(w.form->RunData.Count, 200);
    EXPECT_EQ(w.form->Archiver().Description().name, "кварц-1");

    // "Отчет" of the chosen row: written, named after its sample, and opened.
    // Delete: No to the row keeps it; Yes to the row and No to the file
    // keeps the file.
    w.prompt.dialogs.push_back([&](QDialog &) {
        window.EditSearch->clear();
        window.SelectIds({window.Model()->IdAt(0)});
        w.prompt.saveNames.push_back(w.File("row.pdf"));
        window.BtnReport->click();
        EXPECT_EQ(w.opened, QList<QUrl>{QUrl::fromLocalFile(w.File("row.pdf"))});
        EXPECT_TRUE(PdfText(w.File("row.pdf")).contains(QStringLiteral("кварц-1")));
        window.BtnDelete->click();
        EXPECT_EQ(window.Model()->rowCount(), 3);
        w.prompt.yesNo = {true, false};
        window.BtnDelete->click();
        EXPECT_EQ(window.Model()->rowCount(), 2);
        return int(QDialog::Rejected);
    });
    w.form->ArchiveClick();
    EXPECT_EQ(w.prompt.questions.size(), 3);
    EXPECT_TRUE(w.prompt.questions.back().contains(QStringLiteral("Удалить и файл")));
    for (const auto &r : runs)
        EXPECT_TRUE(QFileInfo::exists(w.File(QString::fromLatin1(r.file))));
    EXPECT_EQ(w.Archive().RowCount(), 2);
}

// Three runs compared: each calibrated with its own archived settings; the
// strain of each runs from 0 to L(end) / L0 of its formula; a run whose file
// changed is left out and named.
TEST(ArchiveWindow, ComparesRunsWithTheirOwnCalibration)
{
    TWindow w;
    std::vector<int64_t> ids;
    const double offsets[] = {0, 100, 200, 300};
    for (double aT : offsets) {
        w.form->Settings.aT = aT;
        const QString name = QStringLiteral("r%1.dat").arg(aT);
        ASSERT_EQ(SaveData(w.File(name), *FormulaRun(1001)), "");
        w.prompt.openNames.push_back(w.File(name));
        w.form->OpenClick();
        ids.push_back(w.form->Archiver().Rows().front());
    }
    ASSERT_EQ(SaveData(w.File("r300.dat"), *FormulaRun(10)), "");  // changed since

    TArchiveWindow &window = *w.form->ArchiveWindow;
    TCompareWindow &compare = *window.Comparison;
    w.prompt.dialogs.push_back([&](QDialog &) {
        window.SelectIds(ids);
        w.prompt.dialogs.push_back([&](QDialog &) {
            compare.ComboMode->setCurrentIndex(int(TCompareMode::Strain));
            return int(QDialog::Rejected);
        });
        window.BtnCompare->click();
        return int(QDialog::Rejected);
    });
    w.form->ArchiveClick();

    const std::vector<TCompareCurve> &curves = compare.Plot->Curves();
    ASSERT_EQ(curves.size(), 3u);
    EXPECT_TRUE(compare.LabelProblems->text().contains(QStringLiteral("изменен")));
    // T = 20 + 0.5 (i - 1) raw, + aT calibrated: 20..520 shifted by each aT.
    // L(end) = 3e-4 * 500 + 1e-7 * 500^2 = 0.175 mkm over L0 = 50000.
    for (size_t k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        const auto curve = std::find_if(curves.begin(), curves.end(), [&](const TCompareCurve &c) { return c.id == ids[k]; });
        ASSERT_NE(curve, curves.end());
        ASSERT_EQ(curve->x.size(), 1001u);
        EXPECT_EQ(curve->x.front(), 20 + offsets[k]);
        EXPECT_EQ(curve->x.back(), 520 + offsets[k]);
        EXPECT_EQ(curve->y.front(), 0.0);
        EXPECT_NEAR(curve->y.back(), 0.175 / 50000, 1e-18);
    }
    // Each curve in its own colour on the picture.
    const QImage picture = compare.Plot->Picture();
    for (size_t k = 0; k < 3; ++k) {
        bool found = false;
        for (int y = 0; y < picture.height() && !found; ++y)
            for (int x = 0; x < picture.width() && !found; ++x)
                found = picture.pixel(x, y) == CurveColor(k).rgb();
        EXPECT_TRUE(found) << k;
    }
}

} // namespace

namespace {

// A heating run of a material against the fused-silica push rod: T from 20
// deg C by 0.1 K per sample, L = L0 (alpha - alpha of silica) (T - 20) in
// micrometres with a slight curvature and a little noise.
std::unique_ptr<TRunData> MaterialRun(double alpha, double curvature, unsigned seed)
{
    auto run = FormulaRun(kRunCapacity, 20, 0.1);
    std::srand(seed);
    for (int i = 0; i < kRunCapacity; ++i) {
        const double dt = run->T[i] - 20;
        run->L[i] = 50000 * (alpha - 0.55e-6) * dt + curvature * dt * dt + 0.02 * (std::rand() % 100 - 50) / 50.0;
    }
    return run;
}

// The archive window and a comparison of three runs as a user sees them;
// written as PNG files for the documentation when VAROTEM_DOCS_DIR names a
// directory.
TEST(ArchiveWindow, PicturesForTheDocumentation)
{
    TWindow w;
    const struct {
        const char *file, *name, *material, *batch, *who;
        double alpha, curvature;
    } runs[] = {
        {"silica-3.dat", "Эталон КВ-3", "Кварцевое стекло КУ-1", "2026/11", "Иванова", 0.55e-6, 0},
        {"alumina-12.dat", "Образец 12", "Корунд ВК-94", "17", "Петров", 7.2e-6, 1.5e-4},
        {"steel-7.dat", "Образец 7", "Сталь 12Х18Н10Т", "17", "Петров", 16.8e-6, 4e-4},
        {"glass-2.dat", "Образец 2", "Стекло С52-1", "5", "Сидорова", 5.2e-6, 2e-4},
    };
    for (const auto &r : runs) {
        ASSERT_EQ(SaveData(w.File(QString::fromLatin1(r.file)), *MaterialRun(r.alpha, r.curvature, 1)), "");
        w.prompt.openNames.push_back(w.File(QString::fromLatin1(r.file)));
        w.form->OpenClick();
        w.Describe({QString::fromUtf8(r.name), QString::fromUtf8(r.material), QString::fromUtf8(r.batch),
                    QString::fromUtf8(r.who), QStringLiteral("нагрев 5 К/мин до 1020 °C")});
    }
    const QString docs = qEnvironmentVariable("VAROTEM_DOCS_DIR");
    TArchiveWindow &window = *w.form->ArchiveWindow;
    QImage table, comparison;
    w.prompt.dialogs.push_back([&](QDialog &) {
        window.resize(1000, 330);
        window.show();
        window.SelectIds({1, 2, 3});
        QCoreApplication::processEvents();
        table = window.grab().toImage();
        w.prompt.dialogs.push_back([&](QDialog &dialog) {
            dialog.resize(760, 480);
            dialog.show();
            QCoreApplication::processEvents();
            comparison = dialog.grab().toImage();
            dialog.hide();
            return int(QDialog::Rejected);
        });
        window.BtnCompare->click();
        window.hide();
        return int(QDialog::Rejected);
    });
    w.form->ArchiveClick();
    ASSERT_EQ(window.Comparison->Plot->Curves().size(), 3u);
    EXPECT_EQ(table.size(), QSize(1000, 330));
    EXPECT_EQ(comparison.size(), QSize(760, 480));
    if (!docs.isEmpty()) {
        EXPECT_TRUE(table.save(docs + QStringLiteral("/archive-window.png")));
        EXPECT_TRUE(comparison.save(docs + QStringLiteral("/archive-comparison.png")));
        // The last run opened, calculated with its results stored, and its report.
        w.prompt.dialogs.push_back([](QDialog &) { return int(QDialog::Accepted); });
        w.prompt.dialogs.push_back([](QDialog &) { return int(QDialog::Accepted); });
        w.form->CalculateClick();
        w.prompt.saveNames.push_back(docs + QStringLiteral("/archive-report.pdf"));
        w.form->ReportClick();
    }
}

} // namespace

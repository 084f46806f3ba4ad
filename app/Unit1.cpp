#include "app/Unit1.h"

#include "analysis/AnalysisCommands.h"
#include "analysis/CaseDlg.h"
#include "analysis/DlgAlphaQuartz.h"
#include "analysis/DlgCalcParam.h"
#include "analysis/DlgCalcResult.h"
#include "analysis/DlgCorrection.h"
#include "analysis/DlgGlass.h"
#include "analysis/DlgScale.h"
#include "analysis/DlgPhysParam.h"
#include "analysis/DlgPhysResult.h"
#include "analysis/DlgSved.h"
#include "analysis/IntervalCommand.h"
#include "analysis/core/MaterialDirectory.h"
#include "analysis/PhysicalCommand.h"
#include "analysis/core/XlsxSpreadsheet.h"
#include "app/AboutForm.h"
#include "archive/ArchiveWindow.h"
#include "archive/DlgSampleDescription.h"
#include "archive/core/AnalysisResults.h"
#include "archive/core/CalcResult.h"
#include "archive/core/ReportContent.h"
#include "archive/core/RunFacts.h"
#include "app/CaseChannelDlg.h"
#include "app/DlgSoftening.h"
#include "app/HelpWindow.h"
#include "app/ParamDlg.h"
#include "app/SmoothCommands.h"
#include "app/SplineKalibrDlg.h"
#include "app/core/AppPaths.h"
#include "app/core/DataFiles.h"
#include "app/core/JournalRecovery.h"
#include "app/core/ManualPath.h"
#include "app/core/LinkBoard.h"
#include "app/core/ManageFuncs.h"
#include "app/core/Prompt.h"
#include "app/core/SafeFile.h"
#include "app/widgets/DialogRunner.h"
#include "chart/SimplCht.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>

namespace {

const QString kCaption = QStringLiteral("Varotem");

QString WithSlash(const QString &dir) { return dir.endsWith(u'/') ? dir : dir + u'/'; }

// The charts of the run display, the same on the three tabs but for the Y title.
void SetUpRunChart(TSimpleChart &chart, const QString &yTitle)
{
    chart.SetSCXDrawingMode(TSCXDrawing::ByTime);
    chart.SetSCYDrawingMode(TSCYDrawing::ByFixed);
    chart.SetSCDrawingMode(TSCDrawing::ByMultiLine);
    chart.SetSCDrawingModeChange(true);
    chart.SetSCDrawingDiff(true);
    chart.SetSCXYWindowShowing(true);
    chart.SetSCMstShowing(true);
    chart.SetSCDrawPoints(false);
    chart.SetSCXTitle(QStringLiteral("t, mm:ss"));
    chart.SetSCYTitle(yTitle);
    chart.SetSCDrawingTimeLine(true);
    chart.SetSCGridLinesChange(true);
}

// Temporary files that a killed program left beside the files it writes.
void RemoveStaleTempFiles(const QString &dataDir, const TSettings &settings)
{
    const QDateTime stale = QDateTime::currentDateTime().addSecs(-kStaleWriteSeconds);
    for (const QString &name :
         {SettingsFilePath(dataDir), settings.AutoSaveFile, settings.SplineTFile, settings.SplineLFile})
        RemoveStaleWriteFiles(name, stale);
}

// Clears a flag when the scope ends.
class TBusy {
public:
    explicit TBusy(bool &flag) : flag_(flag) { flag_ = true; }
    ~TBusy() { flag_ = false; }
    TBusy(const TBusy &) = delete;
    TBusy &operator=(const TBusy &) = delete;

private:
    bool &flag_;
};

} // namespace

TMainForm::TMainForm(const TMainFormSetup &setup, QWidget *parent)
    : QMainWindow(parent),
      RunData{},
      DataDir(WithSlash(setup.dataDir.isEmpty() ? ProgramDataDir() : setup.dataDir)),
      WorkbookDir(setup.workbookDir.isEmpty() ? TXlsxSpreadsheet::DefaultDirectory() : setup.workbookDir),
      ownBoard_(setup.board ? nullptr : std::make_unique<TLinkBoard>()),
      board_(setup.board ? setup.board : ownBoard_.get()),
      acquisition_(*board_, RunData, Settings),
      archiveFile_(setup.archiveFile.isEmpty()
                       ? archive::DefaultArchiveDir() + QString::fromLatin1(archive::kArchiveFileName)
                       : setup.archiveFile),
      openUrl_(setup.openUrl ? setup.openUrl : TUrlOpener([](const QUrl &url) { return QDesktopServices::openUrl(url); })),
      language_(ManualLanguage(setup.language)),
      manualFrom_(setup.manualFrom)
{
    setWindowTitle(kCaption);
    setWindowIcon(ProgramIcon(QStringLiteral("varotem")));
    resize(1024, 720);
    Actions = CreateMainActions(*this);
    CreateCharts();
    statusBar()->setSizeGripEnabled(true);
    Timer1 = new QTimer(this);
    connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);
    ConnectActions();
    acquisition_.WatchSoftening(Softening, SplineT, SplineL);

    FormCreate();
    CreateDialogs();
}

TMainForm::~TMainForm()
{
    if (spreadsheet_)
        spreadsheet_->OnWritten = nullptr;
}

void TMainForm::CreateCharts()
{
    PageControl1 = new QTabWidget(this);
    PageControl1->setDocumentMode(true);
    ChartT = new TSimpleChart(PageControl1);
    ChartL = new TSimpleChart(PageControl1);
    ChartTC = new TSimpleChart(PageControl1);
    SetUpRunChart(*ChartT, QStringLiteral("T, deg C"));
    SetUpRunChart(*ChartL, QStringLiteral("L, mkm"));
    SetUpRunChart(*ChartTC, QStringLiteral("T, deg C"));
    PageControl1->addTab(ChartT, QStringLiteral("T"));
    PageControl1->addTab(ChartL, QStringLiteral("L"));
    PageControl1->addTab(ChartTC, QStringLiteral("TC"));
    PageControl1->setCurrentIndex(0);
    for (TSimpleChart *chart : {ChartT, ChartL, ChartTC}) {
        // Shown through the prompt, so a redraw collects them (DrawRun).
        chart->OnMessage = [](const QString &message) { Prompt().Message(message); };
        chart->installEventFilter(this);
    }
    setCentralWidget(PageControl1);
}

void TMainForm::ConnectActions()
{
    const std::pair<QAction *, void (TMainForm::*)()> handlers[] = {
        {Actions.ItemOpen, &TMainForm::OpenClick},
        {Actions.ItemSave, &TMainForm::SaveClick},
        {Actions.ItemExit, &TMainForm::ExitClick},
        {Actions.ItemChoiceInterval, &TMainForm::ChoiceIntervalClick},
        {Actions.ItemGo, &TMainForm::GoClick},
        {Actions.ItemStop, &TMainForm::StopClick},
        {Actions.ItemSmoothMean, &TMainForm::SmoothMeanClick},
        {Actions.ItemSmoothPoly, &TMainForm::SmoothPolyClick},
        {Actions.ItemSmoothSpline, &TMainForm::SmoothSplineClick},
        {Actions.ItemCalculate, &TMainForm::CalculateClick},
        {Actions.ItemSved, &TMainForm::SvedClick},
        {Actions.ItemTest, &TMainForm::TestClick},
        {Actions.ItemExcel, &TMainForm::ExcelClick},
        {Actions.ItemSettings, &TMainForm::SettingsClick},
        {Actions.ItemHelp, &TMainForm::HelpClick},
        {Actions.ItemAbout, &TMainForm::AboutClick},
        {Actions.ItemCorrection, &TMainForm::CorrectionClick},
        {Actions.ItemPhysical, &TMainForm::PhysicalClick},
        {Actions.ItemGlass, &TMainForm::GlassClick},
        {Actions.ItemSoftening, &TMainForm::SofteningClick},
        {Actions.ItemArchive, &TMainForm::ArchiveClick},
        {Actions.ItemSampleDescription, &TMainForm::SampleDescriptionClick},
        {Actions.ItemReport, &TMainForm::ReportClick},
    };
    for (const auto &[action, handler] : handlers)
        connect(action, &QAction::triggered, this, handler);
}

// Runs before any dialog exists, so it uses none.
void TMainForm::FormCreate()
{
    ShowMessages(ReadSettings(SettingsFilePath(DataDir), DataDir, Settings));
    ShowMessages(ReadSofteningOptions(SettingsFilePath(DataDir), Softening));
    RemoveStaleTempFiles(DataDir, Settings);
    TXlsxSpreadsheet::RemoveOldWorkbooks(WorkbookDir, QDateTime::currentDateTime().addDays(-kWorkbookKeepDays));
    ShowMessages(OpenSplineKalibr(Settings, SplineT, SplineL));
    OpenArchive();
    TimeAxis();
    TestClick();
    RecoverRun();
}

// A run whose recording was interrupted comes back from its journal.
void TMainForm::RecoverRun()
{
    const TRecoveryResult recovery = RecoverInterruptedRun(Settings.AutoSaveFile, RunData, acquisition_.Times());
    if (recovery.recovered)
        SetMainGraphic();
    ShowMessages(recovery.messages);
    if (recovery.recovered) {
        recordedHere_ = true;
        recoveredHere_ = true;
        recordSettings_ = JournalSettings(recovery.header, Settings);
        if (!recovery.savedTo.isEmpty())
            ArchiveFile(recovery.savedTo, archive::TRunSource::Autosaved, true);
    }
}

// Opened once at start; a damaged archive is rebuilt from the run files it
// listed and those beside the autosave file.
void TMainForm::OpenArchive()
{
    archive::TArchiveSetup setup;
    setup.fileName = archiveFile_;
    setup.runDirs = {QFileInfo(Settings.AutoSaveFile).absolutePath(), QFileInfo(archiveFile_).absolutePath()};
    setup.rebuildSettings = RunSettings();
    archive::TOpenedArchive opened = archive::OpenArchive(setup);
    archive_ = std::move(opened.archive);
    archiver_ = archive::TRunArchiver(archive_.get());
    ShowMessages(opened.messages);
}

archive::TRunSettings TMainForm::RunSettings() const
{
    archive::TRunSettings s{Settings, SplineT, SplineL};
    if (recordedHere_) {
        s.settings.Chan1 = recordSettings_.Chan1;
        s.settings.Chan2 = recordSettings_.Chan2;
        s.settings.Chan3 = recordSettings_.Chan3;
        s.settings.TimerWorkInterval = recordSettings_.TimerWorkInterval;
        s.settings.LWeightDriver = recordSettings_.LWeightDriver;
    }
    // A recovered run was recorded before this start: its polynomial
    // calibration is the one its journal kept, not the one in force now.
    if (recoveredHere_) {
        for (auto field : {&TSettings::aT, &TSettings::bT, &TSettings::cT, &TSettings::dT, &TSettings::aL,
                           &TSettings::bL, &TSettings::cL, &TSettings::dL})
            s.settings.*field = recordSettings_.*field;
    }
    return s;
}

void TMainForm::ArchiveFile(const QString &name, archive::TRunSource source, bool recorded)
{
    const bool opened = source == archive::TRunSource::Opened;
    const TRunTimes *times = recorded && recordedHere_ ? &acquisition_.Times() : nullptr;
    ShowMessages({archiver_.RecordFile(name, source, RunSettings(), times, opened ? nullptr : &RunData)});
}

void TMainForm::ArchiveFinishedRun()
{
    const int32_t n = ValidCount(RunData);
    if (Settings.AutoSaveFlag && n > 0 && acquisition_.AutosavedCount() == n && !acquisition_.Running())
        ArchiveFile(Settings.AutoSaveFile, archive::TRunSource::Autosaved, true);
}

void TMainForm::CreateDialogs()
{
    AboutDlg = new TAboutDlg(this);
    CaseDlg = new TCaseDlg(this);
    DlgParam = new TDlgParam(this);
    DlgCalcResult = new TDlgCalcResult(this);
    DlgCalcParam = new TDlgCalcParam(this);
    DlgAlphaQuartz = new TDlgAlphaQuartz(this);
    DlgSplineKalibrL = new TDlgSplineKalibrL(this);
    DlgSplineKalibrT = new TDlgSplineKalibrT(this);
    DlgSved = new TDlgSved(this);
    DlgScale = new TDlgScale(this);
    CaseChansDlg = new TCaseChansDlg(this);
    DlgCorrection = new TDlgCorrection(this);
    DlgPhysParam = new TDlgPhysParam(this);
    DlgPhysResult = new TDlgPhysResult(this);
    DlgGlass = new TDlgGlass(this);
    DlgSoftening = new TDlgSoftening(this);

    ArchiveWindow = new TArchiveWindow(this);
    DlgSampleDescription = new TDlgSampleDescription(this);
    ArchiveWindow->OnOpen = [this](const QString &name) { return OpenRunFile(name); };
    ArchiveWindow->OnDescribed = [this](int64_t id, const archive::TSampleDescription &d) {
        archiver_.RowDescribed(id, d);
    };
    ArchiveWindow->OpenUrl = openUrl_;
    ArchiveWindow->Version = QStringLiteral(VAROTEM_VERSION);
    DlgCalcResult->SetOnReport([this] { ReportClick(); });

    DlgParam->SetSplineDialogs(DlgSplineKalibrT, DlgSplineKalibrL);
    DlgParam->OnDaqSetup = [this] { return board_->DaqSetup(); };

    ownSpreadsheet_ = std::make_unique<TXlsxSpreadsheet>(
        WorkbookDir, [](const QUrl &url) { return QDesktopServices::openUrl(url); });
    SetSpreadsheet(nullptr);
}

QStringList TMainForm::DrawRun()
{
    // Nothing below runs the event loop (messages are collected), so no tick
    // can fall inside; the flag keeps it so.
    if (drawing_)
        return {};
    TBusy busy(drawing_);
    TDeferredMessages deferred;

    TKalibrStatus status;
    const auto calibrated = CalibratedCopy(RunData, Settings, SplineT, SplineL, &status);
    const int32_t n = ValidCount(*calibrated);
    const double *x = TimeAxis().data();
    const std::vector<double> t = ChannelValues(*calibrated, TChannel::T);
    const std::vector<double> l = ChannelValues(*calibrated, TChannel::L);
    const std::vector<double> tc = ChannelValues(*calibrated, TChannel::TC);
    ChartT->SetData(n, x, t.data());
    ChartL->SetData(n, x, l.data());
    ChartTC->SetData(n, x, tc.data());
    CheckHeaterThreshold(*board_, *calibrated, Settings);
    ChartT->RepaintOrReport();
    ChartL->RepaintOrReport();
    ChartTC->RepaintOrReport();

    QStringList messages = deferred.Take();
    messages += notices_.Update(status);
    return messages;
}

void TMainForm::SetMainGraphic() { ShowMessages(DrawRun()); }

void TMainForm::ShowMessages(const QStringList &messages) { messages_.Show(messages); }

void TMainForm::TestClick()
{
    acquisition_.RunReplaced();
    archiver_.RunReplaced();
    recordedHere_ = false;
    recoveredHere_ = false;
    FillTestRun(RunData);
    SetMainGraphic();
}

void TMainForm::OpenClick()
{
    const QString name = Prompt().OpenFileName(RunFileOpenOptions());
    if (!name.isEmpty())
        OpenRunFile(name);
}

QString TMainForm::OpenRunFile(const QString &name)
{
    if (const QString error = ReadRunFile(name, RunData, Settings.ErrorCode); !error.isEmpty()) {
        ShowMessages({error});
        return error;
    }
    acquisition_.RunReplaced();
    archiver_.RunReplaced();
    recordedHere_ = false;
    recoveredHere_ = false;
    setWindowTitle(kCaption + QStringLiteral(" - ") + QFileInfo(name).fileName());
    SetMainGraphic();
    ArchiveFile(name, archive::TRunSource::Opened, false);
    return {};
}

void TMainForm::SaveClick()
{
    TFileDialogOptions options;
    options.filter = QStringLiteral("Data files (*.dat)|*.dat|Text files (*.txt)|*.txt|All files (*.*)|*.*");
    options.defaultExt = QStringLiteral(".dat");
    const QString name = Prompt().SaveFileName(options);
    if (name.isEmpty())
        return;
    QString error;
    switch (SaveKindOf(name)) {
    case TSaveKind::Data: error = SaveData(name, RunData); break;
    case TSaveKind::Text: error = ExportText(name, RunData, Settings, SplineT, SplineL); break;
    case TSaveKind::Nothing:
        error = tr("Файл \"%1\" не сохранен: имя должно оканчиваться на .dat (данные) "
                               "или .txt (текст)!")
                    .arg(name);
        break;
    }
    if (!error.isEmpty()) {
        ShowMessages({error});
        return;
    }
    setWindowTitle(kCaption + QStringLiteral(" - ") + QFileInfo(name).fileName());
    if (SaveKindOf(name) == TSaveKind::Data) {
        acquisition_.RunReleased();
        ArchiveFile(name, archive::TRunSource::Saved, true);
    }
}

void TMainForm::ExitClick() { close(); }

void TMainForm::GoClick()
{
    Timer1->setInterval(TimerPeriodMs(Settings));
    QString stopped;
    const bool wasRunning = acquisition_.Running();
    const TStartResult started = acquisition_.Start(&stopped);
    if (started != TStartResult::Started) {
        Timer1->stop();  // a run being acquired has stopped
        ShowMessages({StartMessage(started), stopped});
        if (wasRunning)
            ArchiveFinishedRun();
        return;
    }
    // A description filled before the start goes with the new run.
    archiver_.RunReplaced();
    recordedHere_ = true;
    recoveredHere_ = false;
    recordSettings_ = Settings;
    ChartT->ClearData();
    Timer1->start();
    ShowMessages({acquisition_.TakeJournalNotice()});
}

void TMainForm::Timer1Timer()
{
    QStringList messages;
    const bool wasRunning = acquisition_.Running();
    const TTickResult tick = acquisition_.Tick([this, &messages] { messages += DrawRun(); });
    if (!acquisition_.Running())
        Timer1->stop();
    // The run ended at its point limit: its file is archived after the
    // tick, so no archive write ever lengthens a tick.
    if (wasRunning && !acquisition_.Running())
        QTimer::singleShot(0, this, &TMainForm::ArchiveFinishedRun);
    messages << tick.softeningMessage << tick.journalMessage << tick.autosaveMessage;
    ShowMessages(messages);
}

void TMainForm::StopClick()
{
    const bool wasRunning = acquisition_.Running();
    Timer1->stop();
    ShowMessages({acquisition_.Stop()});
    if (wasRunning)
        ArchiveFinishedRun();
}

void TMainForm::SettingsClick()
{
    DlgParam->Fill(Settings, SplineT, SplineL);
    if (DialogRunner().Exec(*DlgParam) != QDialog::Accepted)
        return;
    if (const QString error = DlgParam->CopyBack(Settings, SplineT, SplineL); !error.isEmpty()) {
        ShowMessages({error});
        return;
    }
    SetMainGraphic();
}

// The manual of the program's language in its window, which stays open
// beside the main window; a missing manual is said, not shown blank.
void TMainForm::HelpClick()
{
    const QString programDir = manualFrom_.isEmpty() ? QCoreApplication::applicationDirPath() : manualFrom_;
    const QString index = FindManualIndex(programDir, language_);
    if (index.isEmpty()) {
        Prompt().Message(tr("Руководство пользователя не найдено: нет папки share/varotem/manual/%1 "
                            "рядом с папкой программы \"%2\".")
                             .arg(language_, QDir::toNativeSeparators(programDir)));
        return;
    }
    if (!HelpWindow)
        HelpWindow = new THelpWindow(this);
    HelpWindow->ShowPage(index);
}

void TMainForm::AboutClick() { DialogRunner().Exec(*AboutDlg); }

void TMainForm::CorrectionClick()
{
    ::CorrectionClick(*analysis_, *DlgCorrection, analysis::ProgramMaterialDirectory());
}

void TMainForm::SofteningClick()
{
    DlgSoftening->Fill(Softening);
    if (DialogRunner().Exec(*DlgSoftening) == QDialog::Accepted)
        Softening = DlgSoftening->Options();
}

void TMainForm::ArchiveClick()
{
    ArchiveWindow->SetArchive(archive_.get());
    DialogRunner().Exec(*ArchiveWindow);
}

void TMainForm::SampleDescriptionClick()
{
    DlgSampleDescription->Fill(archiver_.Description());
    if (DialogRunner().Exec(*DlgSampleDescription) != QDialog::Accepted)
        return;
    ShowMessages({archiver_.SetDescription(DlgSampleDescription->Description())});
}

// The report of the run in memory: that of its archived row when one holds
// exactly these samples, otherwise of the run as it stands; with the
// results stored with it, or waiting for its file.
void TMainForm::ReportClick()
{
    using namespace archive;
    const QString digest = SamplesDigest(RunData);
    TRunEntry entry;
    std::optional<TFileState> state;
    for (int64_t id : archiver_.Rows()) {
        const std::optional<TRunEntry> row = archive_ ? archive_->Run(id) : std::nullopt;
        if (row && row->facts.samplesDigest == digest) {
            entry = *row;
            state = CheckRunFile(entry.path, entry.facts.size, entry.facts.sha256);
            break;
        }
    }
    if (!state) {
        entry.settings = RunSettings();
        entry.facts = FactsOfRun(RunData, entry.settings);
        entry.description = archiver_.Description();
        if (recordedHere_)
            SetRecordingTimes(acquisition_.Times(), entry.facts.count, entry);
    }
    const TReportContent content = ReportContent(entry, state, &RunData, archiver_.ResultsOf(RunData),
                                                 QDateTime::currentMSecsSinceEpoch(), QStringLiteral(VAROTEM_VERSION));
    SaveReport(content, reportOptions_, openUrl_);
}

std::optional<TChannel> TMainForm::ChooseChannel()
{
    if (DialogRunner().Exec(*CaseChansDlg) != QDialog::Accepted)
        return std::nullopt;
    return CaseChansDlg->Channel();
}

TChannelChoice TMainForm::ChannelChoice()
{
    return [this] { return ChooseChannel(); };
}

TRunRedraw TMainForm::Redraw()
{
    return [this] { SetMainGraphic(); };
}

// The analysis commands work on the window's run, settings and tables through
// one context; it is rebuilt when the spreadsheet changes.
void TMainForm::SetSpreadsheet(TSpreadsheet *spreadsheet)
{
    if (spreadsheet_)
        spreadsheet_->OnWritten = nullptr;
    spreadsheet_ = spreadsheet ? spreadsheet : ownSpreadsheet_.get();
    spreadsheet_->OnWritten = [this](const QString &fileName) {
        statusBar()->showMessage(
            tr("Книга сохранена в файле \"%1\"").arg(QDir::toNativeSeparators(fileName)));
    };
    analysis_ = std::make_unique<TAnalysisContext>(TAnalysisContext{
        RunData, Settings, SplineT, SplineL, *DlgCalcResult, *DlgCalcParam, *DlgAlphaQuartz, *DlgSved,
        *DlgScale, *spreadsheet_});
    analysis_->onCalculated = [this](const analysis::TCalcParams &params,
                                     const std::vector<analysis::TCalcRow> &rows) {
        ShowMessages({archiver_.StoreResult(RunData, archive::CalcResult(params, rows))});
    };
    analysis_->onPhysical = [this](const analysis::TPhysicalParams &params,
                                   const analysis::TPhysicalOutcome &outcome) {
        ShowMessages({archiver_.StoreResult(RunData, archive::PhysicalResult(params, outcome))});
    };
    analysis_->onGlass = [this](const analysis::TGlassResult &result) {
        ShowMessages({archiver_.StoreResult(RunData, archive::GlassResult(result))});
    };
    BindAnalysisDialogs(*analysis_);
    BindPhysicalDialogs(*analysis_, *DlgPhysParam, *DlgPhysResult);
}

void TMainForm::ChoiceIntervalClick()
{
    ::ChoiceIntervalClick(RunData, Settings, SplineT, SplineL, ChannelChoice(), *CaseDlg, Redraw());
}

void TMainForm::SmoothMeanClick() { ::SmoothMeanClick(RunData, ChannelChoice(), Redraw()); }
void TMainForm::SmoothPolyClick() { ::SmoothPolyClick(RunData, ChannelChoice(), Redraw()); }
void TMainForm::SmoothSplineClick() { ::SmoothSplineClick(RunData, ChannelChoice(), Redraw()); }
void TMainForm::CalculateClick() { ::CalculateClick(*analysis_); }
void TMainForm::SvedClick() { ::SvedClick(*analysis_); }
void TMainForm::ExcelClick() { ::ExcelClick(*analysis_); }
void TMainForm::PhysicalClick() { ::PhysicalClick(*analysis_, *DlgPhysParam, *DlgPhysResult); }
void TMainForm::GlassClick() { ::GlassClick(*analysis_, *DlgGlass, Softening.MarginPercent); }

bool TMainForm::FormCloseQuery()
{
    if (!acquisition_.Running())
        return true;
    return Prompt().AskYesNo(tr("Выход"),
                             tr("Прием информации с АЦП не закончен.\nВы действительно хотите выйти?"));
}

void TMainForm::FormClose()
{
    if (closed_)
        return;
    closed_ = true;
    // The question above ran the event loop: the run may have stopped meanwhile.
    if (acquisition_.Running())
        StopClick();
    acquisition_.ProgramClosing();
    QStringList messages = SaveSplineKalibr(Settings, SplineT, SplineL);
    if (const QString error = WriteSettings(SettingsFilePath(DataDir), Settings); !error.isEmpty())
        messages << error;
    else
        messages << WriteSofteningOptions(SettingsFilePath(DataDir), Softening);
    ShowMessages(messages);
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    if (!closed_ && !FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

// The charts follow the window's size: each is redrawn at its new size.
bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize) {
        for (TSimpleChart *chart : {ChartT, ChartL, ChartTC}) {
            if (watched != chart)
                continue;
            QStringList messages;
            {
                TDeferredMessages deferred;
                chart->RepaintOrReport();
                messages = deferred.Take();
            }
            ShowMessages(messages);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

#pragma once
// The main window: holds the run, the settings and the reference-point tables,
// the three charts and the dialogs, and wires every command to the code that
// carries it out (app/core and the dialogs).
#include "analysis/AnalysisContext.h"
#include "app/MainActions.h"
#include "archive/ReportCommand.h"
#include "archive/core/RunArchiver.h"
#include "app/core/Acquisition.h"
#include "app/core/Calibration.h"
#include "app/core/CommandHooks.h"
#include "app/core/MessageQueue.h"
#include "app/core/RunData.h"
#include "app/core/Settings.h"
#include "app/core/SofteningSettings.h"

#include <QMainWindow>
#include <QStringList>
#include <memory>
#include <optional>

class QTabWidget;
class QTimer;
class TAboutDlg;
class TArchiveWindow;
class TDlgSampleDescription;
class TCaseDlg;
class TCaseChansDlg;
class TDlgCorrection;
class TDlgParam;
class TDlgPhysParam;
class TDlgPhysResult;
class TDlgGlass;
class TDlgParam;
class TDlgSoftening;
class TDlgSplineKalibrL;
class TDlgSplineKalibrT;
class THelpWindow;
class TSimpleChart;

// Where the window keeps its files and which board it reads. The program uses
// the defaults; tests pass a directory of their own and may script the board.
struct TMainFormSetup {
    // Each member initialised, so that a setup may name only its first ones.
    QString dataDir{};            // settings, reference points, autosave; empty: ProgramDataDir()
    TBoardPort *board = nullptr;  // not owned; null: the board libraries
    QString workbookDir{};        // the spreadsheet exports; empty: TXlsxSpreadsheet::DefaultDirectory()
    QString archiveFile{};        // the run archive; empty: Varotem-archive.sqlite in archive::DefaultArchiveDir()
    TUrlOpener openUrl{};         // opens a written report; empty: the desktop's viewer
    QString language{};           // the program's language ("ru", "en"), which the manual is chosen by; empty: "ru"
    QString manualFrom{};         // the program directory the manual is found from; empty: the program's own
};

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // Builds the window, runs FormCreate (settings, reference points, test
    // run) and then creates the dialogs, once, in their fixed order.
    explicit TMainForm(const TMainFormSetup &setup = {}, QWidget *parent = nullptr);
    ~TMainForm() override;

    // The run, always raw; replaced or changed only by the commands.
    TRunData RunData;
    TSettings Settings;
    TSofteningOptions Softening;  // heating off at softening, section [Softening] of the settings file
    TSplineTable SplineT;  // reference points of T (and TC)
    TSplineTable SplineL;  // reference points of L
    const QString DataDir;
    const QString WorkbookDir;  // the spreadsheet exports' workbooks

    // The run display: tabs "T", "L", "TC".
    QTabWidget *PageControl1 = nullptr;
    TSimpleChart *ChartT = nullptr;
    TSimpleChart *ChartL = nullptr;
    TSimpleChart *ChartTC = nullptr;

    TMainActions Actions;
    QTimer *Timer1 = nullptr;  // runs exactly while a run is acquired

    // The dialogs, in the order they are created.
    TAboutDlg *AboutDlg = nullptr;
    TCaseDlg *CaseDlg = nullptr;
    TDlgParam *DlgParam = nullptr;
    TDlgCalcResult *DlgCalcResult = nullptr;
    TDlgCalcParam *DlgCalcParam = nullptr;
    TDlgAlphaQuartz *DlgAlphaQuartz = nullptr;
    TDlgSplineKalibrL *DlgSplineKalibrL = nullptr;
    TDlgSplineKalibrT *DlgSplineKalibrT = nullptr;
    TDlgSved *DlgSved = nullptr;
    TDlgScale *DlgScale = nullptr;
    TCaseChansDlg *CaseChansDlg = nullptr;
    TDlgCorrection *DlgCorrection = nullptr;
    TDlgPhysParam *DlgPhysParam = nullptr;
    TDlgPhysResult *DlgPhysResult = nullptr;
    TDlgGlass *DlgGlass = nullptr;
    TDlgSoftening *DlgSoftening = nullptr;
    // The windows of the menu "Архив", created after the fixed ones.
    TArchiveWindow *ArchiveWindow = nullptr;
    TDlgSampleDescription *DlgSampleDescription = nullptr;
    // The user's manual, not modal; created at the first "Справка".
    THelpWindow *HelpWindow = nullptr;

    // Where the spreadsheet exports go; tests may replace it before a command
    // (a spreadsheet given must stay until it is replaced or the window goes).
    // The status bar names the file of every workbook it writes.
    TSpreadsheet &Spreadsheet() { return *spreadsheet_; }
    void SetSpreadsheet(TSpreadsheet *spreadsheet);

    TBoardPort &Board() { return *board_; }
    const TAcquisition &Acquisition() const { return acquisition_; }
    // The run archive (null when it could not be opened) and the rows of the
    // run in memory.
    archive::TArchive *Archive() const { return archive_.get(); }
    archive::TRunArchiver &Archiver() { return archiver_; }

    // Shows the run: a calibrated copy on the three charts, the heater's
    // threshold test, then the messages of the redraw. RunData is not changed.
    void SetMainGraphic();
    // Shows messages one after another (see TMessageQueue).
    void ShowMessages(const QStringList &messages);

    // Closing: whether the window may close (asks while acquiring), and what
    // closing does (stop, reference-point files, settings file).
    bool FormCloseQuery();
    void FormClose();

public slots:
    void OpenClick();
    void SaveClick();
    void ExitClick();
    void ChoiceIntervalClick();
    void GoClick();
    void StopClick();
    void SmoothMeanClick();
    void SmoothPolyClick();
    void SmoothSplineClick();
    void CalculateClick();
    void SvedClick();
    void TestClick();
    void ExcelClick();
    void SettingsClick();
    void HelpClick();
    void AboutClick();
    void CorrectionClick();
    void PhysicalClick();
    void GlassClick();
    void SofteningClick();
    void Timer1Timer();
    void ArchiveClick();
    void SampleDescriptionClick();
    void ReportClick();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateCharts();
    void ConnectActions();
    void FormCreate();
    void RecoverRun();
    void CreateDialogs();
    // The work of SetMainGraphic; returns its messages instead of showing them.
    QStringList DrawRun();
    // The channel dialog, shown modally: the chosen channel or nullopt.
    std::optional<TChannel> ChooseChannel();
    TChannelChoice ChannelChoice();
    TRunRedraw Redraw();
    // Opens a run file as "Открыть" does: an empty string, or the message shown.
    QString OpenRunFile(const QString &name);
    void OpenArchive();
    // The settings a file of the run in memory is archived with: the
    // calibration in force, and the channels and period its recording
    // started with when it was recorded here.
    archive::TRunSettings RunSettings() const;
    // Archives a run file just written (its samples must be the run's) or
    // opened; recorded: with the times of the recording.
    void ArchiveFile(const QString &name, archive::TRunSource source, bool recorded);
    // A recording has ended: its autosave file is archived when it holds the run.
    void ArchiveFinishedRun();

    std::unique_ptr<TBoardPort> ownBoard_;
    TBoardPort *board_;
    TAcquisition acquisition_;
    TKalibrNotices notices_;
    TMessageQueue messages_;
    std::unique_ptr<TSpreadsheet> ownSpreadsheet_;
    TSpreadsheet *spreadsheet_ = nullptr;
    std::unique_ptr<TAnalysisContext> analysis_;
    std::unique_ptr<archive::TArchive> archive_;
    archive::TRunArchiver archiver_;
    QString archiveFile_;
    TUrlOpener openUrl_;
    QString language_;
    QString manualFrom_;
    TFileDialogOptions reportOptions_ = ReportFileOptions();
    TSettings recordSettings_;   // in force when the run in memory started recording
    bool recordedHere_ = false;  // the run in memory was recorded (or recovered) here
    bool recoveredHere_ = false; // ... and recovered from its journal at this start
    bool drawing_ = false;
    bool closed_ = false;
};

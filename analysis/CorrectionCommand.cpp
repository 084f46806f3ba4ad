// "Коррекция по эталону": the dialog, the correction of the run, the file.
#include "analysis/AnalysisCommands.h"

#include "analysis/DlgCorrection.h"
#include "analysis/core/Correction.h"
#include "analysis/core/MaterialDirectory.h"
#include "app/core/DataFiles.h"
#include "app/core/Prompt.h"
#include "app/widgets/DialogRunner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
// The context of this file's texts in the translation catalogue.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(analysis::CorrectionCommand)
};
} // namespace

void CorrectionClick(TAnalysisContext &ctx, TDlgCorrection &dlg, const QString &materialDirectory)
{
    QStringList problems;
    const materials::TMaterialLibrary library = analysis::LoadMaterials(materialDirectory, problems);
    if (library.materials.empty()) {
        Prompt().Message(analysis::EmptyLibraryMessage(materialDirectory, problems));
        return;
    }
    // The material and file of last time; the length is the run's own.
    TCorrectionChoice choice;
    dlg.ReadBack(choice);
    choice.SampleLength = ctx.run.SampleLength;
    dlg.Fill(library.materials, choice);
    if (DialogRunner().Exec(dlg) != QDialog::Accepted)
        return;
    if (!dlg.ReadBack(choice)) {
        Prompt().Message(analysis::MsgBadParameter());
        return;
    }
    if (choice.OutFile.isEmpty()) {
        Prompt().Message(Tr::tr("Не задан файл коррекции!"));
        return;
    }
    const materials::TReferenceMaterial *material = library.Find(choice.MaterialId.toStdString());
    if (!material)
        return;
    const analysis::TCorrectionOutcome outcome =
        analysis::MakeCorrection(ctx.run, *material, choice.SampleLength, ctx.settings, ctx.tTable, ctx.lTable);
    if (!ShowReport(ctx, outcome))
        return;
    // A name typed in, or left from last time, may be that of any file: it is
    // replaced only when the user says so, as the save dialog would ask.
    const QFileInfo existing(choice.OutFile);
    if ((existing.exists() || existing.isSymLink()) && !dlg.ChosenInSaveDialog(choice.OutFile)
        && !Prompt().AskYesNo(Tr::tr("Коррекция по эталону"),
                              Tr::tr("Файл \"%1\" уже существует.\nЗаменить его?")
                                  .arg(QDir::toNativeSeparators(choice.OutFile))))
        return;
    if (const QString error = SaveData(choice.OutFile, *outcome.File); !error.isEmpty()) {
        Prompt().Message(error);
        return;
    }
    Prompt().Message(Tr::tr("Файл коррекции записан: %1. В \"Расчет\" и \"Сведение\" он служит базовой линией.")
                         .arg(QDir::toNativeSeparators(choice.OutFile)));
}

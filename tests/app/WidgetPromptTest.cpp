// The real file dialogs of the running program, driven offscreen: a name typed
// without an extension gets the default one before the dialog checks it.
#include "app/WidgetPrompt.h"
#include "tests/app/CoreTestUtil.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Answers the modal windows that open while it lives: types a name into the
// file dialog and accepts it, says Yes to a question, OK to a message, and
// records their texts. A file dialog that stays open after its name was
// accepted is cancelled, so a refused name ends the test instead of hanging it.
class TDialogDriver final : public QObject {
public:
    explicit TDialogDriver(const QString &typed) : typed_(typed)
    {
        connect(&timer_, &QTimer::timeout, this, &TDialogDriver::Poll);
        timer_.start(10);
    }

    QStringList boxes;       // texts of the message boxes, in order
    QString selectedFilter;  // the filter selected when the file dialog opened

private:
    void Poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            boxes << box->text();
            if (QAbstractButton *yes = box->button(QMessageBox::Yes))
                yes->click();
            else
                box->accept();
            return;
        }
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (!dialog || dialog == handled_)
            return;
        handled_ = dialog;
        selectedFilter = dialog->selectedNameFilter();
        dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(typed_);
        // From a timer of its own: a timer does not fire again while its
        // slot runs, and the polls must answer a question about the name.
        QTimer::singleShot(0, dialog, [dialog] {
            QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
            if (dialog->isVisible())
                dialog->reject();
        });
    }

    QTimer timer_;
    QString typed_;
    QFileDialog *handled_ = nullptr;
};

} // namespace

TEST(WidgetPrompt, FileDialogsAddTheDefaultExtensionBeforeCheckingTheName)
{
    struct TRow {
        const char *name;
        bool save;
        const char *typed;
        int filterIndex;
        const char *chosen;  // the name returned, in the directory
        bool askedToReplace;
        const char *firstFilter;
    };
    const TRow rows[] = {
        {"save over an existing run", true, "run", 0, "run.dat", true, "Data files (*.dat)"},
        {"save a new run", true, "new", 0, "new.dat", false, "Data files (*.dat)"},
        {"save with an extension of its own", true, "run.TXT", 1, "run.TXT", false, "Text files (*.txt)"},
        {"open by the name without extension", false, "run", 0, "run.dat", false, "Data files (*.dat)"},
    };
    for (const TRow &r : rows) {
        QTemporaryDir dir;
        WriteBytes(dir.filePath("run.dat"), "x");
        TFileDialogOptions options;
        options.filter = QStringLiteral("Data files (*.dat)|*.dat|Text files (*.txt)|*.txt|All files (*.*)|*.*");
        options.defaultExt = QStringLiteral(".dat");
        options.filterIndex = r.filterIndex;
        options.initialName = dir.path() + u'/';

        TWidgetPrompt prompt;
        TDialogDriver driver(QString::fromLatin1(r.typed));
        const QString chosen = r.save ? prompt.SaveFileName(options) : prompt.OpenFileName(options);

        EXPECT_EQ(chosen.toStdString(), dir.filePath(QString::fromLatin1(r.chosen)).toStdString()) << r.name;
        EXPECT_EQ(driver.selectedFilter.toStdString(), r.firstFilter) << r.name;
        // The one question allowed is whether to replace run.dat.
        const QStringList expectedBoxes =
            r.askedToReplace ? driver.boxes.filter(QStringLiteral("run.dat")) : QStringList();
        EXPECT_EQ(driver.boxes, expectedBoxes) << r.name << ": " << driver.boxes.join('|').toStdString();
        EXPECT_EQ(driver.boxes.size(), r.askedToReplace ? 1 : 0) << r.name;
    }
}

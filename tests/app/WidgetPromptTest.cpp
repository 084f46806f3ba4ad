// The real file dialogs of the running program, driven offscreen: a name typed
// without an extension gets the default one before the dialog checks it, and
// the dialogs speak the program's language.
#include "analysis/DlgCalcParam.h"
#include "analysis/DlgScale.h"
#include "app/core/Language.h"
#include "app/WidgetPrompt.h"
#include "tests/app/CoreTestUtil.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
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

// Reads where the first file dialog that opens stands and its texts, then
// cancels it.
class TDialogReader final : public QObject {
public:
    TDialogReader()
    {
        connect(&timer_, &QTimer::timeout, this, &TDialogReader::Poll);
        timer_.start(10);
    }

    QString directory, preset;  // where it opened, the name typed in it
    QStringList texts;          // title, three labels, the buttons' texts

private:
    void Poll()
    {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        directory = dialog->directory().absolutePath();
        preset = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text();
        texts << dialog->windowTitle();
        for (const char *label : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
            texts << dialog->findChild<QLabel *>(QString::fromLatin1(label))->text();
        for (const QAbstractButton *button : dialog->findChild<QDialogButtonBox *>()->buttons())
            texts << button->text();
        texts.replaceInStrings(QStringLiteral("&"), QString());
        dialog->reject();
    }

    QTimer timer_;
};

} // namespace

// The prompt opens Qt's own file dialog wherever the desktop offers none of
// its own (and always offscreen): in the folder the options give, with the
// name preset, and in Russian once the program's language is installed. The
// program's own dialogs keep the button texts they all share.
TEST(WidgetPrompt, FileDialogsOpenWhereAskedAndSpeakTheProgramsLanguage)
{
    QTemporaryDir dir;
    const QString pics = dir.filePath("pictures");
    ASSERT_TRUE(QDir().mkdir(pics));
    const QString saveTexts = "Сохранить как|Перейти к:|Имя файла:|Типы файлов:|Сохранить|Отмена";
    const struct {
        const char *name;
        bool save;
        QString directory, initialName;
        const char *preset;
        QString texts;
    } rows[] = {
        {"a path as the name", true, QString(), pics + "/new.bmp", "new.bmp", saveTexts},
        {"a bare name in a folder", true, pics, "new.bmp", "new.bmp", saveTexts},
        {"a folder only", false, pics, QString(), "", "Открыть|Перейти к:|Имя файла:|Типы файлов:|Открыть|Отмена"},
    };
    const TLanguage language(QStringLiteral("ru"));
    ASSERT_TRUE(language.Missing().isEmpty()) << language.Missing().join(' ').toStdString();
    for (const auto &r : rows) {
        TFileDialogOptions options;
        options.filter = QStringLiteral("Windows Bitmaps (*.bmp)|*.bmp|All Files (*.*)|*.*");
        options.directory = r.directory;
        options.initialName = r.initialName;
        TWidgetPrompt prompt;
        TDialogReader reader;
        EXPECT_EQ(r.save ? prompt.SaveFileName(options) : prompt.OpenFileName(options), "") << r.name;
        EXPECT_EQ(reader.directory, pics) << r.name;
        EXPECT_EQ(reader.preset, r.preset) << r.name;
        EXPECT_EQ(reader.texts.join('|'), r.texts) << r.name;
    }
    TDlgCalcParam calcParam;
    TDlgScale scale;
    for (QDialog *dialog : std::initializer_list<QDialog *>{&calcParam, &scale}) {
        QStringList texts;
        for (const QAbstractButton *button : dialog->findChild<QDialogButtonBox *>()->buttons())
            texts << button->text();
        texts.sort();
        EXPECT_EQ(texts.join('|'), "Cancel|OK") << dialog->windowTitle().toStdString();
    }
}

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

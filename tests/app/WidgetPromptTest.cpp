// The real file dialogs of the running program, driven offscreen: a name typed
// without an extension gets the default one before the dialog checks it, and
// the dialogs speak the program's language.
#include "analysis/DlgCalcParam.h"
#include "analysis/DlgScale.h"
#include "app/Language.h"
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
#include <QToolButton>
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

// Reads the texts of the first file dialog that opens, then cancels it.
class TDialogReader final : public QObject {
public:
    TDialogReader()
    {
        connect(&timer_, &QTimer::timeout, this, &TDialogReader::Poll);
        timer_.start(10);
    }

    QString title, lookIn, newFolder, fileName, fileType, acceptButton, cancelButton;
    QString directory, typedName;  // where it opened, the name preset in it

private:
    void Poll()
    {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        const auto label = [dialog](const char *name) {
            const auto *l = dialog->findChild<QLabel *>(QString::fromLatin1(name));
            return l ? l->text().remove(u'&') : QStringLiteral("(none)");
        };
        title = dialog->windowTitle();
        directory = dialog->directory().absolutePath();
        if (const auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            typedName = edit->text();
        lookIn = label("lookInLabel");
        if (const auto *button = dialog->findChild<QToolButton *>(QStringLiteral("newFolderButton")))
            newFolder = button->toolTip();
        fileName = label("fileNameLabel");
        fileType = label("fileTypeLabel");
        if (const auto *box = dialog->findChild<QDialogButtonBox *>()) {
            for (QAbstractButton *b : box->buttons()) {
                const QDialogButtonBox::ButtonRole role = box->buttonRole(b);
                (role == QDialogButtonBox::AcceptRole ? acceptButton : cancelButton) = b->text().remove(u'&');
            }
        }
        dialog->reject();
    }

    QTimer timer_;
};

} // namespace

// Qt's own file dialog, which the prompt opens wherever the desktop offers no
// dialog of its own (and always offscreen), reads in Russian once the
// program's language is installed.
TEST(WidgetPrompt, FileDialogsSpeakTheProgramsLanguage)
{
    struct TRow {
        const char *name;
        bool save;
        const char *title;   // the toolkit's own, for a dialog given none
        const char *accept;
    };
    const TRow rows[] = {
        {"save", true, "Сохранить как", "Сохранить"},
        {"open", false, "Открыть", "Открыть"},
    };
    const TLanguage language(QStringLiteral("ru"));
    ASSERT_TRUE(language.Missing().isEmpty()) << language.Missing().join(' ').toStdString();
    for (const TRow &r : rows) {
        TFileDialogOptions options;
        options.filter = QStringLiteral("Data files (*.dat)|*.dat|All files (*.*)|*.*");
        TWidgetPrompt prompt;
        TDialogReader reader;
        EXPECT_EQ(r.save ? prompt.SaveFileName(options) : prompt.OpenFileName(options), "") << r.name;
        EXPECT_EQ(reader.title.toStdString(), r.title) << r.name;
        EXPECT_EQ(reader.lookIn.toStdString(), "Перейти к:") << r.name;
        EXPECT_EQ(reader.newFolder.toStdString(), "Создать папку") << r.name;
        EXPECT_EQ(reader.fileName.toStdString(), "Имя файла:") << r.name;
        EXPECT_EQ(reader.fileType.toStdString(), "Типы файлов:") << r.name;
        EXPECT_EQ(reader.acceptButton.toStdString(), r.accept) << r.name;
        EXPECT_EQ(reader.cancelButton.toStdString(), "Отмена") << r.name;
    }
}

// A dialog opens in the folder the options give, with the name preset: a
// path in the name, or a bare name with the folder beside it.
TEST(WidgetPrompt, FileDialogsOpenWhereTheOptionsSay)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("pictures"));
    const QString pictures = dir.filePath("pictures");
    WriteBytes(dir.filePath("pictures/old.bmp"), "x");
    struct TRow {
        const char *name;
        QString directory, initialName;
        QString opensIn;
        const char *preset;
    };
    const TRow rows[] = {
        {"a path as the name", QString(), pictures + "/new.bmp", pictures, "new.bmp"},
        {"a bare name and its folder", pictures, "new.bmp", pictures, "new.bmp"},
        {"an existing file", pictures, "old.bmp", pictures, "old.bmp"},
        {"a folder only", pictures, QString(), pictures, ""},
    };
    for (const TRow &r : rows) {
        TFileDialogOptions options;
        options.filter = QStringLiteral("Windows Bitmaps (*.bmp)|*.bmp|All Files (*.*)|*.*");
        options.directory = r.directory;
        options.initialName = r.initialName;
        TWidgetPrompt prompt;
        TDialogReader reader;
        EXPECT_EQ(prompt.SaveFileName(options), "") << r.name;
        EXPECT_EQ(reader.directory, r.opensIn) << r.name;
        EXPECT_EQ(reader.typedName, r.preset) << r.name;
    }
}

// The toolkit's translation reaches its own dialogs only: the program's
// dialogs keep the button texts they all share.
TEST(WidgetPrompt, ProgramDialogsKeepTheirButtonTexts)
{
    const TLanguage language(QStringLiteral("ru"));
    TDlgCalcParam calcParam;
    TDlgScale scale;
    for (QDialog *dialog : std::initializer_list<QDialog *>{&calcParam, &scale}) {
        QStringList texts;
        for (const QAbstractButton *button : dialog->findChild<QDialogButtonBox *>()->buttons())
            texts << button->text();
        texts.sort();
        EXPECT_EQ(texts, QStringList({"Cancel", "OK"})) << dialog->windowTitle().toStdString();
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

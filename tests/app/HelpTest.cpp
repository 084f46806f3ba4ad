// "Справка": the manual in its own window, the commands' keys, and the About
// box's version.
#include "app/AboutForm.h"
#include "app/HelpWindow.h"
#include "tests/app/MainFormTestUtil.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

void WriteText(const QString &name, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(name).absolutePath());
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// A manual of two pages and a picture, as a build tree holds it, and a main
// window that looks for it from <root>/bin.
struct THelpFixture {
    QTemporaryDir dir;
    QTemporaryDir root;
    TRecordingPrompt prompt;
    TScriptedBoard board;
    std::unique_ptr<TMainForm> form;

    explicit THelpFixture(const QString &language = QStringLiteral("ru"), bool withManual = true)
    {
        const QString manual = root.filePath(QStringLiteral("share/varotem/manual/"));
        if (withManual) {
            for (const QString &lang : {QStringLiteral("ru"), QStringLiteral("en")}) {
                WriteText(manual + lang + QStringLiteral("/index.md"),
                          "# Manual " + lang.toUtf8() + "\n\nSee [the second page](second.md).\n\n![a picture](img/dot.png)\n");
                WriteText(manual + lang + QStringLiteral("/second.md"), "# Second page\n\nText.\n");
                QImage dot(3, 2, QImage::Format_RGB32);
                dot.fill(Qt::red);
                QDir().mkpath(manual + lang + QStringLiteral("/img"));
                dot.save(manual + lang + QStringLiteral("/img/dot.png"));
                QImage wide(2 * THelpBrowser::kPictureWidth, 100, QImage::Format_RGB32);
                wide.fill(Qt::blue);
                wide.save(manual + lang + QStringLiteral("/img/wide.png"));
            }
        }
        QDir().mkpath(root.filePath(QStringLiteral("bin")));
        TMainFormSetup setup = FormSetup(dir, board);
        setup.language = language;
        setup.manualFrom = root.filePath(QStringLiteral("bin"));
        form = std::make_unique<TMainForm>(setup);
    }
};

// Sends a key press through the window's shortcuts, as a key typed in the
// active main window reaches them.
bool PressShortcut(QWidget &window, QKeyCombination key)
{
    QKeyEvent overrideEvent(QEvent::ShortcutOverride, key.key(), key.keyboardModifiers());
    QApplication::sendEvent(&window, &overrideEvent);
    QKeyEvent press(QEvent::KeyPress, key.key(), key.keyboardModifiers());
    return QApplication::sendEvent(&window, &press);
}

} // namespace

TEST(Help, ShowsTheManualOfTheLanguageInAWindowThatIsReused)
{
    for (const char *language : {"ru", "en"}) {
        THelpFixture f{QString::fromLatin1(language)};
        f.prompt.messages.clear();  // the start's own
        f.form->Actions.ItemHelp->trigger();
        THelpWindow *help = f.form->HelpWindow;
        ASSERT_NE(help, nullptr);
        EXPECT_TRUE(help->isVisible());
        EXPECT_EQ(help->windowModality(), Qt::NonModal);
        EXPECT_TRUE(help->isWindow());
        EXPECT_TRUE(f.prompt.dialogsShown.isEmpty());
        EXPECT_TRUE(f.prompt.messages.isEmpty());
        // Markdown read as such: the heading's marks are gone.
        const QString text = help->Browser->toPlainText();
        EXPECT_TRUE(text.startsWith(QStringLiteral("Manual ") + QString::fromLatin1(language))) << text.toStdString();
        EXPECT_FALSE(text.contains(u'#'));
        // The picture is found beside the page (the browser hands over its file's bytes).
        const QVariant picture = help->Browser->loadResource(QTextDocument::ImageResource, QUrl("img/dot.png"));
        EXPECT_EQ(QImage::fromData(picture.toByteArray()).size(), QSize(3, 2));
        // One wider than the page comes scaled to its width, in proportion.
        const QVariant wide = help->Browser->loadResource(QTextDocument::ImageResource, QUrl("img/wide.png"));
        EXPECT_EQ(qvariant_cast<QImage>(wide).size(), QSize(THelpBrowser::kPictureWidth, 50));

        f.form->Actions.ItemHelp->trigger();
        EXPECT_EQ(f.form->findChildren<THelpWindow *>().size(), 1);
        f.form->Actions.ItemExit->trigger();
    }
}

// The link to another page opens it; "Назад" and "Содержание" come back.
TEST(Help, FollowsLinksBetweenPages)
{
    THelpFixture f;
    f.form->Actions.ItemHelp->trigger();
    THelpWindow &help = *f.form->HelpWindow;
    EXPECT_FALSE(help.BackButton->isEnabled());

    help.Browser->setFocus();
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(help.Browser, &tab);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(help.Browser, &enter);
    EXPECT_TRUE(help.Browser->source().path().endsWith(QStringLiteral("/ru/second.md")))
        << help.Browser->source().toString().toStdString();
    EXPECT_TRUE(help.Browser->toPlainText().startsWith(QStringLiteral("Second page")));
    EXPECT_TRUE(help.BackButton->isEnabled());

    help.BackButton->click();
    EXPECT_TRUE(help.Browser->toPlainText().startsWith(QStringLiteral("Manual ru")));
    EXPECT_TRUE(help.ForwardButton->isEnabled());
    help.ForwardButton->click();
    help.HomeButton->click();
    EXPECT_TRUE(help.Browser->source().path().endsWith(QStringLiteral("/ru/index.md")));
    f.form->Actions.ItemExit->trigger();
}

TEST(Help, MissingManualIsSaidNotShownBlank)
{
    THelpFixture f{QStringLiteral("ru"), false};
    f.prompt.messages.clear();  // the start's own
    f.form->Actions.ItemHelp->trigger();
    EXPECT_EQ(f.form->HelpWindow, nullptr);
    ASSERT_EQ(f.prompt.messages.size(), 1);
    EXPECT_TRUE(f.prompt.messages[0].startsWith(QStringLiteral("Руководство пользователя не найдено")));
    EXPECT_TRUE(f.prompt.messages[0].contains(QStringLiteral("share/varotem/manual/ru")));
    f.form->Actions.ItemExit->trigger();
}

// Each command's key, as the menus show it; the standard ones are this
// desktop's keys for opening, saving and quitting.
TEST(Help, CommandsCarryTheirKeys)
{
    THelpFixture f;
    TMainActions &a = f.form->Actions;
    const auto standard = [](QKeySequence::StandardKey key, QKeySequence fallback) {
        const QList<QKeySequence> keys = QKeySequence::keyBindings(key);
        return keys.isEmpty() ? fallback : keys.first();
    };
    const struct {
        QAction *action;
        QKeySequence key;
    } rows[] = {
        {a.ItemOpen, standard(QKeySequence::Open, QKeySequence(QStringLiteral("Ctrl+O")))},
        {a.ItemSave, standard(QKeySequence::Save, QKeySequence(QStringLiteral("Ctrl+S")))},
        {a.ItemExit, standard(QKeySequence::Quit, QKeySequence(QStringLiteral("Ctrl+Q")))},
        {a.ItemGo, QKeySequence(QStringLiteral("F5"))},
        {a.ItemStop, QKeySequence(QStringLiteral("Shift+F5"))},
        {a.ItemHelp, QKeySequence(QStringLiteral("F1"))},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(row.action->shortcut(), row.key) << row.action->text().toStdString();
        EXPECT_TRUE(row.action->isShortcutVisibleInContextMenu());
    }
    // No other command has a key, and no key is taken twice.
    QList<QKeySequence> taken;
    for (QAction *action : f.form->findChildren<QAction *>()) {
        for (const QKeySequence &key : action->shortcuts()) {
            if (key.isEmpty())
                continue;
            EXPECT_FALSE(taken.contains(key)) << key.toString().toStdString() << " " << action->objectName().toStdString();
            taken << key;
        }
    }
    EXPECT_EQ(taken.size(), std::size(rows));
    f.form->Actions.ItemExit->trigger();
}

// F1 typed in the main window opens the manual, F5 and Shift+F5 start and
// stop the recording.
TEST(Help, KeysReachTheirCommands)
{
    THelpFixture f;
    f.form->show();
    QApplication::setActiveWindow(f.form.get());
    QApplication::processEvents();
    PressShortcut(*f.form, Qt::Key_F1);
    ASSERT_NE(f.form->HelpWindow, nullptr);
    EXPECT_TRUE(f.form->HelpWindow->isVisible());

    QApplication::setActiveWindow(f.form.get());
    PressShortcut(*f.form, Qt::Key_F5);
    EXPECT_TRUE(f.form->Timer1->isActive());
    PressShortcut(*f.form, Qt::SHIFT | Qt::Key_F5);
    EXPECT_FALSE(f.form->Timer1->isActive());
    f.form->Actions.ItemExit->trigger();
}

TEST(About, NamesTheVersionTheProgramWasBuiltAs)
{
    TAboutDlg about;
    EXPECT_EQ(about.Version->text(), QStringLiteral("Версия " VAROTEM_TEST_PROJECT_VERSION));
}

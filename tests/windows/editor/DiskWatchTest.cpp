// An editor window's watch of its file: changes made while the window could
// not be told, and a file deleted and made again.
#include <unistd.h>

#include <QDialog>
#include <QFileSystemWatcher>
#include <QSignalSpy>

#include "mainwindow/Commands.h"
#include "support/ProgramFixture.h"
#include "windows/editor/Childwin.h"
#include "windows/editor/ScriptEdit.h"

namespace tessel {
namespace {

class DiskWatchTest : public ProgramFixture {
protected:
    void SetUp() override
    {
        WriteLanguageFiles();
        Start();
        path = dir.write("a.con", "one");
        OpenDocument(*form, path);
        QCoreApplication::processEvents();   // the wait window gives the focus back
        editor = Active<TfrmConEdit>();
        ASSERT_NE(editor, nullptr);
        watcher = editor->findChild<QFileSystemWatcher*>();
        ASSERT_NE(watcher, nullptr);
    }
    std::string Text() const { return editor->MainRichEdit()->Text(); }
    std::string ReadAgain() const { return path + " was changed by another program. Do you want to read it again?"; }

    std::string path;
    TfrmConEdit* editor = nullptr;
    QFileSystemWatcher* watcher = nullptr;
};

// As the Open dialog is: modal, in front of the main window.
TEST_F(DiskWatchTest, AChangeMadeWhileAModalDialogIsUpIsToldWhenItCloses)
{
    QDialog dialog(form.get());
    dialog.setModal(true);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &dialog; }));
    QSignalSpy changed(watcher, &QFileSystemWatcher::fileChanged);
    dir.write("a.con", "two");
    ASSERT_TRUE(changed.wait());
    QCoreApplication::processEvents();
    EXPECT_EQ(prompter.texts(), Lines{}) << "not told behind the dialog";

    prompter.answers = {MsgResult::Yes};
    dialog.accept();
    form->activateWindow();   // as the window manager gives the focus back
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == form.get(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(prompter.texts(), Lines{ReadAgain()});
    EXPECT_EQ(Text(), "two");
}

TEST_F(DiskWatchTest, AFileDeletedAndMadeAgainIsFollowedAtOnce)
{
    const auto told = [this](std::size_t count) {
        return QTest::qWaitFor([&] { return prompter.shown.size() >= count; });
    };
    QSignalSpy folderChanged(watcher, &QFileSystemWatcher::directoryChanged);
    ASSERT_EQ(::unlink(path.c_str()), 0);
    ASSERT_TRUE(told(1));

    prompter.answers = {MsgResult::Yes};
    dir.write("a.con", "again");
    ASSERT_TRUE(!folderChanged.isEmpty() || folderChanged.wait()) << "the folder is watched while the file is gone";
    ASSERT_TRUE(told(2));
    EXPECT_EQ(Text(), "again");
    EXPECT_EQ(watcher->files(), QStringList{ToQString(path)});

    // The new file is the one watched now.
    prompter.answers = {MsgResult::Yes};
    dir.write("a.con", "third");
    ASSERT_TRUE(told(3));
    EXPECT_EQ(Text(), "third");
    EXPECT_EQ(prompter.texts(),
              (Lines{path + " is no longer on disk; saving writes it anew.", ReadAgain(), ReadAgain()}));
}

} // namespace
} // namespace tessel

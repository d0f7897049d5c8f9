#include <QMimeData>
#include <QUrl>
#include <filesystem>

#include "support/ShellFixture.h"

namespace tessel {
namespace {

// Notes the archive it is handed at its first activation.
class FakeExplorer : public QWidget, public DocumentWindow {
public:
    void FormActivate() override
    {
        if (std::exchange(PendingAction, 0) == 3)
            opened.push_back(PendingFileName);
    }
    Lines opened;
};

class FileCommandsTest : public ShellFixture {
protected:
    void open(const std::string& name)   // Ctrl+O and the file dialog
    {
        prompter.files.push_back(name);
        press("Ctrl+O");
    }
};

TEST_F(FileCommandsTest, OpenSaveAndReopenWithEachAnswer)
{
    start();
    const std::string a = dir.file("a.con"), b = dir.file("b.con");
    open(a);
    press("Ctrl+S");   // a named window saves without a dialog
    open(b);
    EXPECT_EQ(captions(), (Lines{"VurAvozid - " + a, "VurAvozid - " + b}));
    EXPECT_EQ(documents()[0]->requests, (Lines{"load " + a, "save " + a}));
    EXPECT_EQ(prompter.texts(), (Lines{form->OpenDialog.filter, form->OpenDialog.filter}));
    const struct {
        const char* row;
        MsgResult answer;
        bool saveFails;
        Lines requests;
        Lines recent;
    } cases[] = {
        {"cancel leaves it in front", MsgResult::Cancel, false, {}, {b, a}},
        {"no reads it afresh", MsgResult::No, false, {"load " + a}, {a, b}},
        {"yes saves first", MsgResult::Yes, false, {"save " + a, "load " + a}, {a, b}},
        {"a failed save keeps the changes", MsgResult::Yes, true, {"save " + a}, {a, b}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        form->MdiArea()->setActiveSubWindow(form->MdiArea()->subWindowList()[1]);
        FakeDocument* doc = documents()[0];
        doc->requests.clear();
        doc->modified = true;
        doc->failSave = c.saveFails;
        prompter.clear();
        prompter.answers.push_back(c.answer);
        action(recentMenu()[0] == a ? "mnuFileRecent1" : "mnuFileRecent2")->trigger();
        EXPECT_EQ(active(), doc);
        EXPECT_EQ(prompter.shown.at(0).text, "Do you want to save this file before opening another file?");
        EXPECT_EQ(prompter.shown.at(0).caption, "Information");
        EXPECT_EQ(doc->requests, c.requests);
        EXPECT_EQ(recentMenu(), c.recent);
        EXPECT_FALSE(EditorRequests.LoadRequest || EditorRequests.SaveRequest);
    }
    EXPECT_EQ(documents().size(), 2u);
}

TEST_F(FileCommandsTest, NamesDifferingInCaseAreTwoFilesAndASixthPushesTheOldestOut)
{
    start();
    for (const char* name : {"/games/E1L1.CON", "/games/e1l1.con", "/g/3.con", "/g/4.con", "/g/5.con", "/g/6.con"})
        open(name);
    EXPECT_EQ(captions()[1], "VurAvozid - /games/e1l1.con");
    EXPECT_EQ(documents().size(), 6u);
    restart();
    EXPECT_EQ(recentMenu(), (Lines{"/g/6.con", "/g/5.con", "/g/4.con", "/g/3.con"}));
}

TEST_F(FileCommandsTest, SavingANewWindowAddsTheModesExtension)
{
    start();
    action("mnuEditVergeMode")->trigger();
    clickTool("ToolButton1");   // New
    ASSERT_EQ(captions(), Lines{"VurAvozid - Unnamed1"});
    prompter.clear();
    prompter.files.push_back(dir.file("test"));
    clickTool("ToolButton2");   // Save
    EXPECT_EQ(prompter.texts(), Lines{form->SaveDialog1.filter});
    EXPECT_EQ(documents()[0]->requests, Lines{"save " + dir.file("test.vc")});
    EXPECT_EQ(captions(), Lines{"VurAvozid - " + dir.file("test.vc")});
    action("FileCloseItem")->trigger();
    // The number follows the count of windows, so it can repeat.
    press("Ctrl+N");
    press("Ctrl+N");
    form->MdiArea()->subWindowList()[0]->close();
    press("Ctrl+N");
    EXPECT_EQ(captions(), (Lines{"VurAvozid - Unnamed2", "VurAvozid - Unnamed2"}));
}

TEST_F(FileCommandsTest, GroupFilesGoToAnExplorerByTheirOwnName)
{
    start();
    form->setExplorerFactory({});
    press("Ctrl+G");   // no explorer window to make: nothing is made
    EXPECT_TRUE(captions().empty());
    FakeExplorer* explorer = nullptr;
    form->setExplorerFactory([&](TMainForm&) { return explorer = new FakeExplorer; });
    const std::string archive = dir.file(".duke/duke3d.v1.5/DUKE3D.GRP"), script = dir.file("my.grp/city.con");
    open(archive);
    open(script);
    EXPECT_EQ(explorer->opened, Lines{archive});
    EXPECT_EQ(captions(), (Lines{"Tessel Group File Explorer - No File Loaded", "VurAvozid - " + script}));

    // An explorer takes no save: no dialog, nothing left for the next editor.
    form->MdiArea()->setActiveSubWindow(form->MdiArea()->subWindowList()[0]);
    prompter.clear();
    clickTool("ToolButton2");
    action("FileSaveAsItem")->trigger();
    form->MdiArea()->setActiveSubWindow(form->MdiArea()->subWindowList()[1]);
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(documents()[1]->requests, Lines{"load " + script});
}

TEST_F(FileCommandsTest, OpenReportsGoneDirectoriesAndRemembersItsFolderAcrossRuns)
{
    start();
    // The Duke launcher's field of the con directory; the Quake launcher is not there.
    struct FakeLauncher : GameLauncher {
        void btnRunClick() override {}
        QWidget& launcherWindow() override { return window; }
        void clearScriptDirectoryField() override { cleared = true; }
        QWidget window;
        bool cleared = false;
    } duke;
    form->launchers.duke = &duke;
    ConDir = dir.file("gone/");
    QCDir = dir.file("gone too/");
    std::filesystem::create_directories(dir.file("work"));
    open(dir.file("work/a.con"));
    EXPECT_EQ(prompter.texts(),
              (Lines{"Your main con directory does not exist, please choose a new one from the DukeNukem Options page.",
                     "Your main QC directory does not exist, please choose a new one from the Quake Options page.",
                     form->OpenDialog.filter}));
    EXPECT_TRUE(duke.cleared);
    EXPECT_EQ(ConDir, "");
    EXPECT_EQ(QCDir, "");

    restart();
    prompter.files = {std::nullopt, std::nullopt};
    press("Ctrl+O");
    EXPECT_EQ(form->OpenDialog.initialDir, dir.file("work/"));
    QCDir = dir.path();   // a mode's own folder comes first
    action("mnuEditQuakeMode")->trigger();
    press("Ctrl+O");
    EXPECT_EQ(form->OpenDialog.initialDir, dir.path());
}

TEST_F(FileCommandsTest, DroppedFilesOpenAsOpenWould)
{
    start();
    form->setExplorerFactory([](TMainForm&) { return new FakeExplorer; });
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(ToQString(dir.file("one.con"))), QUrl::fromLocalFile(ToQString(dir.file("two.grp")))});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &enter);
    QDropEvent drop(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &drop);
    EXPECT_TRUE(enter.isAccepted() && drop.isAccepted());
    QCoreApplication::processEvents();
    EXPECT_EQ(captions(), (Lines{"VurAvozid - " + dir.file("one.con"), "Tessel Group File Explorer - No File Loaded"}));
    EXPECT_EQ(recentMenu(), (Lines{dir.file("two.grp"), dir.file("one.con")}));
}

} // namespace
} // namespace tessel

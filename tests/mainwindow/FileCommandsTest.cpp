#include <QLineEdit>
#include <filesystem>

#include "support/ProgramFixture.h"

namespace tessel {
namespace {

// Notes the archive it is handed at its first activation.
class FakeExplorer : public QWidget, public DocumentWindow {
public:
    explicit FakeExplorer(std::string archive) : archive_(std::move(archive)) {}
    void FormActivate() override
    {
        if (!archive_.empty())
            opened.push_back(std::exchange(archive_, std::string()));
    }
    std::string FileName() const override { return std::string(); }
    Lines opened;

private:
    std::string archive_;
};

class FileCommandsTest : public ProgramFixture {};

TEST_F(FileCommandsTest, OpenSaveAndReopenWithEachAnswer)
{
    StartWithFakeEditors();
    const std::string a = dir.file("a.con"), b = dir.file("b.con");
    OpenFile(a);
    Press("Ctrl+S");   // a named window saves without a dialog
    OpenFile(b);
    EXPECT_EQ(Captions(), (Lines{"VurAvozid - " + a, "VurAvozid - " + b}));
    EXPECT_EQ(Documents()[0]->requests, (Lines{"load " + a, "save " + a}));
    EXPECT_EQ(prompter.texts(), (Lines{form->OpenDialog.filter, form->OpenDialog.filter}));
    const bool saves = false, fails = true;
    const struct { const char* row; MsgResult answer; bool saveFails; Lines requests, recent; } cases[] = {
        {"cancel leaves it in front", MsgResult::Cancel, saves, {}, {b, a}},
        {"no reads it afresh", MsgResult::No, saves, {"load " + a}, {a, b}},
        {"yes saves first", MsgResult::Yes, saves, {"save " + a, "load " + a}, {a, b}},
        {"a failed save keeps the changes", MsgResult::Yes, fails, {"save " + a}, {a, b}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        Area()->setActiveSubWindow(Area()->subWindowList()[1]);
        FakeDocument* doc = Documents()[0];
        doc->requests.clear();
        doc->buffer.SetModified(true);
        doc->failSave = c.saveFails;
        prompter.clear();
        prompter.answers.push_back(c.answer);
        Action(RecentMenu()[0] == a ? "mnuFileRecent1" : "mnuFileRecent2")->trigger();
        EXPECT_EQ(Active(), doc);
        EXPECT_EQ(prompter.shown.at(0).text, "Do you want to save this file before opening another file?");
        EXPECT_EQ(prompter.shown.at(0).caption, "Information");
        EXPECT_EQ(doc->requests, c.requests);
        EXPECT_EQ(RecentMenu(), c.recent);
    }
    EXPECT_EQ(Documents().size(), 2u);
}

// The second is no reopening of the first (the recent list's own rules:
// miscTest; the same file through a link is one window: StartDukeTest).
TEST_F(FileCommandsTest, NamesDifferingInCaseAreTwoFiles)
{
    StartWithFakeEditors();
    OpenFile("/games/E1L1.CON");
    OpenFile("/games/e1l1.con");
    EXPECT_EQ(Captions(), (Lines{"VurAvozid - /games/E1L1.CON", "VurAvozid - /games/e1l1.con"}));
}

TEST_F(FileCommandsTest, SavingANewWindowAddsTheModesExtension)
{
    StartWithFakeEditors();
    Action("mnuEditVergeMode")->trigger();
    ClickTool("ToolButton1");   // New
    ASSERT_EQ(Captions(), Lines{"VurAvozid - Unnamed1"});
    prompter.clear();
    prompter.files.push_back(dir.file("test"));
    ClickTool("ToolButton2");   // Save
    EXPECT_EQ(prompter.texts(), Lines{form->SaveDialog1.filter});
    EXPECT_EQ(Documents()[0]->requests, Lines{"save " + dir.file("test.vc")});
    EXPECT_EQ(Captions(), Lines{"VurAvozid - " + dir.file("test.vc")});
    Action("FileCloseItem")->trigger();
    // The number follows the count of windows, so it can repeat.
    Press("Ctrl+N");
    Press("Ctrl+N");
    Area()->subWindowList()[0]->close();
    Press("Ctrl+N");
    EXPECT_EQ(Captions(), (Lines{"VurAvozid - Unnamed2", "VurAvozid - Unnamed2"}));
}

TEST_F(FileCommandsTest, GroupFilesGoToAnExplorerByTheirOwnName)
{
    StartWithFakeEditors();
    form->Tools().newExplorer = {};
    Press("Ctrl+G");   // no explorer window to make: nothing is made
    EXPECT_TRUE(Captions().empty());
    FakeExplorer* explorer = nullptr;
    form->Tools().newExplorer = [&](const std::string& archive) { return explorer = new FakeExplorer(archive); };
    const std::string archive = dir.file(".duke/duke3d.v1.5/DUKE3D.GRP"), script = dir.file("my.grp/city.con");
    OpenFile(archive);
    OpenFile(script);
    EXPECT_EQ(explorer->opened, Lines{archive});
    EXPECT_EQ(Captions(), (Lines{"Tessel Group File Explorer - No File Loaded", "VurAvozid - " + script}));

    // An explorer takes no save: no dialog, nothing left for the next editor.
    Area()->setActiveSubWindow(Area()->subWindowList()[0]);
    prompter.clear();
    ClickTool("ToolButton2");
    Action("FileSaveAsItem")->trigger();
    Area()->setActiveSubWindow(Area()->subWindowList()[1]);
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(Documents()[1]->requests, Lines{"load " + script});
}

TEST_F(FileCommandsTest, OpenReportsGoneDirectoriesAndRemembersItsFolderAcrossRuns)
{
    StartWithFakeEditors();
    auto* conField = form->Tools().duke->LauncherWindow().findChild<QLineEdit*>("txtConFileDir");
    conField->setText(ToQString(dir.file("gone/")));
    state->launch.ConDir = dir.file("gone/");
    state->launch.QCDir = dir.file("gone too/");
    std::filesystem::create_directories(dir.file("work"));
    OpenFile(dir.file("work/a.con"));
    EXPECT_EQ(prompter.texts(),
              (Lines{"Your main con directory does not exist, please choose a new one from the DukeNukem Options page.",
                     "Your main QC directory does not exist, please choose a new one from the Quake Options page.",
                     form->OpenDialog.filter}));
    EXPECT_EQ(conField->text(), "");
    EXPECT_EQ(state->launch.ConDir, "");
    EXPECT_EQ(state->launch.QCDir, "");

    Restart();
    prompter.files = {std::nullopt, std::nullopt};
    Press("Ctrl+O");
    EXPECT_EQ(form->OpenDialog.initialDir, dir.file("work/"));
    state->launch.QCDir = dir.path();   // a mode's own folder comes first
    Action("mnuEditQuakeMode")->trigger();
    Press("Ctrl+O");
    EXPECT_EQ(form->OpenDialog.initialDir, dir.path());
}

} // namespace
} // namespace tessel

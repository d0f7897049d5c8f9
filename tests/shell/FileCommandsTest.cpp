#include <QMimeData>
#include <QUrl>
#include <filesystem>

#include "shell/DocumentNames.h"
#include "support/ShellFixture.h"

namespace tessel {
namespace {

// An explorer window: notes what it was handed when first activated.
class FakeExplorer : public QWidget, public DocumentWindow {
public:
    void FormActivate() override
    {
        if (PendingAction == 3)
            opened.push_back(PendingFileName);
        PendingAction = 0;
    }
    std::vector<std::string> opened;
};

class FileCommandsTest : public ShellFixture {
protected:
    // Opens through Ctrl+O and the file dialog.
    void open(const std::string& name)
    {
        prompter.files.push_back(name);
        press(QKeySequence("Ctrl+O"));
    }
    std::vector<std::string> requestsOf(int window) { return documents().at(window)->requests; }
    void triggerRecent(const std::string& name)
    {
        for (const char* entry : {"mnuFileRecent1", "mnuFileRecent2", "mnuFileRecent3", "mnuFileRecent4"})
            if (action(entry)->isVisible() && FromQString(action(entry)->text()) == name)
                return action(entry)->trigger();
        ADD_FAILURE() << "no recent entry " << name;
    }
    using Lines = std::vector<std::string>;
};

TEST_F(FileCommandsTest, OpenSaveAndReopenWithEachAnswer)
{
    start();
    const std::string a = dir.write("a.con", "actor\r\n");
    open(a);
    ASSERT_EQ(captions(), Lines{"VurAvozid - " + a});
    EXPECT_EQ(prompter.shown.at(0).kind, ScriptedPrompter::Kind::Open);
    EXPECT_EQ(prompter.shown.at(0).text, form->OpenDialog.filter);
    EXPECT_EQ(recentMenu(), Lines{a});
    press(QKeySequence("Ctrl+S"));   // a named window saves without asking
    EXPECT_EQ(requestsOf(0), (Lines{"load " + a, "save " + a}));

    const std::string b = dir.write("b.con", "");
    open(b);
    EXPECT_EQ(recentMenu(), (Lines{b, a}));
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
        form->MdiArea()->setActiveSubWindow(form->MdiArea()->subWindowList().at(1));
        FakeDocument* doc = documents().at(0);
        doc->requests.clear();
        doc->modified = true;
        doc->failSave = c.saveFails;
        prompter.clear();
        prompter.answers.push_back(c.answer);
        triggerRecent(a);
        EXPECT_EQ(active(), doc);
        EXPECT_EQ(prompter.texts().at(0), "Do you want to save this file before opening another file?");
        EXPECT_EQ(prompter.shown.at(0).caption, "Information");
        EXPECT_EQ(doc->requests, c.requests);
        EXPECT_EQ(recentMenu(), c.recent);
        EXPECT_EQ(documents().size(), 2u);
        EXPECT_FALSE(EditorRequests.LoadRequest || EditorRequests.SaveRequest);
    }
}

TEST_F(FileCommandsTest, NamesDifferingInCaseAreTwoFilesAndASixthPushesTheOldestOut)
{
    start();
    open("/games/E1L1.CON");
    open("/games/e1l1.con");
    EXPECT_EQ(captions(), (Lines{"VurAvozid - /games/E1L1.CON", "VurAvozid - /games/e1l1.con"}));
    EXPECT_EQ(recentMenu(), (Lines{"/games/e1l1.con", "/games/E1L1.CON"}));
    for (const char* name : {"/g/3.con", "/g/4.con", "/g/5.con", "/g/6.con"})
        open(name);
    EXPECT_EQ(recentMenu(), (Lines{"/g/6.con", "/g/5.con", "/g/4.con", "/g/3.con"}));
    prompter.answers.push_back(MsgResult::No);
    action("mnuFileRecent3")->trigger();   // open already: read afresh and moved to the front
    EXPECT_EQ(recentMenu(), (Lines{"/g/4.con", "/g/6.con", "/g/5.con", "/g/3.con"}));
    EXPECT_EQ(documents().size(), 6u);
    form.reset();
    EXPECT_EQ(dir.read("QztMain.ini"), "[Tessel]\r\nLastFolder=/g/\r\n[ProgStartup]\r\nGameUp=1\r\n[RecentFiles]\r\n"
                                       "Recent1=/g/4.con\r\nRecent2=/g/6.con\r\nRecent3=/g/5.con\r\nRecent4=/g/3.con\r\n");
}

TEST_F(FileCommandsTest, SavingANewWindowAddsTheModesExtension)
{
    start();
    const struct {
        const char* row;
        const char* modeEntry;
        std::string chosen;
        std::string saved;
    } cases[] = {
        {"Duke", "mnuEditDukeMode", dir.file("test"), dir.file("test.con")},
        {"Quake", "mnuEditQuakeMode", dir.file("test"), dir.file("test.qc")},
        {"Verge", "mnuEditVergeMode", dir.file("test"), dir.file("test.vc")},
        {"own extension", "mnuEditQuakeMode", dir.file("test.txt"), dir.file("test.txt")},
        {"dotted folder", "mnuEditQuakeMode", dir.file("a.b/test"), dir.file("a.b/test.qc")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        action(c.modeEntry)->trigger();
        clickTool("ToolButton1");   // New
        ASSERT_EQ(captions(), Lines{"VurAvozid - Unnamed1"});
        prompter.clear();
        prompter.files.push_back(c.chosen);
        clickTool("ToolButton2");   // Save
        EXPECT_EQ(prompter.shown.at(0).kind, ScriptedPrompter::Kind::Save);
        EXPECT_EQ(prompter.shown.at(0).text, form->SaveDialog1.filter);
        EXPECT_EQ(documents().at(0)->requests, Lines{"save " + c.saved});
        EXPECT_EQ(captions(), Lines{"VurAvozid - " + c.saved});
        action("FileCloseItem")->trigger();
    }
    // The number follows the count of windows, so it can repeat.
    press(QKeySequence("Ctrl+N"));
    press(QKeySequence("Ctrl+N"));
    form->MdiArea()->subWindowList().at(0)->close();
    press(QKeySequence("Ctrl+N"));
    EXPECT_EQ(captions(), (Lines{"VurAvozid - Unnamed2", "VurAvozid - Unnamed2"}));
    prompter.files.push_back(std::nullopt);
    action("FileSaveAsItem")->trigger();   // cancelled: nothing changes
    EXPECT_TRUE(active()->requests.empty());
    EXPECT_EQ(recentMenu(), Lines{});
}

TEST_F(FileCommandsTest, GroupFilesGoToAnExplorerByTheirOwnName)
{
    start();
    press(QKeySequence("Ctrl+G"));   // no explorer window yet: nothing is made
    EXPECT_TRUE(form->MdiArea()->subWindowList().isEmpty());
    std::vector<FakeExplorer*> explorers;
    form->setExplorerFactory([&](TMainForm&) {
        explorers.push_back(new FakeExplorer);
        return explorers.back();
    });
    const std::string archive = dir.file(".duke/duke3d.v1.5/DUKE3D.GRP");
    const std::string script = dir.file("my.grp/city.con");
    open(archive);
    open(script);
    ASSERT_EQ(explorers.size(), 1u);
    EXPECT_EQ(explorers[0]->opened, Lines{archive});
    EXPECT_EQ(captions(), (Lines{"(not an editor)", "VurAvozid - " + script}));
    EXPECT_EQ(explorers[0]->windowTitle(), NewExplorerCaption);
    EXPECT_EQ(recentMenu(), (Lines{script, archive}));

    // An explorer takes no save: no dialog, nothing left for the next editor.
    form->MdiArea()->setActiveSubWindow(form->MdiArea()->subWindowList().at(0));
    prompter.clear();
    clickTool("ToolButton2");
    action("FileSaveAsItem")->trigger();
    EXPECT_TRUE(prompter.shown.empty());
    form->MdiArea()->setActiveSubWindow(form->MdiArea()->subWindowList().at(1));
    EXPECT_EQ(documents().at(1)->requests, Lines{"load " + script});

    PendingFileName = archive;
    press(QKeySequence("Ctrl+G"));
    EXPECT_EQ(explorers.size(), 2u);
    EXPECT_TRUE(explorers[1]->opened.empty());
}

TEST_F(FileCommandsTest, OpenReportsGoneDirectoriesAndStartsInTheModesFolder)
{
    start();
    int cleared = 0;
    form->launcherFields.clearConFileDir = [&] { cleared += 1; };
    form->launcherFields.clearQCFileDir = [&] { cleared += 10; };
    ConDir = dir.file("gone/");
    QCDir = dir.file("gone too/");
    prompter.files.push_back(std::nullopt);
    action("FileOpenItem")->trigger();
    EXPECT_EQ(prompter.texts(),
              (Lines{"Your main con directory does not exist, please choose a new one from the DukeNukem Options page.",
                     "Your main QC directory does not exist, please choose a new one from the Quake Options page.",
                     form->OpenDialog.filter}));
    EXPECT_EQ(cleared, 11);
    EXPECT_TRUE(ConDir.empty() && QCDir.empty());

    std::filesystem::create_directories(dir.file("con"));
    std::filesystem::create_directories(dir.file("qc"));
    ConDir = dir.file("con/");
    QCDir = dir.file("qc/");
    action("mnuEditQuakeMode")->trigger();
    prompter.files.push_back(std::nullopt);
    action("FileOpenItem")->trigger();
    EXPECT_EQ(form->OpenDialog.initialDir, QCDir);
}

TEST_F(FileCommandsTest, DialogsStartWhereTheLastOneEndedAcrossRuns)
{
    start();
    std::filesystem::create_directories(dir.file("work"));
    open(dir.file("work/a.con"));
    restart();
    prompter.files.push_back(std::nullopt);
    press(QKeySequence("Ctrl+O"));
    EXPECT_EQ(form->OpenDialog.initialDir, dir.file("work/"));
    press(QKeySequence("Ctrl+N"));
    prompter.files.push_back(std::nullopt);
    action("FileSaveItem")->trigger();
    EXPECT_EQ(form->SaveDialog1.initialDir, dir.file("work/"));
    EXPECT_NE(dir.read("QztMain.ini").find("[Tessel]\r\nLastFolder=" + dir.file("work/") + "\r\n"), std::string::npos);
}

TEST_F(FileCommandsTest, DroppedFilesOpenAsOpenWould)
{
    start();
    auto* data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(ToQString(dir.file("one.con"))),
                   QUrl::fromLocalFile(ToQString(dir.file("two.qzt")))});
    const QPoint at = form->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    QCoreApplication::processEvents();
    EXPECT_EQ(captions(), (Lines{"VurAvozid - " + dir.file("one.con"), "VurAvozid - " + dir.file("two.qzt")}));
    EXPECT_EQ(recentMenu(), (Lines{dir.file("two.qzt"), dir.file("one.con")}));
    delete data;
}

} // namespace
} // namespace tessel

#include <sys/inotify.h>
#include <unistd.h>

#include <QDockWidget>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <algorithm>
#include <fstream>

#include "support/ProgramFixture.h"

namespace tessel {
namespace {

class ReleaseCounter : public QWidget {
public:
    using QWidget::QWidget;
    int releases = 0;

protected:
    void mouseReleaseEvent(QMouseEvent*) override { ++releases; }
};

class MainTest : public ProgramFixture {
protected:
    void SetUp() override { WriteLanguageFiles("{actor,3}\r\n", "{void,1}\r\n{float,3}\r\n", "{int,3}\r\n"); }

    QString wizardCaption() { return Control<QLabel>("lblWizard")->text(); }
    // Which of the Duke, Quake and Verge menus show, as "DQV" with '-' for hidden.
    std::string gameMenus()
    {
        std::string s;
        for (const char* m : {"mnuDuke", "mnuQuake", "mnuVerge"})
            s += Control<QMenu>(m)->menuAction()->isVisible() ? m[3] : '-';
        return s;
    }
};

TEST_F(MainTest, ExitWritesEveryWindowsSettingsInOneReplacement)
{
    Start("; mine\r\n[DukeStartup]\r\nNoMon=1\r\n");
    Action("mnuEditQuakeMode")->trigger();
    // Each replacement renames a finished file onto the settings file.
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ::inotify_add_watch(watch, dir.path().c_str(), IN_MOVED_TO | IN_CLOSE_WRITE);
    Action("FileExitItem")->trigger();   // written as the window closes, not again as it goes
    EXPECT_FALSE(form->isVisible());
    form.reset();
    int replacements = 0;
    alignas(inotify_event) char events[4096];
    for (ssize_t n; (n = ::read(watch, events, sizeof events)) > 0;)
        for (ssize_t at = 0; at < n;) {
            const auto* e = reinterpret_cast<const inotify_event*>(events + at);
            replacements += e->len > 0 && std::string(e->name) == "QztMain.ini";
            at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
        }
    ::close(watch);
    EXPECT_EQ(replacements, 1);
    const std::string ini = dir.read("QztMain.ini");
    for (const char* kept : {"; mine\r\n[DukeStartup]\r\n", "NoMon=1\r\n", "[QuakeStartup]\r\n",
                             "[QuakeDirectorys]\r\nProgsDir=\r\n", "[ProgStartup]\r\nGameUp=2\r\n"})
        EXPECT_NE(ini.find(kept), std::string::npos) << kept;
}

TEST_F(MainTest, StoredModeSelectsCaptionMenuFiltersAndKeywords)
{
    // No mode (7): every game menu, the first caption, no keywords.
    const struct { const char *stored, *caption, *menus, *keyword; } cases[] = {
        {"2", "QC Wizard", "-Q-", "void"}, {"abc", "Con Wizard", "D--", "actor"}, {"3", "VC Wizard", "--V", "int"},
        {"7", "Con Wizard", "DQV", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        form.reset();
        StartBare(std::string("[ProgStartup]\r\nGameUp=") + c.stored + "\r\n");
        EXPECT_EQ(wizardCaption(), c.caption);
        EXPECT_EQ(gameMenus(), c.menus);
        EXPECT_EQ(state->language.KeywordTable.empty() ? "" : state->language.KeywordTable.front().Keyword, c.keyword);
    }
    EXPECT_EQ(form->SaveDialog1.filter, "Con Files (*.con)|*.con|Function File (*.qcf)|*.qcf");   // the start-up one
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(MainTest, ShippedDataFilesAndDefaultsWithoutASettingsFile)
{
    for (const char* name : {"CNFcs.qcf", "QCFcs.qcf", "VGFcs.qcf", "cnfcs.ccf"}) {
        std::ifstream in(std::string(TESSEL_SOURCE_DIR) + "/data/" + name, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        // CR LF throughout, as the games' own tools write text.
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), std::count(bytes.begin(), bytes.end(), '\n'));
        dir.write(name, bytes);
    }
    StartBare();
    EXPECT_EQ(state->session.GameMode, 1);
    EXPECT_TRUE(state->editor.AutoIndent);
    EXPECT_EQ(state->language.KeywordTable.size(), 108u);
    EXPECT_EQ(Control<QListWidget>("MainConWiz")->count(), 108);
    EXPECT_EQ(Control<QListWidget>("MovConWiz")->item(1)->text(), "actor");
    Action("mnuEditQuakeMode")->trigger();
    Action("mnuEditVergeMode")->trigger();
    EXPECT_EQ(state->language.KeywordTable.size(), 206u);
    EXPECT_TRUE(prompter.shown.empty());
    Exit();
    EXPECT_EQ(dir.read("QztMain.ini"), "[ProgStartup]\r\nGameUp=3\r\n");
}

TEST_F(MainTest, RecentListStopsAtTheFirstEmptySlot)
{
    StartBare("[RecentFiles]\r\nRecent1=/m/a.con\r\nRecent2=\r\nRecent3=/m/c.con\r\n"
          "[GroupFileExplorer]\r\nTreeListEnable=1\r\n");
    EXPECT_EQ(state->session.RecentList, (std::vector<std::string>{"/m/a.con", "", "", ""}));
    EXPECT_TRUE(state->explorer.TreeListDisabled);
    EXPECT_EQ(RecentMenu(), Lines{"/m/a.con"});
    EXPECT_TRUE(Action("mnuFileSep2")->isVisible());
    state->session.RecentList = {"/m/new.con", "/m/a.con", "", ""};
    Exit();
    // Recent3 stays: the list only shifts, so only hand edits leave such keys.
    EXPECT_EQ(dir.read("QztMain.ini"), "[RecentFiles]\r\nRecent1=/m/new.con\r\nRecent2=/m/a.con\r\nRecent3=/m/c.con\r\n"
                                       "[GroupFileExplorer]\r\nTreeListEnable=1\r\n[ProgStartup]\r\nGameUp=1\r\n");
}

// A settings file far larger than any real one is told at start, its
// defaults stand, and it is never written, not at exit either.
TEST_F(MainTest, ASettingsFileTooLargeIsToldAndLeftAsItIs)
{
    const std::string head = "[ProgStartup]\r\nGameUp=2\r\n[RecentFiles]\r\nRecent1=/m/a.con\r\n;";
    const std::string ini = head + std::string(MaxProfileFileSize + 1 - head.size(), 'x');
    Start(ini);
    EXPECT_EQ(state->session.GameMode, 1);
    EXPECT_EQ(state->session.RecentList[0], "");
    Exit();
    const std::string refusal = "The settings file " + dir.file("QztMain.ini") +
                                " is larger than 16 MiB, more than any settings file holds: it is neither read nor "
                                "written.";
    EXPECT_EQ(prompter.texts(), (Lines{refusal + " Tessel starts with its default settings.", refusal}));
    EXPECT_TRUE(dir.read("QztMain.ini") == ini);
}

TEST_F(MainTest, LanguageFileFailuresAreReportedAndStartUpGoesOn)
{
    ::unlink(dir.file("cnfcs.ccf").c_str());
    dir.write("QCFcs.qcf", "{void,1}\r\n{float,x}\r\n{entity,3}\r\n");
    StartBare("[ProgStartup]\r\nGameUp=2\r\n");
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{
                                    "'x' is not a valid integer value",
                                    "Cannot find file: \"" + dir.path() +
                                        "cnfcs.ccf\". Without this file the con wizard will not work."}));
    EXPECT_EQ(prompter.shown[0].kind, ScriptedPrompter::Kind::Error);
    EXPECT_EQ(state->language.KeywordTable.size(), 1u);
    EXPECT_EQ(form->SaveDialog1.filter, "QuakeC Files (*.qc)|*.qc");   // the mode switch went on
    EXPECT_EQ(form->OpenDialog.filter, "Qzt Files (*.qzt)|*.qzt|QuakeC Files (*.qc)|*.qc|Function File (*.qcf)|*.qcf");
    EXPECT_EQ(Control<QListWidget>("MainConWiz")->count(), 0);
}

TEST_F(MainTest, TheWizardPaneStartsAtItsDesignWidthAndWidens)
{
    StartBare();
    auto* pane = Control<QDockWidget>("ControlBar1");
    EXPECT_EQ(pane->width(), 125);
    form->resizeDocks({pane}, {300}, Qt::Horizontal);   // what a drag of the splitter does
    QCoreApplication::processEvents();
    EXPECT_EQ(pane->width(), 300);
    EXPECT_GT(Control<QListWidget>("MainConWiz")->width(), 250);
}

TEST_F(MainTest, EditorCommandsWaitForAnEditorWindow)
{
    StartBare();
    EXPECT_EQ(form->windowTitle(), "Tessel / Launcher");
    EXPECT_TRUE(form->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(form->StatusText(0), "Ready");
    EXPECT_EQ(form->StatusText(2), "Line: 0 ; Column: 0");
    // One of each kind in the group: menu entries, tool buttons, the wizard pane's controls; Undo stays enabled.
    const char* const group[] = {"FileSaveItem", "ToolButton2", "mnuDukeTstCon", "tlbtnFind", "MainConWiz",
                                 "btnParameters", "mnuEditUndo", "mnuEditBlkDeIndent"};
    for (const bool on : {false, true}) {   // at the start, then as an editor's activation does
        if (on)
            form->SetEditorCommandsEnabled(true);
        for (const char* name : group)
            EXPECT_EQ(form->findChild<QObject*>(name)->property("enabled").toBool(), on || name == group[6]) << name;
    }
}

// A right-button release anywhere activates the current document again; the
// release still reaches its own widget, so context menus keep working.
TEST_F(MainTest, ARightClickActivatesTheDocumentAgain)
{
    fakeEditors = true;
    Start();
    Press("Ctrl+N");
    int activations = 0;
    Active()->onActivate = [&] { ++activations; };
    auto* inside = new ReleaseCounter(Active());
    inside->resize(20, 20);
    inside->show();
    QTest::mouseClick(inside, Qt::RightButton);
    QTest::mouseClick(inside, Qt::LeftButton);
    EXPECT_EQ(activations, 1);
    EXPECT_EQ(inside->releases, 2);
}

TEST_F(MainTest, BarTogglesMarkTheirEntries)
{
    StartBare();
    Action("HideUpperToolbar1")->trigger();
    Action("mnuHideMainTool")->trigger();
    EXPECT_TRUE(Control("ToolBar2")->isHidden());
    Action("HideUpperToolbar1")->trigger();
    EXPECT_FALSE(Control("ToolBar2")->isHidden());
    EXPECT_FALSE(Action("HideUpperToolbar1")->isChecked());
    EXPECT_TRUE(Action("mnuHideMainTool")->isChecked());
    Action("LeftToolBar1")->trigger();
    EXPECT_TRUE(Control("ControlBar1")->isHidden());
}

} // namespace
} // namespace tessel

#include "shell/Main.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <memory>

#include "shell/DocumentWindow.h"
#include "shell/Globals.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace tessel {
namespace {

// A document window that records what the main window asks of it.
class FakeDocument : public QWidget, public DocumentWindow {
public:
    void FormActivate() override
    {
        ++activations;
        if (EditorRequests.RightClickRequest)
            ++rightClicks;
        EditorRequests.RightClickRequest = false;
    }
    bool FormCloseQuery() override { return mayClose; }
    int activations = 0;
    int rightClicks = 0;
    int releases = 0;
    bool mayClose = true;

protected:
    void mouseReleaseEvent(QMouseEvent*) override { ++releases; }
};

class MainTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetGlobals();
        dir.write("CNFcs.qcf", "{actor,3}\r\n");
        dir.write("QCFcs.qcf", "{void,1}\r\n{float,3}\r\n");
        dir.write("VGFcs.qcf", "{int,3}\r\n");
        dir.write("cnfcs.ccf", "# wizard\r\n/actor;<tile>\\\r\n/ifrnd;<chance>\\\r\n");
    }
    void TearDown() override { ResetGlobals(); }

    void start() { form = std::make_unique<TMainForm>(dir.path()); }
    // Leaves the program as a user does: File, Exit; then the window is destroyed.
    void exitByMenu()
    {
        action("FileExitItem")->trigger();
        EXPECT_FALSE(form->isVisible());
        form.reset();
    }
    QAction* action(const char* name) { return form->findChild<QAction*>(name); }
    template <class T> T* control(const char* name) { return form->findChild<T*>(name); }
    bool menuShown(const char* name) { return control<QMenu>(name)->menuAction()->isVisible(); }

    TempDir dir;
    ScriptedPrompter prompter;
    std::unique_ptr<TMainForm> form;
};

TEST_F(MainTest, ExitKeepsEveryOtherByteOfTheSettingsFile)
{
    const std::string ini = "; Tessel settings\r\n\r\n[ProgStartup]\r\nGameUp=7\r\n\r\n"
                            "[Unknown Section]\r\nfoo = bar \r\n# not a comment for us\r\n";
    dir.write("QztMain.ini", ini);
    start();
    // No mode: all three game menus, the first caption and the start-up filters.
    EXPECT_EQ(GameMode, 7);
    EXPECT_TRUE(menuShown("mnuDuke") && menuShown("mnuQuake") && menuShown("mnuVerge"));
    EXPECT_EQ(control<QLabel>("lblWizard")->text(), "Con Wizard");
    EXPECT_TRUE(KeywordTable.empty());
    EXPECT_EQ(form->OpenDialog.filter,
              "Qzt Files (*.qzt)|*.qzt|Con Files (*.con)|*.con|Function File (*.qcf)|*.qcf|GRP File (*.grp)|*.grp");
    EXPECT_EQ(form->SaveDialog1.filter, "Con Files (*.con)|*.con|Function File (*.qcf)|*.qcf");
    form->show();
    exitByMenu();
    EXPECT_EQ(dir.read("QztMain.ini"), ini);
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(MainTest, StoredModeSelectsCaptionMenuFiltersAndKeywords)
{
    const std::pair<const char*, int> cases[] = {{"2", 2}, {"0x2", 2}, {"abc", 1}, {"3", 3}};
    for (const auto& [stored, mode] : cases) {
        SCOPED_TRACE(stored);
        dir.write("QztMain.ini", std::string("[ProgStartup]\r\nGameUp=") + stored + "\r\n");
        start();
        EXPECT_EQ(GameMode, mode);
        EXPECT_EQ(control<QLabel>("lblWizard")->text(), mode == 1 ? "Con Wizard" : mode == 2 ? "QC Wizard" : "VC Wizard");
        EXPECT_EQ(menuShown("mnuDuke"), mode == 1);
        EXPECT_EQ(menuShown("mnuQuake"), mode == 2);
        EXPECT_EQ(menuShown("mnuVerge"), mode == 3);
        EXPECT_EQ(KeywordTable.front().Keyword, mode == 1 ? "actor" : mode == 2 ? "void" : "int");
        if (mode == 2) {
            EXPECT_EQ(form->OpenDialog.filter,
                      "Qzt Files (*.qzt)|*.qzt|QuakeC Files (*.qc)|*.qc|Function File (*.qcf)|*.qcf");
            EXPECT_EQ(form->SaveDialog1.filter, "QuakeC Files (*.qc)|*.qc");
        }
        form.reset();
    }
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(MainTest, MissingSettingsFileGivesDefaultsAndIsCreatedAtExit)
{
    start();
    EXPECT_EQ(GameMode, 1);
    EXPECT_FALSE(TreeListDisabled);
    EXPECT_TRUE(AutoIndent);
    EXPECT_EQ(control<QListWidget>("MainConWiz")->count(), 2);
    EXPECT_EQ(control<QListWidget>("MovConWiz")->count(), 2);
    EXPECT_EQ(control<QListWidget>("MainConWiz")->item(1)->text(), "ifrnd");
    form.reset();
    EXPECT_EQ(dir.read("QztMain.ini"), "[ProgStartup]\r\nGameUp=1\r\n");
}

TEST_F(MainTest, RecentListStopsAtTheFirstEmptySlot)
{
    dir.write("QztMain.ini", "[RecentFiles]\r\nRecent1=/m/a.con\r\nRecent2=\r\nRecent3=/m/c.con\r\n"
                             "[GroupFileExplorer]\r\nTreeListEnable=1\r\n");
    start();
    EXPECT_EQ(RecentList, (std::vector<std::string>{"/m/a.con", "", "", ""}));
    EXPECT_TRUE(TreeListDisabled);
    EXPECT_TRUE(action("mnuFileRecent1")->isVisible());
    EXPECT_EQ(action("mnuFileRecent1")->text(), "/m/a.con");
    EXPECT_FALSE(action("mnuFileRecent2")->isVisible());
    EXPECT_TRUE(action("mnuFileSep2")->isVisible());

    RecentList = {"/m/new.con", "/m/a.con", "", ""};
    form.reset();
    // Recent3 is not removed: slots only shift, and only hand edits leave such keys.
    EXPECT_EQ(dir.read("QztMain.ini"), "[RecentFiles]\r\nRecent1=/m/new.con\r\nRecent2=/m/a.con\r\n"
                                       "Recent3=/m/c.con\r\n[GroupFileExplorer]\r\nTreeListEnable=1\r\n"
                                       "[ProgStartup]\r\nGameUp=1\r\n");
}

TEST_F(MainTest, MissingLanguageFilesAreReportedAndStartUpGoesOn)
{
    ::unlink(dir.file("CNFcs.qcf").c_str());
    ::unlink(dir.file("cnfcs.ccf").c_str());
    NoColoring = true;
    start();
    EXPECT_EQ(prompter.texts(),
              (std::vector<std::string>{
                  "Cannot find file: \"" + dir.path() + "CNFcs.qcf\". Without this file color coating for the "
                                                        "given game will not work.",
                  "Cannot find file: \"" + dir.path() + "cnfcs.ccf\". Without this file the con wizard will not work."}));
    EXPECT_EQ(prompter.shown[0].caption, "Information");
    EXPECT_FALSE(NoColoring);
    EXPECT_EQ(control<QListWidget>("MainConWiz")->count(), 0);
}

TEST_F(MainTest, AColourThatIsNoNumberEndsTheLoadButNotTheModeSwitch)
{
    dir.write("QCFcs.qcf", "{void,1}\r\n{float,x}\r\n{entity,3}\r\n");
    dir.write("QztMain.ini", "[ProgStartup]\r\nGameUp=2\r\n");
    start();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].kind, ScriptedPrompter::Kind::Error);
    EXPECT_EQ(prompter.shown[0].text, "'x' is not a valid integer value");
    ASSERT_EQ(KeywordTable.size(), 1u);
    EXPECT_EQ(form->SaveDialog1.filter, "QuakeC Files (*.qc)|*.qc");
    EXPECT_EQ(control<QListWidget>("MainConWiz")->count(), 2);
}

TEST_F(MainTest, ChangingModeRestoresDocumentsAndReplacesTheKeywords)
{
    start();
    auto* doc = new FakeDocument;
    QMdiSubWindow* sub = form->AddDocument(doc);
    sub->showMaximized();
    form->show();
    action("mnuEditVergeMode")->trigger();
    EXPECT_FALSE(sub->isMaximized());
    EXPECT_EQ(GameMode, 3);
    EXPECT_EQ(control<QLabel>("lblWizard")->text(), "VC Wizard");
    EXPECT_TRUE(menuShown("mnuVerge") && !menuShown("mnuDuke") && !menuShown("mnuQuake"));
    EXPECT_EQ(KeywordTable.size(), 1u);
    EXPECT_EQ(KeywordTable[0].Keyword, "int");
    form.reset();
    EXPECT_NE(dir.read("QztMain.ini").find("GameUp=3"), std::string::npos);
}

TEST_F(MainTest, WindowFrameAsDescribed)
{
    start();
    EXPECT_EQ(form->windowTitle(), "Tessel / Launcher");
    EXPECT_TRUE(form->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(form->StatusText(0), "Ready");
    EXPECT_EQ(form->StatusText(1), "");
    EXPECT_EQ(form->StatusText(2), "Line: 0 ; Column: 0");
    EXPECT_EQ(form->StatusText(3), "");
    EXPECT_EQ(control<QPushButton>("btnWizInsert")->text(), "&Insert");
    EXPECT_EQ(control<QPushButton>("btnParameters")->text(), "&Parameters");
    EXPECT_FALSE(control<QListWidget>("MovConWiz")->isVisibleTo(form.get()));

    struct Item {
        const char* name;
        const char* caption;
        const char* shortcut;
        bool enabled;
    };
    const Item items[] = {
        {"FileNewItem", "New &Con File", "Ctrl+N", true},      {"FileNewGrpItem", "New &GRP Edit", "Ctrl+G", true},
        {"FileOpenItem", "&Open...", "Ctrl+O", true},          {"FileSaveItem", "&Save", "Ctrl+S", false},
        {"FileSaveAsItem", "Save &As...", "", false},          {"FileExitItem", "E&xit", "", true},
        {"mnuEditUndo", "&Undo", "Ctrl+Z", true},              {"mnuEditSearch", "&Search...", "F4", false},
        {"mnuEditRepeatSearch", "R&epeat Search", "F3", false}, {"mnuEditReplace", "&Replace...", "Ctrl+R", false},
        {"mnuEditRepeatRep", "Re&peat Replace", "F2", false},  {"mnuEditGotoLine", "&Goto Line", "F5", false},
        {"mnuEditSelAll", "Se&lect All", "Ctrl+A", false},     {"mnuEditBlockIndent", "Block &Indent", "Ctrl+I", false},
        {"mnuEditBlkDeIndent", "Block &DeIndent", "Ctrl+Alt+I", false},
        {"mnuViewRecolor", "&Recolor Coat Selected Text", "Ctrl+E", false},
        {"mnuDukeTstCon", "Test con file for errors", "", false},
        {"mnuQuakeCompile", "&Compile QuakeC Files", "F9", false},
        {"mnuHelpConFaq", "View ConFAQ...", "F8", true},
    };
    for (const Item& item : items) {
        QAction* a = action(item.name);
        ASSERT_NE(a, nullptr) << item.name;
        EXPECT_EQ(a->text(), item.caption);
        EXPECT_EQ(a->shortcut(), QKeySequence(item.shortcut)) << item.name;
        EXPECT_EQ(a->isEnabled(), item.enabled) << item.name;
    }
    for (const QString& name : TMainForm::EditorCommandNames())
        EXPECT_NE(form->Control(name), nullptr) << name.toStdString();
}

TEST_F(MainTest, EditorCommandGroupFollowsEditorsAndLaunchers)
{
    start();
    form->SetEditorCommandsEnabled(true);
    EXPECT_TRUE(action("tlbtnFind")->isEnabled());
    EXPECT_TRUE(control<QListWidget>("MainConWiz")->isEnabled());
    form->DisableEditorCommandsForLauncher();
    EXPECT_FALSE(action("FileSaveItem")->isEnabled());
    EXPECT_FALSE(control<QPushButton>("btnParameters")->isEnabled());
    EXPECT_TRUE(action("mnuEditGotoLine")->isEnabled());
    EXPECT_TRUE(action("mnuEditBlkDeIndent")->isEnabled());
}

TEST_F(MainTest, RightClickRefreshesTheActiveDocumentAndStillReachesItsWidget)
{
    start();
    form->show();
    auto* doc = new FakeDocument;
    form->AddDocument(doc);
    QCoreApplication::processEvents();
    const int before = doc->activations;
    QTest::mouseClick(doc, Qt::RightButton);
    EXPECT_EQ(doc->activations, before + 1);
    EXPECT_EQ(doc->rightClicks, 1);
    EXPECT_EQ(doc->releases, 1);
    QTest::mouseClick(doc, Qt::LeftButton);
    EXPECT_EQ(doc->rightClicks, 1);
}

TEST_F(MainTest, RequestsWithoutADocumentAreDropped)
{
    start();
    EditorRequests.SaveRequest = true;
    EditorRequests.GotoLineRequest = 3;
    form->PostEditorRequest();
    EXPECT_FALSE(EditorRequests.SaveRequest);
    EXPECT_EQ(EditorRequests.GotoLineRequest, -1);
}

TEST_F(MainTest, ADocumentThatRefusesToCloseKeepsTheProgramRunning)
{
    start();
    form->show();
    auto* doc = new FakeDocument;
    doc->mayClose = false;
    form->AddDocument(doc);
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    doc->mayClose = true;
    EXPECT_TRUE(form->close());
}

TEST_F(MainTest, BarTogglesMarkTheirEntries)
{
    start();
    form->show();
    auto* toolBar2 = control<QToolBar>("ToolBar2");
    action("HideUpperToolbar1")->trigger();
    action("mnuHideMainTool")->trigger();
    EXPECT_TRUE(toolBar2->isHidden());
    EXPECT_TRUE(action("HideUpperToolbar1")->isChecked() && action("mnuHideMainTool")->isChecked());
    action("HideUpperToolbar1")->trigger();
    EXPECT_FALSE(toolBar2->isHidden());
    EXPECT_FALSE(action("HideUpperToolbar1")->isChecked());
    EXPECT_TRUE(action("mnuHideMainTool")->isChecked());

    action("LeftToolBar1")->trigger();
    EXPECT_TRUE(control<QWidget>("ControlBar1")->isHidden());
    action("LeftToolBar1")->trigger();
    EXPECT_FALSE(control<QWidget>("ControlBar1")->isHidden());
}

} // namespace
} // namespace tessel

#include "windows/launch/StartDuke.h"

#include <QComboBox>
#include <QGroupBox>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <fstream>

#include "mainwindow/MessagesPane.h"
#include "mainwindow/ProgramRuns.h"
#include "windows/launch/LauncherWindows.h"

namespace tessel {
namespace {

using namespace test;

class StartDukeTest : public LauncherWindowsTest {
protected:
    StartDukeTest()
    {
        MakeFolders(dir.path(), {"game", "con", "maps", "build"});
        exe = FakeProgram(dir.file("game/DUKE3D.EXE"));
    }
    // The settings file of a user who has chosen the game folder, and more.
    std::string withGame(const std::string& more = std::string()) const
    {
        return "[Directorys]\r\nDuke3DDir=" + game + "\r\n" + more;
    }
    QSpinBox* spin(const char* name) { return control<QSpinBox>(duke, name); }

    const std::string game = dir.file("game/");
    std::string exe;
};

// The controls reach the game's command line (the working folder is the
// launch commands' test's), and outlive a restart.
TEST_F(StartDukeTest, RunStartsTheGameWithTheSwitchesOfTheControlsAndTheyOutliveARestart)
{
    start(withGame());
    dir.write("game/test.map", "");
    prompter.files = {dir.file("game/test.map")};
    click(duke, "btnUserBrowse");
    click(duke, "chkNoMon");
    click(duke, "chkFakeMulti");
    spin("spnNumFakePlayers")->setValue(4);
    spin("SpinEpisode")->setValue(2);
    spin("SpinMap")->setValue(5);
    click(duke, "rdiRock");
    const Strings switches = {"-map", "test.map", "/m", "/q4", "/v2", "/l5", "/s2"};
    run(duke);
    EXPECT_EQ(WaitForStart(exe).arguments, switches);
    EXPECT_EQ(Messages(prompter), Strings{"Select File: Duke3D Maps (*.map)|*.map"});

    restart();
    ::unlink((exe + ".run").c_str());
    run(duke);
    EXPECT_EQ(WaitForStart(exe).arguments, switches);
    EXPECT_EQ(spin("SpinMap")->maximum(), 11);
    click(duke, "chkLaunchReg");
    restart();
    EXPECT_FALSE(enabled(duke, "SpinMap"));   // the switch was kept, and its rule ran
}

// An engine chosen by Browse: the game's data alone makes a Duke folder then,
// and what it prints (EDuke32's con file errors) lands in the Messages pane.
TEST_F(StartDukeTest, AnEngineChosenByBrowseRunsWithItsSwitchesAndItsMessagesInThePane)
{
    MakeFolders(dir.path(), {"data", "ports"});
    dir.write("data/duke3d.grp", "");
    const std::string data = dir.file("data/"), engine = FakeProgram(dir.file("ports/eduke32"));
    std::ofstream(engine, std::ios::app) << "echo 'GAME.CON:7: error: unknown command'\n";
    start();
    auto* engines = control<QComboBox>(duke, "cmbEngine");
    EXPECT_EQ(engines->currentText(), "Duke3D.exe (in the game folder)");
    prompter.files = {engine};
    click(duke, "btnEngineBrowse");
    chooser.answers = {dir.file("data")};
    click(duke, "btnDukeDir");
    ASSERT_TRUE(enabled(duke, "btnRun"));
    run(duke);
    EXPECT_EQ(WaitForStart(engine).arguments, (Strings{"-v1", "-l1", "-s3", "-j", data, "-nosetup"}));
    QTRY_VERIFY_WITH_TIMEOUT(form->Runs().Running().empty(), 20000);
    const std::vector<MessageEntry>& entries = Control<TMessagesPane>("MessagesPane")->Entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].path, data + "GAME.CON");
    EXPECT_EQ(entries[0].line, 7);
    EXPECT_EQ(Messages(prompter), Strings{"Select File: All Files (*)|*|Executables (*.exe)|*.exe"});
    click(duke, "btnEngineClear");   // Duke3D.exe again
    EXPECT_EQ(engines->currentIndex(), 0);
    EXPECT_EQ(engines->count(), 1);
}

// A failed copy stops the launch before the user map is looked at; once the
// copy succeeds, the missing user map is forgotten.
TEST_F(StartDukeTest, ConFilesAreCopiedFirstAndAMissingUserMapIsForgotten)
{
    const std::string user = dir.write("game/User.con", "user");   // copied onto itself: refused
    dir.write("con/Game.con", "edited");
    dir.write("game/GAME.CON", "old");
    const std::string gone = dir.file("maps/gone.map");
    start(withGame("ConDir=" + game + "\r\n[DukeStartup]\r\nCopy=1\r\nUserMap=" + gone + "\r\n"));
    run(duke);
    EXPECT_EQ(Messages(prompter), Strings{"Error box: Cannot create file " + user});
    EXPECT_EQ(text(duke, "txtUserMap"), gone);
    chooser.answers = {dir.file("con")};
    click(duke, "btnConDir");
    run(duke);
    EXPECT_EQ(WaitForStart(exe).arguments, (Strings{"/v1", "/l1", "/s3"}));
    EXPECT_EQ(dir.read("game/GAME.CON"), "edited");
    EXPECT_EQ(text(duke, "txtUserMap"), "");
}

TEST_F(StartDukeTest, CreationEnablesTheGameItemsByTheDirectories)
{
    enum { Launch = 1, Build = 2, Copy = 4 };   // the items enabled
    const struct { const char* name; std::string ini; int enabled; } cases[] = {
        {"nothing chosen", "", 0},
        {"the game folder", withGame(), Launch},
        {"the con and Build folders", "[Directorys]\r\nConDir=" + dir.file("con/") + "\r\nBuildDir=/b/\r\n",
         Build | Copy},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startAfresh(c.ini);
        const bool launch = c.enabled & Launch, copy = c.enabled & Copy;
        EXPECT_EQ(enabled(duke, "btnRun"), launch);
        EXPECT_EQ(action(Cmd::DukeLaunch)->isEnabled(), launch);
        EXPECT_EQ(action(Cmd::ToolLaunchDuke)->isEnabled(), launch);
        EXPECT_EQ(action(Cmd::DukeBuild)->isEnabled(), bool(c.enabled & Build));
        EXPECT_EQ(enabled(duke, "chkCopy"), copy);
        EXPECT_EQ(enabled(duke, "Label10"), copy);
    }
}

TEST_F(StartDukeTest, ChangeRulesOfTheControls)
{
    start(withGame());
    // The spin edits follow the episode's map limit.
    spin("SpinMap")->setValue(9);
    EXPECT_EQ(spin("SpinMap")->value(), 6);
    spin("SpinEpisode")->setValue(2);
    EXPECT_EQ(spin("SpinMap")->maximum(), 11);

    const char* const followers[] = {"chkFakeMulti", "chkNoMon", "rdiCake", "rdiRock", "rdiGetSome", "rdiDGood",
                                     "SpinEpisode", "SpinMap", "txtUserMap", "btnUserBrowse", "btnUserClear",
                                     "chkRecord", "spnNumFakePlayers", "chkAutoCopy"};
    for (const bool checked : {true, false}) {
        click(duke, "chkLaunchReg");
        for (const char* name : followers) {
            SCOPED_TRACE(name);
            EXPECT_EQ(enabled(duke, name), !checked);
        }
    }

    // chkUseTC is enabled exactly while there is a program to start.
    EXPECT_FALSE(enabled(duke, "chkUseTC"));
    click(duke, "chkLaunchReg");
    prompter.files = {dir.file("maps/tc.bat")};
    click(duke, "btnTCBrowse");
    EXPECT_EQ(text(duke, "txtTCApp"), dir.file("maps/tc.bat"));
    EXPECT_TRUE(enabled(duke, "chkUseTC"));
    click(duke, "btnTCClear");
    EXPECT_EQ(text(duke, "txtTCApp"), "");
    EXPECT_FALSE(enabled(duke, "chkUseTC"));
}

TEST_F(StartDukeTest, GameConOpensFirstThenTheCommandLineFilesAsOpenOpensThem)
{
    dir.write("con/GAME.CON", "");
    const std::string notes = dir.write("maps/notes.txt", "");
    commandLineFiles = {notes};
    start("[Directorys]\r\nConDir=" + dir.file("con/") + "\r\n[DukeStartup]\r\nLoadGameCon=1\r\n");
    const std::string game = dir.file("con/GAME.CON");
    EXPECT_EQ(Captions(), (Strings{"VurAvozid - " + game, "VurAvozid - " + notes}));
    // Game.con named on the command line too, through a link: one window for the one file.
    ASSERT_EQ(::symlink(dir.file("con/GAME.CON").c_str(), dir.file("maps/game.con").c_str()), 0);
    commandLineFiles = {dir.file("maps/game.con")};
    restart();
    EXPECT_EQ(Captions(), Strings{"VurAvozid - " + game});
}

TEST_F(StartDukeTest, TheChosenDukeDirectoryMustHoldTheGame)
{
    dir.write("maps/duke3d.grp", "");   // the data alone: no Duke folder without an engine
    start();
    chooser.answers = {dir.file("maps"), dir.file("game")};
    click(duke, "btnDukeDir");
    EXPECT_EQ(text(duke, "txtDuke3dDir"), "");
    EXPECT_FALSE(enabled(duke, "btnRun"));

    click(duke, "btnDukeDir");
    EXPECT_EQ(text(duke, "txtDuke3dDir"), game);
    EXPECT_TRUE(enabled(duke, "btnRun"));

    // A con folder enables the copy; a removed one is emptied by its Browse button, even when cancelled.
    chooser.answers = {dir.file("con"), std::nullopt, dir.file("build")};
    click(duke, "btnConDir");
    EXPECT_TRUE(enabled(duke, "chkCopy") && enabled(duke, "Label10"));
    ::rmdir(dir.file("con").c_str());
    click(duke, "btnConDir");
    EXPECT_EQ(text(duke, "txtConFileDir"), "");
    click(duke, "btnBuildBrowse");
    EXPECT_EQ(text(duke, "txtBuildDir"), dir.file("build/"));
    EXPECT_FALSE(action(Cmd::DukeBuild)->isEnabled());   // it follows BuildDir only at creation
}

TEST_F(StartDukeTest, EachLauncherHoldsItsControlsWholeAndItsTabsShowTheirPages)
{
    start();
    const struct { const char* name; QWidget* dialog; const char* caption, *afterMultiPlayerTab; } cases[] = {
        {"Duke", duke, "Duke Launcher / Options", "MultiPlayer"},
        {"Quake: no page change", quake, "Quake Launcher / Options", "SinglePlayer"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.dialog->windowTitle(), c.caption);
        EXPECT_TRUE(c.dialog->width() >= 587 && c.dialog->height() >= 367);
        for (QGroupBox* group : c.dialog->findChildren<QGroupBox*>()) {
            SCOPED_TRACE(FromQString(group->title()));
            EXPECT_GE(group->width(), group->minimumSizeHint().width());
            EXPECT_GE(group->height(), group->minimumSizeHint().height());
        }
        control<QTabBar>(c.dialog, "MainTabs")->setCurrentIndex(1);
        EXPECT_EQ(control<QStackedWidget>(c.dialog, "MainNoteBook")->currentWidget()->objectName(), "Options");
        control<QTabBar>(c.dialog, "LauncherTabs")->setCurrentIndex(1);
        EXPECT_EQ(control<QStackedWidget>(c.dialog, "LaunchNote")->currentWidget()->objectName(),
                  c.afterMultiPlayerTab);
    }
}

} // namespace
} // namespace tessel

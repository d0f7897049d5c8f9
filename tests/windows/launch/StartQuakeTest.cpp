#include "windows/launch/StartQuake.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

#include "windows/launch/LauncherWindows.h"

namespace tessel {
namespace {

using namespace test;

class StartQuakeTest : public LauncherWindowsTest {
protected:
    StartQuakeTest()
    {
        MakeFolders(dir.path(), {"quake", "quake/mytc", "progs", "qc", "tools"});
        exe = FakeProgram(dir.file("quake/QUAKE.EXE"));
    }
    std::string withQuake(const std::string& more = std::string()) const
    {
        return "[QuakeDirectorys]\r\nQuakeDir=" + quake_ + "\r\n" + more;
    }
    QComboBox* list(const char* name) { return control<QComboBox>(quake, name); }

    const std::string quake_ = dir.file("quake/");
    std::string exe;
};

TEST_F(StartQuakeTest, ProgsDatIsCopiedIntoTheChosenTcFolder)
{
    dir.write("progs/progs.dat", "compiled");
    start(withQuake());
    EXPECT_FALSE(enabled(quake, "chkCopy"));
    chooser.answers = {dir.file("progs"), dir.file("quake/mytc")};
    click(quake, "btnProgsBrowse");
    click(quake, "btnSpefTC");
    EXPECT_TRUE(enabled(quake, "chkCopy") && enabled(quake, "Label10"));
    click(quake, "chkCopy");
    run(quake);
    EXPECT_EQ(WaitForStart(exe).arguments, (Strings{"+skill", "2", "+map", "start"}));
    EXPECT_EQ(dir.read("quake/mytc/progs.dat"), "compiled");

    // The target folder gone: asked (the question is QuakeLaunchTest's), forgotten, and No stops the launch.
    ::unlink(dir.file("quake/mytc/progs.dat").c_str());
    ::rmdir(dir.file("quake/mytc").c_str());
    ::unlink((exe + ".run").c_str());
    prompter.answers = {MsgResult::No};
    run(quake);
    EXPECT_TRUE(prompter.answers.empty());
    EXPECT_EQ(text(quake, "txtSpefTC"), "");
    EXPECT_FALSE(enabled(quake, "chkCopy") || enabled(quake, "Label10"));
    EXPECT_FALSE(FileExists(exe + ".run"));
}

TEST_F(StartQuakeTest, CreationEnablesTheQuakeItemsBySettings)
{
    enum { Launch = 1, MapEditor = 2, Compile = 4 };   // the items enabled
    const struct { const char* name; std::string ini; int enabled; } cases[] = {
        {"the Quake folder", withQuake(), Launch},
        {"the programs", "[QuakeDirectorys]\r\nMainQMapEdProg=/e/qe.exe\r\nMainQCToolDir=qcc.exe\r\n",
         MapEditor | Compile},
        {"nothing chosen", "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startAfresh(c.ini);
        const bool launch = c.enabled & Launch;
        EXPECT_EQ(enabled(quake, "btnRun"), launch);
        EXPECT_EQ(action(Cmd::QuakeLaunch)->isEnabled(), launch);
        EXPECT_EQ(action(Cmd::ToolLaunchQuake)->isEnabled(), launch);
        EXPECT_EQ(action(Cmd::QuakeMapEditor)->isEnabled(), bool(c.enabled & MapEditor));
        EXPECT_EQ(action(Cmd::QuakeCompile)->isEnabled(), bool(c.enabled & Compile));
    }
    // Choosing the programs enables their items; of the tool only its name is kept.
    prompter.files = {dir.file("tools/qe.exe"), dir.file("qc/fastqcc.exe")};
    click(quake, "btnMapEdBrowse");
    click(quake, "btnCompileTls");
    EXPECT_EQ(text(quake, "txtQCComp"), "fastqcc.exe");
    EXPECT_TRUE(action(Cmd::QuakeMapEditor)->isEnabled() && action(Cmd::QuakeCompile)->isEnabled());
}

TEST_F(StartQuakeTest, StartRegularlyDisablesItsControlsAndClearingItEnablesTheTcSwitch)
{
    start();
    EXPECT_FALSE(enabled(quake, "chkUseTC"));   // no TC directory
    const char* const followers[] = {"rdiEasy",    "rdiMedium",     "rdiHard",      "rdiNightMare", "cmbLevel",
                                     "txtUserMap", "btnUserBrowse", "btnUserClear", "chkRecord",    "chkUseTC"};
    for (const bool checked : {true, false}) {
        click(quake, "chkLaunchReg");
        for (const char* name : followers) {
            SCOPED_TRACE(name);
            EXPECT_EQ(enabled(quake, name), !checked);
        }
    }
}

// The controls reach Quake's command line (the working folder is the launch
// commands' test's), and outlive a restart.
TEST_F(StartQuakeTest, RunStartsQuakeWithTheSwitchesOfTheControlsAndTheyOutliveARestart)
{
    start(withQuake("[QuakeStartup]\r\nCheckUseAltExe=1\r\ncmbAltExeVal=2\r\n"));
    EXPECT_TRUE(enabled(quake, "cmbAltExe"));
    click(quake, "chkUseAltExe");   // the box follows its switch
    EXPECT_FALSE(enabled(quake, "cmbAltExe"));
    // A TC folder inside the Quake folder, Easy, e1m3.
    chooser.answers = {dir.file("quake/mytc"), dir.file("progs")};
    click(quake, "btnTCBrowse");
    click(quake, "chkUseTC");
    click(quake, "rdiEasy");
    list("cmbLevel")->setCurrentIndex(3);
    run(quake);
    EXPECT_EQ(WaitForStart(exe).arguments, (Strings{"-game", "mytc", "+skill", "0", "+map", "e1m3"}));
    EXPECT_EQ(Messages(prompter), Strings{});

    click(quake, "chkRecord");
    list("cmbAltExe")->setCurrentIndex(1);
    click(quake, "btnProgsBrowse");
    EXPECT_EQ(list("cmbEngine")->itemText(0), "Quake.exe (in the game folder)");
    prompter.files = {dir.file("tools/myquake")};
    click(quake, "btnEngineBrowse");
    restart();
    EXPECT_EQ(FromQString(list("cmbEngine")->currentText()), dir.file("tools/myquake"));
    EXPECT_TRUE(control<QRadioButton>(quake, "rdiEasy")->isChecked());
    EXPECT_TRUE(control<QCheckBox>(quake, "chkUseTC")->isChecked() &&
                control<QCheckBox>(quake, "chkRecord")->isChecked());
    EXPECT_EQ(list("cmbLevel")->currentText(), "e1m3: The Necropolis");
    EXPECT_EQ(list("cmbAltExe")->currentText(), "Q95");
    EXPECT_TRUE(enabled(quake, "chkCopy"));   // a progs.dat folder is known
}

} // namespace
} // namespace tessel

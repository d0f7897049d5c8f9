// The main window's Duke, Quake and Verge commands and its launch buttons.
#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "support/ProcessRun.h"
#include "windows/launch/LauncherWindows.h"

namespace tessel {
namespace {

using namespace test;
using namespace std::string_literals;

// A DOS program of our own, assembled by hand: it writes the command tail DOS
// gave it (PSP 80h: its length, then the text) to TAIL.TXT in its current
// folder, through a temporary name, so that the file is whole once it has its name.
std::string TailRecorder()
{
    return MzExecutable("\x0E\x1F"                                    // push cs; pop ds
                        "\xB4\x3C\x31\xC9\xBA\x33\x00\xCD\x21"          // create T.TMP
                        "\x89\xC3\x06\x1F"                            // bx = the handle; ds = the PSP
                        "\x8A\x0E\x80\x00\x30\xED\xBA\x81\x00"          // cx = [80h]; dx = 81h
                        "\xB4\x40\xCD\x21\xB4\x3E\xCD\x21"                // write, close
                        "\x0E\x1F\x0E\x07\xBA\x33\x00\xBF\x39\x00"      // ds = es = cs
                        "\xB4\x56\xCD\x21\xB8\x00\x4C\xCD\x21"          // rename to TAIL.TXT; exit
                        "T.TMP\0TAIL.TXT\0"s);
}

class LaunchCommandsTest : public LauncherWindowsTest {
protected:
    LaunchCommandsTest() { MakeFolders(dir.path(), {"game", "quake", "build", "qc", "tools", "mymod"}); }
    std::string settings() const
    {
        return "[Directorys]\r\nDuke3DDir=" + dir.file("game/") + "\r\nBuildDir=" + dir.file("build/") +
               "\r\n[QuakeDirectorys]\r\nQuakeDir=" + dir.file("quake/") + "\r\nQCDir=" + dir.file("qc/") +
               "\r\nMainQMapEdProg=" + dir.file("tools/qe.exe") + "\r\nMainQCToolDir=fastqcc.exe\r\n";
    }
};

TEST_F(LaunchCommandsTest, EachCommandStartsItsProgramInItsFolder)
{
    const struct { const char* name; Cmd command; std::string program, folder; Strings arguments; } cases[] = {
        {"Launch Duke3D", Cmd::DukeLaunch, "game/Duke3D.exe", "game", {"/v1", "/l1", "/s3"}},
        {"tlLaunchDuke", Cmd::ToolLaunchDuke, "game/Duke3D.exe", "game", {"/v1", "/l1", "/s3"}},
        {"Launch Quake", Cmd::QuakeLaunch, "quake/Quake.exe", "quake", {"+skill", "2", "+map", "start"}},
        {"Launch Build", Cmd::DukeBuild, "build/BUILD.EXE", "build", {}},
        {"Launch Map Editing Program", Cmd::QuakeMapEditor, "tools/qe.exe", "tools", {}},
    };
    for (const auto& c : cases)
        FakeProgram(dir.file(c.program));
    start(settings());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(action(c.command)->isEnabled());
        action(c.command)->trigger();
        const StartRecord started = WaitForStart(dir.file(c.program));
        EXPECT_TRUE(SameFile(started.folder, dir.file(c.folder)));
        EXPECT_EQ(started.arguments, c.arguments);
        ::unlink((dir.file(c.program) + ".run").c_str());
    }
    EXPECT_FALSE(duke->isVisible() || quake->isVisible());
    EXPECT_EQ(Messages(prompter), Strings{});
}

// Started in mymod with a relative name, and a launch that changes the
// process's folder: the save still goes to mymod. The keys typed first after
// start-up (the splash disables the window meanwhile) go to the script.
TEST_F(LaunchCommandsTest, ARelativeNameKeepsItsFolderAcrossALaunch)
{
    fakeEditors = false;
    FakeProgram(dir.file("game/Duke3D.exe"));
    dir.write("game/GAME.CON", "the game's own");
    dir.write("mymod/GAME.CON", "mine");
    const std::string before = CurrentDirectory();
    EnterFolder(dir.file("mymod"));
    commandLineFiles = {"GAME.CON"};
    start(settings());
    form->setEnabled(false);
    form->setEnabled(true);
    QTest::keyClicks(QApplication::focusWidget(), "new ");
    action(Cmd::DukeLaunch)->trigger();
    WaitForStart(dir.file("game/Duke3D.exe"));
    EnterFolder(dir.file("game"));   // as a launch that changes folders leaves it
    Press("Ctrl+S");
    EnterFolder(before);
    EXPECT_EQ(dir.read("mymod/GAME.CON"), "new mine");
    EXPECT_EQ(dir.read("game/GAME.CON"), "the game's own");
}

// The ways a launch that goes wrong is told; each plan's own messages are in
// the launch logic's tests.
TEST_F(LaunchCommandsTest, LaunchProblemsAreToldAsEachCommandTellsThem)
{
    const std::string build = dir.write("build/BUILD.EXE", MzExecutable("\xC3"));
    const std::string runner = dir.write("tools/dosbox", "#!/bin/sh\nexit 1\n");
    ::chmod(runner.c_str(), 0755);
    start(settings() + "[Tessel]\r\nDosProgram=" + runner + " -conf my.conf\r\n");
    form->SetStatusText(0, "Ready");
    action(Cmd::QuakeLaunch)->trigger();   // refused by its plan: a message
    EXPECT_EQ(Messages(prompter), Strings{"Tessel: Fatal Error: Could not find Quake.exe. Aborting launch..."});
    EXPECT_EQ(form->StatusText(0), "Ready");
    prompter.clear();
    action(Cmd::DukeLaunch)->trigger();   // nothing there to start: only the status text
    EXPECT_EQ(Messages(prompter), Strings{});
    EXPECT_EQ(FromQString(form->StatusText(0)), "Could not start " + dir.file("game/Duke3D.exe"));
    // A DOS runner that ends at once with a failure: told in the status bar once known.
    action(Cmd::DukeBuild)->trigger();
    EXPECT_EQ(FromQString(form->StatusText(0)), "Started " + build + " in " + runner);
    const std::string ended = build + " ended at once: " + runner + " ended with exit status 1";
    EXPECT_TRUE(QTest::qWaitFor([&] { return FromQString(form->StatusText(0)) == ended; }, 20000))
        << FromQString(form->StatusText(0));
    EXPECT_EQ(Messages(prompter), Strings{});

    // The compile tool waits for an answer while the current script is unsaved.
    const std::string tool = FakeProgram(dir.file("qc/fastqcc.exe"));
    form->NewEditorWindow("VurAvozid - a.qc");
    Active()->buffer.SetModified(true);
    prompter.answers = {MsgResult::No};
    action(Cmd::QuakeCompile)->trigger();
    EXPECT_EQ(Messages(prompter), Strings{"Confirm (Yes/No): Some files have not been saved yet, continue?"});
    EXPECT_FALSE(FileExists(tool + ".run"));
}

// Real DOSBox, named by the settings file (it is on no PATH here) and given,
// through env, no screen or sound and a home and a configuration of the test's
// own; what counts is the command tail the DOS program receives, in the
// deepest folder DOSBox 0.74 mounts (238 bytes; one byte deeper it would
// abort, which the launch refuses beforehand).
TEST_F(LaunchCommandsTest, DosProgramsGetTheirParametersThroughDosBox)
{
    const std::string dosbox = FindProgram("dosbox"), env = FindProgram("env");
    if (dosbox.empty())
        GTEST_SKIP() << "dosbox is not installed";
    TempDir home;
    const std::string conf = home.write("dosbox.conf", "[mixer]\nnosound=true\n");
    std::string deep = "game";
    while (dir.file(deep).size() < 238)
        deep += "/" + std::string(std::min<std::size_t>(100, 238 - dir.file(deep).size() - 1), 'g');
    ASSERT_TRUE(std::filesystem::create_directories(dir.file(deep)));
    ASSERT_EQ(dir.file(deep).size(), 238u);
    const std::string program = dir.write(deep + "/DUKE3D.EXE", TailRecorder());
    start("[Directorys]\r\nDuke3DDir=" + dir.file(deep + "/") + "\r\n[Tessel]\r\nDosProgram=" + env + " HOME=" +
          home.path() + " XDG_CONFIG_HOME=" + home.path() + " SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy " + dosbox +
          " -conf " + conf + "\r\n");
    const std::string path = std::getenv("PATH");
    ::setenv("PATH", home.path().c_str(), 1);
    action(Cmd::DukeLaunch)->trigger();
    ::setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(FromQString(form->StatusText(0)), "Started " + program + " in " + env);
    EXPECT_EQ(WaitForFile(dir.file(deep + "/TAIL.TXT")), " /v1 /l1 /s3");
    EXPECT_EQ(Messages(prompter), Strings{});
}

// What the two launcher dialogs share is seen on the Duke one.
TEST_F(LaunchCommandsTest, TheLauncherButtonsShowTheDialogsAndClosingOnlyHidesThem)
{
    start();
    action(Cmd::ToolQuakeDialog)->trigger();
    EXPECT_TRUE(quake->isVisible());
    form->SetEditorCommandsEnabled(true);
    form->SetStatusText(1, "Modified");
    action(Cmd::ToolDukeDialog)->trigger();
    EXPECT_TRUE(duke->isVisible());
    QApplication::setActiveWindow(duke);   // as the window system does when it takes the focus
    // Its activation leaves only go-to-line and the block indents of the editor commands.
    EXPECT_FALSE(action(Cmd::EditSearch)->isEnabled() || action(Cmd::DukeTestCon)->isEnabled() ||
                 action(Cmd::QuakeTestQC)->isEnabled());
    EXPECT_TRUE(action(Cmd::EditGotoLine)->isEnabled() && action(Cmd::EditBlockDeIndent)->isEnabled());
    EXPECT_EQ(form->StatusText(0), "Ready");
    EXPECT_EQ(form->StatusText(1), "");

    duke->showMinimized();
    action(Cmd::ToolDukeDialog)->trigger();
    EXPECT_FALSE(duke->isMinimized());
    EXPECT_FALSE(duke->close());
    EXPECT_FALSE(duke->isVisible());
}

TEST_F(LaunchCommandsTest, TheQuakeBraceTestGoesToTheEditorAndVergeHasNothingToStart)
{
    start();
    form->NewEditorWindow("VurAvozid - a.qc");
    form->SetEditorCommandsEnabled(true);   // as an editor window's activation does
    action(Cmd::QuakeTestQC)->trigger();
    EXPECT_EQ(prompter.texts(), Strings{"No errors were found in the Con File."});
    for (const Cmd verge : {Cmd::VergeLaunch, Cmd::VergeMapEditor, Cmd::VergeCompile})
        EXPECT_FALSE(action(verge)->isEnabled());
}

} // namespace
} // namespace tessel

#include "launch/GameLaunch.h"

#include <cstdlib>
#include <functional>

#include "launch/DukeLaunch.h"
#include "launch/LaunchTestSupport.h"
#include "launch/QuakeLaunch.h"
#include "support/NonRegular.h"

namespace tessel {
namespace {

using namespace test;

class GameLaunchTest : public LaunchFixture {
protected:
    GameLaunchTest()
    {
        MakeFolders(dir.path(), {"game", "con"});
        program = FakeProgram(dir.file("game/GAME.EXE"));
    }
    // Copies a.con to b.con, then b.con on to c.con: only in this order does c.con get a.con's bytes.
    GameLaunch chained()
    {
        dir.write("con/a.con", "first");
        GameLaunch launch;
        launch.folder = dir.file("game/");
        launch.copies = {{dir.file("con/a.con"), dir.file("game/b.con")},
                         {dir.file("game/b.con"), dir.file("game/c.con")}};
        launch.start = true;
        launch.program = program;
        launch.parameters = "-map \"a b.map\" /v1 ";
        launch.workingDir = dir.file("con/");
        return launch;
    }

    std::string program;
};

TEST_F(GameLaunchTest, TheFolderFirstThenTheCopiesInOrderThenTheProgram)
{
    const std::string before = CurrentDirectory();
    const LaunchOutcome outcome = CarryOut(chained());
    EXPECT_EQ(outcome.result, LaunchResult::Started);
    EXPECT_EQ(outcome.StatusText(), "");
    EXPECT_EQ(dir.read("game/c.con"), "first");
    EXPECT_EQ(CurrentDirectory(), before);   // ours never changes
    const StartRecord run = WaitForStart(program);
    EXPECT_TRUE(SameFile(run.folder, dir.file("con")));   // its own working folder
    EXPECT_EQ(run.arguments, (Strings{"-map", "a b.map", "/v1"}));
}

// A failed copy keeps the earlier ones and starts nothing; a stopped plan
// still copies; a folder that is none stops the plan before its copies.
TEST_F(GameLaunchTest, AFailedCopyOrAStoppedPlanStartsNothingAndAMissingFolderStopsItFirst)
{
    GameLaunch launch = chained();
    launch.copies.insert(launch.copies.begin() + 1, {dir.file("con/gone.con"), dir.file("game/gone.con")});
    EXPECT_EQ(CarryOutGuarded(launch, prompter).result, LaunchResult::Stopped);
    EXPECT_EQ(Messages(prompter), Strings{"Error box: Cannot open file " + dir.file("con/gone.con")});
    EXPECT_EQ(dir.read("game/b.con"), "first");
    EXPECT_FALSE(FileExists(dir.file("game/c.con")));
    EXPECT_FALSE(FileExists(program + ".run"));

    launch = chained();
    launch.start = false;
    const LaunchOutcome outcome = CarryOut(launch);
    EXPECT_EQ(outcome.result, LaunchResult::Stopped);
    EXPECT_EQ(outcome.StatusText(), "");
    EXPECT_EQ(dir.read("game/c.con"), "first");
    EXPECT_FALSE(FileExists(program + ".run"));

    launch = chained();
    launch.folder = dir.file("con/a.con");
    launch.copies.front().destination = dir.file("game/d.con");
    EXPECT_EQ(CarryOutGuarded(launch, prompter).result, LaunchResult::Stopped);
    EXPECT_FALSE(FileExists(dir.file("game/d.con")));
}

TEST_F(GameLaunchTest, AProgramThatCannotStartIsReportedForTheStatusBar)
{
    // Neither DOSBox nor a desktop opener on the PATH.
    const std::string savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", dir.file("con").c_str(), 1);
    GameLaunch launch = chained();
    launch.copies.clear();
    ::chmod(program.c_str(), 0644);
    const std::string notExecutable = CarryOutGuarded(launch, prompter).StatusText();
    const std::string dos = dir.write("game/DUKE3D.EXE", MzExecutable("\xC3"));
    launch.program = dos;
    const std::string noDosBox = CarryOutGuarded(launch, prompter).StatusText();
    ::setenv("PATH", savedPath.c_str(), 1);
    EXPECT_EQ(notExecutable, "Could not start " + program);
    EXPECT_EQ(noDosBox, "Could not start " + dos + ": DOSBox is not installed");
    EXPECT_EQ(Messages(prompter), Strings{});
}

// The DOS runner given is the one started, and named; a runner (or a
// program) that ends at once with a failure is told once the watch knows.
TEST_F(GameLaunchTest, TheDosRunnerIsNamedAndAnEarlyEndTold)
{
    GameLaunch launch = chained();
    launch.copies.clear();
    launch.program = dir.write("game/DUKE3D.EXE", MzExecutable("\xC3"));
    const std::string dosbox = FakeProgram(dir.file("con/my dosbox"));
    LaunchOutcome outcome = CarryOutGuarded(launch, prompter, "\"" + dosbox + "\" -x");
    EXPECT_EQ(outcome.StatusText(), "Started " + launch.program + " in " + dosbox);
    EXPECT_EQ(WaitForStart(dosbox).arguments.at(0), "-x");

    // DOSBox 0.74 aborts on a folder it cannot mount.
    const std::string aborting = dir.write("con/dosbox-abort", "#!/bin/sh\nkill -ABRT $$\n");
    ::chmod(aborting.c_str(), 0755);
    outcome = CarryOutGuarded(launch, prompter, aborting);
    ASSERT_TRUE(outcome.watch);
    outcome.watch->WaitForFailure();
    EXPECT_EQ(outcome.EarlyEndText(),
              launch.program + " ended at once: " + aborting + " ended with signal 6 (Aborted)");
    // A program run by itself is named once.
    launch.program = dir.write("game/run.sh", "#!/bin/sh\nexit 2\n");
    ::chmod(launch.program.c_str(), 0755);
    outcome = CarryOutGuarded(launch, prompter, aborting);
    EXPECT_EQ(outcome.StatusText(), "");
    outcome.watch->WaitForFailure();
    EXPECT_EQ(outcome.EarlyEndText(), launch.program + " ended at once with exit status 2");
    EXPECT_EQ(Messages(prompter), Strings{});
    EXPECT_EQ(LaunchOutcome().EarlyEndText(), "");
}

// A setting that holds a name the user chose: a name with a line break (as
// another tool may unpack one) is refused with a message naming the setting,
// the earlier value stays, and nothing reaches the settings file. One row for
// each way of choosing: the other folders go the Duke folder's way
// (StoreDirectorySetting), the TC program the user map's, SpefTCDir ProgsDir's.
TEST_F(GameLaunchTest, NoChosenNameWritesASettingOfItsOwn)
{
    const std::string evil = dir.file("games\n[Tessel]\nDosProgram=sh -c \"id>PWNED\"\n");
    ASSERT_EQ(::mkdir(evil.c_str(), 0755), 0);
    dir.write(evil.substr(dir.path().size()) + "/DUKE3D.EXE", "");
    const std::string file = evil + "/x.map", tool = dir.file("qc/qcc\n[Tessel]\nDosProgram=sh\n.exe");
    FakeChooser chooser;
    FileDialog dialog{LauncherOpenTitle, "", "", ""};
    DukeOptions duke;
    QuakeOptions quake;
    const std::string old = dir.file("con/");   // an existing folder: a chooser keeps it
    duke.userMap = quake.userMap = quake.tc = quake.progsDir = quake.engine = old;
    dirs.Duke3DDir = dirs.QuakeDir = dirs.MainQMapEdProg = dirs.MainQCToolDir = old;
    const struct { const char* setting; std::string chosen; std::function<bool()> browse; const std::string& value; }
        cases[] = {
            {"Duke Nukem 3D folder ([Directorys] Duke3DDir)", evil,
             [&] { return BrowseDukeDirectory(dirs, settings, chooser, prompter, true); }, dirs.Duke3DDir},
            {"map editing program ([QuakeDirectorys] MainQMapEdProg)", file,
             [&] { return BrowseMapEditor(dirs, settings, dialog, prompter); }, dirs.MainQMapEdProg},
            {"QuakeC compile tool ([QuakeDirectorys] MainQCToolDir)", tool,
             [&] { return BrowseCompileTool(dirs, settings, dialog, prompter); }, dirs.MainQCToolDir},
            {"user map ([DukeStartup] UserMap)", file,
             [&] { return BrowseDukeUserMap(duke, dialog, "", prompter); }, duke.userMap},
            {"engine ([QuakeStartup] Engine)", file,
             [&] { return BrowseEngine(quake.engine, dialog, "", "QuakeStartup", prompter); }, quake.engine},
            {"user map ([QuakeStartup] UserMap)", file,
             [&] { return BrowseQuakeUserMap(quake, dialog, "", prompter); }, quake.userMap},
            {"TC folder ([QuakeStartup] TC)", evil,
             [&] { return BrowseQuakeTc(quake, dirs.QuakeDir, chooser, prompter); }, quake.tc},
            {"progs.dat folder ([QuakeDirectorys] ProgsDir)", evil,
             [&] { return BrowseProgsDirectory(quake, chooser, prompter); }, quake.progsDir},
        };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.setting);
        prompter.clear();
        chooser.answers = {c.chosen};
        prompter.files = {c.chosen};
        EXPECT_FALSE(c.browse());
        EXPECT_EQ(Messages(prompter).back(), std::string("Warning: The ") + c.setting +
                                                 " was not changed: the name chosen holds a line break or another "
                                                 "control character, which the settings file cannot store.");
        EXPECT_EQ(c.value, old);
        EXPECT_FALSE(FileExists(settings.FileName()));
    }
}

} // namespace
} // namespace tessel

#include "launch/GameLaunch.h"

#include <cstdlib>

#include "launch/LaunchTestSupport.h"

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

TEST_F(GameLaunchTest, AFailedCopyKeepsTheEarlierOnesAndStartsNothing)
{
    GameLaunch launch = chained();
    launch.copies.insert(launch.copies.begin() + 1, {dir.file("con/gone.con"), dir.file("game/gone.con")});
    EXPECT_EQ(CarryOutGuarded(launch, prompter).result, LaunchResult::Stopped);
    EXPECT_EQ(Messages(prompter), Strings{"Error box: Cannot open file " + dir.file("con/gone.con")});
    EXPECT_EQ(dir.read("game/b.con"), "first");
    EXPECT_FALSE(FileExists(dir.file("game/c.con")));
    EXPECT_FALSE(FileExists(program + ".run"));
}

TEST_F(GameLaunchTest, AStoppedLaunchStillCopiesAndAMissingFolderStopsItFirst)
{
    GameLaunch launch = chained();
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
    EXPECT_EQ(Messages(prompter), Strings{"Error box: Invalid filename"});
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
    Strings texts;
    for (const std::string& name : {dir.file("game/none.exe"), dos}) {
        launch.program = name;
        texts.push_back(CarryOutGuarded(launch, prompter).StatusText());
    }
    // The DOSBox given is the one started.
    const std::string dosbox = FakeProgram(dir.file("con/my dosbox"));
    launch.program = dos;
    const LaunchResult started = CarryOutGuarded(launch, prompter, "\"" + dosbox + "\" -x").result;
    ::setenv("PATH", savedPath.c_str(), 1);
    EXPECT_EQ(notExecutable, "Could not start " + program);
    EXPECT_EQ(texts, (Strings{"Could not start " + dir.file("game/none.exe"),
                              "Could not start " + dos + ": DOSBox is not installed"}));
    EXPECT_EQ(Messages(prompter), Strings{});
    EXPECT_EQ(started, LaunchResult::Started);
    EXPECT_EQ(WaitForStart(dosbox).arguments.at(0), "-x");
}

TEST_F(GameLaunchTest, NamesAreTakenFromTheGameFolder)
{
    dir.write("game/DUKE3D.EXE", "");
    EXPECT_EQ(TakenFrom("/games/duke/", "con/"), "/games/duke/con/");
    EXPECT_EQ(TakenFrom("/games/duke/", "/con/"), "/con/");
    EXPECT_EQ(TakenFrom("/games/duke/", ""), "");   // empty stays empty
    EXPECT_EQ(FileIn(dir.file("game/"), "Duke3D.exe"), dir.file("game/DUKE3D.EXE"));
    EXPECT_EQ(FileIn(dir.file("game/"), "User.con"), dir.file("game/User.con"));
}

} // namespace
} // namespace tessel

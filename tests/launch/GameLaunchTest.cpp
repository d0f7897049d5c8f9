#include "launch/GameLaunch.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include "launch/LaunchTestSupport.h"

namespace tessel {
namespace {

using namespace test;
using Strings = std::vector<std::string>;

class GameLaunchTest : public LaunchFixture {
protected:
    GameLaunchTest()
    {
        for (const char* sub : {"game", "con"})
            ::mkdir(dir.file(sub).c_str(), 0755);
        program = FakeProgram(dir.file("game/GAME.EXE"));
    }
    // Copies a.con to b.con, then b.con on to c.con: only in this order does c.con get a.con's bytes.
    GameLaunch chained()
    {
        dir.write("con/a.con", "first");
        GameLaunch launch;
        launch.changeDirectory = true;
        launch.directory = dir.file("game/");
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
    const LaunchOutcome outcome = CarryOut(chained());
    EXPECT_EQ(outcome.result, LaunchResult::Started);
    EXPECT_EQ(outcome.StatusText(), "");
    EXPECT_EQ(dir.read("game/c.con"), "first");
    EXPECT_TRUE(SameFile(CurrentDirectory(), dir.file("game")));
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
    EXPECT_TRUE(SameFile(CurrentDirectory(), dir.file("game")));
}

TEST_F(GameLaunchTest, AStoppedLaunchStillChangesTheFolderAndCopies)
{
    GameLaunch launch = chained();
    launch.start = false;
    const LaunchOutcome outcome = CarryOut(launch);
    EXPECT_EQ(outcome.result, LaunchResult::Stopped);
    EXPECT_EQ(outcome.StatusText(), "");
    EXPECT_EQ(dir.read("game/c.con"), "first");
    EXPECT_TRUE(SameFile(CurrentDirectory(), dir.file("game")));
    EXPECT_FALSE(FileExists(program + ".run"));
}

TEST_F(GameLaunchTest, AProgramThatCannotStartIsReportedForTheStatusBar)
{
    // Neither wine nor a desktop opener on the PATH.
    const std::string savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", dir.file("con").c_str(), 1);
    GameLaunch launch = chained();
    ::chmod(program.c_str(), 0644);
    const LaunchOutcome notExecutable = CarryOutGuarded(launch, prompter);
    launch.program = dir.file("game/none.exe");
    launch.changeDirectory = false;
    launch.directory = dir.file("con/");
    const LaunchOutcome missing = CarryOutGuarded(launch, prompter);
    ::setenv("PATH", savedPath.c_str(), 1);
    EXPECT_EQ(notExecutable.result, LaunchResult::CouldNotStart);
    EXPECT_EQ(notExecutable.StatusText(), "Could not start " + program);
    EXPECT_EQ(missing.StatusText(), "Could not start " + dir.file("game/none.exe"));
    EXPECT_TRUE(SameFile(CurrentDirectory(), dir.file("game")));   // no folder change asked the second time
    EXPECT_EQ(Messages(prompter), Strings{});
}

TEST_F(GameLaunchTest, NamesAreTakenFromTheGameFolderOnceItIsCurrent)
{
    dir.write("game/DUKE3D.EXE", "");
    const struct {
        const char* name;
        std::string base, text, taken;
    } cases[] = {
        {"relative", "/games/duke/", "con/", "/games/duke/con/"},
        {"absolute", "/games/duke/", "/con/", "/con/"},
        {"empty stays empty", "/games/duke/", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TakenFrom(c.base, c.text), c.taken);
    }
    EXPECT_EQ(FileIn(dir.file("game/"), "Duke3D.exe"), dir.file("game/DUKE3D.EXE"));
    EXPECT_EQ(FileIn(dir.file("game/"), "User.con"), dir.file("game/User.con"));
}

} // namespace
} // namespace tessel

#include "launch/DukeLaunch.h"

#include <functional>

#include "launch/LaunchTestSupport.h"
#include "support/Rows.h"

namespace tessel {
namespace {

using namespace test;
using Set = std::function<void(DukeOptions&)>;

class DukeLaunchTest : public LaunchFixture {
protected:
    DukeLaunchTest()
    {
        MakeFolders(dir.path(), {"game", "con", "maps"});
        exe = FakeProgram(dir.file("game/DUKE3D.EXE"));
    }

    GameLaunch plan(DukeOptions& options) { return PlanDukeStart(options, game, con, prompter); }

    const std::string game = dir.file("game/"), con = dir.file("con/");
    std::string exe;
};

// Each option's line for the game's own program (every switch followed by a
// blank, as it always was) beside those of the ports EDuke32 and Raze.
TEST_F(DukeLaunchTest, CommandLinesOfTheOptionsForTheGameAndForThePorts)
{
    MakeFolders(dir.path(), {"ports"});
    const std::string eduke32 = FakeProgram(dir.file("ports/eduke32")), raze = FakeProgram(dir.file("ports/Raze"));
    const std::string testMap = dir.write("game/test.map", "map"), j = "-j " + game;
    const struct { const char* name; Set set; std::string dos, eduke32, raze; } cases[] = {
        {"defaults", [](DukeOptions&) {}, "/v1 /l1 /s3 ", "-v1 -l1 -s3 " + j + " -nosetup", j},
        {"Piece of Cake", [](DukeOptions& o) { o.skill = 1; }, "/v1 /l1 /s1 ", "-v1 -l1 -s1 " + j + " -nosetup", j},
        {"no skill checked", [](DukeOptions& o) { o.skill = 0; }, "/v1 /l1 ", "-v1 -l1 " + j + " -nosetup", j},
        {"fake players without fake multiplayer", [](DukeOptions& o) { o.fakePlayers = 5; }, "/v1 /l1 /s3 ",
         "-v1 -l1 -s3 " + j + " -nosetup", j},
        {"every switch", [&](DukeOptions& o) {
             o.userMap = testMap, o.noMon = o.recordDemo = o.fakeMulti = true, o.fakePlayers = 8, o.skill = 4;
             ChangeDukeEpisode(o, 3);
             ChangeDukeMap(o, 11);
         }, "-map test.map /m /r /q8 /v3 /l11 /s4 ", "-map test.map -m -r -q8 -v3 -l11 -s4 " + j + " -nosetup",
         "-map test.map -nomonsters " + j},
        {"start regularly", [](DukeOptions& o) { o.launchReg = o.noMon = true; }, "", j, j},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto& [engine, parameters] :
             {std::pair{std::string(), c.dos}, std::pair{eduke32, c.eduke32}, std::pair{raze, c.raze}}) {
            DukeOptions options;
            c.set(options);
            options.engine = engine;
            const GameLaunch launch = plan(options);
            EXPECT_TRUE(launch.start);
            EXPECT_EQ(launch.program, engine.empty() ? exe : engine);
            EXPECT_EQ(launch.parameters, parameters) << engine;
        }
    }
    EXPECT_EQ(Messages(prompter), Strings{});
}

// A port is given the con files and the user map where they lie when not
// copied, names with blanks whole; a DOS engine gets the game's own line.
TEST_F(DukeLaunchTest, APortIsToldWhereTheConFilesAndTheMapAre)
{
    MakeFolders(dir.path(), {"ports", "my game"});
    const std::string eduke32 = FakeProgram(dir.file("ports/eduke32"));
    const std::string dosPort = dir.write("ports/DUKE14.EXE", MzExecutable("\xB8\x00\x4C\xCD\x21"));
    const std::string gameCon = dir.write("con/GAME.CON", "actor"), outside = dir.write("maps/e1.map", "map");
    const std::string spaced = dir.file("my game/"), blank = dir.write("maps/e1 b.map", "map");
    FakeProgram(spaced + "Duke3D.exe");
    const std::string j = "-j " + game, x = " -j " + con + " -x " + gameCon;
    const struct { const char* name; std::string engine, folder; Set set; std::string parameters, copies; } cases[] = {
        {"con files not copied: from their folder", eduke32, game, [](DukeOptions&) {},
         "-v1 -l1 -s3 " + j + x + " -nosetup", ""},
        {"con files copied: the game folder's", eduke32, game, [](DukeOptions& o) { o.copy = true; },
         "-v1 -l1 -s3 " + j + " -nosetup", ""},
        {"a regular start: the game folder only", eduke32, game, [](DukeOptions& o) { o.launchReg = true; }, j, ""},
        {"a map elsewhere, not copied: its path", eduke32, game, [&](DukeOptions& o) { o.userMap = outside; },
         "-map " + outside + " -v1 -l1 -s3 " + j + x + " -nosetup", ""},
        {"a map elsewhere, copied: its name", eduke32, game, [&](DukeOptions& o) { o.userMap = outside, o.autoCopy = true; },
         "-map e1.map -v1 -l1 -s3 " + j + x + " -nosetup", "maps/e1.map > game/e1.map; "},
        {"a map with a blank, not copied", eduke32, game, [&](DukeOptions& o) { o.userMap = blank, o.copy = true; },
         "-map \"" + blank + "\" -v1 -l1 -s3 " + j + " -nosetup", ""},
        {"a folder with a blank", eduke32, spaced, [](DukeOptions& o) { o.copy = true; },
         "-v1 -l1 -s3 -j \"" + spaced + "\" -nosetup", ""},
        {"a DOS port", dosPort, game, [](DukeOptions&) {}, "/v1 /l1 /s3 ", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DukeOptions options;
        options.engine = c.engine;
        c.set(options);
        const GameLaunch launch = PlanDukeStart(options, c.folder, con, prompter);
        EXPECT_EQ(launch.program, c.engine);
        EXPECT_EQ(launch.native, c.engine != dosPort);   // only a native one runs in the Messages pane
        EXPECT_EQ(launch.parameters, c.parameters);
        EXPECT_EQ(copies(launch), c.copies);
    }
    // The TC program, checked, starts in place of the engine as it always did.
    DukeOptions tc;
    tc.engine = eduke32, tc.useTC = true, tc.alternateExe = exe;
    const GameLaunch launch = plan(tc);
    EXPECT_EQ(launch.program, exe);
    EXPECT_FALSE(launch.native);
    // An engine named relatively counts from the game folder.
    DukeOptions relative;
    relative.engine = "../ports/eduke32";
    EXPECT_EQ(plan(relative).program, game + relative.engine);
    EXPECT_EQ(Messages(prompter), Strings{});
}

// The options' switches; "~/" is the test's folder; program "" is the game's own.
enum Switch { AutoCopy = 1, RegularStart = 2, UseTC = 4 };

struct UserMapRow {
    const char* name, *userMap, *alternateExe;
    int switches;
    const char* program, *parameters, *copies, *said, *userMapAfter;
};
const UserMapRow UserMapRows[] = {
    {"in the game folder: never copied", "~/game/IN.MAP", "", AutoCopy, "", "-map IN.MAP /v1 /l1 /s3 ", "", "",
     "~/game/IN.MAP"},
    {"elsewhere with auto-copy, named from the game folder: copied first", "../maps/test.map", "", AutoCopy, "",
     "-map test.map /v1 /l1 /s3 ", "game/../maps/test.map > game/test.map; ", "", "../maps/test.map"},
    {"elsewhere without auto-copy: passed all the same", "~/maps/test.map", "", 0, "", "-map test.map /v1 /l1 /s3 ",
     "", "", "~/maps/test.map"},
    {"elsewhere, its name in the game folder in other case", "~/maps/e1.map", "", AutoCopy, "",
     "-map e1.map /v1 /l1 /s3 ", "", "", "~/maps/e1.map"},
    {"missing: emptied and told, no map", "~/maps/gone.map", "", AutoCopy, "", "/v1 /l1 /s3 ", "",
     "Information: The user map was not found, continuing loading duke without level...", ""},
    {"missing on a regular start: never looked at", "~/maps/gone.map", "", AutoCopy | RegularStart, "", "", "", "",
     "~/maps/gone.map"},
    {"the TC program, named from the game folder: no map looked at", "~/maps/gone.map", "../maps/mytc.bat", UseTC,
     "~/game/../maps/mytc.bat", "", "", "", "~/maps/gone.map"},
    {"start regularly wins over the TC program", "", "~/maps/mytc.bat", UseTC | RegularStart, "", "", "", "", ""},
    {"TC checked without a program (disabled)", "~/maps/test.map", "", UseTC, "", "-map test.map /v1 /l1 /s3 ", "",
     "", "~/maps/test.map"},
    {"TC program not checked", "", "~/maps/mytc.bat", 0, "", "/v1 /l1 /s3 ", "", "", ""},
};
using DukeLaunchUserMaps = RowsOf<DukeLaunchTest, UserMapRow>;

TEST_P(DukeLaunchUserMaps, InTheGameFolderElsewhereAndMissingAndTheTcProgram)
{
    for (const char* file : {"game/IN.MAP", "maps/test.map", "maps/e1.map", "game/E1.MAP"})
        dir.write(file, "");
    FakeProgram(dir.file("maps/mytc.bat"));
    DukeOptions options;
    options.userMap = local(row.userMap), options.alternateExe = local(row.alternateExe);
    options.autoCopy = row.switches & AutoCopy, options.launchReg = row.switches & RegularStart;
    options.useTC = row.switches & UseTC;
    const GameLaunch launch = plan(options);
    EXPECT_EQ(launch.program, *row.program ? local(row.program) : exe);
    EXPECT_EQ(launch.workingDir, game);
    EXPECT_EQ(launch.parameters, row.parameters);
    EXPECT_EQ(copies(launch), row.copies);
    EXPECT_EQ(Messages(prompter), *row.said ? Strings{row.said} : Strings{});
    EXPECT_EQ(options.userMap, local(row.userMapAfter));
}
TESSEL_ROWS(DukeLaunchUserMaps, UserMapRows);

// conDir: "" is none, a relative one is taken as it is.
enum CopyBox { Unchecked, Checked };
struct ConCopyRow { const char* name; Strings conFiles, gameFiles; CopyBox copy; const char* conDir, *copies; };
const ConCopyRow ConCopyRows[] = {
    {"unchecked: nothing", {"User.con", "Defs.con", "Game.con"}, {}, Unchecked, "~/con/", ""},
    {"all three, in order", {"Game.con", "Defs.con", "User.con"}, {}, Checked, "~/con/",
     "con/User.con > game/User.con; con/Defs.con > game/Defs.con; con/Game.con > game/Game.con; "},
    {"only those present, in any case", {"defs.con", "GAME.CON"}, {}, Checked, "~/con/",
     "con/defs.con > game/Defs.con; con/GAME.CON > game/Game.con; "},
    {"the game's own spelling is replaced", {"User.con"}, {"USER.CON"}, Checked, "~/con/",
     "con/User.con > game/USER.CON; "},
    {"no con directory: nothing to copy from", {}, {"User.con", "Game.con"}, Checked, "", ""},
    {"a relative con directory counts from the game folder", {"Game.con"}, {}, Checked, "../con/",
     "game/../con/Game.con > game/Game.con; "},
    {"a con directory without its separator", {"User.con"}, {}, Checked, "~/con", "con/User.con > game/User.con; "},
    {"the game folder as the con directory: onto themselves", {}, {"User.con", "GAME.CON"}, Checked, "~/game/",
     "game/User.con > game/User.con; game/GAME.CON > game/GAME.CON; "},
};
using DukeLaunchConCopies = RowsOf<DukeLaunchTest, ConCopyRow>;

TEST_P(DukeLaunchConCopies, InOrderWhenAskedAndPresentWhateverTheirCase)
{
    for (const auto& f : row.conFiles)
        dir.write("con/" + f, f);
    for (const auto& f : row.gameFiles)
        dir.write("game/" + f, "old");
    DukeOptions options;
    options.copy = row.copy == Checked;
    EnterFolder(dir.file("game"));   // where a name without a folder would be found
    // The game folder as written by hand, without its separator.
    EXPECT_EQ(copies(PlanDukeConCopy(options, dir.file("game"), local(row.conDir))), row.copies);
    EXPECT_EQ(Messages(prompter), Strings{});
}
TESSEL_ROWS(DukeLaunchConCopies, ConCopyRows);

TEST_F(DukeLaunchTest, AnUnsetOrRemovedGameFolderIsLeftForTheFolderCheckToTell)
{
    dir.write("con/User.con", "");
    for (const std::string& duke3dDir : {std::string(), dir.file("gone/")}) {
        SCOPED_TRACE(duke3dDir);
        DukeOptions options;
        options.copy = true;
        const GameLaunch launch = PlanDukeConCopy(options, duke3dDir, con);
        EXPECT_EQ(launch.folder, duke3dDir);
        EXPECT_FALSE(launch.start);
        EXPECT_EQ(copies(launch), "");
    }
    EXPECT_EQ(Messages(prompter), Strings{});
}

TEST_F(DukeLaunchTest, OptionsWrittenInTheirOrderAndReadBack)
{
    DukeOptions o;
    o.launchReg = o.noMon = o.recordDemo = o.useTC = true;
    o.skill = 4, o.fakePlayers = 7;
    ChangeDukeEpisode(o, 2);
    ChangeDukeMap(o, 9);
    o.userMap = "/maps/a b.map", o.alternateExe = "/tc/run.bat", o.engine = "/usr/games/eduke32";
    WriteAtOnce(settings, [&](ProfileEdit& edit) { WriteDukeOptions(edit, o); });
    const std::string written = "[DukeStartup]\r\nSkill=4\r\nLaunchReg=1\r\nFakeMulti=0\r\nNoMon=1\r\nCopy=0\r\n"
                                "RecordDemo=1\r\nAutoCopy=0\r\nUseTC=1\r\nLoadGameCon=0\r\nFakePlayers=7\r\n"
                                "Episode=2\r\nMap=9\r\nUserMap=/maps/a b.map\r\nAlternateEXE=/tc/run.bat\r\n"
                                "Engine=/usr/games/eduke32\r\n";
    EXPECT_EQ(dir.read("QztMain.ini"), written);
    // Every value is read back as it was written: writing what was read changes nothing.
    WriteAtOnce(settings, [&](ProfileEdit& edit) { WriteDukeOptions(edit, ReadDukeOptions(settings)); });
    EXPECT_EQ(dir.read("QztMain.ini"), written);

    // With no skill checked the stored one stays.
    o.skill = 0;
    WriteAtOnce(settings, [&](ProfileEdit& edit) { WriteDukeOptions(edit, o); });
    EXPECT_EQ(settings.ReadString("DukeStartup", "Skill", ""), "4");
}

TEST_F(DukeLaunchTest, StoredValuesAreTakenAsTheControlsTakeThemAndDirectoriesOnlyWhenSet)
{
    const struct { const char* stored; int skill, episode, map, mapMax, fakePlayers; } cases[] = {
        {"", 3, 1, 1, 12, 1},
        {"Skill=7\r\n", 3, 1, 1, 12, 1},
        {"Skill=0x4\r\n", 4, 1, 1, 12, 1},
        {"Episode=5\r\nMap=0\r\n", 3, 3, 1, 11, 1},
        {"Episode=2\r\nMap=11\r\n", 3, 2, 11, 11, 1},
        {"Map=12\r\n", 3, 1, 6, 6, 1},
        {"Map=0\r\n", 3, 1, 1, 12, 1},   // clamped, it is the map shown: the change rule does not run
        {"FakePlayers=0\r\n", 3, 1, 1, 12, 1},
        {"FakePlayers=9\r\n", 3, 1, 1, 12, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        const ProfileFile ini(dir.write("t.ini", std::string("[DukeStartup]\r\n") + c.stored));
        const DukeOptions o = ReadDukeOptions(ini);
        EXPECT_EQ(std::vector<int>({o.skill, o.episode, o.map, o.mapMax, o.fakePlayers}),
                  std::vector<int>({c.skill, c.episode, c.map, c.mapMax, c.fakePlayers}));
    }
    dirs.Duke3DDir = "/kept/";
    const ProfileFile ini(dir.write("t.ini", "[Directorys]\r\nDuke3DDir=\r\nConDir=/con/\r\nBuildDir=/b/\r\n"));
    ReadDukeDirectories(ini, dirs);
    EXPECT_EQ(Strings({dirs.Duke3DDir, dirs.ConDir, dirs.BuildDir}), Strings({"/kept/", "/con/", "/b/"}));
}

TEST_F(DukeLaunchTest, AnEpisodeResetsTheMapAndSetsItsLimit)
{
    // One options object through the steps; the first change brings episode 1's limit.
    const struct { bool episode; int value, episodeAfter, map, mapMax; } steps[] = {
        {false, 12, 1, 6, 6}, {true, 2, 2, 1, 11}, {false, 11, 2, 11, 11}, {false, 0, 2, 1, 11},
        {true, 0, 1, 1, 6}, {true, 4, 3, 1, 11},
    };
    DukeOptions o;
    for (const auto& s : steps) {
        SCOPED_TRACE(std::string(s.episode ? "episode " : "map ") + std::to_string(s.value));
        s.episode ? ChangeDukeEpisode(o, s.value) : ChangeDukeMap(o, s.value);
        EXPECT_EQ(std::vector<int>({o.episode, o.map, o.mapMax}), std::vector<int>({s.episodeAfter, s.map, s.mapMax}));
    }
}

enum GameConCase { LoadGameCon = 1, Present = 2, WithConDir = 4 };
struct GameConRow { const char* name; int found; const char* opened, *said; };
const GameConRow GameConRows[] = {
    {"Game.con in any letter case", LoadGameCon | Present | WithConDir, "~/con/GAME.CON", ""},
    {"Game.con not asked for", Present | WithConDir, "", ""},
    {"Game.con missing", LoadGameCon | WithConDir, "",
     "Warning: Game.con does not exist in the con directory: ~/con/ Canceling loading of Game.con."},
    {"no con directory: Game.con not looked for", LoadGameCon, "", ""},
};
using DukeLaunchGameCon = RowsOf<DukeLaunchTest, GameConRow>;

TEST_P(DukeLaunchGameCon, OpensAtCreationWhenAskedFor)
{
    if (row.found & Present)
        dir.write("con/GAME.CON", "");
    DukeOptions options;
    options.loadGameCon = row.found & LoadGameCon;
    EXPECT_EQ(DukeStartupFiles(options, row.found & WithConDir ? con : "", prompter),
              *row.opened ? Strings{local(row.opened)} : Strings{});
    EXPECT_EQ(Messages(prompter), *row.said ? Strings{local(row.said)} : Strings{});
}
TESSEL_ROWS(DukeLaunchGameCon, GameConRows);

// The game's program, or, for an engine, the game's data alone.
TEST_F(DukeLaunchTest, TheDukeDirectoryMustHoldTheGame)
{
    MakeFolders(dir.path(), {"data"});
    dir.write("data/duke3d.grp", "");
    dir.write("maps/DUKE3D.GRP.txt", "");
    FakeChooser chooser;
    const struct { const char* name; std::string folder; bool engineChosen, accepted; } cases[] = {
        {"no game: refused", dir.file("maps"), true, false},
        {"the data alone without an engine: refused", dir.file("data"), false, false},
        {"the data alone with an engine", dir.file("data"), true, true},
        {"the game's program", dir.file("game"), false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        prompter.clear();
        const std::string before = dirs.Duke3DDir;
        chooser.answers = {c.folder};
        EXPECT_EQ(BrowseDukeDirectory(dirs, settings, chooser, prompter, c.engineChosen), c.accepted);
        EXPECT_EQ(Messages(prompter),
                  c.accepted ? Strings{} : Strings{"Information: This isn't the Duke Directory."});
        EXPECT_EQ(dirs.Duke3DDir, c.accepted ? c.folder + "/" : before);
        EXPECT_EQ(settings.ReadString("Directorys", "Duke3DDir", ""), dirs.Duke3DDir);
    }
}

TEST_F(DukeLaunchTest, TheConAndBuildDirectoriesAreStoredUnderTheirKeys)
{
    dirs.BuildDir = game;
    FakeChooser chooser;
    chooser.answers = {dir.file("con"), dir.file("maps")};
    EXPECT_TRUE(BrowseConDirectory(dirs, settings, chooser, prompter));
    EXPECT_TRUE(BrowseBuildDirectory(dirs, settings, chooser, prompter));
    EXPECT_EQ(Strings({dirs.ConDir, settings.ReadString("Directorys", "ConDir", ""),
                       settings.ReadString("Directorys", "BuildDir", "")}),
              Strings({con, con, dir.file("maps/")}));
    EXPECT_EQ(chooser.starts, (Starts{std::nullopt, game}));
}

TEST_F(DukeLaunchTest, FileBrowsersStartInTheDukeDirectoryWhenItIsSet)
{
    FileDialog dialog{LauncherOpenTitle, "", "/elsewhere/", ""};
    DukeOptions options;
    prompter.files = {std::nullopt, dir.file("maps/x.map"), std::nullopt, dir.file("maps/tc.bat")};
    EXPECT_FALSE(BrowseDukeUserMap(options, dialog, dirs.Duke3DDir, prompter));
    EXPECT_EQ(dialog.initialDir, "/elsewhere/");   // where it was left
    EXPECT_EQ(dialog.filter, "Duke3D Maps (*.map)|*.map");
    EXPECT_TRUE(BrowseDukeUserMap(options, dialog, dirs.Duke3DDir, prompter));
    EXPECT_EQ(options.userMap, dir.file("maps/x.map"));

    dirs.Duke3DDir = game;
    EXPECT_FALSE(BrowseDukeAlternateExe(options, dialog, dirs.Duke3DDir, prompter));
    EXPECT_EQ(dialog.initialDir, game);
    EXPECT_FALSE(options.UseTCEnabled());
    EXPECT_TRUE(BrowseDukeAlternateExe(options, dialog, dirs.Duke3DDir, prompter));
    EXPECT_EQ(dialog.filter, "Executables (*.exe)|*.exe|Batch Files (*.bat)|*.bat");
    EXPECT_EQ(options.alternateExe, dir.file("maps/tc.bat"));
    EXPECT_TRUE(options.UseTCEnabled());
}

} // namespace
} // namespace tessel

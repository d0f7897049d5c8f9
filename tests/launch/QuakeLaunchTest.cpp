#include "launch/QuakeLaunch.h"

#include <cstdlib>
#include <functional>

#include "launch/LaunchTestSupport.h"

namespace tessel {
namespace {

using namespace test;
using Set = std::function<void(QuakeOptions&)>;

const std::string NoProgs = "Confirm (Yes/No): Progs.dat Could not be copied overed to the Specified directory, "
                            "because the progs.dat does not exist. Continue?";
const std::string NoTarget = "Confirm (Yes/No): Progs.dat Could not be copied overed to the Specified directory, "
                             "because the specified directory does not exist. Continue?";
const std::string TcRefused = "Tessel: TC directory not in Quake Directory, Aborting Launch...";

class QuakeLaunchTest : public LaunchFixture {
protected:
    QuakeLaunchTest()
    {
        MakeFolders(dir.path(), {"quake", "quake/mytc", "progs", "maps"});
        exe = FakeProgram(dir.file("quake/QUAKE.EXE"));
    }

    GameLaunch plan(QuakeOptions& options) { return PlanQuakeLaunch(options, quake, prompter); }
    // The progs.dat copy set up as the Options page leaves it, its target named from the Quake folder.
    QuakeOptions copying() const
    {
        QuakeOptions o;
        o.copy = o.copyEnabled = true;
        o.progsDir = dir.file("progs/");
        o.spefTCDir = "mytc/";
        return o;
    }

    const std::string quake = dir.file("quake/");
    std::string exe;
};

// Each option's line for the game's own program beside the line of a native
// engine picked (quakespasm, darkplaces), which is told the game folder first.
TEST_F(QuakeLaunchTest, CommandLinesOfTheOptions)
{
    MakeFolders(dir.path(), {"ports"});
    const std::string engine = FakeProgram(dir.file("ports/quakespasm"));
    dir.write("maps/dm7.bsp", "");
    dir.write("maps/noext", "");
    dir.write("maps/my.level.bsp", "");
    const std::string tc = dir.file("quake/mytc/");
    const struct { const char* name; Set set; std::string parameters; } cases[] = {
        {"defaults: Hard and Entrance", [](QuakeOptions&) {}, "+skill 2 +map start "},
        {"the TC example: Easy, e1m3", [&](QuakeOptions& o) {
             o.useTC = o.useTCEnabled = true;
             o.tc = tc;
             o.skill = 1;
             o.level = 3;
         }, "-game mytc +skill 0 +map e1m3"},
        {"NightMare", [](QuakeOptions& o) { o.skill = 4; }, "+skill 3 +map start "},
        {"no skill checked", [](QuakeOptions& o) { o.skill = 0; }, "+map start "},
        {"the first episode map", [](QuakeOptions& o) { o.level = 1; }, "+skill 2 +map e1m1"},
        {"e4m1, two blanks after its colon", [](QuakeOptions& o) { o.level = 23; }, "+skill 2 +map e4m1"},
        {"the last episode map", [](QuakeOptions& o) { o.level = 30; }, "+skill 2 +map e4m8"},
        {"the end map", [](QuakeOptions& o) { o.level = 31; }, "+skill 2 +map end"},
        {"the last deathmatch map", [](QuakeOptions& o) { o.level = 37; }, "+skill 2 +map dm6"},
        {"no level selected", [](QuakeOptions& o) { o.level = -1; }, "+skill 2 "},
        {"a user map, named from the Quake folder, wins over the level", [&](QuakeOptions& o) {
             o.userMap = "../maps/dm7.bsp";
             o.level = 5;
         }, "+skill 2 +map dm7 "},
        {"a missing user map still wins: no map", [&](QuakeOptions& o) { o.userMap = dir.file("maps/x.bsp"); },
         "+skill 2 "},
        {"a user map name up to its first full stop",
         [&](QuakeOptions& o) { o.userMap = dir.file("maps/my.level.bsp"); }, "+skill 2 +map my "},
        {"a user map name without a full stop", [&](QuakeOptions& o) { o.userMap = dir.file("maps/noext"); },
         "+skill 2 +map  "},
        {"TC checked but disabled", [&](QuakeOptions& o) {
             o.useTC = true;
             o.tc = tc;
         }, "+skill 2 +map start "},
        {"a demo is not recorded", [](QuakeOptions& o) { o.recordDemo = true; }, "+skill 2 +map start "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto& [program, parameters] :
             {std::pair{exe, c.parameters}, std::pair{engine, "-basedir " + quake + " " + c.parameters}}) {
            QuakeOptions options;
            c.set(options);
            options.engine = program == exe ? "" : program;
            const GameLaunch launch = plan(options);
            EXPECT_TRUE(launch.start);
            EXPECT_EQ(launch.folder, quake);
            EXPECT_EQ(launch.workingDir, quake);
            EXPECT_EQ(launch.program, program);
            EXPECT_EQ(launch.parameters, parameters);
        }
    }
    EXPECT_EQ(Messages(prompter), Strings{});
}

// An engine picked starts in place of Quake.exe and the alternate executables,
// found by its path or, a bare name, on the PATH; a DOS or Windows one gets the
// game's line; one that is not there is told.
TEST_F(QuakeLaunchTest, AnEnginePickedStartsInPlaceOfQuakeExe)
{
    MakeFolders(dir.path(), {"ports", "bin", "my quake"});
    ::unlink(exe.c_str());
    const std::string onPath = FakeProgram(dir.file("bin/darkplaces"));
    const std::string windows = dir.write("ports/winquake.exe", MzExecutable("", 0x40, std::string("PE\0\0", 4)));
    const std::string spaced = dir.file("my quake/");
    const std::string path = std::getenv("PATH");
    ::setenv("PATH", dir.file("bin").c_str(), 1);
    const std::string basedir = "-basedir " + quake + " ";
    const struct { const char* name; std::string engine, folder; Set set; std::string program, parameters;
                   Strings messages; } cases[] = {
        {"a name on the PATH; no Quake.exe needed", "darkplaces", quake, [](QuakeOptions&) {}, onPath,
         basedir + "+skill 2 +map start ", {}},
        {"the alternate executable is not looked at", onPath, quake,
         [](QuakeOptions& o) { o.useAltExe = true, o.altExe = 0; }, onPath, basedir + "+skill 2 +map start ", {}},
        {"a regular start: the folder only", onPath, quake, [](QuakeOptions& o) { ChangeQuakeLaunchReg(o, true); },
         onPath, "-basedir " + quake, {}},
        {"a folder with a blank", onPath, spaced, [](QuakeOptions&) {}, onPath,
         "-basedir \"" + spaced + "\" +skill 2 +map start ", {}},
        {"a Windows engine: the game's line", windows, quake, [](QuakeOptions&) {}, windows, "+skill 2 +map start ",
         {}},
        {"not there", "quake2", quake, [](QuakeOptions&) {}, "", "",
         {"Tessel: Fatal Error: Could not find quake2. Aborting launch..."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        prompter.clear();
        QuakeOptions options;
        options.engine = c.engine;
        c.set(options);
        const GameLaunch launch = PlanQuakeLaunch(options, c.folder, prompter);
        EXPECT_EQ(launch.start, !c.program.empty());
        EXPECT_EQ(launch.program, c.program);
        EXPECT_EQ(launch.parameters, c.parameters);
        EXPECT_EQ(Messages(prompter), c.messages);
    }
    EXPECT_EQ(QuakeEnginesOnPath(), Strings{onPath});
    ::setenv("PATH", path.c_str(), 1);
}

TEST_F(QuakeLaunchTest, TheTcTestComparesTheWholeTextsByteByByte)
{
    const struct { const char* name; std::string quakeDir, tc; bool refused; } cases[] = {
        {"inside the Quake directory", "C:\\Quake\\", "C:\\Quake\\mytc\\", false},
        {"same drive, a name that sorts before", "C:\\Quake\\", "C:\\Abc\\", true},
        {"lower case sorts after upper case", "c:\\quake\\", "C:\\Quake\\mytc\\", true},
        {"the Quake directory itself", "/games/quake/", "/games/quake/", false},
        {"a text sorts before its longer forms", "/games/quake/", "/games/quake", true},
        {"bytes above 127 sort last", "/games/quake/", "/games/\xe9t\xe9/", false},
        {"no TC directory", "/games/quake/", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(QuakeDirSortsAfterTc(c.quakeDir, c.tc), c.refused);
    }
}

TEST_F(QuakeLaunchTest, ARefusedTcStopsTheLaunchAfterTheProgsCopy)
{
    dir.write("progs/progs.dat", "");
    QuakeOptions options = copying();
    options.useTC = options.useTCEnabled = true;
    options.tc = dir.file("aaa/");   // sorts before the Quake directory
    const GameLaunch launch = plan(options);
    EXPECT_FALSE(launch.start);
    EXPECT_EQ(copies(launch), "progs/progs.dat > quake/mytc/progs.dat; ");
    EXPECT_EQ(Messages(prompter), Strings{TcRefused});
}

TEST_F(QuakeLaunchTest, TheExecutableOrWhyItIsMissing)
{
    const std::string noQuake = "Tessel: Fatal Error: Could not find Quake.exe. Aborting launch...";
    const std::string plain = "+skill 2 +map start ";
    dir.write("progs/progs.dat", "");
    // program empty: nothing starts
    const struct { const char* name; bool quakeExe, useAltExe; int altExe; Strings altFiles; bool launchReg;
                   std::string program, parameters; Strings messages; } cases[] = {
        {"Quake.exe", true, false, 0, {}, false, "quake/QUAKE.EXE", plain, {}},
        {"Quake.exe missing", false, false, 0, {}, false, "", "", {noQuake}},
        {"GLQuake in any case", true, true, 0, {"glquake.exe"}, false, "quake/glquake.exe", plain, {}},
        {"GLQuake missing", true, true, 0, {}, false, "", "",
         {"Tessel: Could not find GlQuake.exe, turn off use alt exe, or choose another program in the box. Aborting "
          "launch..."}},
        {"Q95", false, true, 1, {"Q95.bat"}, false, "quake/Q95.bat", plain, {}},
        {"no alternate selected: Quake.exe untested", false, true, -1, {}, false, "quake/Quake.exe", plain, {}},
        {"a regular start uses the alternate too", true, true, 2, {"QLaunch.exe"}, true, "quake/QLaunch.exe", "", {}},
        {"a regular start still checks Quake.exe", false, false, 0, {}, true, "", "", {noQuake}},
    };
    int row = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        prompter.clear();
        const std::string name = "row" + std::to_string(++row) + "/", base = dir.file(name);
        MakeFolders(base, {"", "quake", "quake/mytc"});
        if (c.quakeExe)
            FakeProgram(base + "quake/QUAKE.EXE");
        for (const auto& f : c.altFiles)
            FakeProgram(base + "quake/" + f);
        QuakeOptions options = copying();
        options.spefTCDir = base + "quake/mytc/";
        options.useAltExe = c.useAltExe, options.altExe = c.altExe;
        ChangeQuakeLaunchReg(options, c.launchReg);
        const GameLaunch launch = PlanQuakeLaunch(options, base + "quake/", prompter);
        EXPECT_EQ(launch.start, !c.program.empty());
        EXPECT_EQ(launch.program, c.program.empty() ? "" : base + c.program);
        EXPECT_EQ(launch.parameters, c.parameters);
        EXPECT_EQ(copies(launch), c.program.empty() ? "" : "progs/progs.dat > " + name + "quake/mytc/progs.dat; ");
        EXPECT_EQ(Messages(prompter), c.messages);
    }
}

TEST_F(QuakeLaunchTest, ProgsDatQuestionsComeInOrderAndNoStops)
{
    const MsgResult Y = MsgResult::Yes, N = MsgResult::No;
    const std::string copied = "progs/progs.dat > quake/mytc/progs.dat; ";
    const struct { const char* name; bool file, folder, copy, enabled; std::deque<MsgResult> answers; Strings messages;
                   std::string copies; bool start, targetKept; } cases[] = {
        {"both present: copied", true, true, true, true, {}, {}, copied, true, true},
        {"unchecked: nothing", false, false, false, true, {}, {}, "", true, true},
        {"disabled: nothing", false, false, true, false, {}, {}, "", true, true},
        {"file missing, go on", false, true, true, true, {Y}, {NoProgs}, "", true, true},
        {"file missing, stop", false, true, true, true, {N}, {NoProgs}, "", false, true},
        {"folder missing, go on", true, false, true, true, {Y}, {NoTarget}, "", true, false},
        {"folder missing, stop", true, false, true, true, {N}, {NoTarget}, "", false, false},
        {"both missing, go on twice", false, false, true, true, {Y, Y}, {NoProgs, NoTarget}, "", true, false},
        {"both missing, stop at the first", false, false, true, true, {N}, {NoProgs}, "", false, true},
        {"both missing, stop at the second", false, false, true, true, {Y, N}, {NoProgs, NoTarget}, "", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        prompter.clear();
        prompter.answers = c.answers;
        if (c.file)
            dir.write("progs/progs.dat", "");
        else
            ::unlink(dir.file("progs/progs.dat").c_str());
        QuakeOptions options = copying();
        options.copy = c.copy, options.copyEnabled = c.enabled;
        if (!c.folder)
            options.spefTCDir = dir.file("quake/gone/");
        const GameLaunch launch = plan(options);
        EXPECT_EQ(Messages(prompter), c.messages);
        EXPECT_EQ(copies(launch), c.copies);
        EXPECT_EQ(launch.start, c.start);
        EXPECT_EQ(options.spefTCDir.empty(), !c.targetKept);
        EXPECT_EQ(options.copyEnabled, c.enabled && c.targetKept);
        EXPECT_TRUE(prompter.answers.empty());
    }
}

TEST_F(QuakeLaunchTest, ProgsDatIsFoundAndReplacedWhateverItsCase)
{
    dir.write("progs/PROGS.DAT", "new");
    dir.write("quake/mytc/Progs.Dat", "old");
    QuakeOptions options = copying();
    options.progsDir = "../progs/";
    EXPECT_EQ(copies(plan(options)), "quake/../progs/PROGS.DAT > quake/mytc/Progs.Dat; ");
}

TEST_F(QuakeLaunchTest, AMissingQuakeDirectoryGivesOnlyTheErrorBox)
{
    QuakeOptions options;
    options.useAltExe = true;
    const GameLaunch launch = PlanQuakeLaunch(options, dir.file("gone/"), prompter);
    EXPECT_EQ(CarryOutGuarded(launch, prompter).result, LaunchResult::Stopped);
    EXPECT_EQ(Messages(prompter), Strings{"Error box: File not found"});
}

TEST_F(QuakeLaunchTest, OptionsWrittenInTheirOrderAndReadBack)
{
    QuakeOptions o;
    o.copy = o.useTC = true;
    o.skill = 1, o.level = -1, o.altExe = 2;
    o.userMap = "/maps/e1m1.bsp", o.tc = "/quake/mytc/", o.spefTCDir = "/quake/tc/", o.progsDir = "/progs/";
    o.engine = "/usr/games/quakespasm";
    WriteAtOnce(settings, [&](ProfileEdit& edit) { WriteQuakeOptions(edit, o); });
    const std::string written = "[QuakeStartup]\r\nSkill=1\r\nLaunchReg=0\r\nCopy=1\r\nRecordDemo=0\r\nUseTC=1\r\n"
                                "CheckUseAltExe=0\r\nLevel=-1\r\ncmbAltExeVal=2\r\nUserMap=/maps/e1m1.bsp\r\n"
                                "TC=/quake/mytc/\r\nSpefTCDir=/quake/tc/\r\nEngine=/usr/games/quakespasm\r\n"
                                "[QuakeDirectorys]\r\nProgsDir=/progs/\r\n";
    EXPECT_EQ(dir.read("QztMain.ini"), written);
    // Every value is read back as it was written: writing what was read changes nothing.
    WriteAtOnce(settings, [&](ProfileEdit& edit) { WriteQuakeOptions(edit, ReadQuakeOptions(settings)); });
    EXPECT_EQ(dir.read("QztMain.ini"), written);
}

TEST_F(QuakeLaunchTest, StoredValuesAreTakenAsTheControlsTakeThem)
{
    const struct { const char* stored; int skill, level, altExe; bool useTCEnabled, copyEnabled; } cases[] = {
        {"", 3, 0, 0, false, false},
        {"[QuakeStartup]\r\nSkill=5\r\nLevel=37\r\ncmbAltExeVal=-1\r\n", 3, 37, -1, false, false},
        {"[QuakeStartup]\r\nSkill=4\r\nLevel=38\r\ncmbAltExeVal=3\r\n", 4, -1, -1, false, false},
        {"[QuakeStartup]\r\nTC=/q/tc/\r\n", 3, 0, 0, true, false},
        {"[QuakeStartup]\r\nTC=/q/tc/\r\nLaunchReg=1\r\n", 3, 0, 0, false, false},
        {"[QuakeDirectorys]\r\nProgsDir=/progs/\r\n", 3, 0, 0, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        const QuakeOptions o = ReadQuakeOptions(ProfileFile(dir.write("t.ini", c.stored)));
        EXPECT_EQ(std::vector<int>({o.skill, o.level, o.altExe, o.useTCEnabled, o.copyEnabled}),
                  std::vector<int>({c.skill, c.level, c.altExe, c.useTCEnabled, c.copyEnabled}));
    }
    dirs.QuakeDir = "/kept/";
    const char* stored = "[QuakeDirectorys]\r\nQCDir=/qc/\r\nMainQCToolDir=qcc.exe\r\nMainQMapEdProg=\r\n";
    ReadQuakeDirectories(ProfileFile(dir.write("t.ini", stored)), dirs);
    EXPECT_EQ(dirs.QuakeDir, "/kept/");
    EXPECT_EQ(dirs.QCDir, "/qc/");
    EXPECT_EQ(dirs.MainQMapEdProg, "");
    EXPECT_EQ(dirs.MainQCToolDir, "qcc.exe");
}

TEST_F(QuakeLaunchTest, DirectoriesAreAcceptedWithoutATestAndWrittenAtOnce)
{
    FakeChooser chooser;
    chooser.answers = {dir.file("maps"), dir.file("progs"), std::nullopt};
    EXPECT_TRUE(BrowseQuakeDirectory(dirs, settings, chooser));
    EXPECT_EQ(dirs.QuakeDir, dir.file("maps/"));
    EXPECT_TRUE(BrowseQCDirectory(dirs, settings, chooser));
    EXPECT_EQ(dirs.QCDir, dir.file("progs/"));
    EXPECT_FALSE(BrowseQuakeDirectory(dirs, settings, chooser));
    EXPECT_EQ(settings.ReadString("QuakeDirectorys", "QuakeDir", ""), dir.file("maps/"));
    EXPECT_EQ(settings.ReadString("QuakeDirectorys", "QCDir", ""), dir.file("progs/"));
}

TEST_F(QuakeLaunchTest, TheTcChooserStartsInTheQuakeDirectory)
{
    QuakeOptions options;
    FakeChooser chooser;
    dirs.QuakeDir = dir.file("gone/");
    chooser.answers = {std::nullopt, dir.file("quake/mytc")};
    EXPECT_FALSE(BrowseQuakeTc(options, dirs.QuakeDir, chooser));
    EXPECT_EQ(dirs.QuakeDir, "");
    dirs.QuakeDir = quake;
    EXPECT_TRUE(BrowseQuakeTc(options, dirs.QuakeDir, chooser));
    EXPECT_EQ(options.tc, dir.file("quake/mytc/"));
    EXPECT_TRUE(options.useTCEnabled);
    EXPECT_EQ(chooser.starts, (Starts{std::nullopt, quake}));
    ClearQuakeTc(options);
    EXPECT_EQ(options.tc, "");
    EXPECT_FALSE(options.useTCEnabled);
    ChangeQuakeLaunchReg(options, false);   // enabled again, even without a TC
    EXPECT_TRUE(options.useTCEnabled);
}

TEST_F(QuakeLaunchTest, TheCopyIsEnabledOnceBothItsFoldersAreChosen)
{
    QuakeOptions options;
    FakeChooser chooser;
    dirs.QuakeDir = quake;
    chooser.answers = {dir.file("progs"), std::nullopt, dir.file("quake/mytc"), dir.file("quake")};
    EXPECT_TRUE(BrowseProgsDirectory(options, chooser));
    EXPECT_EQ(options.progsDir, dir.file("progs/"));
    EXPECT_FALSE(options.copyEnabled);
    EXPECT_FALSE(BrowseSpecifiedTcDirectory(options, chooser));
    EXPECT_FALSE(options.copyEnabled);
    EXPECT_TRUE(BrowseSpecifiedTcDirectory(options, chooser));
    EXPECT_EQ(options.spefTCDir, dir.file("quake/mytc/"));
    EXPECT_TRUE(options.copyEnabled);
    options = QuakeOptions();
    EXPECT_TRUE(BrowseSpecifiedTcDirectory(options, chooser));
    EXPECT_FALSE(options.copyEnabled);
    // These start where the chooser was left, never at a setting.
    EXPECT_EQ(chooser.starts, Starts(4));
}

TEST_F(QuakeLaunchTest, ProgramsAndMapsChosenInTheOpenDialog)
{
    FileDialog dialog{LauncherOpenTitle, "", "/elsewhere/", ""};
    QuakeOptions options;
    prompter.files = {std::nullopt, dir.file("tools/qbsp/Worldcraft.exe"), dir.file("qc/fastqcc.exe"), std::nullopt,
                      dir.file("maps/e1m1.bsp")};
    EXPECT_FALSE(BrowseQuakeUserMap(options, dialog, dirs.QuakeDir, prompter));
    EXPECT_EQ(dialog.initialDir, "/elsewhere/");   // where it was left: no Quake directory
    EXPECT_TRUE(BrowseMapEditor(dirs, settings, dialog, prompter));
    EXPECT_EQ(dialog.filter, "Executables (*.exe)|*.exe|Batch Files (*.bat)|*.bat");
    EXPECT_EQ(dirs.MainQMapEdProg, dir.file("tools/qbsp/Worldcraft.exe"));
    EXPECT_EQ(settings.ReadString("QuakeDirectorys", "MainQMapEdProg", ""), dirs.MainQMapEdProg);
    EXPECT_TRUE(BrowseCompileTool(dirs, settings, dialog, prompter));
    EXPECT_EQ(dirs.MainQCToolDir, "fastqcc.exe");
    EXPECT_EQ(settings.ReadString("QuakeDirectorys", "MainQCToolDir", ""), "fastqcc.exe");
    dirs.QuakeDir = quake;
    EXPECT_FALSE(BrowseQuakeUserMap(options, dialog, dirs.QuakeDir, prompter));
    EXPECT_EQ(dialog.initialDir, quake);
    EXPECT_EQ(dialog.filter, "Quake BSP's (*.bsp)|*.bsp");
    EXPECT_EQ(options.userMap, "");
    EXPECT_TRUE(BrowseQuakeUserMap(options, dialog, dirs.QuakeDir, prompter));
    EXPECT_EQ(options.userMap, dir.file("maps/e1m1.bsp"));
}

} // namespace
} // namespace tessel

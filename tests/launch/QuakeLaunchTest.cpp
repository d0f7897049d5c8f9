#include "launch/QuakeLaunch.h"

#include <cstdlib>
#include <functional>

#include "launch/LaunchTestSupport.h"
#include "support/Rows.h"

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
    // The progs.dat copy set up as the Options page leaves it, both folders named from the Quake folder.
    QuakeOptions copying() const
    {
        QuakeOptions o;
        o.copy = o.copyEnabled = true;
        o.progsDir = "../progs/";
        o.spefTCDir = "mytc/";
        return o;
    }

    const std::string quake = dir.file("quake/");
    std::string exe;
};

// Each option's line; a native engine gets the same after the game folder
// (AnEnginePickedStartsInPlaceOfQuakeExe).
TEST_F(QuakeLaunchTest, CommandLinesOfTheOptions)
{
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
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QuakeOptions options;
        c.set(options);
        const GameLaunch launch = plan(options);
        EXPECT_TRUE(launch.start);
        EXPECT_EQ(launch.folder, quake);
        EXPECT_EQ(launch.workingDir, quake);
        EXPECT_EQ(launch.program, exe);
        EXPECT_EQ(launch.parameters, c.parameters);
    }
    // A missing Quake folder is left for the folder check to tell.
    QuakeOptions options;
    EXPECT_EQ(PlanQuakeLaunch(options, dir.file("gone/"), prompter).folder, dir.file("gone/"));
    EXPECT_EQ(Messages(prompter), Strings{});
}

// An engine picked starts in place of Quake.exe and the alternate executables,
// found by its path or, a bare name, on the PATH; a Windows one gets the game's line.
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
        {"not where its path says", dir.file("ports/gone"), quake, [](QuakeOptions&) {}, "", "",
         {"Tessel: Fatal Error: Could not find " + dir.file("ports/gone") + ". Aborting launch..."}},
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
        EXPECT_EQ(launch.native, c.program == onPath);   // only a native one runs in the Messages pane
        EXPECT_EQ(Messages(prompter), c.messages);
    }
    EXPECT_EQ(QuakeEnginesOnPath(), Strings{onPath});
    ::setenv("PATH", path.c_str(), 1);
}

enum TcVerdict { Accepted, Refused };
struct TcTestRow { const char* name, *quakeDir, *tc; TcVerdict verdict; };
const TcTestRow TcTestRows[] = {
    {"inside the Quake directory", "C:\\Quake\\", "C:\\Quake\\mytc\\", Accepted},
    {"lower case sorts after upper case", "c:\\quake\\", "C:\\Quake\\mytc\\", Refused},
    {"the Quake directory itself", "/games/quake/", "/games/quake/", Accepted},
    {"a text sorts before its longer forms", "/games/quake/", "/games/quake", Refused},
    {"bytes above 127 sort last", "/games/quake/", "/games/\xe9t\xe9/", Accepted},
};
using QuakeLaunchTcTest = RowsOf<::testing::Test, TcTestRow>;

TEST_P(QuakeLaunchTcTest, ComparesTheWholeTextsByteByByte)
{
    EXPECT_EQ(QuakeDirSortsAfterTc(row.quakeDir, row.tc), row.verdict == Refused);
}
TESSEL_ROWS(QuakeLaunchTcTest, TcTestRows);

TEST_F(QuakeLaunchTest, ARefusedTcStopsTheLaunchAfterTheProgsCopy)
{
    dir.write("progs/progs.dat", "");
    QuakeOptions options = copying();
    options.useTC = options.useTCEnabled = true;
    options.tc = dir.file("aaa/");   // sorts before the Quake directory
    const GameLaunch launch = plan(options);
    EXPECT_FALSE(launch.start);
    EXPECT_EQ(copies(launch), "quake/../progs/progs.dat > quake/mytc/progs.dat; ");
    EXPECT_EQ(Messages(prompter), Strings{TcRefused});
}

const std::string NoQuake = "Tessel: Fatal Error: Could not find Quake.exe. Aborting launch...";
const char* const Plain = "+skill 2 +map start ";

// What is there and what is asked; program "" starts nothing.
enum Setup { QuakeExe = 1, UseAltExe = 2, RegularStart = 4 };
struct ExecutableRow { const char* name; int setup, altExe; const char* altFile, *program, *parameters; Strings said; };
const ExecutableRow ExecutableRows[] = {
    {"Quake.exe", QuakeExe, 0, "", "quake/QUAKE.EXE", Plain, {}},
    {"Quake.exe missing", 0, 0, "", "", "", {NoQuake}},
    {"GLQuake in any case", QuakeExe | UseAltExe, 0, "glquake.exe", "quake/glquake.exe", Plain, {}},
    {"GLQuake missing", QuakeExe | UseAltExe, 0, "", "", "",
     {"Tessel: Could not find GlQuake.exe, turn off use alt exe, or choose another program in the box. Aborting "
      "launch..."}},
    {"Q95", UseAltExe, 1, "Q95.bat", "quake/Q95.bat", Plain, {}},
    {"no alternate selected: Quake.exe untested", UseAltExe, -1, "", "quake/Quake.exe", Plain, {}},
    {"a regular start uses the alternate too", QuakeExe | UseAltExe | RegularStart, 2, "QLaunch.exe",
     "quake/QLaunch.exe", "", {}},
};
using QuakeLaunchExecutables = RowsOf<QuakeLaunchTest, ExecutableRow>;

TEST_P(QuakeLaunchExecutables, TheProgramOrWhyItIsMissing)
{
    dir.write("progs/progs.dat", "");
    if (!(row.setup & QuakeExe))
        ::unlink(exe.c_str());
    if (*row.altFile)
        FakeProgram(dir.file("quake/") + row.altFile);
    QuakeOptions options = copying();
    options.useAltExe = row.setup & UseAltExe, options.altExe = row.altExe;
    ChangeQuakeLaunchReg(options, row.setup & RegularStart);
    const GameLaunch launch = plan(options);
    const bool starts = *row.program;
    EXPECT_EQ(launch.start, starts);
    EXPECT_EQ(launch.program, starts ? dir.file(row.program) : "");
    EXPECT_EQ(launch.parameters, row.parameters);
    EXPECT_EQ(copies(launch), starts ? "quake/../progs/progs.dat > quake/mytc/progs.dat; " : "");
    EXPECT_EQ(Messages(prompter), row.said);
}
TESSEL_ROWS(QuakeLaunchExecutables, ExecutableRows);

// Before: which of progs.dat and its target folder are there (a missing one gone, or never set), the copy box.
// After: the outcome.
enum Copy { File = 1, Folder = 2, Checked = 4, Enabled = 8, Unset = 16 };
enum Outcome { Launches = 1, TargetKept = 2 };
const MsgResult Y = MsgResult::Yes, N = MsgResult::No;
struct ProgsDatRow { const char* name; int copy; std::deque<MsgResult> answers; Strings said; int outcome; };
const ProgsDatRow ProgsDatRows[] = {
    {"both present: copied", File | Folder | Checked | Enabled, {}, {}, Launches | TargetKept},
    {"unchecked: nothing", Enabled, {}, {}, Launches | TargetKept},
    {"disabled: nothing", Checked, {}, {}, Launches | TargetKept},
    {"file missing, go on", Folder | Checked | Enabled, {Y}, {NoProgs}, Launches | TargetKept},
    {"folder never set, go on", File | Checked | Enabled | Unset, {Y}, {NoTarget}, Launches},
    {"both missing, go on twice", Checked | Enabled, {Y, Y}, {NoProgs, NoTarget}, Launches},
    {"both missing, stop at the first", Checked | Enabled, {N}, {NoProgs}, TargetKept},
    {"both missing, stop at the second", Checked | Enabled, {Y, N}, {NoProgs, NoTarget}, 0},
};
using QuakeLaunchProgsDat = RowsOf<QuakeLaunchTest, ProgsDatRow>;

TEST_P(QuakeLaunchProgsDat, QuestionsComeInOrderAndNoStops)
{
    prompter.answers = row.answers;
    dir.write("quake/mytc/Progs.Dat", "old");   // replaced under its own name, as is the source found
    if (row.copy & File)
        dir.write("progs/PROGS.DAT", "");
    QuakeOptions options = copying();
    options.copy = row.copy & Checked, options.copyEnabled = row.copy & Enabled;
    if (!(row.copy & Folder))
        options.spefTCDir = row.copy & Unset ? "" : dir.file("quake/gone/");
    const GameLaunch launch = plan(options);
    const bool copied = (row.copy & (File | Folder | Checked | Enabled)) == (File | Folder | Checked | Enabled);
    EXPECT_EQ(Messages(prompter), row.said);
    EXPECT_EQ(copies(launch), copied ? "quake/../progs/PROGS.DAT > quake/mytc/Progs.Dat; " : "");
    EXPECT_EQ(launch.start, bool(row.outcome & Launches));
    EXPECT_EQ(options.spefTCDir.empty(), !(row.outcome & TargetKept));
    EXPECT_EQ(options.copyEnabled, (row.copy & Enabled) && (row.outcome & TargetKept));
    EXPECT_TRUE(prompter.answers.empty());
}
TESSEL_ROWS(QuakeLaunchProgsDat, ProgsDatRows);

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

// The stored values as the controls take them, and which boxes that enables.
enum Enables { UseTCBox = 1, CopyBox = 2 };
struct StoredRow { const char* name, *stored; int skill, level, altExe, enables; };
const StoredRow StoredRows[] = {
    {"nothing stored", "", 3, 0, 0, 0},
    {"the last level, no alternate", "[QuakeStartup]\r\nSkill=5\r\nLevel=37\r\ncmbAltExeVal=-1\r\n", 3, 37, -1, 0},
    {"past the lists", "[QuakeStartup]\r\nSkill=4\r\nLevel=38\r\ncmbAltExeVal=3\r\n", 4, -1, -1, 0},
    {"a TC", "[QuakeStartup]\r\nTC=/q/tc/\r\n", 3, 0, 0, UseTCBox},
    {"a TC on a regular start", "[QuakeStartup]\r\nTC=/q/tc/\r\nLaunchReg=1\r\n", 3, 0, 0, 0},
    {"a progs folder", "[QuakeDirectorys]\r\nProgsDir=/progs/\r\n", 3, 0, 0, CopyBox},
};
using QuakeLaunchStoredValues = RowsOf<QuakeLaunchTest, StoredRow>;

TEST_P(QuakeLaunchStoredValues, AreTakenAsTheControlsTakeThem)
{
    const QuakeOptions o = ReadQuakeOptions(ProfileFile(dir.write("t.ini", row.stored)));
    EXPECT_EQ(std::vector<int>({o.skill, o.level, o.altExe, o.useTCEnabled * UseTCBox | o.copyEnabled * CopyBox}),
              std::vector<int>({row.skill, row.level, row.altExe, row.enables}));
}
TESSEL_ROWS(QuakeLaunchStoredValues, StoredRows);

TEST_F(QuakeLaunchTest, DirectoriesAreTakenOnlyWhenSet)
{
    dirs.QuakeDir = "/kept/";
    const char* stored = "[QuakeDirectorys]\r\nQuakeDir=\r\nQCDir=/q/\r\nMainQMapEdProg=/e/qe\r\nMainQCToolDir=qcc\r\n";
    ReadQuakeDirectories(ProfileFile(dir.write("t.ini", stored)), dirs);
    EXPECT_EQ(Strings({dirs.QuakeDir, dirs.QCDir, dirs.MainQMapEdProg, dirs.MainQCToolDir}),
              Strings({"/kept/", "/q/", "/e/qe", "qcc"}));
}

TEST_F(QuakeLaunchTest, DirectoriesAreAcceptedWithoutATestAndWrittenAtOnce)
{
    FakeChooser chooser;
    chooser.answers = {dir.file("maps"), dir.file("progs")};
    EXPECT_TRUE(BrowseQuakeDirectory(dirs, settings, chooser, prompter));
    EXPECT_EQ(dirs.QuakeDir, dir.file("maps/"));
    EXPECT_TRUE(BrowseQCDirectory(dirs, settings, chooser, prompter));
    EXPECT_EQ(dirs.QCDir, dir.file("progs/"));
    EXPECT_EQ(settings.ReadString("QuakeDirectorys", "QuakeDir", ""), dir.file("maps/"));
    EXPECT_EQ(settings.ReadString("QuakeDirectorys", "QCDir", ""), dir.file("progs/"));
}

TEST_F(QuakeLaunchTest, TheTcChooserStartsInTheQuakeDirectory)
{
    QuakeOptions options;
    FakeChooser chooser;
    dirs.QuakeDir = quake;
    chooser.answers = {dir.file("quake/mytc")};
    EXPECT_TRUE(BrowseQuakeTc(options, dirs.QuakeDir, chooser, prompter));
    EXPECT_EQ(options.tc, dir.file("quake/mytc/"));
    EXPECT_TRUE(options.useTCEnabled);
    EXPECT_EQ(chooser.starts, Starts{quake});
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
    chooser.answers = {dir.file("progs"), dir.file("quake/mytc"), dir.file("quake")};
    EXPECT_TRUE(BrowseProgsDirectory(options, chooser, prompter));
    EXPECT_EQ(options.progsDir, dir.file("progs/"));
    EXPECT_FALSE(options.copyEnabled);
    EXPECT_TRUE(BrowseSpecifiedTcDirectory(options, chooser, prompter));
    EXPECT_EQ(options.spefTCDir, dir.file("quake/mytc/"));
    EXPECT_TRUE(options.copyEnabled);
    options = QuakeOptions();
    EXPECT_TRUE(BrowseSpecifiedTcDirectory(options, chooser, prompter));
    EXPECT_FALSE(options.copyEnabled);
    // These start where the chooser was left, never at a setting.
    EXPECT_EQ(chooser.starts, Starts(3));
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

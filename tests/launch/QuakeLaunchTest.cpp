#include "launch/QuakeLaunch.h"

#include <functional>

#include "launch/LaunchTestSupport.h"
#include "support/Rows.h"

namespace tessel {
namespace {

using namespace test;

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

// Names in the options: "~/" is the test's folder.
struct CommandLineRow {
    const char* name;
    void (*set)(QuakeOptions&);
    const char* parameters;
};
const CommandLineRow CommandLineRows[] = {
    {"defaults: Hard and Entrance", [](QuakeOptions&) {}, "+skill 2 +map start "},
    {"the TC example: Easy, e1m3", [](QuakeOptions& o) {
         o.useTC = o.useTCEnabled = true;
         o.tc = "~/quake/mytc/";
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
    {"a user map, named from the Quake folder, wins over the level", [](QuakeOptions& o) {
         o.userMap = "../maps/dm7.bsp";
         o.level = 5;
     }, "+skill 2 +map dm7 "},
    {"a missing user map still wins: no map", [](QuakeOptions& o) { o.userMap = "~/maps/x.bsp"; }, "+skill 2 "},
    {"a user map name up to its first full stop", [](QuakeOptions& o) { o.userMap = "~/maps/my.level.bsp"; },
     "+skill 2 +map my "},
    {"a user map name without a full stop", [](QuakeOptions& o) { o.userMap = "~/maps/noext"; }, "+skill 2 +map  "},
    {"TC checked but disabled", [](QuakeOptions& o) {
         o.useTC = true;
         o.tc = "~/quake/mytc/";
     }, "+skill 2 +map start "},
    {"a demo is not recorded", [](QuakeOptions& o) { o.recordDemo = true; }, "+skill 2 +map start "},
};
using QuakeLaunchCommandLines = RowsOf<QuakeLaunchTest, CommandLineRow>;

TEST_P(QuakeLaunchCommandLines, OfTheOptions)
{
    for (const char* map : {"maps/dm7.bsp", "maps/noext", "maps/my.level.bsp"})
        dir.write(map, "");
    QuakeOptions options;
    GetParam().set(options);
    options.tc = local(options.tc), options.userMap = local(options.userMap);
    const GameLaunch launch = plan(options);
    EXPECT_TRUE(launch.start);
    EXPECT_EQ(launch.folder, quake);
    EXPECT_EQ(launch.workingDir, quake);
    EXPECT_EQ(launch.program, exe);
    EXPECT_EQ(launch.parameters, GetParam().parameters);
    EXPECT_EQ(Messages(prompter), Strings{});
}
TESSEL_ROWS(QuakeLaunchCommandLines, CommandLineRows);

struct TcTestRow {
    const char* name;
    const char* quakeDir, *tc;
    bool refused;
};
const TcTestRow TcTestRows[] = {
    {"inside the Quake directory", "C:\\Quake\\", "C:\\Quake\\mytc\\", /*refused=*/false},
    {"same drive, a name that sorts before", "C:\\Quake\\", "C:\\Abc\\", /*refused=*/true},
    {"lower case sorts after upper case", "c:\\quake\\", "C:\\Quake\\mytc\\", /*refused=*/true},
    {"the Quake directory itself", "/games/quake/", "/games/quake/", /*refused=*/false},
    {"a text sorts before its longer forms", "/games/quake/", "/games/quake", /*refused=*/true},
    {"bytes above 127 sort last", "/games/quake/", "/games/\xe9t\xe9/", /*refused=*/false},
    {"no TC directory", "/games/quake/", "", /*refused=*/true},
};
using QuakeLaunchTcTest = RowsOf<::testing::Test, TcTestRow>;

TEST_P(QuakeLaunchTcTest, ComparesTheWholeTextsByteByByte)
{
    EXPECT_EQ(QuakeDirSortsAfterTc(GetParam().quakeDir, GetParam().tc), GetParam().refused);
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
    EXPECT_EQ(copies(launch), "progs/progs.dat > quake/mytc/progs.dat; ");
    EXPECT_EQ(Messages(prompter), Strings{TcRefused});
}

const std::string NoQuake = "Tessel: Fatal Error: Could not find Quake.exe. Aborting launch...";
const char* const Plain = "+skill 2 +map start ";

// program empty: nothing starts.
struct ExecutableRow {
    const char* name;
    bool quakeExe, useAltExe;
    int altExe;
    Strings altFiles;
    bool launchReg;
    const char* program, *parameters;
    Strings messages;
};
const ExecutableRow ExecutableRows[] = {
    {"Quake.exe", /*quakeExe=*/true, /*useAltExe=*/false, 0, {}, /*launchReg=*/false, "quake/QUAKE.EXE", Plain, {}},
    {"Quake.exe missing", /*quakeExe=*/false, /*useAltExe=*/false, 0, {}, /*launchReg=*/false, "", "", {NoQuake}},
    {"GLQuake in any case", /*quakeExe=*/true, /*useAltExe=*/true, 0, {"glquake.exe"}, /*launchReg=*/false,
     "quake/glquake.exe", Plain, {}},
    {"GLQuake missing", /*quakeExe=*/true, /*useAltExe=*/true, 0, {}, /*launchReg=*/false, "", "",
     {"Tessel: Could not find GlQuake.exe, turn off use alt exe, or choose another program in the box. Aborting "
      "launch..."}},
    {"Q95", /*quakeExe=*/false, /*useAltExe=*/true, 1, {"Q95.bat"}, /*launchReg=*/false, "quake/Q95.bat", Plain, {}},
    {"no alternate selected: Quake.exe untested", /*quakeExe=*/false, /*useAltExe=*/true, -1, {},
     /*launchReg=*/false, "quake/Quake.exe", Plain, {}},
    {"a regular start uses the alternate too", /*quakeExe=*/true, /*useAltExe=*/true, 2, {"QLaunch.exe"},
     /*launchReg=*/true, "quake/QLaunch.exe", "", {}},
    {"a regular start still checks Quake.exe", /*quakeExe=*/false, /*useAltExe=*/false, 0, {}, /*launchReg=*/true,
     "", "", {NoQuake}},
};
using QuakeLaunchExecutables = RowsOf<QuakeLaunchTest, ExecutableRow>;

TEST_P(QuakeLaunchExecutables, TheProgramOrWhyItIsMissing)
{
    const ExecutableRow& r = GetParam();
    dir.write("progs/progs.dat", "");
    if (!r.quakeExe)
        ::unlink(exe.c_str());
    for (const auto& f : r.altFiles)
        FakeProgram(dir.file("quake/" + f));
    QuakeOptions options = copying();
    options.useAltExe = r.useAltExe, options.altExe = r.altExe;
    ChangeQuakeLaunchReg(options, r.launchReg);
    const GameLaunch launch = plan(options);
    const std::string program = r.program;
    EXPECT_EQ(launch.start, !program.empty());
    EXPECT_EQ(launch.program, program.empty() ? "" : dir.file(program));
    EXPECT_EQ(launch.parameters, r.parameters);
    EXPECT_EQ(copies(launch), program.empty() ? "" : "progs/progs.dat > quake/mytc/progs.dat; ");
    EXPECT_EQ(Messages(prompter), r.messages);
}
TESSEL_ROWS(QuakeLaunchExecutables, ExecutableRows);

const std::string Copied = "progs/progs.dat > quake/mytc/progs.dat; ";
const MsgResult Y = MsgResult::Yes, N = MsgResult::No;

struct ProgsDatRow {
    const char* name;
    bool file, folder, copy, enabled;
    std::deque<MsgResult> answers;
    Strings messages;
    std::string copies;
    bool start, targetKept;
};
const ProgsDatRow ProgsDatRows[] = {
    {"both present: copied", /*file=*/true, /*folder=*/true, /*copy=*/true, /*enabled=*/true, {}, {}, Copied,
     /*start=*/true, /*targetKept=*/true},
    {"unchecked: nothing", /*file=*/false, /*folder=*/false, /*copy=*/false, /*enabled=*/true, {}, {}, "",
     /*start=*/true, /*targetKept=*/true},
    {"disabled: nothing", /*file=*/false, /*folder=*/false, /*copy=*/true, /*enabled=*/false, {}, {}, "",
     /*start=*/true, /*targetKept=*/true},
    {"file missing, go on", /*file=*/false, /*folder=*/true, /*copy=*/true, /*enabled=*/true, {Y}, {NoProgs}, "",
     /*start=*/true, /*targetKept=*/true},
    {"file missing, stop", /*file=*/false, /*folder=*/true, /*copy=*/true, /*enabled=*/true, {N}, {NoProgs}, "",
     /*start=*/false, /*targetKept=*/true},
    {"folder missing, go on", /*file=*/true, /*folder=*/false, /*copy=*/true, /*enabled=*/true, {Y}, {NoTarget}, "",
     /*start=*/true, /*targetKept=*/false},
    {"folder missing, stop", /*file=*/true, /*folder=*/false, /*copy=*/true, /*enabled=*/true, {N}, {NoTarget}, "",
     /*start=*/false, /*targetKept=*/false},
    {"both missing, go on twice", /*file=*/false, /*folder=*/false, /*copy=*/true, /*enabled=*/true, {Y, Y},
     {NoProgs, NoTarget}, "", /*start=*/true, /*targetKept=*/false},
    {"both missing, stop at the first", /*file=*/false, /*folder=*/false, /*copy=*/true, /*enabled=*/true, {N},
     {NoProgs}, "", /*start=*/false, /*targetKept=*/true},
    {"both missing, stop at the second", /*file=*/false, /*folder=*/false, /*copy=*/true, /*enabled=*/true, {Y, N},
     {NoProgs, NoTarget}, "", /*start=*/false, /*targetKept=*/false},
};
using QuakeLaunchProgsDat = RowsOf<QuakeLaunchTest, ProgsDatRow>;

TEST_P(QuakeLaunchProgsDat, QuestionsComeInOrderAndNoStops)
{
    const ProgsDatRow& r = GetParam();
    prompter.answers = r.answers;
    if (r.file)
        dir.write("progs/progs.dat", "");
    QuakeOptions options = copying();
    options.copy = r.copy, options.copyEnabled = r.enabled;
    if (!r.folder)
        options.spefTCDir = dir.file("quake/gone/");
    const GameLaunch launch = plan(options);
    EXPECT_EQ(Messages(prompter), r.messages);
    EXPECT_EQ(copies(launch), r.copies);
    EXPECT_EQ(launch.start, r.start);
    EXPECT_EQ(options.spefTCDir.empty(), !r.targetKept);
    EXPECT_EQ(options.copyEnabled, r.enabled && r.targetKept);
    EXPECT_TRUE(prompter.answers.empty());
}
TESSEL_ROWS(QuakeLaunchProgsDat, ProgsDatRows);

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
    WriteAtOnce(settings, [&](ProfileEdit& edit) { WriteQuakeOptions(edit, o); });
    const std::string written = "[QuakeStartup]\r\nSkill=1\r\nLaunchReg=0\r\nCopy=1\r\nRecordDemo=0\r\nUseTC=1\r\n"
                                "CheckUseAltExe=0\r\nLevel=-1\r\ncmbAltExeVal=2\r\nUserMap=/maps/e1m1.bsp\r\n"
                                "TC=/quake/mytc/\r\nSpefTCDir=/quake/tc/\r\n[QuakeDirectorys]\r\nProgsDir=/progs/\r\n";
    EXPECT_EQ(dir.read("QztMain.ini"), written);
    // Every value is read back as it was written: writing what was read changes nothing.
    WriteAtOnce(settings, [&](ProfileEdit& edit) { WriteQuakeOptions(edit, ReadQuakeOptions(settings)); });
    EXPECT_EQ(dir.read("QztMain.ini"), written);
}

struct StoredRow {
    const char* name;
    const char* stored;
    int skill, level, altExe;
    bool useTCEnabled, copyEnabled;
};
const StoredRow StoredRows[] = {
    {"nothing stored", "", 3, 0, 0, /*useTCEnabled=*/false, /*copyEnabled=*/false},
    {"the last level, no alternate", "[QuakeStartup]\r\nSkill=5\r\nLevel=37\r\ncmbAltExeVal=-1\r\n", 3, 37, -1,
     /*useTCEnabled=*/false, /*copyEnabled=*/false},
    {"past the lists", "[QuakeStartup]\r\nSkill=4\r\nLevel=38\r\ncmbAltExeVal=3\r\n", 4, -1, -1,
     /*useTCEnabled=*/false, /*copyEnabled=*/false},
    {"a TC", "[QuakeStartup]\r\nTC=/q/tc/\r\n", 3, 0, 0, /*useTCEnabled=*/true, /*copyEnabled=*/false},
    {"a TC on a regular start", "[QuakeStartup]\r\nTC=/q/tc/\r\nLaunchReg=1\r\n", 3, 0, 0,
     /*useTCEnabled=*/false, /*copyEnabled=*/false},
    {"a progs folder", "[QuakeDirectorys]\r\nProgsDir=/progs/\r\n", 3, 0, 0, /*useTCEnabled=*/false,
     /*copyEnabled=*/true},
};
using QuakeLaunchStoredValues = RowsOf<QuakeLaunchTest, StoredRow>;

TEST_P(QuakeLaunchStoredValues, AreTakenAsTheControlsTakeThem)
{
    const StoredRow& r = GetParam();
    const QuakeOptions o = ReadQuakeOptions(ProfileFile(dir.write("t.ini", r.stored)));
    EXPECT_EQ(std::vector<int>({o.skill, o.level, o.altExe, o.useTCEnabled, o.copyEnabled}),
              std::vector<int>({r.skill, r.level, r.altExe, r.useTCEnabled, r.copyEnabled}));
}
TESSEL_ROWS(QuakeLaunchStoredValues, StoredRows);

TEST_F(QuakeLaunchTest, DirectoriesAreTakenOnlyWhenSet)
{
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

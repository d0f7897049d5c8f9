#include "launch/QuakeLaunch.h"

#include "platform/Files.h"
#include "platform/SettingsTable.h"

namespace tessel {

const char* const QuakeLevelItems[QuakeLevelCount] = {
    "Entrance",
    "e1m1: The Slipgate Complex", "e1m2: Castle of the Damned", "e1m3: The Necropolis", "e1m4: The Grisly Grotto",
    "e1m5: Gloom Keep", "e1m6: The Door to Chthon", "e1m7: The House of Chthon", "e1m8: Ziggurat Vertigo",
    "e2m1: The Installation", "e2m2: Ogre Citadel", "e2m3: Crypt of Decay", "e2m4: The Ebon Fortress",
    "e2m5: The Wizards Manse", "e2m6: The Dismal Oubliette", "e2m7: Underearth",
    "e3m1: Termination Central", "e3m2: The Vaults of Zin", "e3m3: The Tomb of Terror",
    "e3m4: Satan's Dark Delight", "e3m5: Wind Tunnels", "e3m6: Chambers of Torment", "e3m7: The Haunted Halls",
    "e4m1:  The Sewage System", "e4m2: The Tower of Despair", "e4m3: The Elder God Shrine",
    "e4m4: The Palace of Hate", "e4m5: Hell's Atrium", "e4m6: The Pain Maze", "e4m7: Azure Agony",
    "e4m8: The Nameless City",
    "end: Shub Niggurath's Pit",
    "dm1: Place of Two Deaths", "dm2: Claustrophobopolis", "dm3: The Abondoned Base", "dm4: The Bad Place",
    "dm5: The Cistern", "dm6: The Dark Zone"};
const char* const QuakeAltExeItems[3] = {"GLQuake", "Q95", "QLaunch"};
const char* const QuakeAltExeFiles[3] = {"GlQuake.exe", "Q95.bat", "QLaunch.exe"};
const char* const QuakeExeName = "Quake.exe";
const char* const QuakeMapFilter = "Quake BSP's (*.bsp)|*.bsp";
const char* const QuakeEngineNames[2] = {"quakespasm", "darkplaces"};

namespace {

const char* const Startup = "QuakeStartup";
const char* const Directories = "QuakeDirectorys";

// QuakeStartup, in the order of writing. A drop-down list given an index it
// does not hold selects nothing.
const SettingRow<QuakeOptions> OptionRows[] = {
    Setting("Skill", &QuakeOptions::skill, SkillRange),
    Setting("LaunchReg", &QuakeOptions::launchReg),
    Setting("Copy", &QuakeOptions::copy),
    Setting("RecordDemo", &QuakeOptions::recordDemo),
    Setting("UseTC", &QuakeOptions::useTC),
    Setting("CheckUseAltExe", &QuakeOptions::useAltExe),
    Setting("Level", &QuakeOptions::level, ValueOutside(0, QuakeLevelCount - 1, -1)),
    Setting("cmbAltExeVal", &QuakeOptions::altExe, ValueOutside(0, 2, -1)),
    Setting("UserMap", &QuakeOptions::userMap),
    Setting("TC", &QuakeOptions::tc),
    Setting("SpefTCDir", &QuakeOptions::spefTCDir),
    Setting("Engine", &QuakeOptions::engine),
};
// QuakeDirectorys' key of the options.
const SettingRow<QuakeOptions> ProgsRows[] = {Setting("ProgsDir", &QuakeOptions::progsDir)};

// QuakeDirectorys: each read only when set.
const SettingRow<GameDirectories> DirectoryRows[] = {
    Setting("QuakeDir", &GameDirectories::QuakeDir),
    Setting("QCDir", &GameDirectories::QCDir),
    Setting("MainQMapEdProg", &GameDirectories::MainQMapEdProg),
    Setting("MainQCToolDir", &GameDirectories::MainQCToolDir),
};

// The map switch of a level: the start map's own name, the episode maps' four
// characters, the end and deathmatch maps' three, with no blank after those.
std::string LevelSwitch(int level)
{
    if (level == 0)
        return "+map start ";
    if (level >= 1 && level <= 30)
        return "+map " + std::string(QuakeLevelItems[level], 4);
    if (level >= 31 && level < QuakeLevelCount)
        return "+map " + std::string(QuakeLevelItems[level], 3);
    return std::string();
}

// btnProgsBrowse and btnSpefTC: folder, one of the two folders of the
// progs.dat copy, chosen where the chooser was left; chkCopy is enabled once
// both are set.
bool ChooseCopyFolder(QuakeOptions& options, std::string QuakeOptions::*folder, const std::string& setting,
                      DirectoryChooser& chooser, Prompter& prompter)
{
    const auto dir = chooser.ChooseDirectory(std::nullopt);
    if (!dir || !StorableChoice(*dir, setting, prompter))
        return false;
    options.*folder = ConfirmedDirectory(*dir);
    if (!options.progsDir.empty() && !options.spefTCDir.empty())
        options.copyEnabled = true;
    return true;
}

} // namespace

std::vector<std::string> QuakeEnginesOnPath()
{
    std::vector<std::string> found;
    for (const char* name : QuakeEngineNames)
        if (const std::string path = ProgramOnPath(name); !path.empty())
            found.push_back(path);
    return found;
}

void ReadQuakeDirectories(const ProfileFile& ini, GameDirectories& dirs)
{
    ReadDirectoriesWhenSet(ini, Directories, DirectoryRows, dirs);
}

QuakeOptions ReadQuakeOptions(const ProfileFile& ini)
{
    QuakeOptions o;
    ReadSettings(ini, Startup, OptionRows, o);
    ReadSettings(ini, Directories, ProgsRows, o);
    // chkUseTC starts enabled only with a TC and no regular start; chkCopy only with a progs.dat folder.
    o.useTCEnabled = !o.launchReg && !o.tc.empty();
    o.copyEnabled = !o.progsDir.empty();
    return o;
}

void WriteQuakeOptions(ProfileEdit& edit, const QuakeOptions& o)
{
    WriteSettings(edit, Startup, OptionRows, o);
    WriteSettings(edit, Directories, ProgsRows, o);
}

void ChangeQuakeLaunchReg(QuakeOptions& options, bool checked)
{
    options.launchReg = checked;
    options.useTCEnabled = !checked;
}

bool QuakeDirSortsAfterTc(const std::string& quakeDir, const std::string& tc)
{
    return quakeDir.compare(tc) > 0;   // char_traits compares the bytes unsigned, as an ordinal comparison does
}

bool BrowseQuakeDirectory(GameDirectories& dirs, ProfileFile& ini, DirectoryChooser& chooser, Prompter& prompter)
{
    return StoreDirectorySetting(dirs.QuakeDir, ini, Directories, "QuakeDir", "Quake folder", chooser, prompter);
}

bool BrowseQCDirectory(GameDirectories& dirs, ProfileFile& ini, DirectoryChooser& chooser, Prompter& prompter)
{
    return StoreDirectorySetting(dirs.QCDir, ini, Directories, "QCDir", "QuakeC folder", chooser, prompter);
}

bool BrowseQuakeTc(QuakeOptions& options, std::string& quakeDir, DirectoryChooser& chooser, Prompter& prompter)
{
    const auto dir = ChooseDirectorySetting(quakeDir, chooser);
    if (!dir || !StorableChoice(*dir, SettingName("TC folder", Startup, "TC"), prompter))
        return false;
    options.tc = *dir;
    options.useTCEnabled = true;
    return true;
}

void ClearQuakeTc(QuakeOptions& options)
{
    options.tc.clear();
    options.useTCEnabled = false;
}

bool BrowseProgsDirectory(QuakeOptions& options, DirectoryChooser& chooser, Prompter& prompter)
{
    return ChooseCopyFolder(options, &QuakeOptions::progsDir, SettingName("progs.dat folder", Directories, "ProgsDir"), chooser, prompter);
}

bool BrowseSpecifiedTcDirectory(QuakeOptions& options, DirectoryChooser& chooser, Prompter& prompter)
{
    return ChooseCopyFolder(options, &QuakeOptions::spefTCDir, SettingName("TC folder to copy progs.dat to", Startup, "SpefTCDir"), chooser, prompter);
}

bool BrowseMapEditor(GameDirectories& dirs, ProfileFile& ini, FileDialog& dialog, Prompter& prompter)
{
    dialog.filter = ProgramFilter;
    if (!prompter.ExecuteOpen(dialog) ||
        !StorableChoice(dialog.fileName, SettingName("map editing program", Directories, "MainQMapEdProg"), prompter))
        return false;
    dirs.MainQMapEdProg = dialog.fileName;
    ini.WriteString(Directories, "MainQMapEdProg", dirs.MainQMapEdProg);
    return true;
}

bool BrowseCompileTool(GameDirectories& dirs, ProfileFile& ini, FileDialog& dialog, Prompter& prompter)
{
    dialog.filter = ProgramFilter;
    if (!prompter.ExecuteOpen(dialog) ||
        !StorableChoice(FileNamePart(dialog.fileName), SettingName("QuakeC compile tool", Directories, "MainQCToolDir"),
                        prompter))
        return false;
    dirs.MainQCToolDir = FileNamePart(dialog.fileName);
    ini.WriteString(Directories, "MainQCToolDir", dirs.MainQCToolDir);
    return true;
}

bool BrowseQuakeUserMap(QuakeOptions& options, FileDialog& dialog, const std::string& quakeDir, Prompter& prompter)
{
    return BrowseFile(dialog, QuakeMapFilter, quakeDir, prompter, SettingName("user map", Startup, "UserMap"),
                      options.userMap);
}

GameLaunch PlanQuakeLaunch(QuakeOptions& o, const std::string& quakeDir, Prompter& prompter)
{
    GameLaunch launch;
    launch.folder = quakeDir;
    if (!DirectoryExists(quakeDir))
        return launch;
    const std::string game = IncludeTrailingPathDelimiter(AbsolutePath(quakeDir));
    launch.folder = game;
    launch.workingDir = game;

    std::string program = FileIn(game, QuakeExeName);
    bool native = false;
    if (!o.engine.empty()) {
        const bool bare = o.engine.find(PathDelim) == std::string::npos;
        program = bare ? ProgramOnPath(o.engine) : TakenFrom(game, o.engine);
        if (!FileExists(program)) {
            prompter.ShowMessage("Fatal Error: Could not find " + o.engine + ". Aborting launch...");
            return launch;
        }
        native = RunnerOfFile(program) == Runner::Direct;
    } else if (o.useAltExe) {
        if (o.altExe >= 0 && o.altExe < 3) {
            program = FileIn(game, QuakeAltExeFiles[o.altExe]);
            if (!FileExists(program)) {
                prompter.ShowMessage(std::string("Could not find ") + QuakeAltExeFiles[o.altExe] +
                                     ", turn off use alt exe, or choose another program in the box. "
                                     "Aborting launch...");
                return launch;
            }
        }
    } else if (!FileExists(program)) {
        prompter.ShowMessage("Fatal Error: Could not find Quake.exe. Aborting launch...");
        return launch;
    }

    if (o.copy && o.copyEnabled) {
        const std::string progs = FileIn(TakenFrom(game, IncludeTrailingPathDelimiter(o.progsDir)), "progs.dat");
        const std::string target = TakenFrom(game, o.spefTCDir);
        const bool haveFile = FileExists(progs), haveFolder = DirectoryExists(target);
        if (haveFile && haveFolder)
            launch.copies.push_back({progs, FileIn(IncludeTrailingPathDelimiter(target), "progs.dat")});
        if (!haveFile && prompter.MessageDlg("Progs.dat Could not be copied overed to the Specified directory, "
                                             "because the progs.dat does not exist. Continue?",
                                             MsgType::Confirm, MsgButtons::YesNo) == MsgResult::No)
            return launch;
        if (!haveFolder) {
            o.spefTCDir.clear();
            o.copyEnabled = false;
            if (prompter.MessageDlg("Progs.dat Could not be copied overed to the Specified directory, "
                                    "because the specified directory does not exist. Continue?",
                                    MsgType::Confirm, MsgButtons::YesNo) == MsgResult::No)
                return launch;
        }
    }

    launch.program = program;
    launch.native = native;
    std::string& line = launch.parameters;
    // A native engine that does not live in the game folder finds it so.
    if (native)
        line = "-basedir " + QuotedArgument(game) + (o.launchReg ? "" : " ");
    if (o.launchReg) {
        launch.start = true;
        return launch;
    }

    if (o.useTC && o.useTCEnabled) {
        if (QuakeDirSortsAfterTc(quakeDir, o.tc)) {
            prompter.ShowMessage("TC directory not in Quake Directory, Aborting Launch...");
            return launch;
        }
        line += "-game " + FileNamePart(o.tc) + " ";
    }
    if (o.skill >= 1 && o.skill <= 4)
        line += "+skill " + std::to_string(o.skill - 1) + " ";
    if (!o.userMap.empty()) {
        // A user map wins over the level list even when it is missing; then no map is passed.
        if (FileExists(TakenFrom(game, o.userMap)))
            line += "+map " + FileStemPart(FileNamePart(o.userMap)) + " ";
    } else {
        line += LevelSwitch(o.level);
    }
    launch.start = true;
    return launch;
}

} // namespace tessel

#include "launch/DukeLaunch.h"

#include <algorithm>
#include <cctype>

#include "platform/Files.h"
#include "platform/SettingsTable.h"

namespace tessel {

const char* const DukeExeName = "Duke3D.exe";
const char* const DukeGroupName = "DUKE3D.GRP";
const char* const DukeMapFilter = "Duke3D Maps (*.map)|*.map";

namespace {

const char* const Startup = "DukeStartup";
const char* const Directories = "Directorys";

// DukeStartup, in the order of writing.
const SettingRow<DukeOptions> OptionRows[] = {
    Setting("Skill", &DukeOptions::skill, SkillRange),
    Setting("LaunchReg", &DukeOptions::launchReg),
    Setting("FakeMulti", &DukeOptions::fakeMulti),
    Setting("NoMon", &DukeOptions::noMon),
    Setting("Copy", &DukeOptions::copy),
    Setting("RecordDemo", &DukeOptions::recordDemo),
    Setting("AutoCopy", &DukeOptions::autoCopy),
    Setting("UseTC", &DukeOptions::useTC),
    Setting("LoadGameCon", &DukeOptions::loadGameCon),
    Setting("FakePlayers", &DukeOptions::fakePlayers, Clamped(1, 8)),
    Setting("Episode", &DukeOptions::episode, Clamped(1, 3)),
    Setting("Map", &DukeOptions::map),
    Setting("UserMap", &DukeOptions::userMap),
    Setting("AlternateEXE", &DukeOptions::alternateExe),
    Setting("Engine", &DukeOptions::engine),
};

// Directorys: each read only when set.
const SettingRow<GameDirectories> DirectoryRows[] = {
    Setting("Duke3DDir", &GameDirectories::Duke3DDir),
    Setting("ConDir", &GameDirectories::ConDir),
    Setting("BuildDir", &GameDirectories::BuildDir),
};

// A spin field takes a value within its limits.
int WithinLimits(int value, int low, int high)
{
    return std::clamp(value, low, high);
}

// The game folder as an absolute path ending in a separator; "" when it is no
// existing directory.
std::string GameFolder(const std::string& duke3dDir)
{
    return DirectoryExists(duke3dDir) ? IncludeTrailingPathDelimiter(AbsolutePath(duke3dDir)) : std::string();
}

} // namespace

void ReadDukeDirectories(const ProfileFile& ini, GameDirectories& dirs)
{
    ReadDirectoriesWhenSet(ini, Directories, DirectoryRows, dirs);
}

DukeOptions ReadDukeOptions(const ProfileFile& ini)
{
    DukeOptions o;
    ReadSettings(ini, Startup, OptionRows, o);
    // The episode and map as their spin fields take them, with their change rules.
    const int episode = o.episode, map = o.map;
    o.episode = o.map = 1;
    if (episode != o.episode)
        ChangeDukeEpisode(o, episode);
    const int mapWithin = WithinLimits(map, 1, o.mapMax);
    if (mapWithin != o.map)
        ChangeDukeMap(o, mapWithin);
    return o;
}

void WriteDukeOptions(ProfileEdit& edit, const DukeOptions& o)
{
    WriteSettings(edit, Startup, OptionRows, o);
}

int DukeMapLimit(int episode)
{
    return episode == 1 ? 6 : 11;
}

void ChangeDukeEpisode(DukeOptions& options, int episode)
{
    options.episode = WithinLimits(episode, 1, 3);
    options.map = 1;
    options.mapMax = DukeMapLimit(options.episode);
}

void ChangeDukeMap(DukeOptions& options, int map)
{
    options.mapMax = DukeMapLimit(options.episode);
    options.map = WithinLimits(map, 1, options.mapMax);
}

bool BrowseDukeDirectory(GameDirectories& dirs, ProfileFile& ini, DirectoryChooser& chooser, Prompter& prompter,
                         bool engineChosen)
{
    return StoreDirectorySetting(dirs.Duke3DDir, ini, Directories, "Duke3DDir", "Duke Nukem 3D folder", chooser, prompter, [&](const std::string& dir) {
        if (FileExists(FileIn(dir, DukeExeName)) || (engineChosen && FileExists(FileIn(dir, DukeGroupName))))
            return true;
        prompter.MessageDlg("This isn't the Duke Directory.", MsgType::Information, MsgButtons::Ok);
        return false;
    });
}

bool BrowseConDirectory(GameDirectories& dirs, ProfileFile& ini, DirectoryChooser& chooser, Prompter& prompter)
{
    return StoreDirectorySetting(dirs.ConDir, ini, Directories, "ConDir", "con file folder", chooser, prompter);
}

bool BrowseBuildDirectory(GameDirectories& dirs, ProfileFile& ini, DirectoryChooser& chooser, Prompter& prompter)
{
    return StoreDirectorySetting(dirs.BuildDir, ini, Directories, "BuildDir", "Build folder", chooser, prompter);
}

bool BrowseDukeUserMap(DukeOptions& options, FileDialog& dialog, const std::string& duke3dDir, Prompter& prompter)
{
    return BrowseFile(dialog, DukeMapFilter, duke3dDir, prompter, "user map ([DukeStartup] UserMap)", options.userMap);
}

bool BrowseDukeAlternateExe(DukeOptions& options, FileDialog& dialog, const std::string& duke3dDir,
                            Prompter& prompter)
{
    return BrowseFile(dialog, ProgramFilter, duke3dDir, prompter, "TC program ([DukeStartup] AlternateEXE)",
                      options.alternateExe);
}

std::vector<std::string> DukeStartupFiles(const DukeOptions& options, const std::string& conDir,
                                          Prompter& prompter)
{
    std::vector<std::string> files;
    if (options.loadGameCon && !conDir.empty()) {
        const std::string gameCon = FileIn(IncludeTrailingPathDelimiter(conDir), "Game.con");
        if (FileExists(gameCon))
            files.push_back(gameCon);
        else
            prompter.MessageDlg("Game.con does not exist in the con directory: " + conDir +
                                    " Canceling loading of Game.con.",
                                MsgType::Warning, MsgButtons::Ok);
    }
    return files;
}

GameLaunch PlanDukeConCopy(const DukeOptions& o, const std::string& duke3dDir, const std::string& conDir)
{
    GameLaunch launch;
    launch.folder = duke3dDir;
    const std::string game = GameFolder(duke3dDir);
    if (game.empty())
        return launch;
    launch.folder = game;
    // Without a con directory there is nothing to copy from: the names alone
    // would denote the game's own files, and copying those onto themselves
    // fails and would block every launch behind a disabled check box.
    if (o.copy && !conDir.empty()) {
        const std::string from = TakenFrom(game, IncludeTrailingPathDelimiter(conDir));
        for (const char* name : {"User.con", "Defs.con", "Game.con"}) {
            const std::string source = FileIn(from, name);
            if (FileExists(source))
                launch.copies.push_back({source, FileIn(game, name)});
        }
    }
    return launch;
}

DukeLineForm DukeLineFormOf(const std::string& engine)
{
    if (RunnerOfFile(engine) != Runner::Direct)
        return DukeLineForm::Dos;
    std::string name = ExtractFileName(engine);
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    return name.rfind("raze", 0) == 0 ? DukeLineForm::Raze : DukeLineForm::EDuke32;
}

std::string DukeCommandLine(const DukeOptions& o, DukeLineForm form, const std::string& map,
                            const DukeNativeFiles& files)
{
    std::string line;
    if (form == DukeLineForm::Dos) {
        if (o.launchReg)
            return line;
        if (!map.empty())
            line += "-map " + map + " ";
        if (o.noMon)
            line += "/m ";
        if (o.recordDemo)
            line += "/r ";
        if (o.fakeMulti)
            line += "/q" + std::to_string(o.fakePlayers) + " ";
        line += "/v" + std::to_string(o.episode) + " ";
        line += "/l" + std::to_string(o.map) + " ";
        if (o.skill >= 1 && o.skill <= 4)
            line += "/s" + std::to_string(o.skill) + " ";
        return line;
    }
    const bool eduke32 = form == DukeLineForm::EDuke32;
    auto add = [&line](const std::string& text) { line += (line.empty() ? "" : " ") + text; };
    if (!o.launchReg) {
        if (!map.empty())
            add("-map " + QuotedArgument(map));
        if (o.noMon)
            add(eduke32 ? "-m" : "-nomonsters");
        if (eduke32) {
            if (o.recordDemo)
                add("-r");
            if (o.fakeMulti)
                add("-q" + std::to_string(o.fakePlayers));
            add("-v" + std::to_string(o.episode) + " -l" + std::to_string(o.map));
            if (o.skill >= 1 && o.skill <= 4)
                add("-s" + std::to_string(o.skill));
        }
    }
    if (!files.gameDir.empty())
        add("-j " + QuotedArgument(files.gameDir));
    if (!o.launchReg && !files.gameCon.empty())
        add("-j " + QuotedArgument(files.conDir) + " -x " + QuotedArgument(files.gameCon));
    if (eduke32 && !o.launchReg)
        add("-nosetup");
    return line;
}

GameLaunch PlanDukeStart(DukeOptions& o, const std::string& duke3dDir, const std::string& conDir, Prompter& prompter)
{
    GameLaunch launch;
    const std::string game = GameFolder(duke3dDir);
    if (game.empty())
        return launch;   // the copy's plan has reported it
    launch.workingDir = game;
    launch.start = true;
    launch.program = o.engine.empty() ? FileIn(game, DukeExeName) : TakenFrom(game, o.engine);
    const DukeLineForm form = o.engine.empty() ? DukeLineForm::Dos : DukeLineFormOf(launch.program);
    launch.native = form != DukeLineForm::Dos;
    DukeNativeFiles files;
    if (form != DukeLineForm::Dos) {
        files.gameDir = game;
        // The edited con files, when they are not copied over the game's own.
        const std::string cons = conDir.empty() ? conDir : IncludeTrailingPathDelimiter(TakenFrom(game, conDir));
        const std::string gameCon = FileIn(cons, "Game.con");
        if (!o.copy && !cons.empty() && FileExists(gameCon) && !SameFile(cons, game))
            files.conDir = cons, files.gameCon = gameCon;
    }
    if (o.launchReg) {
        launch.parameters = DukeCommandLine(o, form, std::string(), files);
        return launch;
    }
    if (o.useTC && o.UseTCEnabled()) {
        launch.program = TakenFrom(game, o.alternateExe);
        launch.native = false;   // the TC program starts as it always did
        return launch;
    }

    std::string map;
    if (!o.userMap.empty()) {
        const std::string userMap = TakenFrom(game, o.userMap);
        if (FileExists(userMap)) {
            map = FileNamePart(o.userMap);
            const bool there = FileExists(FileIn(game, map));
            if (!there && o.autoCopy)
                launch.copies.push_back({userMap, game + map});
            else if (!there && form != DukeLineForm::Dos)
                map = AbsolutePath(userMap);   // a port takes it where it is
        } else {
            o.userMap.clear();
            prompter.MessageDlg("The user map was not found, continuing loading duke without level...",
                                MsgType::Information, MsgButtons::Ok);
        }
    }
    launch.parameters = DukeCommandLine(o, form, map, files);
    return launch;
}

} // namespace tessel

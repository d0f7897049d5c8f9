#include "launch/DukeLaunch.h"

#include <algorithm>

#include "platform/Files.h"
#include "shell/Globals.h"

namespace tessel {

const char* const DukeExeName = "Duke3D.exe";
const char* const DukeMapFilter = "Duke3D Maps (*.map)|*.map";

namespace {

const char* const Startup = "DukeStartup";
const char* const Directories = "Directorys";

// A spin field takes a value within its limits.
int WithinLimits(int value, int low, int high)
{
    return std::clamp(value, low, high);
}

// The open dialog of a Browse button: its filter, and the Duke directory as its
// folder when that is set (otherwise the folder it was left in).
bool BrowseFile(FileDialog& dialog, const char* filter, Prompter& prompter, std::string& into)
{
    dialog.filter = filter;
    if (!Duke3DDir.empty())
        dialog.initialDir = Duke3DDir;
    if (!prompter.ExecuteOpen(dialog))
        return false;
    into = dialog.fileName;
    return true;
}

} // namespace

void ReadDukeDirectories(const ProfileFile& ini)
{
    for (auto [key, setting] : {std::pair{"Duke3DDir", &Duke3DDir}, {"ConDir", &ConDir}, {"BuildDir", &BuildDir}}) {
        const std::string dir = ini.ReadString(Directories, key, "");
        if (!dir.empty())
            *setting = dir;
    }
}

DukeOptions ReadDukeOptions(const ProfileFile& ini)
{
    DukeOptions o;
    o.launchReg = ini.ReadBool(Startup, "LaunchReg", false);
    o.fakeMulti = ini.ReadBool(Startup, "FakeMulti", false);
    o.noMon = ini.ReadBool(Startup, "NoMon", false);
    o.copy = ini.ReadBool(Startup, "Copy", false);
    o.recordDemo = ini.ReadBool(Startup, "RecordDemo", false);
    o.autoCopy = ini.ReadBool(Startup, "AutoCopy", false);
    o.fakePlayers = WithinLimits(ini.ReadInteger(Startup, "FakePlayers", 1), 1, 8);
    const int episode = WithinLimits(ini.ReadInteger(Startup, "Episode", 1), 1, 3);
    if (episode != o.episode)
        ChangeDukeEpisode(o, episode);
    const int map = WithinLimits(ini.ReadInteger(Startup, "Map", 1), 1, o.mapMax);
    if (map != o.map)
        ChangeDukeMap(o, map);
    o.userMap = ini.ReadString(Startup, "UserMap", "");
    o.alternateExe = ini.ReadString(Startup, "AlternateEXE", "");
    o.useTC = ini.ReadBool(Startup, "UseTC", false);
    o.loadGameCon = ini.ReadBool(Startup, "LoadGameCon", false);
    o.skill = ReadSkill(ini, Startup);
    return o;
}

void WriteDukeOptions(ProfileFile& ini, const DukeOptions& o)
{
    WriteSkill(ini, Startup, o.skill);
    ini.WriteBool(Startup, "LaunchReg", o.launchReg);
    ini.WriteBool(Startup, "FakeMulti", o.fakeMulti);
    ini.WriteBool(Startup, "NoMon", o.noMon);
    ini.WriteBool(Startup, "Copy", o.copy);
    ini.WriteBool(Startup, "RecordDemo", o.recordDemo);
    ini.WriteBool(Startup, "AutoCopy", o.autoCopy);
    ini.WriteBool(Startup, "UseTC", o.useTC);
    ini.WriteBool(Startup, "LoadGameCon", o.loadGameCon);
    ini.WriteInteger(Startup, "FakePlayers", o.fakePlayers);
    ini.WriteInteger(Startup, "Episode", o.episode);
    ini.WriteInteger(Startup, "Map", o.map);
    ini.WriteString(Startup, "UserMap", o.userMap);
    ini.WriteString(Startup, "AlternateEXE", o.alternateExe);
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

bool BrowseDukeDirectory(DirectoryChooser& chooser, Prompter& prompter)
{
    const auto dir = ChooseDirectorySetting(Duke3DDir, chooser);
    if (!dir)
        return false;
    if (!FileExists(FileIn(*dir, DukeExeName))) {
        prompter.MessageDlg("This isn't the Duke Directory.", MsgType::Information, MsgButtons::Ok);
        return false;
    }
    Duke3DDir = *dir;
    Settings().WriteString(Directories, "Duke3DDir", Duke3DDir);
    return true;
}

bool BrowseConDirectory(DirectoryChooser& chooser)
{
    const auto dir = ChooseDirectorySetting(ConDir, chooser);
    if (!dir)
        return false;
    ConDir = *dir;
    Settings().WriteString(Directories, "ConDir", ConDir);
    return true;
}

bool BrowseBuildDirectory(DirectoryChooser& chooser)
{
    const auto dir = ChooseDirectorySetting(BuildDir, chooser);
    if (!dir)
        return false;
    BuildDir = *dir;
    Settings().WriteString(Directories, "BuildDir", BuildDir);
    return true;
}

bool BrowseDukeUserMap(DukeOptions& options, FileDialog& dialog, Prompter& prompter)
{
    return BrowseFile(dialog, DukeMapFilter, prompter, options.userMap);
}

bool BrowseDukeAlternateExe(DukeOptions& options, FileDialog& dialog, Prompter& prompter)
{
    return BrowseFile(dialog, ProgramFilter, prompter, options.alternateExe);
}

std::vector<std::string> DukeStartupFiles(const DukeOptions& options, const std::string& conDir,
                                          const std::string& commandLineFile, Prompter& prompter)
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
    if (!commandLineFile.empty() && FileExists(commandLineFile))
        files.push_back(commandLineFile);
    return files;
}

GameLaunch PlanDukeLaunch(DukeOptions& o, const std::string& duke3dDir, const std::string& conDir,
                          Prompter& prompter)
{
    GameLaunch launch;
    launch.changeDirectory = true;
    launch.directory = duke3dDir;
    if (!DirectoryExists(duke3dDir))
        return launch;
    const std::string game = IncludeTrailingPathDelimiter(AbsolutePath(duke3dDir));
    launch.directory = game;
    launch.workingDir = game;

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

    launch.start = true;
    launch.program = FileIn(game, DukeExeName);
    if (o.launchReg)
        return launch;
    if (o.useTC && o.useTCEnabled()) {
        launch.program = TakenFrom(game, o.alternateExe);
        return launch;
    }

    std::string& line = launch.parameters;
    if (!o.userMap.empty()) {
        const std::string userMap = TakenFrom(game, o.userMap);
        if (FileExists(userMap)) {
            const std::string name = FileNamePart(o.userMap);
            if (!FileExists(FileIn(game, name)) && o.autoCopy)
                launch.copies.push_back({userMap, game + name});
            line += "-map " + name + " ";
        } else {
            o.userMap.clear();
            prompter.MessageDlg("The user map was not found, continuing loading duke without level...",
                                MsgType::Information, MsgButtons::Ok);
        }
    }
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
    return launch;
}

} // namespace tessel

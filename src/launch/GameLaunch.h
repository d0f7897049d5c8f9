#pragma once
// What a launch does once its options have been weighed. The launchers and the
// tool commands plan a launch (looking at the disk, telling and asking the user
// on the way, never changing anything); CarryOut then checks the folder the
// launch needs, copies the files and starts the program in its working folder,
// in that order (the program's own current folder never changes). The dialogs
// and the main window only collect options, plan and carry out. Since every
// question is asked while planning, a copy that fails is reported after them;
// a folder that does not exist is left for CarryOut to report, so that nothing
// else is said before its error.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "launch/GameDirectories.h"
#include "platform/Process.h"
#include "platform/SettingsTable.h"

namespace tessel {

// The Skill key both launchers keep in their section: read, a value other
// than 1 to 4 gives the default (3); written only while a skill (1 to 4) is chosen.
constexpr IntRange SkillRange = WrittenOnlyWithin(DefaultOutside(1, 4));

// The directory keys of a section (rows of text fields) into dirs, each only
// when it is set: an empty key leaves what dirs holds.
template <typename Rows>
void ReadDirectoriesWhenSet(const ProfileFile& ini, const char* section, const Rows& rows, GameDirectories& dirs)
{
    GameDirectories stored;
    ReadSettings(ini, section, rows, stored);
    for (const SettingRow<GameDirectories>& row : rows) {
        const auto field = std::get<std::string GameDirectories::*>(row.field);
        if (!(stored.*field).empty())
            dirs.*field = stored.*field;
    }
}

struct FileCopy {
    std::string source;
    std::string destination;
};

struct GameLaunch {
    // The folder the launch needs, checked first as entering it would be.
    std::optional<std::string> folder;
    std::vector<FileCopy> copies;   // in this order, after the folder check
    bool start = false;             // false: the launch stops before any program starts
    std::string program;
    std::string parameters;         // passed whole, whatever its length
    std::string workingDir;         // where it starts; empty: in ours
    // The program is a native engine the user picked (neither a DOS nor a
    // Windows program): it runs with its output in the Messages pane.
    bool native = false;
};

enum class LaunchResult { Stopped, Started, CouldNotStart };

struct LaunchOutcome {
    LaunchResult result = LaunchResult::Stopped;
    std::string program;
    std::string problem;   // why it could not start, when more is known than that
    std::string runner;   // what runs the program for it (DOSBox, wine...), when not itself
    bool dosRunner = false;   // runner is the DOS runner
    // Its first moments, when it started.
    std::shared_ptr<ProgramWatch> watch;
    // For panel 0 of the main status bar: "Could not start " + the program
    // (and ": " + the problem) when it could not be started at all (no such
    // file, not executable, DOSBox or wine not installed); "Started " + the
    // program + " in " + the DOS runner when DOSBox runs it; empty otherwise,
    // and then panel 0 is left alone.
    std::string StatusText() const;
    // For panel 0 once the watch has its answer: the program, and its runner,
    // when it ended at once with a failure ("/g/DUKE3D.EXE ended at once:
    // /usr/bin/dosbox ended with signal 6 (Aborted)"); empty otherwise. Does
    // not wait.
    std::string EarlyEndText() const;
};

// StatusText of a program that could not be started, for why (may be empty).
std::string CouldNotStartText(const std::string& program, const std::string& why);

// Carries a plan out, DOS programs through dosProgram (the DOSBox command,
// Process.h). A folder that cannot be entered or a copy that fails throws
// AppError with the runtime's text ("File not found", "Cannot create file
// %s"); nothing after that step happens, copies made before stay.
LaunchOutcome CarryOut(const GameLaunch& launch, const std::string& dosProgram = DefaultDosProgram);

// The launchers' file-open dialog: its title, and the filter of the Browse
// buttons that choose a program.
extern const char* const LauncherOpenTitle;   // "Select File"
extern const char* const ProgramFilter;       // "Executables (*.exe)|*.exe|Batch Files (*.bat)|*.bat"
// The engine's Browse filter: every file first (a native program has no extension).
extern const char* const EngineFilter;        // "All Files (*)|*|Executables (*.exe)|*.exe"

// A name chosen for a setting the settings file keeps (setting: what it is
// and its key, "Duke Nukem 3D folder ([Directorys] Duke3DDir)"): false, and
// a message naming the setting, when the file could not store it (a line
// break or another control character in it); the caller keeps the earlier
// choice then.
bool StorableChoice(const std::string& name, const std::string& setting, Prompter& prompter);
// The setting's name in such a message: what it is and its key.
std::string SettingName(const char* what, const char* section, const char* key);

// The open dialog of a Browse button that keeps a file name (setting: as for
// StorableChoice): filter, starting in startDir when it is set (otherwise the
// folder it was left in); a chosen name the settings file can store becomes
// into. Returns whether it did.
bool BrowseFile(FileDialog& dialog, const char* filter, const std::string& startDir, Prompter& prompter,
                const std::string& setting, std::string& into);
// The Browse button of a launcher's engine, kept in section's Engine key: the
// open dialog (EngineFilter, starting in gameDir when it is set); a chosen
// program the settings file can store becomes engine. Returns whether it did.
bool BrowseEngine(std::string& engine, FileDialog& dialog, const std::string& gameDir, const char* section,
                  Prompter& prompter);

// --- for the planners --------------------------------------------------------
// folder + name as the file exists on disk, whatever the letter case of its
// name there ("Duke3D.exe" finds "DUKE3D.EXE"); folder + name when there is none.
std::string FileIn(const std::string& folder, const std::string& name);
// A name as the system would take it with the folder base (absolute, ending
// in a separator) current: a relative name counts from base; "" stays "".
std::string TakenFrom(const std::string& base, const std::string& name);

} // namespace tessel

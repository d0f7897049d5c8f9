#pragma once
// The Duke Nukem 3D launcher without its window: the options its controls hold
// and their keys in the settings file, the change rules between them that are
// more than a widget's, its Browse commands, the files its creation opens, and
// the launch itself (what is copied, and which program starts with which
// command line: the game's own, or a native port's such as EDuke32 or Raze).
// TfrmDukeStart keeps one DukeOptions as the model of its controls and calls
// these.
#include <string>
#include <vector>

#include "launch/DirectoryChoice.h"
#include "launch/GameDirectories.h"
#include "launch/GameLaunch.h"
#include "platform/ProfileFile.h"
#include "platform/Prompter.h"

namespace tessel {

struct DukeOptions {
    bool launchReg = false;     // chkLaunchReg
    int skill = 3;              // 1 rdiCake, 2 rdiRock, 3 rdiGetSome, 4 rdiDGood; 0 none checked
    int episode = 1;            // SpinEpisode, 1 to 3
    int map = 1;                // SpinMap, 1 to mapMax
    int mapMax = 12;            // SpinMap's upper limit: 12 until the map first changes
    std::string userMap;        // txtUserMap: full path of a .map file
    bool fakeMulti = false;     // chkFakeMulti
    int fakePlayers = 1;        // spnNumFakePlayers, 1 to 8
    bool noMon = false;         // chkNoMon
    bool recordDemo = false;    // chkRecord
    bool autoCopy = false;      // chkAutoCopy
    bool useTC = false;         // chkUseTC
    std::string alternateExe;   // txtTCApp: full path of an executable or batch file
    bool copy = false;          // chkCopy (its enabled state follows ConDir, and no launch asks it)
    bool loadGameCon = false;   // chkLoadGameCon
    std::string engine;         // the engine picked to start in place of Duke3D.exe ("": Duke3D.exe)

    // chkUseTC is enabled exactly while txtTCApp names a program.
    bool UseTCEnabled() const { return !alternateExe.empty(); }
};

extern const char* const DukeExeName;     // "Duke3D.exe"
extern const char* const DukeGroupName;   // "DUKE3D.GRP", the game's data, which an engine needs
extern const char* const DukeMapFilter;   // the user map's Browse filter

// --- settings ----------------------------------------------------------------
// Creation steps 3 to 5: Directorys/Duke3DDir, ConDir and BuildDir into
// dirs.Duke3DDir, ConDir and BuildDir, each only when it is not empty. The
// dialog then disables btnRun, tlLaunchDuke and mnuDukeLaunch while Duke3DDir
// is empty, chkCopy and Label10 while ConDir is, and sets mnuDukeBuild's
// enabled state to whether BuildDir is set.
void ReadDukeDirectories(const ProfileFile& ini, GameDirectories& dirs);
// Creation steps 6 and 9 to 11: the DukeStartup keys with their defaults,
// each put into its control as the control takes it: the spin fields keep
// their limits, a stored episode or map other than 1 runs its change rule, a
// Skill other than 1 to 4 leaves 3.
DukeOptions ReadDukeOptions(const ProfileFile& ini);
// Destruction: the DukeStartup keys in their order, Skill only while a skill is checked.
void WriteDukeOptions(ProfileEdit& edit, const DukeOptions& options);

// --- change rules ------------------------------------------------------------
// The map's upper limit in an episode: 6 in the first, 11 in the others.
int DukeMapLimit(int episode);
// SpinEpisodeChange: the episode (kept within 1 to 3) resets the map to 1, and
// that reset, as every map change, sets the map's limit from the episode.
void ChangeDukeEpisode(DukeOptions& options, int episode);
// SpinMapChange: the map, within 1 and its limit, then the limit from the
// episode (the map keeps within it, as the field does when it is left).
void ChangeDukeMap(DukeOptions& options, int map);

// --- Browse commands ---------------------------------------------------------
// btnDukeDirClick: ChooseDirectorySetting on dirs.Duke3DDir. A chosen directory is
// accepted only when it holds "Duke3D.exe" (in any letter case), or, with an
// engine chosen (engineChosen), the game's data "DUKE3D.GRP" (in any letter
// case) alone; otherwise the information box "This isn't the Duke Directory."
// and nothing changes. On
// acceptance Duke3DDir takes it and Directorys/Duke3DDir is written at once.
// Returns true on acceptance: the dialog enables btnRun, tlLaunchDuke and
// mnuDukeLaunch. Either way txtDuke3dDir shows Duke3DDir afterwards. Every
// Browse below refuses, with StorableChoice's message, a name the settings
// file could not store, and keeps the earlier one.
bool BrowseDukeDirectory(GameDirectories& dirs, ProfileFile& ini, DirectoryChooser& chooser, Prompter& prompter,
                         bool engineChosen);
// btnConDirClick: ConDir takes the chosen directory, written at once. True on
// acceptance: the dialog enables chkCopy and Label10. txtConFileDir shows ConDir.
bool BrowseConDirectory(GameDirectories& dirs, ProfileFile& ini, DirectoryChooser& chooser, Prompter& prompter);
// btnBuildBrowseClick: BuildDir takes the chosen directory, written at once;
// mnuDukeBuild keeps its state. txtBuildDir shows BuildDir.
bool BrowseBuildDirectory(GameDirectories& dirs, ProfileFile& ini, DirectoryChooser& chooser, Prompter& prompter);
// btnUserBrowseClick: the open dialog (filter DukeMapFilter, starting in
// Duke3DDir when it is set); a chosen file's full path becomes the user map.
bool BrowseDukeUserMap(DukeOptions& options, FileDialog& dialog, const std::string& duke3dDir, Prompter& prompter);
// btnTCBrowseClick: the same with ProgramFilter; a chosen file becomes the
// alternate program (and so chkUseTC is enabled).
bool BrowseDukeAlternateExe(DukeOptions& options, FileDialog& dialog, const std::string& duke3dDir,
                            Prompter& prompter);

// --- creation's files --------------------------------------------------------
// Creation step 7: the file to open in a new editor window captioned
// "VurAvozid - Unnamed": conDir's "Game.con" (in any letter case) when
// loadGameCon is set and conDir is not empty. (The files named on the command
// line open after the windows are made, as File > Open opens them.) A missing
// Game.con gives the warning "Game.con does not exist in the con directory: " + conDir +
// " Canceling loading of Game.con.".
std::vector<std::string> DukeStartupFiles(const DukeOptions& options, const std::string& conDir,
                                          Prompter& prompter);

// --- command lines -------------------------------------------------------------
// The forms of a Duke Nukem 3D command line: the game's own, which
// Duke3D.exe and any DOS or Windows program picked as the engine get; that of
// EDuke32 and the ports that took its options (NBlood's family), which a
// native program picked as the engine gets; Raze's, for a native program
// whose name starts with "raze" (in any case).
enum class DukeLineForm { Dos, EDuke32, Raze };
// The form of the engine program (a path): Dos unless it runs natively.
DukeLineForm DukeLineFormOf(const std::string& engine);
// What a native port is told besides the options: the game folder (-j), and,
// when the con files are not copied, the con folder (-j) and its Game.con (-x).
struct DukeNativeFiles {
    std::string gameDir, conDir, gameCon;
};
// The command line of the options in form; map is the -map argument (""
// none). The game's form is the one it always had, each switch followed by a
// blank: "-map test.map /m /r /q4 /v2 /l5 /s2 ". EDuke32's takes the same
// switches with "-" ("-map test.map -m -r -q4 -v2 -l5 -s2"), then "-j GAME",
// "-j CON -x GAMECON" when they are given, and "-nosetup" (no setup window);
// Raze's has no episode, level, skill, demo or fake player switches: "-map",
// "-nomonsters", "-j", "-x". A regular start gives the game nothing and a port
// only the folders. Names are quoted where a blank would split them.
std::string DukeCommandLine(const DukeOptions& options, DukeLineForm form, const std::string& map,
                            const DukeNativeFiles& files);

// --- the launch --------------------------------------------------------------
// btnRunClick, run also by Launch Duke3D and tlLaunchDuke with the options the
// controls hold, is two plans for CarryOut, the second planned only once the
// first went through: the user map is looked at after the con files were
// copied, so a failed copy stops the launch before anything is said about it.
//
// The copy: duke3dDir is the folder the launch needs; with copy set and
// conDir not empty, User.con, Defs.con and Game.con copied from conDir in
// that order (those that exist). A duke3dDir that is no existing directory
// gives a plan that only needs it, so that CarryOut reports why.
GameLaunch PlanDukeConCopy(const DukeOptions& options, const std::string& duke3dDir, const std::string& conDir);
// The start, in duke3dDir, of the game: "Duke3D.exe", or the engine picked:
// started plainly when launchReg is set (a port given the folders only),
// else the alternate program when useTC is checked and enabled, else with the
// command line of the options in the form of the program (DukeCommandLine),
// a user map outside duke3dDir copied there first when autoCopy is set (a
// port is given its path when it stays outside). A user map that does not
// exist is emptied in options (the dialog shows that in txtUserMap) with the
// information box "The user map was not found, continuing loading duke
// without level...". A port is given conDir's Game.con unless copy is set.
// Relative names count from duke3dDir. A native engine's start is marked
// native (the TC program's never is).
GameLaunch PlanDukeStart(DukeOptions& options, const std::string& duke3dDir, const std::string& conDir,
                         Prompter& prompter);

} // namespace tessel

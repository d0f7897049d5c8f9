#pragma once
// The Quake launcher without its window: the options its controls hold and
// their keys in the settings file, its lists, the change rules that decide what
// a launch may use, its Browse commands, and the launch itself (progs.dat
// copied into a TC directory, and which executable starts with which command
// line: the game's own, or a native engine's such as quakespasm's).
// TfrmQuakeStart keeps one QuakeOptions as the model of its controls and
// calls these.
#include <string>
#include <vector>

#include "launch/DirectoryChoice.h"
#include "launch/GameDirectories.h"
#include "launch/GameLaunch.h"
#include "platform/ProfileFile.h"
#include "platform/Prompter.h"

namespace tessel {

struct QuakeOptions {
    bool launchReg = false;      // chkLaunchReg
    int skill = 3;               // 1 rdiEasy, 2 rdiMedium, 3 rdiHard, 4 rdiNightMare; 0 none checked
    int level = 0;               // cmbLevel's index into QuakeLevelItems, -1 none
    std::string userMap;         // txtUserMap: full path of a .bsp file
    bool recordDemo = false;     // chkRecord: kept and stored only
    bool useTC = false;          // chkUseTC
    bool useTCEnabled = false;   // whether chkUseTC is enabled (the launch asks it)
    std::string tc;              // txtTCApp: the TC directory, ending in a separator
    bool useAltExe = false;      // chkUseAltExe; cmbAltExe is enabled exactly while it is checked
    int altExe = 0;              // cmbAltExe's index into QuakeAltExeItems, -1 none
    bool copy = false;           // chkCopy
    bool copyEnabled = false;    // whether chkCopy (and Label10) is enabled (the launch asks it)
    std::string progsDir;        // txtProgsDir: the folder of the progs.dat to copy
    std::string spefTCDir;       // txtSpefTC: the folder it is copied to
    std::string engine;          // the engine picked to start in place of Quake.exe ("": Quake.exe or the alternate)
};

constexpr int QuakeLevelCount = 38;
extern const char* const QuakeLevelItems[QuakeLevelCount];   // cmbLevel's items: "Entrance", "e1m1: ..."
extern const char* const QuakeAltExeItems[3];                // cmbAltExe's items: "GLQuake", "Q95", "QLaunch"
extern const char* const QuakeAltExeFiles[3];                // what they start: "GlQuake.exe", ...
extern const char* const QuakeExeName;                       // "Quake.exe"
extern const char* const QuakeMapFilter;                     // the user map's Browse filter
// The native Quake engines of Debian looked for on the PATH: quakespasm, darkplaces.
extern const char* const QuakeEngineNames[2];
// The full paths of those found on the PATH, in that order.
std::vector<std::string> QuakeEnginesOnPath();

// --- settings ----------------------------------------------------------------
// Creation steps 2 to 5: QuakeDirectorys/QuakeDir, QCDir, MainQMapEdProg and
// MainQCToolDir into their settings, each only when it is not empty. The dialog
// then disables btnRun, tlLaunchQuake and mnuQuakeLaunchQ while QuakeDir is
// empty, and sets the enabled states of mnuQuakeMapEd and mnuQuakeCompile to
// whether MainQMapEdProg and MainQCToolDir are set.
void ReadQuakeDirectories(const ProfileFile& ini, GameDirectories& dirs);
// Creation steps 6 to 9: the QuakeStartup keys and QuakeDirectorys/ProgsDir
// with their defaults, each put into its control as the control takes it: a
// list index outside the list selects nothing, a Skill other than 1 to 4 leaves
// 3; chkUseTC starts enabled only while launchReg is clear and tc is set,
// chkCopy only while progsDir is set.
QuakeOptions ReadQuakeOptions(const ProfileFile& ini);
// Destruction: the QuakeStartup keys in their order (Skill only while a skill
// is checked), then QuakeDirectorys/ProgsDir.
void WriteQuakeOptions(ProfileEdit& edit, const QuakeOptions& options);

// --- change rules ------------------------------------------------------------
// chkLaunchRegClick as far as the launch cares: chkUseTC is disabled while the
// switch is checked and enabled when it is cleared, even without a TC
// directory. (The skill buttons, cmbLevel, txtUserMap, its two buttons and
// chkRecord follow the switch too; they are the dialog's.)
void ChangeQuakeLaunchReg(QuakeOptions& options, bool checked);

// The TC test of the launch: true when quakeDir sorts after the TC directory
// (whole texts compared byte by byte, case counting, a text sorting before every
// longer text that begins with it); the launch then refuses the TC.
bool QuakeDirSortsAfterTc(const std::string& quakeDir, const std::string& tc);

// --- Browse and Clear commands -----------------------------------------------
// Every Browse here refuses, with StorableChoice's message, a name the
// settings file could not store, and keeps the earlier one.
// btnQuakeDir: QuakeDir takes the chosen directory without a test, written at
// once. True on acceptance: the dialog enables btnRun, tlLaunchQuake and
// mnuQuakeLaunchQ. txtQuakeDir shows QuakeDir afterwards either way.
bool BrowseQuakeDirectory(GameDirectories& dirs, ProfileFile& ini, DirectoryChooser& chooser, Prompter& prompter);
// btnQCDir: QCDir takes the chosen directory, written at once. txtQCFileDir shows QCDir.
bool BrowseQCDirectory(GameDirectories& dirs, ProfileFile& ini, DirectoryChooser& chooser, Prompter& prompter);
// btnTCBrowse: the chooser starts in QuakeDir (which is emptied when it no
// longer exists); a chosen directory becomes the TC and enables chkUseTC.
bool BrowseQuakeTc(QuakeOptions& options, std::string& quakeDir, DirectoryChooser& chooser, Prompter& prompter);
// btnTCClear: no TC, chkUseTC disabled.
void ClearQuakeTc(QuakeOptions& options);
// btnProgsBrowse: the chooser starts where it was left; a chosen directory
// becomes progsDir, and chkCopy is enabled when spefTCDir is set.
bool BrowseProgsDirectory(QuakeOptions& options, DirectoryChooser& chooser, Prompter& prompter);
// btnSpefTC: the same for spefTCDir, enabling chkCopy when progsDir is set.
bool BrowseSpecifiedTcDirectory(QuakeOptions& options, DirectoryChooser& chooser, Prompter& prompter);
// btnMapEdBrowse: a program chosen in the open dialog (ProgramFilter) becomes
// MainQMapEdProg, written at once; the dialog enables mnuQuakeMapEd.
bool BrowseMapEditor(GameDirectories& dirs, ProfileFile& ini, FileDialog& dialog, Prompter& prompter);
// btnCompileTls: of a chosen program only its name becomes MainQCToolDir,
// written at once; the dialog enables mnuQuakeCompile.
bool BrowseCompileTool(GameDirectories& dirs, ProfileFile& ini, FileDialog& dialog, Prompter& prompter);
// btnUserBrowse: the open dialog (QuakeMapFilter, starting in QuakeDir when it
// is set); a chosen file's full path becomes the user map.
bool BrowseQuakeUserMap(QuakeOptions& options, FileDialog& dialog, const std::string& quakeDir, Prompter& prompter);

// --- the launch --------------------------------------------------------------
// btnRunClick, run also by tlLaunchQuake and Launch Quake with the options the
// controls hold, as a plan for CarryOut: quakeDir needed; the executable
// chosen ("Quake.exe", or the alternate one, each looked for in quakeDir in any
// letter case; a missing one is reported and stops the launch); progs.dat
// copied into spefTCDir when copy is checked and enabled, asking whether to go
// on when the file or the folder is missing (a missing folder empties spefTCDir
// and disables chkCopy in options, for the dialog to show); then the executable
// started plainly when launchReg is set, else with the command line of the
// options, unless the TC test refuses the TC. A quakeDir that is no existing
// directory gives a plan that only needs it, so that CarryOut reports why.
// The executable starts in quakeDir, and relative names count from it.
// With an engine picked, that program starts instead of Quake.exe and the
// alternate executables (a bare name is looked for on the PATH; a missing one
// gives "Fatal Error: Could not find <engine>. Aborting launch..."); a native
// one is told the game folder first, "-basedir DIR " before the line of the
// options (only that on a regular start), and its start is marked native; a
// DOS or Windows one gets the line as the game does.
GameLaunch PlanQuakeLaunch(QuakeOptions& options, const std::string& quakeDir, Prompter& prompter);

} // namespace tessel

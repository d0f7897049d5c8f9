#pragma once
// The application's state: what the windows share, made once in main() and
// passed by reference to the main window, which lends it to the others. It
// holds the settings-backed values (directories, the game mode, the recent
// files, the options), the language tables, the calculator's numbers, and the
// request block by which the shell reaches the active editor window. What
// belongs to one window (an editor's line state) lives in that window.
#include <string>
#include <vector>

#include "calc/CalcState.h"
#include "editor/EditorRequests.h"
#include "editor/Recovery.h"
#include "language/ColorDefinitions.h"
#include "language/WizardFile.h"
#include "launch/GameDirectories.h"
#include "platform/Locations.h"
#include "platform/Process.h"
#include "platform/ProfileFile.h"

namespace tessel {

constexpr int RecentCount = 4;

struct Workspace : GameDirectories {
    explicit Workspace(FileLocations locations);
    // Settings and data files all in programDir ("": the current folder).
    // The recovery copies go to RecoveryDir as the environment names it now.
    explicit Workspace(const std::string& programDir) : Workspace(PortableLocations(programDir)) {}

    FileLocations Locations;         // where the settings and data files are
    std::string SettingsFileName;    // "QztMain.ini" in the settings folder
    int GameMode = 0;                // 1 Duke, 2 Quake, 3 Verge; others: no mode
    std::vector<std::string> RecentList = std::vector<std::string>(RecentCount);   // most recent first
    EditorRequestsType EditorRequests;
    std::string PendingFileName;     // the file a load or save request names
    // Tool windows that exist at most once.
    bool CalculatorOpen = false, FaqOpen = false, DukeLauncherOpen = false, QuakeLauncherOpen = false,
         GeneralOptionsOpen = false;
    bool AutoIndent = false;
    SavingOption Saving = SavingOption::Both;   // the general options' choice
    bool NoColoring = false;
    bool TreeListDisabled = false;
    std::string DosProgram = DefaultDosProgram;   // how DOS programs start: DOSBox and its arguments
    KeywordTableType KeywordTable;
    WizardTable Wizard;
    CalcState CalculatorState;       // the calculator's numbers; they outlive its windows
    RecoveryStore Recovery;          // copies of the unsaved documents

    // A short-lived accessor on the settings file.
    ProfileFile Settings() const { return ProfileFile(SettingsFileName); }
};

} // namespace tessel

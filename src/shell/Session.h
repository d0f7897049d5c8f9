#pragma once
// What the main window reads at start and writes at exit, and the table of
// the three game modes: what each chooses for the wizard, the menus, the
// file dialogs, saving and the editor windows' captions.
#include <string>
#include <vector>

#include "platform/ProfileFile.h"

namespace tessel {

struct GameModeInfo {
    const char* wizardCaption;   // "Con Wizard"
    const char* openFilter;      // "Description|pattern|..." for the Open dialog
    const char* saveFilter;
    const char* gameExtension;   // ".con": added on saving, written by an editor window
    const char* captionPrefix;   // "VurAvozid - ": an editor window's caption before its file name
};

// The mode's entry for 1 Duke Nukem 3D, 2 Quake, 3 Verge; nullptr for any other value (no mode).
const GameModeInfo* GameModeOf(int mode);
// The filters before any mode is selected.
extern const char* const StartupOpenFilter;
extern const char* const StartupSaveFilter;

struct StartupSettings {
    int gameUp = 1;                         // ProgStartup/GameUp
    std::vector<std::string> recent;        // RecentFiles/Recent1.. up to the first empty value
    bool treeListDisabled = false;          // GroupFileExplorer/TreeListEnable (true: no tree)
};
StartupSettings ReadStartupSettings(const ProfileFile& ini, int recentCount);
// GameUp, then Recent1.. up to the first empty slot; keys of empty slots stay.
void WriteSessionSettings(ProfileFile& ini, int gameMode, const std::vector<std::string>& recent);

} // namespace tessel

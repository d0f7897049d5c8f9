#pragma once
// What the main window reads at start and writes at exit.
#include <string>
#include <vector>

#include "language/GameModes.h"
#include "platform/Process.h"
#include "platform/ProfileFile.h"

namespace tessel {

struct StartupSettings {
    int gameUp = 1;                         // ProgStartup/GameUp
    std::vector<std::string> recent;        // RecentFiles/Recent1.. up to the first empty value (storable names)
    bool treeListDisabled = false;          // GroupFileExplorer/TreeListEnable (true: no tree)
    std::string dosProgram = DefaultDosProgram;   // Tessel/DosProgram: DOSBox and its arguments (never written)
};
StartupSettings ReadStartupSettings(const ProfileFile& ini, int recentCount);
// GameUp, then Recent1.. up to the first empty slot; keys of empty slots stay.
void WriteSessionSettings(ProfileEdit& edit, int gameMode, const std::vector<std::string>& recent);

} // namespace tessel

#pragma once
// The session: where the program's files are, the game mode and the recent
// files; what the main window reads of them at start and writes at exit.
#include <string>
#include <vector>

#include "language/GameModes.h"
#include "platform/Locations.h"
#include "platform/Process.h"
#include "platform/ProfileFile.h"

namespace tessel {

constexpr int RecentCount = 4;

struct SessionState {
    explicit SessionState(FileLocations locations);
    // Settings and data files all in programDir ("": the current folder).
    explicit SessionState(const std::string& programDir) : SessionState(PortableLocations(programDir)) {}

    FileLocations Locations;         // where the settings and data files are
    std::string SettingsFileName;    // "QztMain.ini" in the settings folder
    int GameMode = 0;                // 1 Duke, 2 Quake, 3 Verge; others: no mode
    std::vector<std::string> RecentList = std::vector<std::string>(RecentCount);   // most recent first

    // A short-lived accessor on the settings file.
    ProfileFile Settings() const { return ProfileFile(SettingsFileName); }
};

struct StartupSettings {
    int gameUp = 1;                         // ProgStartup/GameUp
    std::vector<std::string> recent;        // RecentFiles/Recent1.. up to the first empty value (storable names)
    bool treeListDisabled = false;          // GroupFileExplorer/TreeListEnable (true: no tree)
    bool previewHidden = false;             // GroupFileExplorer/PreviewHidden
    int previewWidth = 360;                 // GroupFileExplorer/PreviewWidth, 120 to 4000 pixels
    std::string dosProgram = DefaultDosProgram;   // Tessel/DosProgram: DOSBox and its arguments (never written)
};
StartupSettings ReadStartupSettings(const ProfileFile& ini, int recentCount);
// GameUp, then Recent1.. up to the first empty slot; keys of empty slots stay.
void WriteSessionSettings(ProfileEdit& edit, int gameMode, const std::vector<std::string>& recent);

} // namespace tessel

#include "session/Session.h"

#include "platform/SettingsTable.h"

#include <utility>

namespace tessel {

SessionState::SessionState(FileLocations locations)
    : Locations(std::move(locations)), SettingsFileName(Locations.SettingsFileName())
{
}

namespace {
const SettingRow<StartupSettings> ProgStartupRows[] = {Setting("GameUp", &StartupSettings::gameUp)};
// The key's name says the opposite of its value: 1 means the tree list is off.
const SettingRow<StartupSettings> ExplorerRows[] = {
    Setting("TreeListEnable", &StartupSettings::treeListDisabled),
    Setting("PreviewHidden", &StartupSettings::previewHidden),
    Setting("PreviewWidth", &StartupSettings::previewWidth, Clamped(120, 4000))};
// Our own section: the user names another DOSBox (dosbox-x, dosbox-staging) there.
const SettingRow<StartupSettings> OwnRows[] = {Setting("DosProgram", &StartupSettings::dosProgram)};
} // namespace

StartupSettings ReadStartupSettings(const ProfileFile& ini, int recentCount)
{
    StartupSettings s;
    ReadSettings(ini, "ProgStartup", ProgStartupRows, s);
    ReadSettings(ini, "GroupFileExplorer", ExplorerRows, s);
    ReadSettings(ini, "Tessel", OwnRows, s);
    for (int i = 0; i < recentCount; ++i) {
        std::string name = ini.ReadString("RecentFiles", "Recent" + std::to_string(i + 1), "");
        if (name.empty())
            break;
        if (StorableInProfile(name))   // as NoteRecentFile keeps the list
            s.recent.push_back(std::move(name));
    }
    return s;
}

void WriteSessionSettings(ProfileEdit& edit, int gameMode, const std::vector<std::string>& recent)
{
    StartupSettings s;
    s.gameUp = gameMode;
    WriteSettings(edit, "ProgStartup", ProgStartupRows, s);
    for (std::size_t i = 0; i < recent.size() && !recent[i].empty(); ++i)
        edit.WriteString("RecentFiles", "Recent" + std::to_string(i + 1), recent[i]);
}

} // namespace tessel

#include "shell/Session.h"

namespace tessel {

StartupSettings ReadStartupSettings(const ProfileFile& ini, int recentCount)
{
    StartupSettings s;
    s.gameUp = ini.ReadInteger("ProgStartup", "GameUp", 1);
    for (int i = 0; i < recentCount; ++i) {
        std::string name = ini.ReadString("RecentFiles", "Recent" + std::to_string(i + 1), "");
        if (name.empty())
            break;
        s.recent.push_back(std::move(name));
    }
    s.treeListDisabled = ini.ReadBool("GroupFileExplorer", "TreeListEnable", false);
    return s;
}

void WriteSessionSettings(ProfileEdit& edit, int gameMode, const std::vector<std::string>& recent)
{
    edit.WriteInteger("ProgStartup", "GameUp", gameMode);
    for (std::size_t i = 0; i < recent.size() && !recent[i].empty(); ++i)
        edit.WriteString("RecentFiles", "Recent" + std::to_string(i + 1), recent[i]);
}

} // namespace tessel

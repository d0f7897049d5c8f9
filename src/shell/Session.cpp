#include "shell/Session.h"

namespace tessel {

const char* const StartupOpenFilter =
    "Qzt Files (*.qzt)|*.qzt|Con Files (*.con)|*.con|Function File (*.qcf)|*.qcf|GRP File (*.grp)|*.grp";
const char* const StartupSaveFilter = "Con Files (*.con)|*.con|Function File (*.qcf)|*.qcf";

namespace {
const GameModeInfo Modes[3] = {
    {"Con Wizard",
     "Qzt Files (*.qzt)|*.qzt|Con Files (*.con)|*.con|GRP File (*.grp)|*.grp|Function File (*.qcf)|*.qcf",
     "Con Files (*.con)|*.con", ".con", "VurAvozid - "},
    {"QC Wizard", "Qzt Files (*.qzt)|*.qzt|QuakeC Files (*.qc)|*.qc|Function File (*.qcf)|*.qcf",
     "QuakeC Files (*.qc)|*.qc", ".qc", "VUVurevo - "},
    {"VC Wizard", "Qzt Files (*.qzt)|*.qzt|VC Files (*.vc)|*.vc|Function File (*.qcf)|*.qcf", "VC Files (*.vc)|*.vc",
     ".vc", "VODododa - "},
};
} // namespace

const GameModeInfo* GameModeOf(int mode)
{
    return mode >= 1 && mode <= 3 ? &Modes[mode - 1] : nullptr;
}

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

void WriteSessionSettings(ProfileFile& ini, int gameMode, const std::vector<std::string>& recent)
{
    ini.WriteInteger("ProgStartup", "GameUp", gameMode);
    for (std::size_t i = 0; i < recent.size() && !recent[i].empty(); ++i)
        ini.WriteString("RecentFiles", "Recent" + std::to_string(i + 1), recent[i]);
}

} // namespace tessel

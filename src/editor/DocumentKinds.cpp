#include "editor/DocumentKinds.h"

#include "language/GameModes.h"
#include "platform/Paths.h"

namespace tessel {

LoadColoring LoadColoringOf(const std::string& name, bool noColoring)
{
    const bool projectName = name.size() >= 3 && name.compare(name.size() - 3, 3, "qzt") == 0;
    if (projectName)
        return noColoring ? LoadColoring::Black : LoadColoring::AsStored;
    return noColoring ? LoadColoring::AsStored : LoadColoring::ColorWhole;
}

std::vector<SaveTarget> SaveTargets(const std::string& name, int gameMode, SavingOption option)
{
    const std::string extension = NamePartExtension(name);
    if (extension != "con" && extension != "qc" && extension != "vc" && extension != "qzt")
        return {{name, false}};
    const std::string base = WithoutNamePartExtension(name);
    // Without a game mode the game file is a con file, as the start-up filters offer.
    const GameModeInfo* mode = GameModeOf(gameMode);
    std::vector<SaveTarget> targets;
    if (option == SavingOption::Both || option == SavingOption::ProjectFile)
        targets.push_back({base + ".qzt", true});
    if (option == SavingOption::Both || option == SavingOption::GameFile)
        targets.push_back({base + (mode ? mode->gameExtension : ".con"), false});
    return targets;
}

int ScriptMode(const std::string& name)
{
    const std::string extension = "." + NamePartExtension(name);
    for (int mode = 1; GameModeOf(mode); ++mode)
        if (extension == GameModeOf(mode)->gameExtension)
            return mode;
    return 0;
}

bool SavesElsewhere(const std::string& name, int gameMode, SavingOption option)
{
    const int own = ScriptMode(name);
    return own != 0 && option != SavingOption::ProjectFile && SaveTargets(name, gameMode, option).back().path != name;
}

} // namespace tessel

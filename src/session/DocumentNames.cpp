#include "session/DocumentNames.h"

#include <algorithm>
#include <cctype>

#include "language/GameModes.h"
#include "platform/Paths.h"

namespace tessel {

const char* const EditorCaptionPrefix = "VurAvozid - ";
const char* const NewExplorerCaption = "Tessel Group File Explorer - No File Loaded";
const char* const UnnamedName = "Unnamed";

std::string UnnamedCaption(int documentCount)
{
    return EditorCaption(UnnamedName + std::to_string(documentCount + 1));
}

std::string EditorCaption(const std::string& name)
{
    return EditorCaptionPrefix + name;
}

std::string CaptionFileName(const std::string& caption)
{
    const auto dash = caption.find('-');
    if (dash == std::string::npos)
        return caption.empty() ? caption : caption.substr(1);
    return dash + 2 < caption.size() ? caption.substr(dash + 2) : std::string();
}

bool IsUnnamed(const std::string& name)
{
    return name.rfind(UnnamedName, 0) == 0;
}

bool OpensInExplorer(const std::string& name)
{
    if (FileNamePart(name).find('.') == std::string::npos)
        return false;   // a name part without a full stop is a text file to the editor too
    std::string ext = NamePartExtension(name);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == "grp";
}

std::string SaveFileName(const std::string& chosen, int gameMode)
{
    const GameModeInfo* mode = GameModeOf(gameMode);
    return mode ? SaveFileName(chosen, mode->gameExtension) : chosen;
}

std::string ModeDialogFolder(int gameMode, const std::string& conDir, const std::string& qcDir)
{
    if (gameMode == 1)
        return conDir;
    if (gameMode == 2)
        return qcDir;
    return std::string();
}

} // namespace tessel

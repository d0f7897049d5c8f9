#include "launch/DirectoryChoice.h"

#include "launch/GameLaunch.h"
#include "platform/Files.h"

namespace tessel {

std::string ConfirmedDirectory(const std::string& shown)
{
    return IncludeTrailingPathDelimiter(shown);
}

std::optional<std::string> ChooseDirectorySetting(std::string& setting, DirectoryChooser& chooser)
{
    std::optional<std::string> start;
    if (!setting.empty() && DirectoryExists(setting))
        start = setting;
    else
        setting.clear();
    const std::optional<std::string> chosen = chooser.ChooseDirectory(start);
    if (!chosen)
        return std::nullopt;
    return ConfirmedDirectory(*chosen);
}

bool StoreDirectorySetting(std::string& setting, ProfileFile& ini, const char* section, const char* key,
                           const char* what, DirectoryChooser& chooser, Prompter& prompter,
                           const std::function<bool(const std::string& chosen)>& accept)
{
    const auto dir = ChooseDirectorySetting(setting, chooser);
    if (!dir || (accept && !accept(*dir)) || !StorableChoice(*dir, SettingName(what, section, key), prompter))
        return false;
    setting = *dir;
    ini.WriteString(section, key, setting);
    return true;
}

} // namespace tessel

#include "launch/DirectoryChoice.h"

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

} // namespace tessel

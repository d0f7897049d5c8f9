#include "language/ColorDefinitions.h"

#include "language/DefinitionFile.h"
#include "platform/Convert.h"

namespace tessel {

std::string ColorDefinitionFileName(int gameMode, ConLanguage con)
{
    switch (gameMode) {
    case 1: return con == ConLanguage::EDuke32 ? "EDFcs.qcf" : "CNFcs.qcf";
    case 2: return "QCFcs.qcf";
    case 3: return "VGFcs.qcf";
    default: return {};
    }
}

bool LoadColorDefinitions(int gameMode, const std::string& programDir, KeywordTableType& table, Prompter& prompter,
                          ConLanguage con)
{
    table.clear();
    const std::string name = ColorDefinitionFileName(gameMode, con);
    return name.empty() || LoadColorDefinitionFile(programDir, name, table, prompter);
}

bool LoadColorDefinitionFile(const std::string& dir, const std::string& name, KeywordTableType& table,
                             Prompter& prompter)
{
    table.clear();
    static const DefinitionFormat format{'{', ',', '}', "color coating for the given game will not work."};
    return ReadDefinitionFile(dir, name, format, prompter,
                              [&](std::string keyword, const std::string& color) -> const char* {
        // A colour that is no number ends the whole load (ConvertError).
        const int code = StrToInt(color);
        if (code < 1 || code > 3)
            return "): Invalid Color.  Skipping current function.";
        const TColor colors[3] = {clRed, clGreen, clBlue};
        const auto length = static_cast<std::int32_t>(keyword.size());
        table.push_back(ConType{std::move(keyword), length, colors[code - 1]});
        return nullptr;
    });
}

} // namespace tessel

#include "language/ColorDefinitions.h"

#include "platform/Convert.h"
#include "platform/Files.h"
#include "platform/Prompter.h"

namespace tessel {

std::string ColorDefinitionFileName(int gameMode)
{
    switch (gameMode) {
    case 1: return "CNFcs.qcf";
    case 2: return "QCFcs.qcf";
    case 3: return "VGFcs.qcf";
    default: return {};
    }
}

namespace {

// 1-based position of the last c in line, 0 when there is none.
std::size_t LastPos(const std::string& line, char c)
{
    const std::size_t p = line.rfind(c);
    return p == std::string::npos ? 0 : p + 1;
}

// 0 for a number that names no colour.
std::int32_t ColorOfCode(int code)
{
    switch (code) {
    case 1: return clRed;
    case 2: return clGreen;
    case 3: return clBlue;
    default: return 0;
    }
}

} // namespace

bool LoadColorDefinitions(int gameMode, const std::string& programDir,
                          KeywordTableType& table, Prompter& prompter)
{
    table.clear();
    const std::string name = ColorDefinitionFileName(gameMode);
    if (name.empty())
        return true;

    const std::string path = programDir + name;
    std::string contents;
    if (!FileExists(path) || !ReadWholeFile(path, contents)) {
        prompter.MessageDlg("Cannot find file: \"" + path +
                                "\". Without this file color coating for the given game will not work.",
                            MsgType::Information, MsgButtons::Ok);
        return false;
    }

    auto report = [&](int lineNo, const char* tail) {
        prompter.MessageDlg("Error in " + name + "(" + std::to_string(lineNo) + tail,
                            MsgType::Information, MsgButtons::Ok);
    };

    int lineNo = 0;
    std::size_t start = 0;
    while (start < contents.size()) {
        std::size_t end = contents.find('\n', start);
        const std::size_t next = end == std::string::npos ? contents.size() : end + 1;
        if (end == std::string::npos)
            end = contents.size();
        std::string line = contents.substr(start, end - start);
        start = next;
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();

        if (line.empty() || line[0] == '#')
            continue;

        const std::size_t open = LastPos(line, '{');
        const std::size_t close = LastPos(line, '}');
        const std::size_t comma = LastPos(line, ',');
        if (open == 0 || close == 0 || comma == 0) {
            report(lineNo, "): Function not entered correctly.  Skipping current function.");
            continue;
        }
        if (close < open) {
            report(lineNo, "): \"{}\" out of ouder.  Skipping current function.");
            continue;
        }
        if (comma <= open || comma >= close) {
            report(lineNo, "): \",\" out of order.  Skipping current function.");
            continue;
        }

        // Positions are 1-based: the keyword runs from index open to comma - 2.
        std::string keyword = line.substr(open, comma - open - 1);
        // A colour that is no number ends the whole load (ConvertError).
        const std::int32_t color = ColorOfCode(StrToInt(line.substr(comma, close - comma - 1)));
        if (color == 0) {
            report(lineNo, "): Invalid Color.  Skipping current function.");
            continue;
        }
        const auto length = static_cast<std::int32_t>(keyword.size());
        table.push_back(ConType{std::move(keyword), length, color});
    }
    return true;
}

} // namespace tessel

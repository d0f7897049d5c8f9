#include "language/DefinitionFile.h"

#include "platform/Files.h"
#include "platform/Prompter.h"

namespace tessel {

namespace {

// 1-based position of the last c in line, 0 when there is none.
std::size_t LastPos(const std::string& line, char c)
{
    const std::size_t p = line.rfind(c);
    return p == std::string::npos ? 0 : p + 1;
}

} // namespace

bool ReadDefinitionFile(const std::string& dir, const std::string& name, const DefinitionFormat& format,
                        Prompter& prompter, const AcceptEntry& accept)
{
    const std::string path = dir + name;
    std::string contents;
    if (!ReadWholeFile(path, contents)) {
        prompter.MessageDlg("Cannot find file: \"" + path + "\". Without this file " + format.missingConsequence,
                            MsgType::Information, MsgButtons::Ok);
        return false;
    }
    // The misspelt "ouder" is the program's own text.
    const std::string orderTail =
        std::string("): \"") + format.open + format.close + "\" out of ouder.  Skipping current function.";
    const std::string separatorTail =
        std::string("): \"") + format.separator + "\" out of order.  Skipping current function.";

    int lineNo = 0;
    std::size_t start = 0;
    while (start < contents.size()) {
        std::size_t end = contents.find('\n', start);
        if (end == std::string::npos)
            end = contents.size();
        std::string line = contents.substr(start, end - start);
        start = end + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;

        const std::size_t open = LastPos(line, format.open);
        const std::size_t separator = LastPos(line, format.separator);
        const std::size_t close = LastPos(line, format.close);
        std::string tail;
        if (open == 0 || separator == 0 || close == 0)
            tail = "): Function not entered correctly.  Skipping current function.";
        else if (close < open)
            tail = orderTail;
        else if (separator <= open || separator >= close)
            tail = separatorTail;
        else if (const char* refused = accept(line.substr(open, separator - open - 1),
                                              line.substr(separator, close - separator - 1)))
            tail = refused;
        if (!tail.empty())
            prompter.MessageDlg("Error in " + name + "(" + std::to_string(lineNo) + tail, MsgType::Information,
                                MsgButtons::Ok);
    }
    return true;
}

} // namespace tessel

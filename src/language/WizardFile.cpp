#include "language/WizardFile.h"

#include "platform/Files.h"
#include "platform/Prompter.h"

namespace tessel {

const char* const WizardFileName = "cnfcs.ccf";

namespace {

// 1-based position of the last c in line, 0 when there is none.
std::size_t LastPos(const std::string& line, char c)
{
    const std::size_t p = line.rfind(c);
    return p == std::string::npos ? 0 : p + 1;
}

} // namespace

bool LoadWizardFile(const std::string& programDir, WizardTable& table, Prompter& prompter)
{
    table = WizardTable();
    const std::string name = WizardFileName;
    const std::string path = programDir + name;
    std::string contents;
    if (!FileExists(path) || !ReadWholeFile(path, contents)) {
        prompter.MessageDlg("Cannot find file: \"" + path +
                                "\". Without this file the con wizard will not work.",
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

        const std::size_t slash = LastPos(line, '/');
        const std::size_t semi = LastPos(line, ';');
        const std::size_t back = LastPos(line, '\\');
        if (slash == 0 || semi == 0 || back == 0) {
            report(lineNo, "): Function not entered correctly.  Skipping current function.");
            continue;
        }
        if (back < slash) {
            report(lineNo, "): \"/\\\" out of ouder.  Skipping current function.");
            continue;
        }
        if (semi <= slash || semi >= back) {
            report(lineNo, "): \";\" out of order.  Skipping current function.");
            continue;
        }

        // Positions are 1-based: the name runs from index slash to semi - 2.
        table.Names.push_back(line.substr(slash, semi - slash - 1));
        table.Params.push_back(line.substr(semi, back - semi - 1));
        table.IndexText += std::to_string(table.Names.size()) + "/" + table.Names.back() + ";";
    }
    return true;
}

} // namespace tessel

#include "session/CommandLine.h"

#include <algorithm>

#include "platform/Files.h"

namespace tessel {

namespace {
const std::string RequestHeader("tessel open 1", sizeof "tessel open 1");   // with its NUL
} // namespace

const char* const CommandLineUsage =
    "Usage: tessel [--new-instance] [FILE...]\n"
    "       tessel --help | --version\n"
    "Opens each FILE as File > Open does: a group file (.grp) in an explorer window, any other file in an\n"
    "editor window. When Tessel runs already on the same settings file, the files are handed to it.\n"
    "  --new-instance  start a Tessel of its own\n"
    "  --help          show this text\n"
    "  --version       show the version\n";

CommandLine ParseCommandLine(const std::vector<std::string>& args)
{
    CommandLine line;
    bool options = true;
    for (const std::string& a : args) {
        if (!options || a.size() < 2 || a[0] != '-') {
            line.files.push_back(a);
        } else if (a == "--") {
            options = false;
        } else if (a == "--new-instance") {
            line.newInstance = true;
        } else if (a == "--help" || a == "--version") {
            // The first of them wins, whatever else is given.
            if (line.action == CommandLine::Action::Run)
                line.action = a == "--help" ? CommandLine::Action::Help : CommandLine::Action::Version;
        } else {
            line.action = CommandLine::Action::BadUsage;
            line.error = "unknown option " + a;
            return line;
        }
    }
    return line;
}

std::string StartFileProblem(const std::string& name)
{
    const FileStamp stamp = StampOf(name);
    if (!stamp.exists)
        return name + ": no such file";
    if (DirectoryExists(name))
        return name + " is a folder";
    return stamp.regular ? std::string() : name + " is not a regular file";
}

std::string EncodeOpenRequest(const std::vector<std::string>& files)
{
    std::string message = RequestHeader;
    for (const std::string& name : files)
        message += name + '\0';
    return message + '\0';
}

RequestState DecodeOpenRequest(const std::string& bytes, std::vector<std::string>& files)
{
    const std::size_t headerSeen = std::min(bytes.size(), RequestHeader.size());
    if (bytes.compare(0, headerSeen, RequestHeader, 0, headerSeen) != 0)
        return RequestState::Invalid;
    files.clear();
    for (std::size_t start = RequestHeader.size(); start < bytes.size();) {
        const std::size_t end = bytes.find('\0', start);
        if (end == std::string::npos)
            break;
        if (end == start)
            return end + 1 == bytes.size() ? RequestState::Complete : RequestState::Invalid;
        files.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    return RequestState::Incomplete;
}

} // namespace tessel

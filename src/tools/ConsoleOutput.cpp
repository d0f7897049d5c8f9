#include "tools/ConsoleOutput.h"

#include <cerrno>
#include <cstdio>

#include "platform/Errors.h"

namespace tessel {

namespace {
[[noreturn]] void ThrowOutputError()
{
    ThrowIoError(errno != 0 ? errno : EIO);
}
} // namespace

void WriteStandardOutput(std::string_view bytes)
{
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size())
        ThrowOutputError();
}

void CloseStandardOutput()
{
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        ThrowOutputError();
    // A tool run with its output closed (">&-") that had nothing to say did
    // not fail; had it written, the flush above would have failed.
    errno = 0;
    if (std::fclose(stdout) != 0 && errno != EBADF)
        ThrowOutputError();
}

bool AnswerHelpOrVersion(const std::vector<std::string>& args, std::string_view nameAndVersion,
                         std::string_view usage)
{
    if (args.size() != 1 || (args[0] != "--help" && args[0] != "--version"))
        return false;
    WriteStandardOutput(args[0] == "--help" ? usage : std::string(nameAndVersion) + "\n");
    return true;
}

} // namespace tessel

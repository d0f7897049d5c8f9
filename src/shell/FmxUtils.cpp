#include "shell/FmxUtils.h"

#include "platform/Errors.h"
#include "platform/Files.h"

namespace tessel {

namespace {
// The copy's own messages name the file that could not be opened or created.
File OpenNamingFailure(const std::string& path, File::Mode mode, const char* message)
{
    try {
        return File(path, mode);
    } catch (const IoError&) {
        throw AppError(FormatText(message, path));
    }
}
} // namespace

void CopyWholeFile(const std::string& source, const std::string& destination)
{
    std::string target = destination;
    if (DirectoryExists(target))
        target = IncludeTrailingPathDelimiter(target) + ExtractFileName(source);

    File in = OpenNamingFailure(source, File::Mode::Read, "Cannot open file %s");
    // Nothing locks the open source here, so creating the destination would
    // truncate it when both names denote one file.
    if (SameFile(source, target))
        throw AppError(FormatText("Cannot create file %s", target));
    File out = OpenNamingFailure(target, File::Mode::Create, "Cannot create file %s");
    char buffer[8192];
    for (;;) {
        const std::size_t n = in.readSome(buffer, sizeof buffer);
        if (n == 0)
            break;
        out.write(buffer, n);
    }
    out.close();
}

void OpenWebLink(const std::string& address, Prompter& prompter)
{
    if (!StartProgram(address, std::string(), std::string()))
        prompter.MessageDlg("Unable to Start Browser for Link to Website:  " + address, MsgType::Error, MsgButtons::Ok);
}

} // namespace tessel

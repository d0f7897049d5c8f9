#include "shell/FmxUtils.h"

#include "platform/Errors.h"
#include "platform/Files.h"

namespace tessel {

void CopyWholeFile(const std::string& source, const std::string& destination)
{
    std::string target = destination;
    if (DirectoryExists(target))
        target = IncludeTrailingPathDelimiter(target) + ExtractFileName(source);

    File in = [&] {
        try {
            return File(source, File::Mode::Read);
        } catch (const IoError&) {
            throw AppError(FormatText("Cannot open file %s", source));
        }
    }();
    // Nothing locks the open source here, so creating the destination would
    // truncate it when both names denote one file.
    if (SameFile(source, target))
        throw AppError(FormatText("Cannot create file %s", target));
    File out = [&] {
        try {
            return File(target, File::Mode::Create);
        } catch (const IoError&) {
            throw AppError(FormatText("Cannot create file %s", target));
        }
    }();
    char buffer[8192];
    for (;;) {
        const std::size_t n = in.readSome(buffer, sizeof buffer);
        if (n == 0)
            break;
        out.write(buffer, n);
    }
    out.close();
}

} // namespace tessel

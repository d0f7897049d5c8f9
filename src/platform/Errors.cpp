#include "platform/Errors.h"

#include <cerrno>

namespace tessel {

std::string IoErrorText(int err)
{
    switch (err) {
    case ENOENT:
        return "File not found";
    case ENOTDIR: case ENAMETOOLONG: case EINVAL: case ELOOP:
        return "Invalid filename";
    case EMFILE: case ENFILE:
        return "Too many open files";
    case EACCES: case EPERM: case EROFS: case EISDIR: case ETXTBSY: case EBUSY:
        return "File access denied";
    case ENOSPC: case EDQUOT: case EFBIG:
        return "Disk full";
    default:
        return "I/O error " + std::to_string(err);
    }
}

void ThrowIoError(int err)
{
    throw IoError(IoErrorText(err), err);
}

void ThrowReadBeyondEnd()
{
    throw IoError("Read beyond end of file", 0);
}

void ThrowDiskFull()
{
    throw IoError("Disk full", ENOSPC);
}

void ThrowNotRegularFile(const std::string& path, bool folder)
{
    throw IoError(path + (folder ? " is a folder" : " is not a regular file"), folder ? EISDIR : EINVAL);
}

std::string FormatText(const std::string& templ, const std::string& arg)
{
    std::string out = templ;
    const auto at = out.find("%s");
    if (at != std::string::npos)
        out.replace(at, 2, arg);
    return out;
}

} // namespace tessel

#include "platform/Paths.h"

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>

namespace tessel {

bool IsAnySeparator(char c)
{
    return c == '/' || c == '\\';
}

std::string FileNamePart(const std::string& path)
{
    std::size_t end = path.size();
    while (end > 0 && IsAnySeparator(path[end - 1]))
        --end;
    std::size_t start = end;
    while (start > 0 && !IsAnySeparator(path[start - 1]))
        --start;
    return path.substr(start, end - start);
}

std::string FileExtPart(const std::string& path)
{
    const auto dot = path.find('.');
    return dot == std::string::npos ? path : path.substr(dot + 1);
}

std::string FileStemPart(const std::string& path)
{
    const auto dot = path.find('.');
    return dot == std::string::npos ? std::string() : path.substr(0, dot);
}

namespace {
// Where the name part starts: after the last separator of either kind.
std::size_t NameStart(const std::string& path)
{
    const auto sep = path.find_last_of("/\\");
    return sep == std::string::npos ? 0 : sep + 1;
}
} // namespace

std::string NamePartExtension(const std::string& path)
{
    const std::size_t start = NameStart(path);
    const auto dot = path.find('.', start);
    return dot == std::string::npos ? path.substr(start) : path.substr(dot + 1);
}

std::string WithoutNamePartExtension(const std::string& path)
{
    const auto dot = path.find('.', NameStart(path));
    return dot == std::string::npos ? path : path.substr(0, dot);
}

std::string LastDotExtension(const std::string& name)
{
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string SaveFileName(const std::string& chosen, const std::string& extension)
{
    return FileNamePart(chosen).find('.') == std::string::npos ? chosen + extension : chosen;
}

std::string WindowsFileName(const std::string& path)
{
    const auto sep = path.find_last_of("/\\:");
    return sep == std::string::npos ? path : path.substr(sep + 1);
}

std::string ExtractFileDir(const std::string& path)
{
    const auto slash = path.rfind(PathDelim);
    if (slash == std::string::npos)
        return std::string();
    if (slash == 0)
        return std::string(1, PathDelim);
    return path.substr(0, slash);
}

std::string ExtractFileName(const std::string& path)
{
    const auto slash = path.rfind(PathDelim);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string IncludeTrailingPathDelimiter(const std::string& dir)
{
    if (dir.empty() || dir.back() == PathDelim)
        return dir;
    return dir + PathDelim;
}

std::string FolderOrCurrent(const std::string& path)
{
    const std::string dir = ExtractFileDir(path);
    return dir.empty() ? std::string(".") : dir;
}

std::string ChangeFileExt(const std::string& path, const std::string& ext)
{
    const std::size_t nameStart = path.size() - ExtractFileName(path).size();
    const auto dot = path.rfind('.');
    return (dot != std::string::npos && dot > nameStart ? path.substr(0, dot) : path) + ext;
}

std::string ExecutableDir()
{
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return "./";
    return IncludeTrailingPathDelimiter(ExtractFileDir(std::string(buf, static_cast<std::size_t>(n))));
}

std::string PrintableName(const std::string& name)
{
    std::string out;
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", u);
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace tessel

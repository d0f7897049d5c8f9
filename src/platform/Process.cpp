#include "platform/Process.h"

#include <QProcess>
#include <QStringList>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "platform/Files.h"

namespace tessel {

std::vector<std::string> SplitCommandLine(const std::string& params)
{
    std::vector<std::string> args;
    std::string current;
    bool inArgument = false;
    bool inQuotes = false;
    const std::size_t n = params.size();
    std::size_t i = 0;
    while (i < n) {
        const char c = params[i];
        if ((c == ' ' || c == '\t') && !inQuotes) {
            if (inArgument) {
                args.push_back(current);
                current.clear();
                inArgument = false;
            }
            ++i;
            continue;
        }
        inArgument = true;
        if (c == '\\') {
            // Backslashes are literal unless they stand before a double quote:
            // then each pair gives one, and an odd one escapes the quote.
            std::size_t j = i;
            while (j < n && params[j] == '\\')
                ++j;
            const std::size_t count = j - i;
            if (j < n && params[j] == '"') {
                current.append(count / 2, '\\');
                if (count % 2 == 1) {
                    current += '"';
                    ++j;
                }
            } else {
                current.append(count, '\\');
            }
            i = j;
            continue;
        }
        if (c == '"') {
            if (inQuotes && i + 1 < n && params[i + 1] == '"') {
                current += '"';   // "" inside quotes is one literal quote
                i += 2;
                continue;
            }
            inQuotes = !inQuotes;
            ++i;
            continue;
        }
        current += c;
        ++i;
    }
    if (inArgument)
        args.push_back(current);
    return args;
}

namespace {

// The full path of a program found on the PATH, or empty.
std::string FindOnPath(const std::string& program)
{
    const char* path = std::getenv("PATH");
    if (!path)
        return std::string();
    std::string dirs = path;
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos)
            end = dirs.size();
        const std::string dir = dirs.substr(start, end - start);
        const std::string candidate = IncludeTrailingPathDelimiter(dir.empty() ? "." : dir) + program;
        if (FileExists(candidate) && ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return std::string();
}

bool IsWebAddress(const std::string& file)
{
    return file.find("://") != std::string::npos || file.rfind("mailto:", 0) == 0;
}

bool IsWindowsProgram(const std::string& file)
{
    const std::string name = ExtractFileName(file);
    const auto dot = name.rfind('.');
    if (dot == std::string::npos)
        return false;
    std::string ext = name.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == "exe" || ext == "bat" || ext == "com";
}

} // namespace

LaunchPlan PlanLaunch(const std::string& file, const std::string& params, const std::string& workingDir)
{
    LaunchPlan plan;
    plan.workingDir = workingDir;
    if (IsWebAddress(file)) {
        plan.program = FindOnPath("xdg-open");
        plan.arguments = {file};
        return plan;
    }
    if (file.empty())
        return plan;
    const std::string path = file.front() == PathDelim ? file : IncludeTrailingPathDelimiter(CurrentDirectory()) + file;
    if (!FileExists(path))
        return plan;
    if (::access(path.c_str(), X_OK) == 0) {
        plan.program = path;
        plan.arguments = SplitCommandLine(params);
        return plan;
    }
    if (IsWindowsProgram(path)) {
        const std::string wine = FindOnPath("wine");
        if (!wine.empty()) {
            plan.program = wine;
            plan.arguments = SplitCommandLine(params);
            plan.arguments.insert(plan.arguments.begin(), path);
            return plan;
        }
    }
    // Anything else opens with the desktop's program for its kind, as a
    // double-click would; the parameters have no meaning there.
    plan.program = FindOnPath("xdg-open");
    plan.arguments = {path};
    return plan;
}

bool StartProgram(const std::string& file, const std::string& params, const std::string& workingDir)
{
    const LaunchPlan plan = PlanLaunch(file, params, workingDir);
    if (plan.program.empty())
        return false;
    QStringList args;
    for (const auto& a : plan.arguments)
        args << QString::fromLocal8Bit(a.c_str());
    // Detached: the program outlives us and nobody waits for it.
    return QProcess::startDetached(QString::fromLocal8Bit(plan.program.c_str()), args,
                                   QString::fromLocal8Bit(plan.workingDir.c_str()));
}

} // namespace tessel

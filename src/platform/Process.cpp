#include "platform/Process.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

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
        const std::string candidate = (dir.empty() ? std::string(".") : dir) + PathDelim + program;
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
    std::string ext = LastDotExtension(ExtractFileName(file));
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
    const std::string path = AbsolutePath(file);
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
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(plan.program.c_str()));
    for (const auto& a : plan.arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    // Detached: a child starts a grandchild and ends at once, so the program
    // outlives us and nobody waits for it. A pipe that closes on exec tells
    // whether the program really started (an errno arrives when it did not).
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        return false;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(report[0]);
        ::close(report[1]);
        return false;
    }
    if (child == 0) {
        ::close(report[0]);
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild == 0) {
            int err = 0;
            if (!plan.workingDir.empty() && ::chdir(plan.workingDir.c_str()) != 0)
                err = errno;
            if (err == 0) {
                ::execv(argv[0], argv.data());
                err = errno;
            }
            if (::write(report[1], &err, sizeof err) < 0) { /* the parent sees a failure either way */ }
            ::_exit(127);
        }
        if (grandchild < 0) {
            const int err = errno;
            if (::write(report[1], &err, sizeof err) < 0) { /* as above */ }
        }
        ::_exit(0);
    }
    ::close(report[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int err = 0;
    ssize_t n;
    do {
        n = ::read(report[0], &err, sizeof err);
    } while (n < 0 && errno == EINTR);
    ::close(report[0]);
    return n == 0;
}

void OpenWebLink(const std::string& address, Prompter& prompter)
{
    if (!StartProgram(address, std::string(), std::string()))
        prompter.MessageDlg("Unable to Start Browser for Link to Website:  " + address, MsgType::Error, MsgButtons::Ok);
}

} // namespace tessel

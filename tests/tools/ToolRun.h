#pragma once
// Runs a built tool as a user runs it, with the faults the tool tests need:
// standard output to a file or device link of the test's own, a file-size
// limit, no root rights, and a signal sent while the tool is at work.
#include <QProcess>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace tessel::test {

struct ToolRun {
    int code;   // the exit status; -1 when a signal ended the tool
    std::string out, err;
};

struct ToolFault {
    std::string standardOutput;   // a file the output goes to instead of the test
    std::string workingDir;       // the tool's current folder; the test's when empty
    long fileSizeLimit = 0;       // RLIMIT_FSIZE of the tool
    long memoryLimit = 0;         // RLIMIT_AS of the tool
    bool unprivileged = false;    // run as nobody (when the test runs as root)
    // Sends signal when a file whose name starts with watchPrefix is made or
    // written in watchFolder: the tool is then in the middle of its work.
    int signal = 0;
    std::string watchFolder, watchPrefix;
};

inline ToolFault OutputTo(const std::string& file)
{
    ToolFault f;
    f.standardOutput = file;
    return f;
}
inline ToolFault Limits(long fileSize, long memory = 0)
{
    ToolFault f;
    f.fileSizeLimit = fileSize, f.memoryLimit = memory;
    return f;
}
inline ToolFault SignalWhenWritten(int signal, const std::string& folder, const std::string& prefix)
{
    ToolFault f;
    f.signal = signal, f.watchFolder = folder, f.watchPrefix = prefix;
    return f;
}

inline ToolRun RunTool(const char* tool, const std::vector<std::string>& args, const ToolFault& fault = {})
{
    QProcess p;
    QStringList list;
    for (const auto& a : args)
        list << QString::fromStdString(a);
    if (!fault.standardOutput.empty())
        p.setStandardOutputFile(QString::fromStdString(fault.standardOutput));
    if (!fault.workingDir.empty())
        p.setWorkingDirectory(QString::fromStdString(fault.workingDir));
    p.setChildProcessModifier([fault] {
        const rlimit limit{static_cast<rlim_t>(fault.fileSizeLimit), static_cast<rlim_t>(fault.fileSizeLimit)};
        const rlimit memory{static_cast<rlim_t>(fault.memoryLimit), static_cast<rlim_t>(fault.memoryLimit)};
        if (fault.fileSizeLimit > 0)
            ::setrlimit(RLIMIT_FSIZE, &limit);
        if (fault.memoryLimit > 0)
            ::setrlimit(RLIMIT_AS, &memory);
        if (fault.unprivileged && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(99);
    });
    const int watch = fault.signal != 0 ? ::inotify_init1(IN_CLOEXEC) : -1;
    if (watch >= 0)
        ::inotify_add_watch(watch, fault.watchFolder.c_str(), IN_CREATE | IN_MODIFY);
    p.start(QString(TESSEL_BIN_DIR "/") + tool, list);
    p.waitForStarted(-1);
    for (bool seen = watch < 0; !seen;) {
        alignas(inotify_event) char buf[4096];
        pollfd ready{watch, POLLIN, 0};
        if (::poll(&ready, 1, 60000) <= 0)
            break;   // never happened: the test's own checks tell
        const ssize_t n = ::read(watch, buf, sizeof buf);
        for (ssize_t at = 0; at < n && !seen;) {
            const auto* e = reinterpret_cast<const inotify_event*>(buf + at);
            seen = e->len > 0 && std::string(e->name).rfind(fault.watchPrefix, 0) == 0;
            at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
        }
        if (seen)
            ::kill(static_cast<pid_t>(p.processId()), fault.signal);
    }
    if (watch >= 0)
        ::close(watch);
    p.waitForFinished(-1);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput().toStdString(),
            p.readAllStandardError().toStdString()};
}

} // namespace tessel::test

#include "support/ProcessRun.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <sstream>

namespace tessel::test {

namespace {

// Reads what is ready on fd into out; false at its end.
bool Drain(int fd, std::string& out)
{
    char buffer[65536];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0)
        return n < 0 && errno == EINTR;
    out.append(buffer, static_cast<std::size_t>(n));
    return true;
}

// Whether the inotify events ready on watch name a file starting with prefix.
bool SawPrefix(int watch, const std::string& prefix)
{
    alignas(inotify_event) char buffer[4096];
    const ssize_t n = ::read(watch, buffer, sizeof buffer);
    for (ssize_t at = 0; at < n;) {
        const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
        if (e->len > 0 && std::string(e->name).rfind(prefix, 0) == 0)
            return true;
        at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
    }
    return false;
}

// Forks and runs path with args: its standard input a pipe closed at once,
// its output and errors to the write ends given; the pid, -1 when it could not start.
pid_t Spawn(const std::string& path, const std::vector<std::string>& args, const ProcessFault& fault, int in, int out,
            int err)
{
    std::vector<char*> argv{const_cast<char*>(path.c_str())};
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int stdoutFd = fault.standardOutput.empty()
                                 ? out
                                 : ::open(fault.standardOutput.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(in, 0);
        ::dup2(stdoutFd, 1);
        ::dup2(err, 2);
        for (const std::string& variable : fault.environment)
            ::putenv(const_cast<char*>(variable.c_str()));
        if (!fault.workingDir.empty() && ::chdir(fault.workingDir.c_str()) != 0)
            ::_exit(98);
        if (!LimitThisProcess(fault.fileSizeLimit, fault.memoryLimit, fault.unprivileged))
            ::_exit(99);
        ::execv(path.c_str(), argv.data());
        ::_exit(127);
    }
    return pid;
}

void Reaped(int status, ProcessResult& result)
{
    if (WIFEXITED(status))
        result.code = WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        result.signal = WTERMSIG(status);
}

} // namespace

StartedProcess::StartedProcess(const std::string& program, const std::vector<std::string>& args,
                               const ProcessFault& fault)
{
    const std::string path = FindProgram(program);
    int in[2], out[2], err[2];
    if (path.empty() || ::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
        return;
    pid_ = Spawn(path, args, fault, in[0], out[1], err[1]);
    for (const int fd : {in[0], in[1], out[1], err[1]})
        ::close(fd);
    out_ = out[0];
    err_ = err[0];
}

StartedProcess::~StartedProcess()
{
    if (pid_ > 0 && !Wait(0)) {
        ::kill(pid_, SIGKILL);
        ::kill(pid_, SIGCONT);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
    for (const int fd : {out_, err_})
        if (fd >= 0)
            ::close(fd);
}

std::optional<ProcessResult> StartedProcess::Wait(int seconds)
{
    if (pid_ <= 0)
        return result_;
    for (int tenths = 0;; ++tenths) {
        pollfd ready[2] = {{out_, POLLIN, 0}, {err_, POLLIN, 0}};
        if (::poll(ready, 2, 100) > 0) {
            if (ready[0].revents && !Drain(out_, result_.out))
                out_ = (::close(out_), -1);
            if (ready[1].revents && !Drain(err_, result_.err))
                err_ = (::close(err_), -1);
        }
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            Reaped(status, result_);
            pid_ = -1;
            while (out_ >= 0 && Drain(out_, result_.out)) {
            }
            while (err_ >= 0 && Drain(err_, result_.err)) {
            }
            return result_;
        }
        if (tenths >= seconds * 10)
            return std::nullopt;
    }
}

std::string FindProgram(const std::string& name)
{
    if (name.find('/') != std::string::npos)
        return ::access(name.c_str(), X_OK) == 0 ? name : std::string();
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path ? path : "/usr/bin:/bin");
    for (std::string dir; std::getline(dirs, dir, ':');) {
        const std::string candidate = dir + "/" + name;
        struct stat st {};
        if (!dir.empty() && ::stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
            ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return std::string();
}

bool LimitThisProcess(long fileSize, long memory, bool unprivileged)
{
    const rlimit size{static_cast<rlim_t>(fileSize), static_cast<rlim_t>(fileSize)};
    const rlimit space{static_cast<rlim_t>(memory), static_cast<rlim_t>(memory)};
    if (fileSize > 0)
        ::setrlimit(RLIMIT_FSIZE, &size);
    if (memory > 0)
        ::setrlimit(RLIMIT_AS, &space);
    return !unprivileged || ::geteuid() != 0 || (::setgid(65534) == 0 && ::setuid(65534) == 0);
}

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args, const ProcessFault& fault)
{
    ProcessResult result;
    const std::string path = FindProgram(program);
    // Standard input is a pipe closed at once: a question finds nothing to read.
    int in[2], out[2], err[2];
    if (path.empty() || ::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
        return result;
    const int watch = fault.signal != 0 ? ::inotify_init1(IN_CLOEXEC) : -1;
    if (watch >= 0)
        ::inotify_add_watch(watch, fault.watchFolder.c_str(), IN_CREATE | IN_MODIFY);

    const pid_t pid = Spawn(path, args, fault, in[0], out[1], err[1]);
    for (const int fd : {in[0], in[1], out[1], err[1]})
        ::close(fd);
    bool outOpen = true, errOpen = true, signalled = watch < 0;
    while (pid > 0 && (outOpen || errOpen)) {
        pollfd ready[3] = {{outOpen ? out[0] : -1, POLLIN, 0}, {errOpen ? err[0] : -1, POLLIN, 0},
                           {signalled ? -1 : watch, POLLIN, 0}};
        if (::poll(ready, 3, 120000) <= 0)
            break;   // a hang: the test's own checks tell
        if (ready[0].revents)
            outOpen = Drain(out[0], result.out);
        if (ready[1].revents)
            errOpen = Drain(err[0], result.err);
        if (ready[2].revents && SawPrefix(watch, fault.watchPrefix)) {
            ::kill(pid, fault.signal);
            signalled = true;
        }
    }
    for (const int fd : {out[0], err[0], watch})
        ::close(fd);   // watch may be -1: nothing to close
    int status = 0;
    if (pid > 0 && ::waitpid(pid, &status, 0) == pid)
        Reaped(status, result);
    return result;
}

} // namespace tessel::test

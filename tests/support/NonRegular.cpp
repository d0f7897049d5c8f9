#include "support/NonRegular.h"

#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

#include "platform/Errors.h"
#include "platform/SignalCleanup.h"
#include "support/ProcessRun.h"

namespace tessel::test {

namespace {
int signalAtLimit = 0;
extern "C" void RaiseAtLimit(int) { ::raise(signalAtLimit); }
const char* const Devices[] = {"/dev/null", "/dev/zero", "/dev/full"};   // Null, Zero, Full
} // namespace

std::string MakeNonRegular(const TempDir& dir, const std::string& name, NonRegular kind)
{
    const std::string path = dir.file(name);
    bool made = false;
    switch (kind) {
    case NonRegular::Folder: made = ::mkdir(path.c_str(), 0755) == 0; break;
    case NonRegular::Fifo: made = ::mkfifo(path.c_str(), 0644) == 0; break;
    case NonRegular::Socket: {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        made = fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        ::close(fd);
        break;
    }
    case NonRegular::Null: made = ::symlink(Devices[0], path.c_str()) == 0; break;
    case NonRegular::Zero: made = ::symlink(Devices[1], path.c_str()) == 0; break;
    case NonRegular::Full: made = ::symlink(Devices[2], path.c_str()) == 0; break;
    }
    if (!made)
        throw std::runtime_error("cannot make " + path);
    return path;
}

bool DevicesIntact()
{
    struct stat st;
    for (const char* device : Devices)
        if (::lstat(device, &st) != 0 || !S_ISCHR(st.st_mode))
            return false;
    return true;
}

std::string ErrorOf(const std::function<void()>& body)
{
    try {
        body();
    } catch (const AppError& e) {
        return e.what();
    }
    return "";
}

std::string InChild(const std::function<void()>& body, const ChildFault& fault)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return "(no pipe)";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        signalAtLimit = fault.signalAtLimit;
        if (signalAtLimit != 0)
            InstallSignalCleanup();
        ::signal(SIGXFSZ, signalAtLimit != 0 ? RaiseAtLimit : SIG_IGN);
        const std::string result =
            LimitThisProcess(fault.fileSizeLimit, 0, fault.unprivileged) ? ErrorOf(body) : "still privileged";
        ::_exit(::write(fds[1], result.data(), result.size()) < 0);
    }
    ::close(fds[1]);
    std::string out;
    char buf[256];
    for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;)
        out.append(buf, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? "signal " + std::to_string(WTERMSIG(status)) : out;
}

} // namespace tessel::test

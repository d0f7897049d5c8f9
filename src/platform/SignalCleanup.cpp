#include "platform/SignalCleanup.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "platform/Files.h"

namespace tessel {

namespace {

// Fixed tables, so that the handler reads only memory that is always there.
// A slot is filled first and marked used last; the handler looks at used ones.
constexpr int Slots = 4;
constexpr int Signals[] = {SIGINT, SIGTERM, SIGHUP};

struct PathSlot {
    volatile sig_atomic_t used = 0;
    char path[PATH_MAX];
};
struct TruncateSlot {
    volatile sig_atomic_t used = 0;
    int fd;
    off_t length;
};
PathSlot removals[Slots];
TruncateSlot truncations[Slots];
// The program's notice: the pipe to the event loop and the signal noted on it.
int noticePipe[2] = {-1, -1};
volatile sig_atomic_t noticed = 0;

extern "C" void OnSignal(int sig)
{
    const int savedErrno = errno;
    for (auto& t : truncations)
        if (t.used)
            (void)::ftruncate(t.fd, t.length);
    for (auto& r : removals)
        if (r.used)
            (void)::unlink(r.path);
    // Pending until this handler returns (the signal is blocked in it), then
    // the usual action ends the process.
    ::signal(sig, SIG_DFL);
    ::raise(sig);
    errno = savedErrno;
}

sigset_t CleanupSignals()
{
    sigset_t set;
    sigemptyset(&set);
    for (const int sig : Signals)
        sigaddset(&set, sig);
    return set;
}

extern "C" void OnNoticedSignal(int sig)
{
    if (noticed != 0) {
        OnSignal(sig);   // noted once already and not taken up: the program does not answer
        return;
    }
    const int savedErrno = errno;
    noticed = sig;
    const char byte = 1;
    (void)::write(noticePipe[1], &byte, 1);
    errno = savedErrno;
}

void Install(void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    action.sa_mask = CleanupSignals();
    for (const int sig : Signals) {
        struct sigaction old {};
        if (::sigaction(sig, nullptr, &old) == 0 && old.sa_handler != SIG_IGN)
            ::sigaction(sig, &action, nullptr);
    }
}

template <typename Slot>
int FreeSlot(Slot (&slots)[Slots])
{
    for (int i = 0; i < Slots; ++i)
        if (!slots[i].used)
            return i;
    return -1;   // more at once than any operation needs: not registered
}

void MarkUsed(volatile sig_atomic_t& used)
{
    std::atomic_signal_fence(std::memory_order_seq_cst);
    used = 1;
}

} // namespace

void InstallSignalCleanup()
{
    Install(OnSignal);
}

int InstallSignalNotice()
{
    if (noticePipe[0] < 0 && ::pipe2(noticePipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return noticePipe[0] = noticePipe[1] = -1;
    noticed = 0;   // a program made anew (tests make many in one process)
    Install(OnNoticedSignal);
    return noticePipe[0];
}

int TakeSignalNotice()
{
    char bytes[16];
    while (noticePipe[0] >= 0 && ::read(noticePipe[0], bytes, sizeof bytes) > 0) {
    }
    return noticed;
}

void EndBySignal(int sig)
{
    ::signal(sig, SIG_DFL);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, sig);
    ::sigprocmask(SIG_UNBLOCK, &set, nullptr);
    ::raise(sig);
    ::_exit(128 + sig);   // a signal whose default action does not end the process
}

RemoveOnSignal::RemoveOnSignal(const std::string& path) : slot_(FreeSlot(removals))
{
    if (slot_ < 0 || path.size() >= PATH_MAX) {
        slot_ = -1;
        return;
    }
    std::memcpy(removals[slot_].path, path.c_str(), path.size() + 1);
    MarkUsed(removals[slot_].used);
}

void RemoveOnSignal::Release()
{
    if (slot_ >= 0)
        removals[slot_].used = 0;
    slot_ = -1;
}

TruncateOnSignal::TruncateOnSignal(const File& file, std::int64_t length) : slot_(FreeSlot(truncations))
{
    if (slot_ < 0)
        return;
    truncations[slot_].fd = file.fd_;
    truncations[slot_].length = static_cast<off_t>(length);
    MarkUsed(truncations[slot_].used);
}

void TruncateOnSignal::Release()
{
    if (slot_ >= 0)
        truncations[slot_].used = 0;
    slot_ = -1;
}

HoldSignals::HoldSignals()
{
    static_assert(sizeof(sigset_t) <= sizeof saved_, "room for a signal mask");
    const sigset_t set = CleanupSignals();
    ::sigprocmask(SIG_BLOCK, &set, reinterpret_cast<sigset_t*>(saved_));
}

HoldSignals::~HoldSignals()
{
    ::sigprocmask(SIG_SETMASK, reinterpret_cast<const sigset_t*>(saved_), nullptr);
}

} // namespace tessel

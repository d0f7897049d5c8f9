#pragma once
// What a half-done write leaves must go when SIGINT, SIGTERM or SIGHUP ends
// the process: the temporary file of a replacement is removed, and a file that
// was being appended to is cut back to its old length. The handler makes only
// async-signal-safe calls, then ends the process by the same signal, so that
// the exit status still says what ended it.
#include <cstdint>
#include <string>

namespace tessel {

class File;

// Installs the handler for the three signals (the tools do, at start). A
// signal that the process inherited as ignored (nohup) stays ignored. Without
// the handler the registrations below change nothing.
void InstallSignalCleanup();

// The program's way instead: the first of the three signals is only noted, on
// a pipe whose read end this returns (-1 when none could be made), so that
// the event loop can keep what the user would lose and then end the process;
// a second one acts at once, as the cleanup handler does, also while the
// program is ending by the first (a write that hangs, say).
int InstallSignalNotice();
// The signal noted on the pipe (0 when none). It stays noted: the program is
// to end by it, and any further signal ends the process at once.
int TakeSignalNotice();
// Ends the process as the signal's default action does, so that the exit
// status still says what ended it.
[[noreturn]] void EndBySignal(int sig);

// While it lives and is not released, the path is removed if one of the
// signals ends the process.
class RemoveOnSignal {
public:
    explicit RemoveOnSignal(const std::string& path);
    ~RemoveOnSignal() { Release(); }
    RemoveOnSignal(const RemoveOnSignal&) = delete;
    RemoveOnSignal& operator=(const RemoveOnSignal&) = delete;
    void Release();   // the file is no longer ours to remove

private:
    int slot_;
};

// While it lives and is not released, the open file is cut back to length if
// one of the signals ends the process.
class TruncateOnSignal {
public:
    TruncateOnSignal(const File& file, std::int64_t length);
    ~TruncateOnSignal() { Release(); }
    TruncateOnSignal(const TruncateOnSignal&) = delete;
    TruncateOnSignal& operator=(const TruncateOnSignal&) = delete;
    void Release();

private:
    int slot_;
};

// The three signals wait while it lives, so that steps which belong together
// (a rename and forgetting the temporary name; a directory entry and the
// release of its data) are not cut apart; a signal that came meanwhile acts
// when it ends.
class HoldSignals {
public:
    HoldSignals();
    ~HoldSignals();
    HoldSignals(const HoldSignals&) = delete;
    HoldSignals& operator=(const HoldSignals&) = delete;

private:
    alignas(long) unsigned char saved_[128];   // the previous signal mask (a sigset_t)
};

} // namespace tessel

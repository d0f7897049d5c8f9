#pragma once
// Runs a program as a user runs it, without the toolkit: its output and
// errors collected, with the faults the tool tests need (standard output to a
// file of the test's own, a file-size limit, no root rights, a signal sent
// while the program is at work).
#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace tessel::test {

struct ProcessResult {
    int code = -1;     // the exit status; -1 when a signal ended the program or it did not start
    int signal = 0;    // the signal that ended it
    std::string out, err;
};

struct ProcessFault {
    std::string standardOutput;   // a file the output goes to instead of the test
    std::string workingDir;       // the program's current folder; the test's when empty
    long fileSizeLimit = 0;       // RLIMIT_FSIZE of the program
    long memoryLimit = 0;         // RLIMIT_AS of the program
    bool unprivileged = false;    // run as nobody (when the test runs as root)
    // Sends signal when a file whose name starts with watchPrefix is made or
    // written in watchFolder: the program is then in the middle of its work.
    int signal = 0;
    std::string watchFolder, watchPrefix;
    std::vector<std::string> environment;   // "NAME=value", set for the program only
};

// program: a path, or a bare name looked up on PATH.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const ProcessFault& fault = {});
// A program started and left running, for tests that act on it meanwhile
// (another start, a signal); killed at the end of the test if still running.
class StartedProcess {
public:
    StartedProcess(const std::string& program, const std::vector<std::string>& args, const ProcessFault& fault = {});
    ~StartedProcess();
    StartedProcess(const StartedProcess&) = delete;
    StartedProcess& operator=(const StartedProcess&) = delete;
    pid_t Pid() const { return pid_; }
    // Waits for its end, for at most seconds (a bound against a hang, never a
    // measure): what it did, or nothing while it still runs.
    std::optional<ProcessResult> Wait(int seconds);

private:
    pid_t pid_ = -1;
    int out_ = -1, err_ = -1;
    ProcessResult result_;
};

// The program's path on PATH; "" when it is not installed.
std::string FindProgram(const std::string& name);
// In a forked child: the limits (0: none), then, when unprivileged, no root
// rights; false when root could not be given up.
bool LimitThisProcess(long fileSize, long memory, bool unprivileged);

} // namespace tessel::test

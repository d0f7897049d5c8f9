#pragma once
// Starting programs: detached, never waited for, never through a shell.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Prompter.h"

namespace tessel {

// Splits a parameter text as the Windows C runtime splits a command line.
std::vector<std::string> SplitCommandLine(const std::string& params);

// What a file's bytes say it is.
enum class ProgramKind {
    Unknown,   // none of these, or too short to tell
    Native,    // an ELF executable or a "#!" script
    Windows,   // an MZ executable whose new header is PE or NE
    Dos,       // any other MZ executable: plain DOS, or an LE/LX DOS-extender image
};
// Up to count bytes of the file at offset: fewer at its end, none past it.
using ReadBytes = std::function<std::string(std::uint32_t offset, std::size_t count)>;
ProgramKind ProgramKindOf(const ReadBytes& read);

enum class Runner {
    Direct,   // executed itself
    Wine,     // a Windows program
    DosBox,   // a DOS program, run in DOSBox
    Opener,   // not a program: the desktop opens it as a double-click would
    None,     // an .exe that is no DOS or Windows program
};
// How a file is run, by its kind and, where the bytes tell nothing, its name:
// a .com is a DOS program; a .bat is a DOS batch file when it lies beside a DOS
// program (an .exe or .com of its folder that runs in DOSBox), otherwise a
// Windows one; an .exe must be DOS or Windows; anything else runs itself when
// it has execute permission and goes to the desktop when not.
Runner RunnerFor(const std::string& name, ProgramKind kind, bool executable, bool besideDosPrograms);

// DOSBox is given a program as typed commands: its folder mounted as C: and
// made current, the program by its DOS name with the parameters, then exit.
// DOS receives the parameters after one blank, without trailing blanks, in
// at most 126 characters; a < > or | outside double quotes would redirect.
// DOSBox 0.74 aborts ("buffer overflow detected") when the folder it mounts,
// with its final separator, is longer than MaxDosMountPath bytes.
// Why these cannot reach DOS as they are; "" when they can.
std::string DosRefusal(const std::string& folder, const std::string& name, const std::string& params);
// The commands (DOSBox's -c arguments), for what DosRefusal lets through.
std::vector<std::string> DosBoxCommands(const std::string& folder, const std::string& name, const std::string& params);

constexpr std::size_t MaxDosMountPath = 239;
extern const char* const DefaultDosProgram;   // "dosbox"

// What StartProgram will run: the program, its arguments and working
// directory; no program, and why not (when there is more to say than that),
// when it cannot start.
struct LaunchPlan {
    std::string program;
    std::vector<std::string> arguments;
    std::string workingDir;
    std::string problem;   // "DOSBox is not installed", "wine is not installed"...
    bool dosRunner = false;   // program is the DOS runner, running the file in DOSBox
};
// The runner by RunnerFor: wine and the desktop's opener are looked for on
// the PATH; dosProgram names DOSBox with arguments of its own (a command line:
// "dosbox-x -conf my.conf", split as parameters are, never by a shell). Its
// program must be an absolute path or a name on the PATH, of an executable
// file; otherwise the problem says what is wrong with it. A relative file name
// counts from the current folder.
LaunchPlan PlanLaunch(const std::string& file, const std::string& params, const std::string& workingDir,
                      const std::string& dosProgram = DefaultDosProgram);

// How long a started program is watched for an early end.
constexpr int EarlyEndMilliseconds = 3000;

// The first moments of a started program: whether it ended within
// EarlyEndMilliseconds with a failure (an exit status other than 0, or a
// signal), as a runner does that cannot take what it was given. A helper
// process of the start watches it and reports through a pipe, so nothing here
// ever waits for the program.
class ProgramWatch {
public:
    ProgramWatch() = default;
    ~ProgramWatch();
    ProgramWatch(ProgramWatch&& other) noexcept;
    ProgramWatch& operator=(ProgramWatch&& other) noexcept;
    ProgramWatch(const ProgramWatch&) = delete;
    ProgramWatch& operator=(const ProgramWatch&) = delete;

    // Readable once the answer is there (for an event loop to wait on); -1 when it has been taken.
    int Descriptor() const { return fd_; }
    // The answer taken: the program ended within the moment, or the moment passed.
    bool Done() const { return fd_ < 0; }
    // Without waiting: how the program failed ("exit status 1", "signal 6
    // (Aborted)") when it ended within the moment with a failure; "" while
    // the answer is not there, or when it ended well or ran on.
    std::string Failure();
    // Waits for the answer (at most the moment), then as Failure.
    std::string WaitForFailure();

private:
    friend bool StartPlan(const LaunchPlan& plan, ProgramWatch* watch);
    void Close();
    int fd_ = -1;
    std::string failure_;
};

// Starts a plan, detached, in its working folder; false when it could not be
// started. The program starts with the default dispositions of SIGPIPE and
// SIGXFSZ (which Tessel ignores) and no signal blocked. With watch, its first
// moments are watched.
bool StartPlan(const LaunchPlan& plan, ProgramWatch* watch = nullptr);
bool StartProgram(const std::string& file, const std::string& params, const std::string& workingDir,
                  const std::string& dosProgram = DefaultDosProgram);

// The full path of the executable program on the PATH, or of one named with a
// folder as it is; "" when there is none.
std::string ProgramOnPath(const std::string& program);
// How PlanLaunch runs file (RunnerFor on its bytes, its execute permission
// and its folder); None when there is no such file.
Runner RunnerOfFile(const std::string& file);
// argument as a parameter text holds it: SplitCommandLine gives it back whole
// (in double quotes when it holds a blank, a tab or a quote, or is empty).
std::string QuotedArgument(const std::string& argument);

// Opens a web address in the desktop's browser; when no browser can be
// started, says so in an error box that names the address.
void OpenWebLink(const std::string& address, Prompter& prompter);

// In a started program before it is replaced (only async-signal-safe calls):
// what Tessel set for itself (SIGXFSZ and SIGPIPE ignored, signals held back)
// is not the program's.
void DefaultSignals();

} // namespace tessel

#include "platform/Process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

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

const char* const DefaultDosProgram = "dosbox";

namespace {

// The full path of a program found on the PATH, or empty; one named with a
// folder is taken as it is.
std::string FindOnPath(const std::string& program)
{
    if (program.find(PathDelim) != std::string::npos) {
        const std::string path = AbsolutePath(program);
        return FileExists(path) && ::access(path.c_str(), X_OK) == 0 ? path : std::string();
    }
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

std::string LowerExtension(const std::string& name)
{
    std::string ext = LastDotExtension(name);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}

ProgramKind KindOfFile(const std::string& path)
{
    try {
        File file(path, File::Mode::Read);   // regular files only: a pipe never blocks us
        const std::int64_t size = file.Size();
        return ProgramKindOf([&](std::uint32_t offset, std::size_t count) {
            const std::int64_t available = std::max<std::int64_t>(0, size - offset);
            std::string bytes(std::min<std::int64_t>(static_cast<std::int64_t>(count), available), '\0');
            file.ReadExactAt(bytes.data(), bytes.size(), offset);
            return bytes;
        });
    } catch (const AppError&) {
        return ProgramKind::Unknown;
    }
}

// Another .exe or .com in the file's folder runs in DOSBox.
bool BesideDosPrograms(const std::string& path)
{
    const std::string folder = FolderPrefix(path), self = ExtractFileName(path);
    try {
        for (const std::string& name : ListFiles(folder)) {
            const std::string ext = LowerExtension(name);
            if (name != self && (ext == "exe" || ext == "com") &&
                RunnerFor(name, KindOfFile(folder + name), false, false) == Runner::DosBox)
                return true;
        }
    } catch (const AppError&) {
    }
    return false;
}

// A DOS file name: at most 8 characters, then a full stop and at most 3, of
// the characters DOS allows; DOS's shell runs only .exe, .com and .bat files.
bool IsDosProgramName(const std::string& name)
{
    const std::size_t dot = name.find('.');
    if (dot == 0 || dot > 8 || name.size() - dot - 1 > 3)
        return false;
    const std::string ext = LowerExtension(name);
    if (ext != "exe" && ext != "com" && ext != "bat")
        return false;
    static const std::string others = "!#$%&'()-@^_`{}~";
    for (std::size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        const bool alnum = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (i != dot && !alnum && others.find(static_cast<char>(c)) == std::string::npos)
            return false;
    }
    return true;
}

bool HasControlCharacter(const std::string& text, bool tabAllowed)
{
    return std::any_of(text.begin(), text.end(), [&](unsigned char c) {
        return c < 0x20 && !(tabAllowed && c == '\t');
    });
}

// DOSBox reads its commands as lines of a batch file: "%" stands for "%".
std::string BatchText(const std::string& text)
{
    std::string out;
    for (const char c : text)
        out += c == '%' ? std::string("%%") : std::string(1, c);
    return out;
}

} // namespace

ProgramKind ProgramKindOf(const ReadBytes& read)
{
    const std::string head = read(0, 0x40);
    if (head.rfind("\x7f" "ELF", 0) == 0 || head.rfind("#!", 0) == 0)
        return ProgramKind::Native;
    if (head.rfind("MZ", 0) != 0 || head.size() < 0x1C)   // no DOS header, or a cut one
        return ProgramKind::Unknown;
    if (head.size() < 0x40)   // no room for the new header's offset
        return ProgramKind::Dos;
    std::uint32_t newHeader = 0;
    for (int i = 3; i >= 0; --i)
        newHeader = newHeader << 8 | static_cast<unsigned char>(head[0x3C + i]);
    const std::string signature = read(newHeader, 4);
    if (signature == std::string("PE\0\0", 4) || signature.rfind("NE", 0) == 0)
        return ProgramKind::Windows;
    return ProgramKind::Dos;
}

Runner RunnerFor(const std::string& name, ProgramKind kind, bool executable, bool besideDosPrograms)
{
    switch (kind) {
    case ProgramKind::Native: return Runner::Direct;
    case ProgramKind::Windows: return Runner::Wine;
    case ProgramKind::Dos: return Runner::DosBox;
    case ProgramKind::Unknown: break;
    }
    const std::string ext = LowerExtension(name);
    if (ext == "com")
        return Runner::DosBox;
    if (ext == "bat")
        return besideDosPrograms ? Runner::DosBox : Runner::Wine;
    if (ext == "exe")
        return Runner::None;
    return executable ? Runner::Direct : Runner::Opener;
}

namespace {

// The DOS runner that dosProgram names, or "" and why it cannot be used.
std::string FindDosRunner(const std::string& dosProgram, const std::vector<std::string>& words, std::string& problem)
{
    if (words.empty() || words.front().empty()) {
        problem = "[Tessel] DosProgram names no program";
        return std::string();
    }
    const std::string& name = words.front();
    // A relative path would count from whatever folder Tessel was started in.
    if (name.find(PathDelim) != std::string::npos && name.front() != PathDelim) {
        problem = "[Tessel] DosProgram names " + name + ", which is not an absolute path";
        return std::string();
    }
    const std::string path = FindOnPath(name);
    if (path.empty())
        problem = dosProgram == DefaultDosProgram ? "DOSBox is not installed"
                                                  : "[Tessel] DosProgram names " + name + ", which is not installed";
    return path;
}

} // namespace

std::string DosRefusal(const std::string& folder, const std::string& name, const std::string& params)
{
    if (folder.find('"') != std::string::npos || HasControlCharacter(folder, false))
        return "DOSBox cannot mount its folder (a double quote or a control character in the name)";
    const bool separatorAtEnd = !folder.empty() && folder.back() == PathDelim;
    if (folder.size() + (separatorAtEnd ? 0 : 1) > MaxDosMountPath)
        return "DOSBox cannot mount its folder (a name of more than " + std::to_string(MaxDosMountPath - 1) + " bytes)";
    if (!IsDosProgramName(name))
        return "its name is no DOS name (up to 8 characters, then .exe, .com or .bat)";
    if (HasControlCharacter(params, true))
        return "its parameters hold control characters, which DOS cannot take";
    bool quoted = false;
    for (const char c : params) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '<' || c == '>' || c == '|'))
            return "its parameters hold <, > or | outside double quotes, which DOS takes as redirections";
    }
    const std::size_t end = params.find_last_not_of(" \t");
    if (end != std::string::npos && end + 2 > 126)   // after the blank DOS puts first
        return "its parameters are longer than the 126 characters DOS takes";
    return std::string();
}

std::vector<std::string> DosBoxCommands(const std::string& folder, const std::string& name, const std::string& params)
{
    std::string program = name;
    std::transform(program.begin(), program.end(), program.begin(), [](unsigned char c) { return std::toupper(c); });
    return {"MOUNT C \"" + BatchText(folder) + "\"", "C:",
            BatchText(params.empty() ? program : program + " " + params), "exit"};
}

LaunchPlan PlanLaunch(const std::string& file, const std::string& params, const std::string& workingDir,
                      const std::string& dosProgram)
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
    const std::string name = ExtractFileName(path);
    const bool batch = LowerExtension(name) == "bat";
    switch (RunnerFor(name, KindOfFile(path), ::access(path.c_str(), X_OK) == 0, batch && BesideDosPrograms(path))) {
    case Runner::Direct:
        plan.program = path;
        plan.arguments = SplitCommandLine(params);
        break;
    case Runner::Wine:
        plan.program = FindOnPath("wine");
        if (plan.program.empty()) {
            plan.problem = "wine is not installed";
            break;
        }
        plan.arguments = SplitCommandLine(params);
        plan.arguments.insert(plan.arguments.begin(), path);
        break;
    case Runner::DosBox: {
        const std::vector<std::string> dosbox = SplitCommandLine(dosProgram);
        const std::string folder = ExtractFileDir(path);
        plan.program = FindDosRunner(dosProgram, dosbox, plan.problem);
        if (plan.problem.empty())
            plan.problem = DosRefusal(folder, name, params);
        if (!plan.problem.empty()) {
            plan.program.clear();
            break;
        }
        plan.dosRunner = true;
        // The user's own [autoexec] could mount C: first.
        plan.arguments.assign(dosbox.begin() + 1, dosbox.end());
        plan.arguments.push_back("-noautoexec");
        for (const std::string& command : DosBoxCommands(folder, name, params))
            plan.arguments.insert(plan.arguments.end(), {"-c", command});
        break;
    }
    case Runner::Opener:
        // Not a program: the desktop's program for its kind opens it, as a
        // double-click would; the parameters have no meaning there.
        plan.program = FindOnPath("xdg-open");
        plan.arguments = {path};
        break;
    case Runner::None:
        plan.problem = "it is no DOS or Windows program";
        break;
    }
    return plan;
}

void DefaultSignals()
{
    ::signal(SIGPIPE, SIG_DFL);
    ::signal(SIGXFSZ, SIG_DFL);
    sigset_t none;
    ::sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
}

namespace {

// In a forked child: enters the folder and becomes the program; on failure
// the errno goes to report and the child ends.
[[noreturn]] void BecomeProgram(const LaunchPlan& plan, char* const* argv, int report)
{
    int err = 0;
    if (!plan.workingDir.empty() && ::chdir(plan.workingDir.c_str()) != 0)
        err = errno;
    if (err == 0) {
        DefaultSignals();
        ::execv(argv[0], argv);
        err = errno;
    }
    if (::write(report, &err, sizeof err) < 0) { /* the parent sees a failure either way */ }
    ::_exit(127);
}

// In the watching child: waits for the program for the moment, polling, and
// sends its wait status when it ended by then.
[[noreturn]] void WatchProgram(pid_t program, int answer)
{
    const timespec step{0, 10 * 1000 * 1000};
    for (int waited = 0; waited < EarlyEndMilliseconds; waited += 10) {
        int status = 0;
        const pid_t ended = ::waitpid(program, &status, WNOHANG);
        if (ended == program) {
            if (::write(answer, &status, sizeof status) < 0) { /* nobody listens any more */ }
            break;
        }
        if (ended < 0 && errno != EINTR)
            break;
        ::nanosleep(&step, nullptr);
    }
    ::_exit(0);
}

std::string EndText(int status)
{
    if (WIFEXITED(status))
        return WEXITSTATUS(status) == 0 ? std::string() : "exit status " + std::to_string(WEXITSTATUS(status));
    if (WIFSIGNALED(status)) {
        const char* name = ::strsignal(WTERMSIG(status));
        return "signal " + std::to_string(WTERMSIG(status)) + (name ? std::string(" (") + name + ")" : std::string());
    }
    return std::string();
}

} // namespace

ProgramWatch::~ProgramWatch()
{
    Close();
}

ProgramWatch::ProgramWatch(ProgramWatch&& other) noexcept : fd_(other.fd_), failure_(std::move(other.failure_))
{
    other.fd_ = -1;
}

ProgramWatch& ProgramWatch::operator=(ProgramWatch&& other) noexcept
{
    if (this != &other) {
        Close();
        fd_ = other.fd_;
        failure_ = std::move(other.failure_);
        other.fd_ = -1;
    }
    return *this;
}

void ProgramWatch::Close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

std::string ProgramWatch::Failure()
{
    if (fd_ < 0)
        return failure_;
    int status = 0;
    ssize_t n;
    do {
        n = ::read(fd_, &status, sizeof status);
    } while (n < 0 && errno == EINTR);
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
        return std::string();   // still watching
    if (n == static_cast<ssize_t>(sizeof status))
        failure_ = EndText(status);
    Close();
    return failure_;
}

std::string ProgramWatch::WaitForFailure()
{
    if (fd_ >= 0) {
        pollfd ready{fd_, POLLIN, 0};
        while (::poll(&ready, 1, -1) < 0 && errno == EINTR) {
        }
    }
    return Failure();
}

bool StartPlan(const LaunchPlan& plan, ProgramWatch* watch)
{
    if (plan.program.empty())
        return false;
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(plan.program.c_str()));
    for (const auto& a : plan.arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    // Detached: a child starts the program and ends at once, so the program
    // outlives us and nobody here waits for it. A pipe that closes on exec
    // tells whether the program really started (an errno arrives when it did
    // not). Watched, the child starts a watcher instead, whose child the
    // program is; the watcher answers through a pipe of its own and ends.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        return false;
    int answer[2] = {-1, -1};
    if (watch && ::pipe2(answer, O_CLOEXEC | O_NONBLOCK) != 0) {
        ::close(report[0]);
        ::close(report[1]);
        return false;
    }
    const auto closeAnswer = [&] {
        for (int fd : answer)
            if (fd >= 0)
                ::close(fd);
    };
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(report[0]);
        ::close(report[1]);
        closeAnswer();
        return false;
    }
    if (child == 0) {
        ::close(report[0]);
        ::setsid();
        const pid_t next = ::fork();   // the program, or its watcher
        if (next == 0 && watch) {
            ::close(answer[0]);
            const pid_t program = ::fork();
            if (program == 0)
                BecomeProgram(plan, argv.data(), report[1]);
            if (program < 0) {
                const int err = errno;
                if (::write(report[1], &err, sizeof err) < 0) { /* as below */ }
                ::_exit(0);
            }
            ::close(report[1]);
            WatchProgram(program, answer[1]);
        }
        if (next == 0)
            BecomeProgram(plan, argv.data(), report[1]);
        if (next < 0) {
            const int err = errno;
            if (::write(report[1], &err, sizeof err) < 0) { /* the parent sees a failure either way */ }
        }
        ::_exit(0);
    }
    ::close(report[1]);
    if (watch)
        ::close(answer[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int err = 0;
    ssize_t n;
    do {
        n = ::read(report[0], &err, sizeof err);
    } while (n < 0 && errno == EINTR);
    ::close(report[0]);
    if (watch) {
        *watch = ProgramWatch();
        if (n == 0)
            watch->fd_ = answer[0];
        else
            ::close(answer[0]);
    }
    return n == 0;
}

bool StartProgram(const std::string& file, const std::string& params, const std::string& workingDir,
                  const std::string& dosProgram)
{
    return StartPlan(PlanLaunch(file, params, workingDir, dosProgram));
}

std::string ProgramOnPath(const std::string& program)
{
    return FindOnPath(program);
}

Runner RunnerOfFile(const std::string& file)
{
    const std::string path = AbsolutePath(file);
    if (file.empty() || !FileExists(path))
        return Runner::None;
    const std::string name = ExtractFileName(path);
    return RunnerFor(name, KindOfFile(path), ::access(path.c_str(), X_OK) == 0,
                     LowerExtension(name) == "bat" && BesideDosPrograms(path));
}

std::string QuotedArgument(const std::string& argument)
{
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos)
        return argument;
    // Backslashes count only before a quote: those there, and those at the end
    // before the closing quote, are doubled.
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            out += c;
            continue;
        }
        if (c == '"')
            out.append(backslashes + 1, '\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes, '\\');
    return out + "\"";
}

void OpenWebLink(const std::string& address, Prompter& prompter)
{
    if (!StartProgram(address, std::string(), std::string()))
        prompter.MessageDlg("Unable to Start Browser for Link to Website:  " + address, MsgType::Error, MsgButtons::Ok);
}

} // namespace tessel

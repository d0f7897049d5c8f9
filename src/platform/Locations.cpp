#include "platform/Locations.h"

#include <grp.h>
#include <limits.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>

#include "platform/Errors.h"
#include "platform/Files.h"

namespace tessel {

namespace {

// The files that make a folder the program's own: the settings file and the data files.
const char* const OwnFiles[] = {"QztMain.ini", "CNFcs.qcf", "QCFcs.qcf", "VGFcs.qcf", "cnfcs.ccf",
                                "EDFcs.qcf",   "edfcs.ccf", "confaq40.rtf"};

bool HoldsOwnFiles(const std::string& dir)
{
    for (const char* name : OwnFiles)
        if (FileExists(dir + name))
            return true;
    return false;
}

std::string HomeDir(const SystemQueries& system)
{
    std::string home = system.Environment("HOME");
    if (home.empty())
        if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir)
            home = pw->pw_dir;
    return home;
}

// An XDG base folder: the variable when it holds an absolute path (the rules
// ignore relative ones), else the default under the home folder.
std::string XdgDir(const SystemQueries& system, const char* variable, const char* homeDefault)
{
    const std::string value = system.Environment(variable);
    if (!value.empty() && value.front() == PathDelim)
        return IncludeTrailingPathDelimiter(value);
    return IncludeTrailingPathDelimiter(HomeDir(system)) + homeDefault;
}

// A folder of the user's private group (named as the user, no other
// members): writing it is the user's alone, as in the user's own folders.
bool OwnPrivateGroup(gid_t gid)
{
    if (gid != ::getegid())
        return false;
    const passwd* pw = ::getpwuid(::geteuid());
    if (!pw || !pw->pw_name)
        return false;
    const std::string user = pw->pw_name;
    const group* gr = ::getgrgid(gid);
    if (!gr || !gr->gr_name || user != gr->gr_name)
        return false;
    for (char** member = gr->gr_mem; member && *member; ++member)
        if (user != *member)
            return false;
    return true;
}

// What makes a folder on the way to a private one unsafe: "" when nothing.
// Mode checks mean nothing to root's rights, so the owner is checked itself.
std::string WayProblem(const std::string& path, const struct stat& st, bool last)
{
    const uid_t me = ::geteuid();
    if (st.st_uid != me && (last || st.st_uid != 0))
        return path + " belongs to another user";
    const bool othersWrite = (st.st_mode & S_IWOTH) || ((st.st_mode & S_IWGRP) && !OwnPrivateGroup(st.st_gid));
    // A folder with the sticky bit (/tmp), which is root's or the user's:
    // others may add names, not rename or remove ours.
    if (othersWrite && (last || !(st.st_mode & S_ISVTX)))
        return path + " may be changed by other users";
    return std::string();
}

// The user's own folder, under the temporary folder, made when missing; "" with
// problem set when the name is taken by anything else (another user's
// folder, a link).
std::string PrivateTempDir(const SystemQueries& system, std::string& problem)
{
    const std::string tmp = system.Environment("TMPDIR");
    const std::string root = !tmp.empty() && tmp.front() == PathDelim ? IncludeTrailingPathDelimiter(tmp) : "/tmp/";
    const std::string dir = root + "tessel-" + std::to_string(::geteuid()) + "/";
    problem = PrivateFolderProblem(dir, true);
    return problem.empty() ? dir : std::string();
}

} // namespace

std::string FileLocations::DataFolder(const std::string& name) const
{
    for (const std::string& dir : DataDirs)
        if (FileExists(dir + name))
            return dir;
    return DataDirs.front();
}

SystemQueries RealSystem()
{
    return SystemQueries{
        [](const char* variable) {
            const char* value = std::getenv(variable);
            return std::string(value ? value : "");
        },
        [](const std::string& dir) { return ::access(dir.c_str(), W_OK) == 0; },
    };
}

FileLocations PortableLocations(const std::string& dir)
{
    const std::string own = dir.empty() ? std::string("./") : IncludeTrailingPathDelimiter(dir);
    return FileLocations{true, own, {own}};
}

FileLocations LocateProgramFiles(const std::string& programDir, const SystemQueries& system)
{
    FileLocations portable = PortableLocations(programDir);
    const std::string& own = portable.SettingsDir;
    if (HoldsOwnFiles(own) && system.Writable(own))
        return portable;
    const std::string settings = XdgDir(system, "XDG_CONFIG_HOME", ".config/") + "tessel/";
    // "/usr/bin/" gives "/usr/share/tessel/".
    const std::string shared = FolderPrefix(own.substr(0, own.size() - 1)) + "share/tessel/";
    return FileLocations{false, settings, {settings, own, shared}};
}

std::string RecoveryDir(const SystemQueries& system)
{
    const std::string state = XdgDir(system, "XDG_STATE_HOME", ".local/state/");
    return state.front() == PathDelim ? state + "tessel/recovery/" : std::string();
}

void CreateSettingsDir(const FileLocations& locations)
{
    const std::string& dir = locations.SettingsDir;
    for (std::size_t slash = dir.find(PathDelim, 1); slash != std::string::npos; slash = dir.find(PathDelim, slash + 1))
        if (::mkdir(dir.substr(0, slash).c_str(), 0700) != 0 && errno != EEXIST)
            ThrowIoError(errno);
    if (!DirectoryExists(dir))
        ThrowIoError(ENOTDIR);
}

std::string PrivateFolderProblem(const std::string& dir, bool make)
{
    if (dir.empty() || dir.front() != PathDelim)
        return dir + " is not an absolute path";
    // The way is walked name by name, as the system would follow it, each
    // folder and link looked at before anything beyond it is trusted.
    std::deque<std::string> names;
    const auto push = [&names](const std::string& path) {
        std::deque<std::string> parts;
        for (std::size_t start = 0, end; start <= path.size(); start = end + 1) {
            end = path.find(PathDelim, start);
            if (end == std::string::npos)
                end = path.size();
            if (end > start)
                parts.push_back(path.substr(start, end - start));
        }
        names.insert(names.begin(), parts.begin(), parts.end());
    };
    push(dir);
    std::string reached = "/";
    struct stat st {};
    if (::lstat("/", &st) != 0)
        return "/: " + IoErrorText(errno);
    if (std::string problem = WayProblem("/", st, names.empty()); !problem.empty())
        return problem;
    int links = 0;
    while (!names.empty()) {
        const std::string name = names.front();
        names.pop_front();
        if (name == ".")
            continue;
        if (name == "..") {
            reached = FolderPrefix(reached.substr(0, reached.size() - 1));   // checked on the way here
            if (reached.empty())
                reached = "/";
            continue;
        }
        const std::string path = reached + name;
        if (::lstat(path.c_str(), &st) != 0) {
            if (errno != ENOENT)
                return path + ": " + IoErrorText(errno);
            if (!make)
                return path + " does not exist";
            if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
                return path + " cannot be made: " + IoErrorText(errno);
            if (::lstat(path.c_str(), &st) != 0)
                return path + ": " + IoErrorText(errno);
        }
        if (S_ISLNK(st.st_mode)) {
            if (st.st_uid != ::geteuid() && st.st_uid != 0)
                return path + " is a link of another user";
            char target[PATH_MAX];
            const ssize_t n = ::readlink(path.c_str(), target, sizeof target - 1);
            if (n <= 0 || ++links > 40)
                return path + ": " + IoErrorText(n <= 0 ? errno : ELOOP);
            const std::string to(target, static_cast<std::size_t>(n));
            if (to.front() == PathDelim) {
                reached = "/";   // checked first of all
            }
            push(to);
            continue;
        }
        if (!S_ISDIR(st.st_mode))
            return path + " is a file, not a folder";
        const bool last = names.empty();
        if (std::string problem = WayProblem(path, st, last); !problem.empty())
            return problem;
        if (last && (st.st_mode & 077) != 0) {
            // Others may read it but not change it: the user's folder is closed to them.
            if (!make || ::chmod(path.c_str(), 0700) != 0)
                return path + " is open to other users";
        }
        reached = path + "/";
    }
    return std::string();
}

std::string InstanceSocketPath(const FileLocations& locations, const SystemQueries& system, std::string& problem)
{
    problem.clear();
    const std::string runtime = system.Environment("XDG_RUNTIME_DIR");
    std::string dir = !runtime.empty() && runtime.front() == PathDelim ? IncludeTrailingPathDelimiter(runtime)
                                                                        : std::string();
    // A runtime folder that is not the user's alone is not used: another user
    // could listen at the socket's name first.
    if (dir.empty() || !PrivateFolderProblem(dir, false).empty())
        dir = PrivateTempDir(system, problem);
    if (dir.empty())
        return dir;
    // One program per settings file: its name, hashed (FNV-1a), names the socket.
    std::uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : locations.SettingsFileName())
        hash = (hash ^ c) * 1099511628211ull;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return dir + "tessel-" + hex + ".socket";
}

} // namespace tessel

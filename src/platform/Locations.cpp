#include "platform/Locations.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

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

// A folder under /tmp that only this user can reach, made when missing; "" when
// the name is taken by anything else (another user's folder, a link).
std::string PrivateTempDir()
{
    const std::string dir = "/tmp/tessel-" + std::to_string(::getuid()) + "/";
    ::mkdir(dir.c_str(), 0700);
    struct stat st {};
    if (::lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() || (st.st_mode & 077) != 0)
        return std::string();
    return dir;
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

std::string InstanceSocketPath(const FileLocations& locations, const SystemQueries& system)
{
    const std::string runtime = system.Environment("XDG_RUNTIME_DIR");
    const std::string dir = !runtime.empty() && runtime.front() == PathDelim ? IncludeTrailingPathDelimiter(runtime)
                                                                              : PrivateTempDir();
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

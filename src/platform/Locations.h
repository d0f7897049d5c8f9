#pragma once
// Where the program's own files live. A portable copy (a build folder, an
// unpacked archive) keeps the settings file and the data files beside the
// executable, as it always did. An installed program cannot write its folder:
// its settings live in the user's configuration folder and its data files in
// ../share/tessel/ beside the executable, where a user's own copy in the
// settings folder comes first.
#include <functional>
#include <string>
#include <vector>

namespace tessel {

struct FileLocations {
    bool Portable = false;
    std::string SettingsDir;             // ends in a separator; "QztMain.ini" lies here
    std::vector<std::string> DataDirs;   // searched in this order, each ending in a separator

    std::string SettingsFileName() const { return SettingsDir + "QztMain.ini"; }
    // The first data folder that holds the file name; the first data folder
    // when none does (where the user would put one).
    std::string DataFolder(const std::string& name) const;
    std::string DataFile(const std::string& name) const { return DataFolder(name) + name; }
};

// What the lookup asks of the system: the real one, or a test's own.
struct SystemQueries {
    std::function<std::string(const char* variable)> Environment;   // "" when unset
    std::function<bool(const std::string& dir)> Writable;
};
SystemQueries RealSystem();

// Everything in dir: the locations of a program run from a folder of its own.
FileLocations PortableLocations(const std::string& dir);
// programDir is the executable's folder. Portable when that folder holds the
// settings file or a data file and may be written; otherwise installed, with
// settings in $XDG_CONFIG_HOME/tessel/ (~/.config/tessel/ when unset) and data
// looked up in the settings folder, the program folder, then ../share/tessel/.
FileLocations LocateProgramFiles(const std::string& programDir, const SystemQueries& system = RealSystem());
// Makes the settings folder (and its parents, owner-only as the XDG rules ask)
// when it is missing. Throws IoError.
void CreateSettingsDir(const FileLocations& locations);

// Where copies of unsaved documents wait for the next start, ending in a
// separator: $XDG_STATE_HOME/tessel/recovery/, by default
// ~/.local/state/tessel/recovery/; "" when no home folder is known.
std::string RecoveryDir(const SystemQueries& system = RealSystem());

// Whether dir may hold the user's private files (recovery copies, the
// single-instance socket), as sshd judges a user's key folder: nobody but the
// user and root can change the way to it, nor read or change the folder. Every
// folder on the way, and every symbolic link followed, belongs to the user or
// root and may not be written by others (folders with the sticky bit, as
// /tmp, excepted; a folder of the user's own private group counts as the
// user's); the folder itself belongs to the user and is open to nobody else
// (mode 0700). With make, missing folders are made 0700 and the user's own
// folder that others may only read is closed to them. Returns "" when dir may
// hold them, else why not, in words ("/x/recovery belongs to another user").
std::string PrivateFolderProblem(const std::string& dir, bool make);

// The local socket through which a later start reaches the program that runs
// on the same settings file: in $XDG_RUNTIME_DIR when that folder is private
// (PrivateFolderProblem), or else in a folder of the user's own,
// tessel-<uid>/ in $TMPDIR (/tmp when unset). Empty when no private folder can
// be had; problem then says why.
std::string InstanceSocketPath(const FileLocations& locations, const SystemQueries& system, std::string& problem);

} // namespace tessel

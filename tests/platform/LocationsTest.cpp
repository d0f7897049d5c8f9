#include "platform/Locations.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>

#include "platform/Errors.h"
#include "support/TempDir.h"

namespace tessel {
namespace {

// A system of the test's own: its variables, and the program folder's writability.
SystemQueries FakeSystem(std::map<std::string, std::string> variables, bool writable)
{
    return SystemQueries{[variables](const char* name) {
                             const auto found = variables.find(name);
                             return found == variables.end() ? std::string() : found->second;
                         },
                         [writable](const std::string&) { return writable; }};
}

// An installed tree in a temporary folder: usr/bin (the program), usr/share/tessel
// (the packaged data), a home folder and a configuration folder.
TEST(LocationsTest, SettingsAndDataAreFoundInOrder)
{
    TempDir root;
    for (const char* dir : {"usr", "usr/bin", "usr/share", "usr/share/tessel", "home", "config", "config/tessel"})
        ::mkdir(root.file(dir).c_str(), 0755);
    root.write("usr/share/tessel/CNFcs.qcf", "");
    const std::string bin = root.file("usr/bin/"), shared = root.file("usr/share/tessel/"),
                      config = root.file("config/tessel/"), homeConfig = root.file("home/.config/tessel/");
    // ownFile: put in the program folder ("" none); UserCopy: a CNFcs.qcf of the user's in the settings folder.
    enum { Writable = 1, UserCopy = 2, Portable = 4 };
    struct Row {
        const char *name, *ownFile, *xdgConfigHome;
        int how;
        std::string settingsDir, colorFileDir;
    } rows[] = {
        {"portable: the program's files in a folder it may write", "CNFcs.qcf", "config",
         Writable | UserCopy | Portable, bin, bin},
        {"a portable folder known by its settings file", "QztMain.ini", "config", Writable | Portable, bin, bin},
        {"a read-only program folder: its data only", "CNFcs.qcf", "config", 0, config, bin},
        {"installed: data from ../share/tessel", "", "config", Writable, config, shared},
        {"installed: the user's copy first", "", "config", UserCopy, config, config},
        {"XDG_CONFIG_HOME unset: ~/.config", "", "", 0, homeConfig, shared},
        {"a relative XDG_CONFIG_HOME is ignored", "", "relative", 0, homeConfig, shared},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        for (const char* name : {"usr/bin/CNFcs.qcf", "usr/bin/QztMain.ini", "config/tessel/CNFcs.qcf"})
            ::unlink(root.file(name).c_str());
        if (*r.ownFile)
            root.write(std::string("usr/bin/") + r.ownFile, "");
        if (r.how & UserCopy)
            root.write("config/tessel/CNFcs.qcf", "");
        const std::string xdg = *r.xdgConfigHome == 'c' ? root.file(r.xdgConfigHome) : r.xdgConfigHome;
        const FileLocations found = LocateProgramFiles(
            root.file("usr/bin"),
            FakeSystem({{"HOME", root.file("home")}, {"XDG_CONFIG_HOME", xdg}}, r.how & Writable));
        EXPECT_EQ(found.Portable, bool(r.how & Portable));
        EXPECT_EQ(found.SettingsFileName(), r.settingsDir + "QztMain.ini");
        EXPECT_EQ(found.DataFile("CNFcs.qcf"), r.colorFileDir + "CNFcs.qcf");
        // Missing everywhere: named where the user would put it.
        EXPECT_EQ(found.DataFile("confaq40.rtf"), r.settingsDir + "confaq40.rtf");
    }
}

TEST(LocationsTest, TheSettingsFolderIsMadeForTheOwnerAlone)
{
    TempDir root;
    const FileLocations locations{false, root.file("home/.config/tessel/"), {}};
    CreateSettingsDir(locations);
    CreateSettingsDir(locations);   // there already: fine
    struct stat st {};
    ASSERT_EQ(::stat(locations.SettingsDir.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    root.write("file", "");
    EXPECT_THROW(CreateSettingsDir(FileLocations{false, root.file("file/tessel/"), {}}), AppError);
}

void MakeFolder(const std::string& path, mode_t mode, uid_t owner = ::geteuid())
{
    ASSERT_EQ(::mkdir(path.c_str(), 0700), 0) << path;
    ASSERT_EQ(::chown(path.c_str(), owner, ::getegid()), 0) << path;
    ASSERT_EQ(::chmod(path.c_str(), mode), 0) << path;
}

TEST(LocationsTest, APrivateFolderAndTheWayToItAreTheUsersAlone)
{
    TempDir root;   // under /tmp: a root folder with the sticky bit on the way
    const std::string r = root.path();
    const std::string own = r + "own", open = r + "open", shared = r + "shared", other = r + "other",
                      sticky = r + "sticky", otherSticky = r + "otherSticky", file = root.write("file", "");
    MakeFolder(own, 0700);
    MakeFolder(open, 0755);
    MakeFolder(shared, 0777);
    MakeFolder(r + "shared/mine", 0700);
    MakeFolder(sticky, 01777);
    MakeFolder(r + "sticky/mine", 0700);
    const bool asRoot = ::geteuid() == 0;   // folders of another owner are made by chown
    if (asRoot) {
        MakeFolder(other, 0700, 65534);
        MakeFolder(otherSticky, 01777, 65534);
        MakeFolder(r + "otherSticky/mine", 0700);
        MakeFolder(r + "group", 0770);
        ASSERT_EQ(::chown((r + "group").c_str(), ::geteuid(), 65534), 0);   // nogroup's members may write it
        ASSERT_EQ(::symlink(own.c_str(), (r + "othersLink").c_str()), 0);
        ASSERT_EQ(::lchown((r + "othersLink").c_str(), 65534, 65534), 0);
    }
    ASSERT_EQ(::symlink("own", (r + "relative").c_str()), 0);
    ASSERT_EQ(::symlink(shared.c_str(), (r + "toShared").c_str()), 0);
    const struct {
        const char* name;
        std::string dir;
        bool make, needsRoot;
        std::string problem;
    } rows[] = {
        {"missing: made, each folder the user's alone", r + "a/b/c/", true, false, ""},
        {"missing, not to be made", r + "a/x", false, false, r + "a/x does not exist"},
        {"the user's own, by a relative link and a ..", r + "relative/../own/", false, false, ""},
        {"under a root folder with the sticky bit", r + "sticky/mine", false, false, ""},
        {"others may read it: not used as it is", open, false, false, open + " is open to other users"},
        {"others may read it: closed when made", open, true, false, ""},
        {"others may write it", shared, true, false, shared + " may be changed by other users"},
        {"others may write a folder on the way", r + "shared/mine", true, false,
         shared + " may be changed by other users"},
        {"a link leads through such a folder", r + "toShared/mine", true, false,
         shared + " may be changed by other users"},
        {"a file on the way", file + "/sub", true, false, file + " is a file, not a folder"},
        {"another user's folder", other, true, true, other + " belongs to another user"},
        {"a group's folder on the way", r + "group/mine", true, true, r + "group may be changed by other users"},
        {"another user's sticky folder on the way", otherSticky + "/mine", true, true,
         otherSticky + " belongs to another user"},
        {"another user's link on the way", r + "othersLink", true, true, r + "othersLink is a link of another user"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.needsRoot && !asRoot)
            continue;
        EXPECT_EQ(PrivateFolderProblem(row.dir, row.make), row.problem);
    }
    struct stat st {};
    for (const std::string& made : {r + "a", r + "a/b/c", open}) {
        ASSERT_EQ(::stat(made.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u) << made;
    }
}

TEST(LocationsTest, OneSocketPerSettingsFileInAPrivateRuntimeFolderElseInTheTemporaryOne)
{
    TempDir runtime, temp;
    const std::string fallback = temp.path() + "tessel-" + std::to_string(::geteuid()) + "/";
    const SystemQueries system = FakeSystem({{"XDG_RUNTIME_DIR", runtime.path()}, {"TMPDIR", temp.path()}}, true);
    std::string problem;
    const std::string a = InstanceSocketPath(PortableLocations("/opt/a"), system, problem);
    EXPECT_EQ(a.rfind(runtime.path(), 0), 0u) << a;
    EXPECT_EQ(a, InstanceSocketPath(PortableLocations("/opt/a/"), system, problem));
    EXPECT_NE(a, InstanceSocketPath(PortableLocations("/opt/b"), system, problem));
    EXPECT_EQ(problem, "");
    // A runtime folder others may reach (as /tmp named there) is not used.
    const auto inFallback = [&] { return InstanceSocketPath(PortableLocations("/opt/a"), system, problem); };
    ASSERT_EQ(::chmod(runtime.path().c_str(), 0755), 0);
    EXPECT_EQ(inFallback(), fallback + a.substr(runtime.path().size()));
    if (::geteuid() != 0)
        return;
    ASSERT_EQ(::chmod(runtime.path().c_str(), 0700), 0);
    ASSERT_EQ(::chown(runtime.path().c_str(), 65534, 65534), 0);
    EXPECT_EQ(inFallback(), fallback + a.substr(runtime.path().size()));
    // The fallback made first by another user: no socket, and why.
    ASSERT_EQ(::chown(fallback.c_str(), 65534, 65534), 0);
    EXPECT_EQ(inFallback(), "");
    EXPECT_EQ(problem, fallback.substr(0, fallback.size() - 1) + " belongs to another user");
}

TEST(LocationsTest, RecoveryCopiesLiveInTheStateHome)
{
    const struct {
        std::map<std::string, std::string> variables;
        const char* dir;
    } rows[] = {
        {{{"XDG_STATE_HOME", "/s"}, {"HOME", "/h"}}, "/s/tessel/recovery/"},
        {{{"XDG_STATE_HOME", "relative"}, {"HOME", "/h/"}}, "/h/.local/state/tessel/recovery/"},   // ignored
        {{{"HOME", "/h"}}, "/h/.local/state/tessel/recovery/"},
        {{{"HOME", "relative"}}, ""},
    };
    for (const auto& r : rows)
        EXPECT_EQ(RecoveryDir(FakeSystem(r.variables, false)), r.dir) << r.dir;
}

} // namespace
} // namespace tessel

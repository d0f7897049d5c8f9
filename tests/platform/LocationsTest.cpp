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

TEST(LocationsTest, OneSocketPerSettingsFileInTheRuntimeFolder)
{
    TempDir runtime;
    const SystemQueries system = FakeSystem({{"XDG_RUNTIME_DIR", runtime.path()}}, true);
    const std::string a = InstanceSocketPath(PortableLocations("/opt/a"), system);
    EXPECT_EQ(a.rfind(runtime.path(), 0), 0u) << a;
    EXPECT_EQ(a, InstanceSocketPath(PortableLocations("/opt/a/"), system));
    EXPECT_NE(a, InstanceSocketPath(PortableLocations("/opt/b"), system));
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

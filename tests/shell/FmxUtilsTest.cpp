#include "shell/FmxUtils.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/Errors.h"
#include "support/TempDir.h"

namespace tessel {
namespace {

std::string CopyError(const std::string& from, const std::string& to)
{
    try {
        CopyWholeFile(from, to);
    } catch (const AppError& e) {
        return e.what();
    }
    return "(no error)";
}

std::string SomeBytes(std::size_t n)
{
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>(i * 7919 % 251);
    return s;
}

TEST(FmxUtilsTest, CopiesEveryByteIntoAFileOrAFolder)
{
    TempDir dir;
    const std::string data = SomeBytes(3 * 8192 + 17);
    const std::string source = dir.write("GAME.CON", data);
    dir.write("copy.con", std::string(40000, 'x'));
    CopyWholeFile(source, dir.file("copy.con"));
    EXPECT_EQ(dir.read("copy.con"), data);
    ASSERT_EQ(::mkdir(dir.file("duke").c_str(), 0755), 0);
    CopyWholeFile(source, dir.file("duke"));
    EXPECT_EQ(dir.read("duke/GAME.CON"), data);
}

TEST(FmxUtilsTest, RefusalsNameTheirFileAndACopyOntoItselfKeepsIt)
{
    TempDir dir;
    const std::string text = "actor APLAYER\r\nenda\r\n";
    const std::string source = dir.write("Game.con", text);
    ASSERT_EQ(::mkdir(dir.file("con").c_str(), 0755), 0);
    ASSERT_EQ(::symlink(source.c_str(), dir.file("link.con").c_str()), 0);
    for (const std::string& other : {source, dir.file("con/../Game.con"), dir.file("link.con")}) {
        EXPECT_EQ(CopyError(source, other), "Cannot create file " + other);
        EXPECT_EQ(dir.read("Game.con"), text);
    }
    EXPECT_EQ(CopyError(source, dir.path()), "Cannot create file " + source);
    EXPECT_EQ(CopyError(dir.file("missing.con"), dir.file("out.con")), "Cannot open file " + dir.file("missing.con"));
    EXPECT_EQ(CopyError(source, dir.file("no/out.con")), "Cannot create file " + dir.file("no/out.con"));
}

TEST(FmxUtilsTest, AFailedWriteIsReportedNotTakenForSuccess)
{
    TempDir dir;
    const std::string source = dir.write("big.con", SomeBytes(64 * 1024));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // A file-size limit stands in for a full disk.
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{10000, 10000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        _exit(CopyError(source, dir.file("out.con")) == "Disk full" ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

} // namespace
} // namespace tessel

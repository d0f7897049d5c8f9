#include "platform/Files.h"
#include "platform/Process.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/NonRegular.h"

namespace tessel {
namespace {

std::string CopyError(const std::string& from, const std::string& to)
{
    return test::ErrorOf([&] { CopyWholeFile(from, to); });
}

std::string SomeBytes(std::size_t n)
{
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>(i * 7919 % 251);
    return s;
}

TEST(CopyWholeFileTest, CopiesEveryByteIntoAFileOrAFolder)
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

TEST(CopyWholeFileTest, RefusalsNameTheirFileAndACopyOntoItselfKeepsIt)
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

TEST(CopyWholeFileTest, AFailedWriteIsReportedNotTakenForSuccess)
{
    TempDir dir;
    const std::string source = dir.write("big.con", SomeBytes(64 * 1024));
    // A file-size limit stands in for a full disk.
    EXPECT_EQ(test::InChild([&] { CopyWholeFile(source, dir.file("out.con")); }, {10000}), "Disk full");
}

} // namespace
} // namespace tessel

#include "editor/Recovery.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "platform/Paths.h"
#include "support/NonRegular.h"

namespace tessel {
namespace {

using namespace test;

RecoveryCopy Copy(const std::string& fileName, const std::string& caption, const std::string& bytes,
                  const FileStamp& stamp = {})
{
    return {"", fileName, caption, stamp, bytes, 0};
}

// A run killed while it held these copies.
void LeaveCopies(const std::string& folder, const std::vector<RecoveryCopy>& copies)
{
    EXPECT_EQ(InChild([&] {
                  RecoveryStore run(folder);
                  for (const RecoveryCopy& copy : copies)
                      run.Write(run.NewSlot(), copy);
                  ::raise(SIGKILL);
              }),
              "signal 9");
}

std::vector<RecoveryCopy> Claim(RecoveryStore& store)
{
    std::vector<std::string> refused;
    std::string problem;
    std::vector<RecoveryCopy> copies = store.Claim(refused, problem);
    EXPECT_EQ(refused, std::vector<std::string>{});
    EXPECT_EQ(problem, "");
    return copies;
}

mode_t ModeOf(const std::string& path)
{
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

TEST(RecoveryTest, CopiesAreLeftOnlyByRunsThatEndedWithoutRemovingThem)
{
    TempDir dir;
    const std::string folder = dir.file("state/tessel/recovery/");
    const std::string latin1 = "/mods/caf\xe9.con", text("t\0\xff\r\nx", 6);
    FileStamp stamp;
    stamp.exists = stamp.regular = true;
    stamp.device = 18446744073709551615u;
    stamp.inode = 7;
    stamp.size = 6;
    stamp.modified = -1500000000123456789;   // before 1970
    EXPECT_EQ(InChild([&] {
                  RecoveryStore run(folder);
                  const int a = run.NewSlot(), b = run.NewSlot(), c = run.NewSlot();
                  run.Write(a, Copy(latin1, "VurAvozid - /mods/caf\xc3\xa9.con", "first", stamp));
                  run.Write(a, Copy(latin1, "VurAvozid - /mods/caf\xc3\xa9.con", text, stamp));
                  run.Write(b, Copy("", "VurAvozid - Unnamed2", ""));
                  run.Write(c, Copy("", "VurAvozid - Unnamed3", "saved meanwhile"));
                  run.Remove(c);
                  ::raise(SIGKILL);
              }),
              "signal 9");
    EXPECT_EQ(ModeOf(folder), 0700u);
    for (const std::string& name : ListFiles(folder))
        EXPECT_EQ(ModeOf(folder + name), 0600u) << name;

    RecoveryStore next(folder);
    next.Write(next.NewSlot(), Copy("/a.con", "VurAvozid - /a.con", "running"));
    RecoveryStore other(folder);
    EXPECT_EQ(Claim(other).size(), 2u) << "a running store's copies are its own";
    other.Unclaim();
    std::vector<RecoveryCopy> left = Claim(next);
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0].fileName, latin1);
    EXPECT_EQ(left[0].caption, "VurAvozid - /mods/caf\xc3\xa9.con");
    EXPECT_EQ(left[0].stamp, stamp);
    EXPECT_EQ(left[0].length, 6);
    EXPECT_EQ(left[0].bytes, "") << "read when restored, not when offered";
    next.ReadText(left[0]);
    EXPECT_EQ(left[0].bytes, text);
    EXPECT_EQ(left[1].caption, "VurAvozid - Unnamed2");
    EXPECT_FALSE(left[1].stamp.exists);
    next.ReadText(left[1]);
    EXPECT_EQ(left[1].bytes, "");
    next.Forget(left);
    EXPECT_EQ(ListFiles(folder).size(), 2u) << "the running store's copy and lock";
    next.RemoveAll();   // a clean exit
    EXPECT_TRUE(ListFiles(folder).empty());
    RecoveryStore last(folder);
    EXPECT_TRUE(Claim(last).empty());
}

// Two starts together: the first to look takes the copies, the other skips
// them until they are given back.
TEST(RecoveryTest, OneStartTakesTheCopiesItOffers)
{
    TempDir dir;
    LeaveCopies(dir.path(), {Copy("", "VurAvozid - Unnamed1", "x")});
    RecoveryStore first(dir.path()), second(dir.path());
    std::vector<RecoveryCopy> offered = Claim(first);
    EXPECT_EQ(offered.size(), 1u);
    EXPECT_TRUE(Claim(second).empty());
    first.Unclaim();   // the question closed: asked again at the next start
    offered = Claim(second);
    EXPECT_EQ(offered.size(), 1u);
    EXPECT_TRUE(Claim(first).empty());
    second.Forget(offered);
    EXPECT_TRUE(ListFiles(dir.path()).empty());
    // A copy changed after it was offered is not taken for it.
    LeaveCopies(dir.path(), {Copy("", "VurAvozid - Unnamed1", "x")});
    offered = Claim(first);
    ASSERT_EQ(offered.size(), 1u);
    ASSERT_EQ(::truncate(offered[0].path.c_str(), 10), 0);
    EXPECT_EQ(ErrorOf([&] { first.ReadText(offered[0]); }), offered[0].path + " is not a recovery copy of Tessel's");
}

// What another program, a crash or a hand put in the folder: offered only
// when it is a whole copy of this program's form.
TEST(RecoveryTest, OnlyWholeCopiesOfOursAreOffered)
{
    TempDir dir;
    const std::string magic("tessel recovery 2", 18), stamp = "1 1 2049 12 5 1700000000000000000";
    const auto copy = [&](const std::string& name, const std::string& caption, const std::string& stampText,
                          const std::string& length, const std::string& text) {
        return magic + name + '\0' + caption + '\0' + stampText + '\0' + length + '\0' + text;
    };
    std::string random(4096, '\0');
    for (std::size_t i = 0; i < random.size(); ++i)
        random[i] = static_cast<char>((i * 7919 + i / 13) % 256);
    const struct {
        const char* file;
        std::string bytes;
        const char* why;   // "" offered; null: not looked at (no copy's name)
    } rows[] = {
        {"1-1.copy", copy("/a.con", "VurAvozid - /a.con", stamp, "4", "text"), ""},
        {"1-2.copy", copy("", "VurAvozid - Unnamed2", stamp, "0", ""), ""},
        {"2-0.copy", "tessel recovery 1" + copy("/a.con", "a", stamp, "4", "text").substr(17),
         " is not a recovery copy of Tessel's"},
        {"2-1.copy", "a\0b\0" + random, " is not a recovery copy of Tessel's"},
        {"2-2.copy", copy("a.con", "VurAvozid - a.con", stamp, "4", "text"), " is not a recovery copy of Tessel's"},
        {"2-3.copy", copy("/a.con", "caf\xe9", stamp, "4", "text"), " is not a recovery copy of Tessel's"},
        {"2-4.copy", copy("/a.con", "", stamp, "4", "text"), " is not a recovery copy of Tessel's"},
        {"2-5.copy", copy("/a.con", "a", "1 1 2 3 4", "4", "text"), " is not a recovery copy of Tessel's"},
        {"2-6.copy", copy("/a.con", "a", "1 1 2 3 4 05", "4", "text"), " is not a recovery copy of Tessel's"},
        {"2-7.copy", copy("/a.con", "a", stamp, "5", "text"), " is not a recovery copy of Tessel's"},
        {"2-8.copy", copy("/a.con", "a", stamp, "3", "text"), " is not a recovery copy of Tessel's"},
        {"2-9.copy", copy("/a.con", "a", stamp, "-4", "text"), " is not a recovery copy of Tessel's"},
        {"x-1.copy", copy("/a.con", "a", stamp, "4", "text"), nullptr},
        {"3-1.copy.bak", copy("/a.con", "a", stamp, "4", "text"), nullptr},
        {"3--1.copy", copy("/a.con", "a", stamp, "4", "text"), nullptr},
    };
    for (const auto& row : rows)
        dir.write(row.file, row.bytes);
    // A link to a copy is no copy (a copy is never read through a link).
    ASSERT_EQ(::symlink(dir.file("1-1.copy").c_str(), dir.file("3-0.copy").c_str()), 0);
    // 1.5 GB, as a sparse file: only its header is read.
    const std::string huge = copy("/b.con", "b", stamp, "1500000000", "");
    dir.write("4-1.copy", huge);
    ASSERT_EQ(::truncate(dir.file("4-1.copy").c_str(), static_cast<off_t>(huge.size()) + 1500000000), 0);
    dir.write("4-2.copy", "");
    ASSERT_EQ(::truncate(dir.file("4-2.copy").c_str(), 1500000000), 0);

    RecoveryStore store(dir.path());
    std::vector<std::string> refused;
    std::string problem;
    std::vector<RecoveryCopy> offered = store.Claim(refused, problem);
    std::vector<std::string> expected;
    for (const auto& row : rows)
        if (row.why && *row.why)
            expected.push_back(dir.file(row.file) + row.why);
    expected.push_back(dir.file("3-0.copy") + " is not a recovery copy of Tessel's");
    expected.push_back(dir.file("4-1.copy") + " holds a text of 1500000000 bytes, more than the 999999999 a script "
                                              "may have");
    expected.push_back(dir.file("4-2.copy") + " is not a recovery copy of Tessel's");
    EXPECT_EQ(refused, expected);
    EXPECT_EQ(problem, "");
    ASSERT_EQ(offered.size(), 2u);
    store.ReadText(offered[0]);
    EXPECT_EQ(offered[0].bytes, "text");
    EXPECT_EQ(offered[0].stamp.inode, 12u);
    EXPECT_EQ(offered[1].caption, "VurAvozid - Unnamed2");
    EXPECT_EQ(PrintableName("/mods/level1\n[Tessel]\r\x7f.con"), "/mods/level1\\x0a[Tessel]\\x0d\\x7f.con");
}

// Another user could read the copies, or plant one naming the user's files:
// nothing is kept or offered, and why is told once.
TEST(RecoveryTest, AFolderOthersCanReachKeepsAndOffersNothing)
{
    const struct {
        const char* name;
        bool needsRoot;
        std::function<std::string(const TempDir&)> spoil;   // returns the problem
    } rows[] = {
        {"others may write it", false, [](const TempDir& dir) {
             EXPECT_EQ(::chmod(dir.file("recovery").c_str(), 0777), 0);
             return dir.file("recovery") + " may be changed by other users";
         }},
        {"another user's", true, [](const TempDir& dir) {
             EXPECT_EQ(::chown(dir.file("recovery").c_str(), 65534, 65534), 0);
             return dir.file("recovery") + " belongs to another user";
         }},
        {"reached by a link to a folder others may write", false, [](const TempDir& dir) {
             EXPECT_EQ(::mkdir(dir.file("shared").c_str(), 0777), 0);
             EXPECT_EQ(::chmod(dir.file("shared").c_str(), 0777), 0);
             EXPECT_EQ(::rename(dir.file("recovery").c_str(), dir.file("shared/recovery").c_str()), 0);
             EXPECT_EQ(::symlink(dir.file("shared/recovery").c_str(), dir.file("recovery").c_str()), 0);
             return dir.file("shared") + " may be changed by other users";
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.needsRoot && ::geteuid() != 0)
            continue;
        TempDir dir;
        const std::string folder = dir.file("recovery/");
        LeaveCopies(folder, {Copy(dir.file("victim"), "VurAvozid - " + dir.file("victim"), "planted")});
        const std::string problem = row.spoil(dir);
        const std::vector<std::string> before = ListFiles(folder);
        RecoveryStore store(folder);
        std::vector<std::string> refused;
        std::string said;
        EXPECT_TRUE(store.Claim(refused, said).empty());
        EXPECT_EQ(said, problem);
        EXPECT_EQ(ErrorOf([&] { store.Write(store.NewSlot(), Copy("", "VurAvozid - Unnamed1", "x")); }), "")
            << "told at the start already";
        RecoveryStore typing(folder);
        for (const char* told : {problem.c_str(), ""})
            EXPECT_EQ(ErrorOf([&] { typing.Write(typing.NewSlot(), Copy("", "VurAvozid - Unnamed1", "x")); }), told);
        EXPECT_EQ(ListFiles(folder), before);
    }
    // A state folder that is a file.
    TempDir dir;
    const std::string state = dir.write("state", "");
    RecoveryStore store(state + "/tessel/recovery/");
    EXPECT_EQ(ErrorOf([&] { store.Write(store.NewSlot(), Copy("", "VurAvozid - Unnamed1", "x")); }),
              state + " is a file, not a folder");
}

} // namespace
} // namespace tessel

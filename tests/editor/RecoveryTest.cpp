#include "editor/Recovery.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include "support/NonRegular.h"

namespace tessel {
namespace {

using namespace test;

TEST(RecoveryTest, CopiesAreLeftOnlyByRunsThatEndedWithoutRemovingThem)
{
    TempDir dir;
    const std::string folder = dir.file("state/tessel/recovery/");
    const std::string latin1 = "/mods/caf\xe9.con", text("t\0\xff\r\nx", 6);
    // A run killed while it held three copies, one of them removed.
    EXPECT_EQ(InChild([&] {
                  RecoveryStore run(folder);
                  const int a = run.NewSlot(), b = run.NewSlot(), c = run.NewSlot();
                  run.Write(a, {"", latin1, "VurAvozid - " + latin1, "first"});
                  run.Write(a, {"", latin1, "VurAvozid - " + latin1, text});
                  run.Write(b, {"", "", "VurAvozid - Unnamed2", ""});
                  run.Write(c, {"", "", "VurAvozid - Unnamed3", "saved meanwhile"});
                  run.Remove(c);
                  ::raise(SIGKILL);
              }),
              "signal 9");
    struct stat st;
    ASSERT_EQ(::stat(folder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    RecoveryStore next(folder);
    const int own = next.NewSlot();
    next.Write(own, {"", "/a.con", "VurAvozid - /a.con", "running"});
    EXPECT_TRUE(RecoveryStore(folder).Left().size() == 2) << "a running store's copies are its own";
    const std::vector<RecoveryCopy> left = next.Left();
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0].fileName, latin1);
    EXPECT_EQ(left[0].caption, "VurAvozid - " + latin1);
    EXPECT_EQ(left[0].bytes, text);
    EXPECT_EQ(left[1].caption, "VurAvozid - Unnamed2");
    EXPECT_EQ(left[1].bytes, "");
    next.Forget(left);
    EXPECT_EQ(ListFiles(folder).size(), 2u) << "the running store's copy and lock";
    next.RemoveAll();   // a clean exit
    EXPECT_TRUE(ListFiles(folder).empty());
    EXPECT_TRUE(RecoveryStore(folder).Left().empty());
}

} // namespace
} // namespace tessel

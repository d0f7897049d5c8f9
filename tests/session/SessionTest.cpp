#include "session/Session.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace tessel {
namespace {

using List = std::vector<std::string>;

// What a start reads: each key by its own rule, the recent list up to its
// first gap and without names the file could not have kept.
TEST(SessionTest, StartupSettingsReadEachKeyByItsRule)
{
    TempDir dir;
    const std::string ini = dir.write("QztMain.ini", "[ProgStartup]\r\nGameUp=3\r\n"
                                                     "[RecentFiles]\r\nRecent1=a.con\r\nRecent2=b\x01.con\r\n"
                                                     "Recent3=c.qc\r\nRecent4=\r\nRecent5=e.con\r\n"
                                                     "[GroupFileExplorer]\r\nTreeListEnable=1\r\n"
                                                     "PreviewWidth=99999\r\n[Tessel]\r\nDosProgram=dosbox-x -fs\r\n");
    StartupSettings s = ReadStartupSettings(ProfileFile(ini), 5);
    EXPECT_EQ(s.gameUp, 3);
    EXPECT_EQ(s.recent, (List{"a.con", "c.qc"}));
    EXPECT_TRUE(s.treeListDisabled);
    EXPECT_FALSE(s.previewHidden);
    EXPECT_EQ(s.previewWidth, 4000);
    EXPECT_EQ(s.dosProgram, "dosbox-x -fs");
    EXPECT_EQ(ReadStartupSettings(ProfileFile(ini), 2).recent, List{"a.con"});

    s = ReadStartupSettings(ProfileFile(dir.write("empty.ini", "[GroupFileExplorer]\r\nPreviewHidden=1\r\nPreviewWidth=5\r\n")), 4);
    EXPECT_EQ(s.gameUp, 1);
    EXPECT_EQ(s.recent, List{});
    EXPECT_FALSE(s.treeListDisabled);
    EXPECT_TRUE(s.previewHidden);
    EXPECT_EQ(s.previewWidth, 120);
    EXPECT_EQ(s.dosProgram, DefaultDosProgram);
}

// The session writes its mode and the recent list up to the first empty slot;
// the keys of empty slots, and every other key, stay as they were.
TEST(SessionTest, TheSessionWritesItsModeAndTheRecentListUpToAGap)
{
    TempDir dir;
    const std::string ini = dir.write("QztMain.ini", "[RecentFiles]\r\nRecent3=old.con\r\n[Tessel]\r\nDosProgram=x\r\n");
    ProfileEdit edit(ini);
    WriteSessionSettings(edit, 2, {"n1.con", "n2.qc", "", "n4.con"});
    edit.Commit();
    EXPECT_EQ(dir.read("QztMain.ini"), "[RecentFiles]\r\nRecent3=old.con\r\nRecent1=n1.con\r\nRecent2=n2.qc\r\n"
                                       "[Tessel]\r\nDosProgram=x\r\n[ProgStartup]\r\nGameUp=2\r\n");
}

} // namespace
} // namespace tessel

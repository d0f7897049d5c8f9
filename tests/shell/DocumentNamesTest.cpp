#include "shell/DocumentNames.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

TEST(DocumentNamesTest, CaptionFileNameStartsTwoAfterTheFirstDash)
{
    const struct {
        const char* row;
        const char* caption;
        const char* name;
    } cases[] = {
        {"dash in the name kept", "VurAvozid - C:\\a-b.con", "C:\\a-b.con"},
        {"other mode's prefix", "VUVurevo - /m/e1l1.qc", "/m/e1l1.qc"},
        {"new window", "VurAvozid - Unnamed3", "Unnamed3"},
        {"explorer", "Tessel Group File Explorer - No File Loaded", "No File Loaded"},
        {"no dash loses the first character", "plain", "lain"},
        {"dash at the end", "abc -", ""},
        {"dash one before the end", "abc-x", ""},
        {"empty", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        EXPECT_EQ(CaptionFileName(c.caption), c.name);
    }
    EXPECT_EQ(CaptionFileName(UnnamedCaption(0)), "Unnamed1");
    EXPECT_EQ(CaptionFileName(EditorCaption("/g/x - y.con")), "/g/x - y.con");
}

TEST(DocumentNamesTest, OnlyAGrpNamePartOpensInAnExplorer)
{
    const struct {
        const char* row;
        const char* name;
        bool explorer;
    } cases[] = {
        {"plain archive", "/games/duke3d.grp", true},
        {"upper case", "/games/DUKE3D.GRP", true},
        {"folder with a full stop", "/home/me/.duke/DUKE3D.GRP", true},
        {"versioned folder", "/home/me/games/duke3d.v1.5/DUKE3D.GRP", true},
        {"Windows folder with a full stop", "C:\\my.maps\\city.grp", true},
        {"script in a folder named like an archive", "/data/maps.grp/city.con", false},
        {"script in a dotted folder", "C:\\my.maps\\city.con", false},
        {"first full stop of the name decides", "/g/city.grp.bak", false},
        {"extension after the first full stop", "/g/old.city.grp", false},
        {"no full stop in the name", "/g/grp", false},
        {"project file", "/g/game.qzt", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        EXPECT_EQ(OpensInExplorer(c.name), c.explorer);
    }
}

TEST(DocumentNamesTest, SaveAddsTheModesExtensionOnlyToANameWithoutFullStop)
{
    const struct {
        const char* row;
        const char* chosen;
        int mode;
        const char* saved;
    } cases[] = {
        {"Duke", "/w/test", 1, "/w/test.con"},
        {"Quake", "/w/test", 2, "/w/test.qc"},
        {"Verge", "/w/test", 3, "/w/test.vc"},
        {"no mode", "/w/test", 7, "/w/test"},
        {"own extension kept", "/w/test.txt", 2, "/w/test.txt"},
        {"dotted folder", "/w/a.b/test", 2, "/w/a.b/test.qc"},
        {"dotted Windows folder", "C:\\a.b\\test", 1, "C:\\a.b\\test.con"},
        {"hidden file has a full stop", "/w/.test", 1, "/w/.test"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        EXPECT_EQ(SaveFileName(c.chosen, c.mode), c.saved);
    }
}

TEST(DocumentNamesTest, UnnamedAndTheDialogFolderOfEachMode)
{
    EXPECT_TRUE(IsUnnamed("Unnamed12"));
    EXPECT_FALSE(IsUnnamed("unnamed1"));
    EXPECT_FALSE(IsUnnamed("/w/Unnamed1.con"));
    EXPECT_EQ(ModeDialogFolder(1, "/con/", "/qc/"), "/con/");
    EXPECT_EQ(ModeDialogFolder(2, "/con/", "/qc/"), "/qc/");
    EXPECT_EQ(ModeDialogFolder(3, "/con/", "/qc/"), "");
    EXPECT_EQ(ModeDialogFolder(0, "/con/", "/qc/"), "");
}

} // namespace
} // namespace tessel

#include "session/DocumentNames.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

TEST(DocumentNamesTest, CaptionFileNameStartsTwoAfterTheFirstDash)
{
    const char* const cases[][2] = {
        {"VurAvozid - C:\\a-b.con", "C:\\a-b.con"}, {"VUVurevo - /m/x - y.qc", "/m/x - y.qc"},
        {"plain", "lain"},   // no dash: the first character goes
        {"abc-x", ""},       {"", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        EXPECT_EQ(CaptionFileName(c[0]), c[1]);
    }
    EXPECT_EQ(CaptionFileName(UnnamedCaption(0)), "Unnamed1");
    EXPECT_TRUE(IsUnnamed("Unnamed12"));
    EXPECT_FALSE(IsUnnamed("unnamed1"));
}

TEST(DocumentNamesTest, OnlyTheNamePartsOwnExtensionMakesAGroupFile)
{
    const bool explorer = true, editor = false;
    const struct {
        const char* name;
        bool explorer;
    } cases[] = {
        {"/home/me/.duke/DUKE3D.GRP", explorer},    {"C:\\my.maps\\city.grp", explorer},
        {"/data/maps.grp/city.con", editor},        {"/g/grp", editor},   // no extension at all
        {"/g/city.grp.bak", editor},                {"/g/old.city.grp", editor},   // the first full stop decides
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(OpensInExplorer(c.name), c.explorer);
    }
}

TEST(DocumentNamesTest, SaveAddsTheModesExtensionOnlyToANameWithoutFullStop)
{
    const struct {
        const char* chosen;
        int mode;
        const char* saved;
    } cases[] = {{"/w/test", 1, "/w/test.con"}, {"/w/a.b/test", 3, "/w/a.b/test.vc"}, {"/w/test", 7, "/w/test"},
                 {"/w/test.txt", 2, "/w/test.txt"}, {"C:\\a.b\\test", 2, "C:\\a.b\\test.qc"},
                 {"/w/.test", 1, "/w/.test"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen + std::string(" in mode ") + std::to_string(c.mode));
        EXPECT_EQ(SaveFileName(c.chosen, c.mode), c.saved);
    }
    EXPECT_EQ(ModeDialogFolder(3, "/con/", "/qc/"), "");
}

} // namespace
} // namespace tessel

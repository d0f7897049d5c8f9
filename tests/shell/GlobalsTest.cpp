#include "shell/Globals.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

TEST(GlobalsTest, NamePartsSplitAtEitherSeparatorAndTheFirstFullStop)
{
    struct Case {
        const char* path;
        const char* name;
        const char* ext;
        const char* stem;
    };
    const Case cases[] = {
        {"D:\\scripts\\game.con", "game.con", "con", "D:\\scripts\\game"},
        {"/home/me/scripts/game.con", "game.con", "con", "/home/me/scripts/game"},
        {"C:\\my.maps\\city.grp", "city.grp", "maps\\city.grp", "C:\\my"},
        {"C:\\games\\", "games", "C:\\games\\", ""},
        {"/music//", "music", "/music//", ""},
        {"archive.tar.gz", "archive.tar.gz", "tar.gz", "archive"},
        {"README", "README", "README", ""},
        {"", "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileNamePart(c.path), c.name) << c.path;
        EXPECT_EQ(FileExtPart(c.path), c.ext) << c.path;
        EXPECT_EQ(FileStemPart(c.path), c.stem) << c.path;
    }
}

TEST(GlobalsTest, ProgramDirAlwaysEndsInASeparator)
{
    SetProgramDir("/opt/tessel");
    EXPECT_EQ(ProgramDir, "/opt/tessel/");
    EXPECT_EQ(SettingsFileName, "/opt/tessel/QztMain.ini");
    SetProgramDir("/opt/tessel/");
    EXPECT_EQ(ProgramDir, "/opt/tessel/");
}

TEST(GlobalsTest, DroppingRequestsKeepsWhatTheRepeatCommandsReuse)
{
    EditorRequestsType r;
    r.LoadRequest = r.SaveRequest = r.RecolorRequest = r.TestErrorsRequest = true;
    r.SelectAllRequest = r.UndoRequest = r.BlockIndentRequest = r.BlockDeIndentRequest = true;
    r.GotoLineRequest = 4;
    r.UserFndText = {"actor", 12, true};
    r.UserReplaceText = {"a", "b", -3, true, true};
    r.SearchOptions = soWholeWord | soMatchCase;
    r.WizardInsertText = "ifrnd";
    r.RightClickRequest = true;
    r.DropPending();
    EXPECT_FALSE(r.LoadRequest || r.SaveRequest || r.RecolorRequest || r.TestErrorsRequest || r.SelectAllRequest ||
                 r.UndoRequest || r.BlockIndentRequest || r.BlockDeIndentRequest || r.RightClickRequest ||
                 r.UserFndText.Go || r.UserReplaceText.Go);
    EXPECT_EQ(r.GotoLineRequest, -1);
    EXPECT_TRUE(r.WizardInsertText.empty());
    EXPECT_EQ(r.UserFndText.Text, "actor");
    EXPECT_EQ(r.UserFndText.Position, 12);
    EXPECT_EQ(r.UserReplaceText.ReplaceText, "b");
    EXPECT_TRUE(r.UserReplaceText.All);
    EXPECT_EQ(r.SearchOptions, soWholeWord | soMatchCase);
}

} // namespace
} // namespace tessel

#include "launch/DirectoryChoice.h"

#include "launch/LaunchTestSupport.h"

namespace tessel {
namespace {

using namespace test;

// The confirmed directory ends in one separator: a chosen folder gets it, the root and a
// name that has it keep theirs.
TEST(DirectoryChoiceTest, ASettingStartsTheChooserOrIsEmptiedFirst)
{
    TempDir dir;
    MakeFolders(dir.path(), {"duke"});
    const struct { const char* name; std::string setting; std::optional<std::string> answer, start, result;
                   std::string settingAfter; } cases[] = {
        {"an existing setting starts the chooser", dir.file("duke/"), dir.file("duke"), dir.file("duke/"),
         dir.file("duke/"), dir.file("duke/")},
        {"cancelled: the setting stays", dir.file("duke/"), std::nullopt, dir.file("duke/"), std::nullopt,
         dir.file("duke/")},
        {"a removed directory is emptied, even when cancelled", dir.file("gone/"), std::nullopt, std::nullopt,
         std::nullopt, ""},
        {"a file is no directory", dir.write("file", ""), dir.path(), std::nullopt, dir.path(), ""},
        {"unset: the chooser starts where it was left", "", "/", std::nullopt, "/", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeChooser chooser;
        chooser.answers = {c.answer};
        std::string setting = c.setting;
        EXPECT_EQ(ChooseDirectorySetting(setting, chooser), c.result);
        EXPECT_EQ(chooser.starts, Starts{c.start});
        EXPECT_EQ(setting, c.settingAfter);   // the acceptance, not the choice, stores the result
    }
}

} // namespace
} // namespace tessel

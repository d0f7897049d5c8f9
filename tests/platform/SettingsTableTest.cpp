#include "platform/SettingsTable.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace tessel;

namespace {

struct Options {
    bool flag = true;
    int plain = 7;
    int players = 1;    // a spin field, 1 to 8
    int skill = 3;      // 1 to 4; 0 for none, and then not stored
    int level = 0;      // a list index, -1 for none
    std::string name = "def";
};

constexpr SettingRow<Options> Rows[] = {
    Setting("Skill", &Options::skill, WrittenOnlyWithin(DefaultOutside(1, 4))),
    Setting("Flag", &Options::flag),
    Setting("Plain", &Options::plain),
    Setting("Players", &Options::players, Clamped(1, 8)),
    Setting("Level", &Options::level, ValueOutside(0, 2, -1)),
    Setting("Name", &Options::name),
};

auto Fields(const Options& o)
{
    return std::tie(o.flag, o.plain, o.players, o.skill, o.level, o.name);
}

// One stored value per key at a time; every other field takes its default.
TEST(SettingsTableTest, ReadTakesTheRangeRuleOfItsRow)
{
    const struct { const char* key; const char* stored; int Options::*field; int expected; } cases[] = {
        {"Players", "0", &Options::players, 1},      {"Players", "9", &Options::players, 8},
        {"Players", nullptr, &Options::players, 1},  {"Skill", "0", &Options::skill, 3},
        {"Skill", "1", &Options::skill, 1},          {"Skill", "4", &Options::skill, 4},
        {"Skill", "5", &Options::skill, 3},          {"Skill", nullptr, &Options::skill, 3},
        {"Level", "0", &Options::level, 0},          {"Level", "2", &Options::level, 2},
        {"Level", "3", &Options::level, -1},         {"Level", nullptr, &Options::level, 0},
        {"Plain", "-5", &Options::plain, -5},        {"Plain", "0x10", &Options::plain, 16},
        {"Plain", "x", &Options::plain, 7},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + (c.stored ? c.stored : "(missing)"));
        const std::string text = "[S]\nOther=1\n" + (c.stored ? std::string(c.key) + "=" + c.stored + "\n" : "");
        Options read{false, 99, 99, 99, 99, ""};   // every row is read, none left as it was
        ReadSettings(ProfileFile(dir.write("t.ini", text)), "s", Rows, read);
        Options expected;
        expected.*c.field = c.expected;
        EXPECT_EQ(Fields(expected), Fields(read));
    }
}

TEST(SettingsTableTest, WriteFollowsTheTableAndReadsBack)
{
    TempDir dir;
    ProfileFile ini(dir.write("t.ini", "; kept\n[S]\nName=old\nOther=1\n"));
    Options o{false, -3, 8, 4, -1, "x y"};
    for (const int skill : {4, 0, 5}) {   // outside the range the stored 4 stays
        o.skill = skill;
        ProfileEdit edit(ini.FileName());
        WriteSettings(edit, "S", Rows, o);
        edit.Commit();
    }
    EXPECT_EQ("; kept\n[S]\nName=x y\nOther=1\nSkill=4\nFlag=0\nPlain=-3\nPlayers=8\nLevel=-1\n",
              dir.read("t.ini"));
    o.skill = 4;
    Options read;
    ReadSettings(ini, "S", Rows, read);
    EXPECT_EQ(Fields(o), Fields(read));
}

} // namespace

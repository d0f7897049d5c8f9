#include "session/misc.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

using List = std::vector<std::string>;

TEST(miscTest, RecentListKeepsTheFourNewestAndMovesReopenedToFront)
{
    List list(4);
    NoteRecentFile(list, "e1l1.con");
    NoteRecentFile(list, "E1L1.CON");   // names compare exactly
    EXPECT_EQ(list, (List{"E1L1.CON", "e1l1.con", "", ""}));
    for (const char* name : {"3", "4", "5", "6"})
        NoteRecentFile(list, name);
    EXPECT_EQ(list, (List{"6", "5", "4", "3"}));
    NoteRecentFile(list, "4");   // the third-newest
    EXPECT_EQ(list, (List{"4", "6", "5", "3"}));
    NoteRecentFile(list, "4");
    EXPECT_EQ(list, (List{"4", "6", "5", "3"}));
    EXPECT_EQ(IndexOfName(list, "missing"), -1);
    // A name the settings file could not keep stays out, and moves nothing.
    for (const char* name : {"level1\n[Tessel]\nDosProgram=sh\n.con", "a\rb.con", "tab\there.con"})
        NoteRecentFile(list, name);
    NoteRecentFile(list, "C:\\DUKE3D\\\xe9.con");
    EXPECT_EQ(list, (List{"C:\\DUKE3D\\\xe9.con", "4", "6", "5"}));
}

} // namespace
} // namespace tessel

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
}

} // namespace
} // namespace tessel

#include "shell/misc.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

using List = std::vector<std::string>;

// How opening a file updates the recent list.
void Open(List& list, const std::string& name)
{
    const int i = IndexOfName(list, name);
    if (i >= 0) {
        MoveToFront(list, i);
        list[0] = name;
    } else {
        InsertFront(list, name);
    }
}

TEST(miscTest, IndexOfNameIsExactAndFirst)
{
    const List list{"a.con", "B.CON", "a.con", ""};
    EXPECT_EQ(IndexOfName(list, "a.con"), 0);
    EXPECT_EQ(IndexOfName(list, "b.con"), -1);
    EXPECT_EQ(IndexOfName(list, "B.CON"), 1);
    EXPECT_EQ(IndexOfName(list, ""), 3);
}

TEST(miscTest, RecentListKeepsTheFourNewestAndMovesReopenedToFront)
{
    List list(4);
    for (const char* name : {"1", "2", "3", "4", "5", "6"})
        Open(list, name);
    EXPECT_EQ(list, (List{"6", "5", "4", "3"}));
    Open(list, "4");   // the third-newest
    EXPECT_EQ(list, (List{"4", "6", "5", "3"}));
    Open(list, "4");
    EXPECT_EQ(list, (List{"4", "6", "5", "3"}));
    Open(list, "3");
    EXPECT_EQ(list, (List{"3", "4", "6", "5"}));
}

TEST(miscTest, FirstOpensFillFreeSlots)
{
    List list(4);
    Open(list, "C:\\games\\e1l1.con");
    Open(list, "C:\\GAMES\\E1L1.CON");
    EXPECT_EQ(list, (List{"C:\\GAMES\\E1L1.CON", "C:\\games\\e1l1.con", "", ""}));
}

} // namespace
} // namespace tessel

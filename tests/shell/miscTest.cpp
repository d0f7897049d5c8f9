#include "shell/misc.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

using List = std::vector<std::string>;

// What opening a file does to the recent list.
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

TEST(miscTest, RecentListKeepsTheFourNewestAndMovesReopenedToFront)
{
    List list(4);
    Open(list, "e1l1.con");
    Open(list, "E1L1.CON");   // names compare exactly
    EXPECT_EQ(list, (List{"E1L1.CON", "e1l1.con", "", ""}));
    for (const char* name : {"3", "4", "5", "6"})
        Open(list, name);
    EXPECT_EQ(list, (List{"6", "5", "4", "3"}));
    Open(list, "4");   // the third-newest
    EXPECT_EQ(list, (List{"4", "6", "5", "3"}));
    Open(list, "4");
    EXPECT_EQ(list, (List{"4", "6", "5", "3"}));
    EXPECT_EQ(IndexOfName(list, "missing"), -1);
}

} // namespace
} // namespace tessel

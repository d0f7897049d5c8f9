#include "language/Find.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

TEST(FindTest, OptionsAndRanges)
{
    EXPECT_EQ(Find("abc", "", 0, 3, 0), -1);                         // an empty pattern never matches
    EXPECT_EQ(Find("xAbc abc", "abc", 0, 8, foMatchCase), 5);
    EXPECT_EQ(Find("xAbc abc", "abc", 0, 8, 0), 1);
    EXPECT_EQ(Find("xAbc abc", "abc", 0, 8, foWholeWord), 5);
    EXPECT_EQ(Find("abc", "abc", 0, 2, 0), -1);                      // must fit inside the range
    EXPECT_EQ(Find("xabc", "abc", 1, 4, foWholeWord), -1);            // the x outside the range still counts
    EXPECT_EQ(Find("\xE9" "abc \xC9" "ABC", "abc", 0, 9, foWholeWord), -1);   // high bytes are letters
    EXPECT_EQ(Find("\xE9", "\xC9", 0, 1, 0), -1);                    // and compare exactly
}

} // namespace
} // namespace tessel

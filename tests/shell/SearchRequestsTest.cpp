#include "shell/SearchRequests.h"

#include <gtest/gtest.h>

#include <climits>

namespace tessel {
namespace {

TEST(SearchRequestsTest, RefusedInputChangesNothingButTheAllFlag)
{
    EditorRequestsType r;
    ASSERT_TRUE(FillSearchRequest(r, "actor", SearchOptionsFrom(true, false), true));
    ASSERT_TRUE(FillReplaceRequest(r, "a", "b", SearchOptionsFrom(false, true), ReplaceFrom::Cursor, false));
    r.DropPending();
    EXPECT_FALSE(FillSearchRequest(r, "", soMatchCase, false));
    EXPECT_FALSE(FillReplaceRequest(r, "x", "", soWholeWord, ReplaceFrom::Selection, true));
    EXPECT_EQ(r.UserFndText.Text, "actor");
    EXPECT_EQ(r.UserFndText.Position, 0);
    EXPECT_EQ(r.UserReplaceText.FindText, "a");
    EXPECT_EQ(r.UserReplaceText.Position, -2);
    EXPECT_EQ(r.SearchOptions, soMatchCase);   // the last accepted use, shared by both
    EXPECT_FALSE(r.UserFndText.Go || r.UserReplaceText.Go);
    // The button decides All before the texts are looked at.
    EXPECT_TRUE(r.UserReplaceText.All);
    ASSERT_TRUE(RepeatReplaceRequest(r));
    EXPECT_EQ(r.UserReplaceText.Position, -1);
}

TEST(SearchRequestsTest, LineNumbersBelowOneAskForNothing)
{
    const struct {
        const char* row;
        int typed;
        int request;
    } cases[] = {{"first", 1, 0}, {"far", 100000, 99999}, {"zero", 0, -1}, {"negative", -3, -1}, {"lowest", INT_MIN, -1},
                 {"highest", INT_MAX, INT_MAX - 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        EXPECT_EQ(GotoLineRequestFor(c.typed), c.request);
    }
}

} // namespace
} // namespace tessel

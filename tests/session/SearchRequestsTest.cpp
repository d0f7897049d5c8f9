#include "session/SearchRequests.h"

#include <gtest/gtest.h>

#include "editor/EditOps.h"
#include "support/FakeEditBuffer.h"
#include "support/ScriptedPrompter.h"

namespace tessel {
namespace {

// The search commands over a document: each step fills the memory as a
// dialog or a repeat command does; the document carries the request out.
class SearchRequestsTest : public ::testing::Test {
protected:
    struct NoFiles : EditorHooks {
        bool LoadDocument(const std::string&) override { return false; }
        bool SaveDocument(const std::string&) override { return false; }
    };
    // The selection after the document took what the memory holds ready, as "start+length".
    std::string Carry()
    {
        EditorRequests requests = RequestsOf(memory);
        CarryOutRequests(buffer, requests, {table}, hooks, prompter);
        Remember(memory, requests);
        return std::to_string(buffer.SelStart()) + "+" + std::to_string(buffer.SelLength());
    }

    FakeEditBuffer buffer;
    SearchMemory memory;
    KeywordTableType table;
    NoFiles hooks;
    ScriptedPrompter prompter;
};

TEST_F(SearchRequestsTest, SearchFromTheTopOrTheCaretAndEachRepeatGoesOn)
{
    EXPECT_FALSE(RepeatSearchRequest(memory));   // nothing entered before
    EXPECT_FALSE(FillSearchRequest(memory, "", 0, true));
    buffer = FakeEditBuffer("actor x actors Actor actor");
    ASSERT_TRUE(FillSearchRequest(memory, "actor", 0, true));
    std::vector<std::string> found = {Carry()};
    for (int repeat = 0; repeat < 2; ++repeat) {
        ASSERT_TRUE(RepeatSearchRequest(memory));
        found.push_back(Carry());
    }
    ASSERT_TRUE(FillSearchRequest(memory, "actor", SearchOptionsFrom(true, true), false));
    found.push_back(Carry());
    EXPECT_EQ(found, (std::vector<std::string>{"0+5", "8+5", "15+5", "21+5"}));
    EXPECT_FALSE(RequestsOf(memory).UserFndText.Go);   // carried out: nothing left ready
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(SearchOptionsFrom(true, false), soWholeWord);
    EXPECT_EQ(SearchOptionsFrom(false, true), soMatchCase);
}

TEST_F(SearchRequestsTest, ReplaceAllRepeatsFromTheTopAndOneReplacementGoesOnAfterIt)
{
    EXPECT_FALSE(RepeatReplaceRequest(memory));
    EXPECT_FALSE(FillReplaceRequest(memory, "", "o", 0, ReplaceFrom::Top, false));
    EXPECT_FALSE(FillReplaceRequest(memory, "a", "", 0, ReplaceFrom::Top, true));   // never by nothing
    EXPECT_TRUE(memory.UserReplaceText.All);   // the button's, although refused
    EXPECT_FALSE(RepeatReplaceRequest(memory));
    buffer = FakeEditBuffer("a xa a");
    buffer.SetSelection(0, 4);
    ASSERT_TRUE(FillReplaceRequest(memory, "a", "o", 0, ReplaceFrom::Selection, true));
    Carry();
    EXPECT_EQ(buffer.Text(), "o xo a");
    ASSERT_TRUE(RepeatReplaceRequest(memory));
    Carry();
    EXPECT_EQ(buffer.Text(), "o xo o");

    // A replacement the search finds again (any case): the repeat goes on past it.
    buffer = FakeEditBuffer("bbbbbbaaa");
    buffer.SetSelection(2, 0);
    ASSERT_TRUE(FillReplaceRequest(memory, "b", "B", 0, ReplaceFrom::Cursor, false));
    Carry();
    EXPECT_EQ(buffer.Text(), "bbBbbbaaa");
    buffer.SetSelection(2, 0);
    ASSERT_TRUE(RepeatReplaceRequest(memory));
    Carry();
    EXPECT_EQ(buffer.Text(), "bbBBbbaaa");
}

TEST(SearchRequestsLines, AreTypedFromOne)
{
    const struct { int typed, line; } lines[] = {{2, 1}, {1, 0}, {0, -1}, {-5, -1}};
    for (const auto& l : lines)
        EXPECT_EQ(GotoLineRequestFor(l.typed), l.line) << "typed " << l.typed;
}

} // namespace
} // namespace tessel

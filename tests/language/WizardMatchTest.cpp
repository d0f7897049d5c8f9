#include <gtest/gtest.h>

#include "language/WizardMatch.h"

namespace tessel {
namespace {

TEST(WizardMatchTest, TheWordBeforeTheCaretSelectsTheFirstEntryBeginningWithIt)
{
    const char* const index = ";1/move;2/ifai;3/ifaction;4/action;5/ifa;";
    struct Case { const char* text; int caret; const char* word; int entry; } cases[] = {
        {"", 0, "", 0},
        {"x ifa", 5, "ifa", 2},           // file order, not the exact name
        {"x\tifa", 5, "x\tifa", 0},       // only blanks separate
        {"x\r\nifa", 6, "ifa", 2},        // the line start does too
        {"x\r\n", 3, "", 0},              // at the start of a line
        {"ab ifa ", 7, "ifa ", 0},        // the blank just before the caret belongs to the word
        {"ifaction", 3, "ifa", 2},
        {"  IFA", 5, "IFA", 0},           // case matters
        {"  ction", 7, "ction", 0},       // a name's middle does not count ("action")
        {"  move", 6, "move", 1},
        {"  mover", 7, "mover", 0},
        {"  ;2", 4, ";2", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " @" + std::to_string(c.caret));
        EXPECT_EQ(WordBeforeCaret(c.text, c.caret), c.word);
        EXPECT_EQ(TypedWordMatch(c.text, c.caret, index), c.entry);
    }
    // Numbers of several digits, read back from before the "/".
    EXPECT_EQ(TypedWordMatch("a", 1, ";9/b;10/c;123/a;"), 123);
}

} // namespace
} // namespace tessel

#include <gtest/gtest.h>

#include "language/WizardMatch.h"

namespace tessel {
namespace {

const char* const Index = ";1/move;2/ifai;3/ifaction;4/action;5/ifa;";

TEST(WizardMatchTest, TheWordBeforeTheCaret)
{
    struct Case { const char* text; int caret; const char* word; } cases[] = {
        {"", 0, ""},
        {"x ifa", 5, "ifa"},
        {"x\tifa", 5, "x\tifa"},      // only blanks separate
        {"x\r\nifa", 6, "ifa"},        // the line start does too
        {"x\r\n", 3, ""},              // at the start of a line
        {"ab ifa ", 7, "ifa "},         // the blank just before the caret belongs to the word
        {"ifaction", 3, "ifa"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " @" + std::to_string(c.caret));
        EXPECT_EQ(WordBeforeCaret(c.text, c.caret), c.word);
    }
}

TEST(WizardMatchTest, FirstEntryWhoseNameBeginsWithTheWord)
{
    struct Case { const char* text; int caret; int entry; } cases[] = {
        {"  ifa", 5, 2},    // file order, not the exact name
        {"  ifac", 6, 3},
        {"  IFA", 5, 0},    // case matters
        {"  ction", 7, 0},  // a name's middle does not count ("action")
        {"  move", 6, 1},
        {"  mover", 7, 0},
        {"", 0, 0},
        {"  ;2", 4, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TypedWordMatch(c.text, c.caret, Index), c.entry);
    }
    // Numbers of several digits, read back from before the "/".
    EXPECT_EQ(TypedWordMatch("a", 1, ";9/b;10/c;123/a;"), 123);
}

} // namespace
} // namespace tessel

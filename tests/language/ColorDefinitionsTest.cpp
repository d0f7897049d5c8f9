#include "language/ColorDefinitions.h"

#include <gtest/gtest.h>

#include "platform/Errors.h"
#include "support/NonRegular.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace tessel {
namespace {

const char* const kNotEntered = "): Function not entered correctly.  Skipping current function.";
const char* const kBraces = "): \"{}\" out of ouder.  Skipping current function.";
const char* const kComma = "): \",\" out of order.  Skipping current function.";
const char* const kColor = "): Invalid Color.  Skipping current function.";

std::string QcError(int line, const char* tail)
{
    return "Error in QCFcs.qcf(" + std::to_string(line) + tail;
}

// The table as "keyword=colour" lines, so a mismatch reads plainly.
std::vector<std::string> Entries(const KeywordTableType& table)
{
    std::vector<std::string> out;
    for (const ConType& e : table) {
        EXPECT_EQ(e.KeywordLength, static_cast<std::int32_t>(e.Keyword.size()));
        out.push_back(e.Keyword + "=" + std::to_string(e.Color));
    }
    return out;
}

const std::string R = "=255", G = "=32768", B = "=16711680";

class ColorDefinitionsTest : public ::testing::Test {
protected:
    bool load(const std::string& contents)
    {
        prompter.clear();
        dir.write("QCFcs.qcf", contents);
        return LoadColorDefinitions(2, dir.path(), table, prompter);
    }
    TempDir dir;
    ScriptedPrompter prompter;
    KeywordTableType table{{"stale", 5, clRed}};
};

TEST_F(ColorDefinitionsTest, EachLineIsLocatedOnItsOwnByItsLastBracesAndComma)
{
    // error: the tail of the message for line 2.
    const struct { const char* line; std::vector<std::string> entries; const char* error; } cases[] = {
        {"{if,1}", {"if" + R}, nullptr},
        {"{w, 3}", {"w" + B}, nullptr},
        {"{ if ,1}", {" if " + R}, nullptr},
        {"{,2}", {G}, nullptr},
        {"{if,1} {else,3}", {"else" + B}, nullptr},
        {"}{word,1}", {"word" + R}, nullptr},
        {"{a,b,1}", {"a,b" + R}, nullptr},
        {" #x", {}, kNotEntered},
        {"}if,1{", {}, kBraces},
        {"{if}1,", {}, kComma},
        {"{if,4}", {}, kColor},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_TRUE(load(std::string("# comment\r\n") + c.line + "\r\n"));
        EXPECT_EQ(Entries(table), c.entries);
        EXPECT_EQ(prompter.texts(), c.error ? std::vector<std::string>{QcError(2, c.error)}
                                            : std::vector<std::string>{});
    }
    EXPECT_EQ(prompter.shown.back().caption, "Information");
}

TEST_F(ColorDefinitionsTest, LinesAreNumberedAndFaultyOnesSkipped)
{
    EXPECT_TRUE(load("# header\r\n\r\n{a,1}\r\n{b,7}\n{c,3}\r\n#\r\nc,3\r\n{d,2}\r\n}e,1{"));
    EXPECT_EQ(Entries(table), (std::vector<std::string>{"a" + R, "c" + B, "d" + G}));
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{QcError(4, kColor), QcError(7, kNotEntered),
                                                          QcError(9, kBraces)}));
    EXPECT_TRUE(load("# only comments\r\n\r\n#{x,1}\r\n"));
    EXPECT_TRUE(table.empty());
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(ColorDefinitionsTest, AColorThatIsNoNumberEndsTheLoad)
{
    EXPECT_EQ(test::ErrorOf([&] { load("{a,1}\r\n{b,2}\r\n{word,1}}\r\n{c,3}\r\n"); }),
              "'1}' is not a valid integer value");
    EXPECT_EQ(Entries(table), (std::vector<std::string>{"a" + R, "b" + G}));
}

TEST_F(ColorDefinitionsTest, MissingFileIsReportedAndTableEmptied)
{
    EXPECT_FALSE(LoadColorDefinitions(3, dir.path(), table, prompter));
    EXPECT_TRUE(table.empty());
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Cannot find file: \"" + dir.path() +
                                                         "VGFcs.qcf\". Without this file color coating for the "
                                                         "given game will not work."});
}

} // namespace
} // namespace tessel

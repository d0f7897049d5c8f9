#include "language/ColorDefinitions.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/Errors.h"
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

struct Entry {
    std::string keyword;
    std::int32_t color;
};

void ExpectEntries(const KeywordTableType& table, const std::vector<Entry>& expected)
{
    ASSERT_EQ(table.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(table[i].Keyword, expected[i].keyword) << "entry " << i;
        EXPECT_EQ(table[i].KeywordLength, static_cast<std::int32_t>(expected[i].keyword.size()))
            << "entry " << i;
        EXPECT_EQ(table[i].Color, expected[i].color) << "entry " << i;
    }
}

class ColorDefinitionsTest : public ::testing::Test {
protected:
    // Loads the Quake file (mode 2) with the given contents.
    bool load(const std::string& contents)
    {
        dir.write("QCFcs.qcf", contents);
        return LoadColorDefinitions(2, dir.path(), table, prompter);
    }

    TempDir dir;
    ScriptedPrompter prompter;
    KeywordTableType table{{"stale", 5, clRed}};
};

TEST_F(ColorDefinitionsTest, EachModeReadsItsOwnFile)
{
    dir.write("CNFcs.qcf", "{actor,3}\r\n");
    dir.write("QCFcs.qcf", "{void,1}\r\n");
    dir.write("VGFcs.qcf", "{int,2}\r\n");
    const std::pair<int, Entry> cases[] = {
        {1, {"actor", clBlue}}, {2, {"void", clRed}}, {3, {"int", clGreen}}};
    for (const auto& [mode, entry] : cases) {
        SCOPED_TRACE(mode);
        EXPECT_TRUE(LoadColorDefinitions(mode, dir.path(), table, prompter));
        ExpectEntries(table, {entry});
    }
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(ColorDefinitionsTest, OtherModeEmptiesTableWithoutReading)
{
    for (int mode : {0, 4}) {
        table = {{"stale", 5, clRed}};
        EXPECT_TRUE(LoadColorDefinitions(mode, dir.path(), table, prompter));
        EXPECT_TRUE(table.empty());
    }
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(ColorDefinitionsTest, MissingFileIsReportedAndTableEmptied)
{
    const std::pair<int, const char*> cases[] = {{1, "CNFcs.qcf"}, {2, "QCFcs.qcf"}, {3, "VGFcs.qcf"}};
    for (const auto& [mode, name] : cases) {
        SCOPED_TRACE(name);
        prompter.clear();
        table = {{"stale", 5, clRed}};
        EXPECT_FALSE(LoadColorDefinitions(mode, dir.path(), table, prompter));
        EXPECT_TRUE(table.empty());
        ASSERT_EQ(prompter.shown.size(), 1u);
        const auto& box = prompter.shown[0];
        EXPECT_EQ(box.kind, ScriptedPrompter::Kind::Typed);
        EXPECT_EQ(box.type, MsgType::Information);
        EXPECT_EQ(box.buttons, MsgButtons::Ok);
        EXPECT_EQ(box.text, "Cannot find file: \"" + dir.path() + name +
                                "\". Without this file color coating for the given game will not work.");
    }
}

// One line on its own, as the second line of the file (after a comment).
TEST_F(ColorDefinitionsTest, SingleLines)
{
    struct Case {
        const char* line;
        std::vector<Entry> entries;
        const char* error;   // tail of the message for line 2, or nullptr
    };
    const Case cases[] = {
        {"{if,1}", {{"if", clRed}}, nullptr},
        {"{if,3}", {{"if", clBlue}}, nullptr},
        {"{w, 3}", {{"w", clBlue}}, nullptr},
        {"{ if ,1}", {{" if ", clRed}}, nullptr},
        {"{,2}", {{"", clGreen}}, nullptr},
        {"{if,1} {else,3}", {{"else", clBlue}}, nullptr},
        {"}{word,1}", {{"word", clRed}}, nullptr},
        {"{a,b,1}", {{"a,b", clRed}}, nullptr},
        {"{x{y,2}", {{"y", clGreen}}, nullptr},
        {"text {kw,3} text", {{"kw", clBlue}}, nullptr},
        {"{\xE4\xF6\xFF,1}", {{"\xE4\xF6\xFF", clRed}}, nullptr},
        {" #x", {}, kNotEntered},
        {"{if 1}", {}, kNotEntered},
        {"{if,1", {}, kNotEntered},
        {"}if,1{", {}, kBraces},
        {"{if,1}{", {}, kBraces},
        {"{if}1,", {}, kComma},
        {",{if1}", {}, kComma},
        {"{if,0}", {}, kColor},
        {"{if,4}", {}, kColor},
        {"{if,$3}", {{"if", clBlue}}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        prompter.clear();
        EXPECT_TRUE(load(std::string("# comment\r\n") + c.line + "\r\n"));
        ExpectEntries(table, c.entries);
        if (c.error) {
            EXPECT_EQ(prompter.texts(), std::vector<std::string>{QcError(2, c.error)});
            ASSERT_EQ(prompter.shown.size(), 1u);
            EXPECT_EQ(prompter.shown[0].type, MsgType::Information);
            EXPECT_EQ(prompter.shown[0].buttons, MsgButtons::Ok);
        } else {
            EXPECT_TRUE(prompter.shown.empty());
        }
    }
}

TEST_F(ColorDefinitionsTest, CommentsAndEmptyLinesOnly)
{
    EXPECT_TRUE(load("# one\r\n\r\n#{x,1}\r\n\n#\r\n"));
    EXPECT_TRUE(table.empty());
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(ColorDefinitionsTest, LineEndsOfAnyKind)
{
    const char* const files[] = {
        "{a,1}\r\n{b,3}\r\n", "{a,1}\n{b,3}\n", "{a,1}\r\n{b,3}", "{a,1}\n{b,3}\r\n"};
    for (const char* contents : files) {
        SCOPED_TRACE(contents);
        EXPECT_TRUE(load(contents));
        ExpectEntries(table, {{"a", clRed}, {"b", clBlue}});
    }
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(ColorDefinitionsTest, FaultyLinesAreNumberedAndDoNotDisturbTheirNeighbours)
{
    EXPECT_TRUE(load("# header\r\n"
                     "\r\n"
                     "{a,1}\r\n"
                     "{b,7}\r\n"
                     "{c,3}\r\n"
                     "# note\r\n"
                     "\r\n"
                     "c,3\r\n"
                     "{d,2}\r\n"
                     "}e,1{"));
    ExpectEntries(table, {{"a", clRed}, {"c", clBlue}, {"d", clGreen}});
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{
                                    QcError(4, kColor), QcError(8, kNotEntered), QcError(10, kBraces)}));
}

TEST_F(ColorDefinitionsTest, ColourThatIsNoNumberEndsTheLoad)
{
    dir.write("QCFcs.qcf", "{a,1}\r\n{b,2}\r\n{word,1}}\r\n{c,3}\r\n");
    try {
        LoadColorDefinitions(2, dir.path(), table, prompter);
        FAIL() << "no ConvertError";
    } catch (const ConvertError& e) {
        EXPECT_STREQ(e.what(), "'1}' is not a valid integer value");
    }
    ExpectEntries(table, {{"a", clRed}, {"b", clGreen}});
    EXPECT_TRUE(prompter.shown.empty());

    const std::pair<const char*, const char*> others[] = {
        {"{a,}\r\n", "'' is not a valid integer value"},
        {"{a,red}\r\n", "'red' is not a valid integer value"},
        {"{a,1 }\r\n", "'1 ' is not a valid integer value"},
    };
    for (const auto& [contents, message] : others) {
        dir.write("QCFcs.qcf", contents);
        try {
            LoadColorDefinitions(2, dir.path(), table, prompter);
            ADD_FAILURE() << "no ConvertError for " << contents;
        } catch (const ConvertError& e) {
            EXPECT_STREQ(e.what(), message);
        }
    }
}

TEST_F(ColorDefinitionsTest, TableGrowsPastThreeHundred)
{
    std::string contents;
    for (int i = 0; i < 450; ++i)
        contents += "{word" + std::to_string(i) + "," + std::to_string(i % 3 + 1) + "}\r\n";
    EXPECT_TRUE(load(contents));
    ASSERT_EQ(table.size(), 450u);
    EXPECT_EQ(table[449].Keyword, "word449");
    EXPECT_EQ(table[449].Color, clBlue);
    EXPECT_TRUE(prompter.shown.empty());
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every LF has its CR and no CR stands alone.
bool CrLfOnly(const std::string& bytes)
{
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))
            return false;
        if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))
            return false;
    }
    return true;
}

const ConType* Find(const KeywordTableType& table, const std::string& word)
{
    for (const auto& e : table)
        if (e.Keyword == word)
            return &e;
    return nullptr;
}

TEST(ColorDefinitionsDataTest, ShippedFilesLoadCleanly)
{
    const std::string dataDir = std::string(TESSEL_SOURCE_DIR) + "/data/";
    struct Case {
        int mode;
        std::size_t count;
        std::vector<Entry> known;
        std::vector<std::string> absent;
    };
    const Case cases[] = {
        {1, 108, {{"actor", clBlue}, {"define", clBlue}, {"ifrnd", clRed}, {"else", clRed},
                  {"addammo", clRed}}, {"{", "}", "//", "/*"}},
        {2, 218, {{"void", clBlue}, {"$frame", clBlue}, {"StartFrame", clBlue},
                  {"WriteByte", clRed}, {"self", clRed}}, {}},
        {3, 206, {{"and", clBlue}, {"#include", clBlue}, {"int", clBlue}, {"entity.x", clRed},
                  {"left", clRed}}, {}},
    };
    for (const auto& c : cases) {
        const std::string name = ColorDefinitionFileName(c.mode);
        SCOPED_TRACE(name);
        EXPECT_TRUE(CrLfOnly(ReadBytes(dataDir + name)));
        ScriptedPrompter prompter;
        KeywordTableType table;
        EXPECT_TRUE(LoadColorDefinitions(c.mode, dataDir, table, prompter));
        EXPECT_TRUE(prompter.shown.empty());
        EXPECT_EQ(table.size(), c.count);
        EXPECT_LE(table.size(), 300u);
        for (const auto& e : table) {
            EXPECT_NE(e.Color, clGreen) << e.Keyword;
            EXPECT_FALSE(e.Keyword.empty());
        }
        for (const auto& k : c.known) {
            const ConType* e = Find(table, k.keyword);
            ASSERT_NE(e, nullptr) << k.keyword;
            EXPECT_EQ(e->Color, k.color) << k.keyword;
        }
        for (const auto& word : c.absent)
            EXPECT_EQ(Find(table, word), nullptr) << word;
    }
}

} // namespace
} // namespace tessel

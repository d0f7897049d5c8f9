#include "language/WizardFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace tessel {
namespace {

const char* const kNotEntered = "): Function not entered correctly.  Skipping current function.";
const char* const kSlashes = "): \"/\\\" out of ouder.  Skipping current function.";
const char* const kSemicolon = "): \";\" out of order.  Skipping current function.";

std::string Error(int line, const char* tail)
{
    return "Error in cnfcs.ccf(" + std::to_string(line) + tail;
}

using Strings = std::vector<std::string>;

class WizardFileTest : public ::testing::Test {
protected:
    bool load(const std::string& contents)
    {
        dir.write("cnfcs.ccf", contents);
        return LoadWizardFile(dir.path(), table, prompter);
    }

    void prefill()
    {
        table.Names = {"stale"};
        table.Params = {"old"};
        table.IndexText = ";1/stale;";
    }

    TempDir dir;
    ScriptedPrompter prompter;
    WizardTable table;
};

TEST_F(WizardFileTest, MissingFileIsReportedAndTableCleared)
{
    prefill();
    EXPECT_STREQ(WizardFileName, "cnfcs.ccf");
    EXPECT_FALSE(LoadWizardFile(dir.path(), table, prompter));
    EXPECT_EQ(table.WizardCount(), 0);
    EXPECT_TRUE(table.Params.empty());
    EXPECT_EQ(table.IndexText, ";");
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].kind, ScriptedPrompter::Kind::Typed);
    EXPECT_EQ(prompter.shown[0].type, MsgType::Information);
    EXPECT_EQ(prompter.shown[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(prompter.shown[0].text, "Cannot find file: \"" + dir.path() +
                                          "cnfcs.ccf\". Without this file the con wizard will not work.");
}

TEST_F(WizardFileTest, SingleLines)
{
    struct Case {
        const char* line;
        const char* name;     // nullptr when the line is skipped
        const char* params;
        const char* error;    // tail of the message for line 2, or nullptr
    };
    const Case cases[] = {
        {"/move;\\", "move", "", nullptr},
        {"/addammo;<weapon> <amount>\\", "addammo", "<weapon> <amount>", nullptr},
        {"/foo;a;b\\", "foo;a", "b", nullptr},
        {"junk /spawn;<actor>\\ trailing", "spawn", "<actor>", nullptr},
        {"/;\\", "", "", nullptr},
        {"/ ifrnd ; x \\", " ifrnd ", " x ", nullptr},
        {"/\xE4\xF6;\xFF\\", "\xE4\xF6", "\xFF", nullptr},
        {" #/x;y\\", "x", "y", nullptr},
        {"/move;", nullptr, nullptr, kNotEntered},
        {"move;x\\", nullptr, nullptr, kNotEntered},
        {"/move x\\", nullptr, nullptr, kNotEntered},
        {" #", nullptr, nullptr, kNotEntered},
        {"\\move;x/", nullptr, nullptr, kSlashes},
        {"/a;b\\c/", nullptr, nullptr, kSlashes},
        {";/move\\", nullptr, nullptr, kSemicolon},
        {"/move\\;", nullptr, nullptr, kSemicolon},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        prefill();
        prompter.clear();
        EXPECT_TRUE(load(std::string("# comment\r\n") + c.line + "\r\n"));
        if (c.name) {
            EXPECT_EQ(table.Names, Strings{c.name});
            EXPECT_EQ(table.Params, Strings{c.params});
            EXPECT_EQ(table.IndexText, std::string(";1/") + c.name + ";");
            EXPECT_TRUE(prompter.shown.empty());
        } else {
            EXPECT_EQ(table.WizardCount(), 0);
            EXPECT_TRUE(table.Params.empty());
            EXPECT_EQ(table.IndexText, ";");
            EXPECT_EQ(prompter.texts(), Strings{Error(2, c.error)});
            ASSERT_EQ(prompter.shown.size(), 1u);
            EXPECT_EQ(prompter.shown[0].type, MsgType::Information);
            EXPECT_EQ(prompter.shown[0].buttons, MsgButtons::Ok);
        }
    }
}

TEST_F(WizardFileTest, FaultyLinesAreNumberedAndReadingGoesOn)
{
    EXPECT_TRUE(load("# header\r\n"
                     "\r\n"
                     "/enda;\\\r\n"
                     "/move;<name>\r\n"
                     "/state;<name>\\\r\n"
                     "#/skipped;x\\\r\n"
                     "\n"
                     "\\bad;x/\r\n"
                     "/ends;\\"));
    EXPECT_EQ(table.Names, (Strings{"enda", "state", "ends"}));
    EXPECT_EQ(table.Params, (Strings{"", "<name>", ""}));
    EXPECT_EQ(table.IndexText, ";1/enda;2/state;3/ends;");
    EXPECT_EQ(prompter.texts(), (Strings{Error(4, kNotEntered), Error(8, kSlashes)}));
}

TEST_F(WizardFileTest, LineEndsOfAnyKind)
{
    for (const char* contents : {"/a;1\\\r\n/b;2\\\r\n", "/a;1\\\n/b;2\\\n", "/a;1\\\r\n/b;2\\"}) {
        SCOPED_TRACE(contents);
        EXPECT_TRUE(load(contents));
        EXPECT_EQ(table.Names, (Strings{"a", "b"}));
        EXPECT_EQ(table.Params, (Strings{"1", "2"}));
    }
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(WizardFileTest, CommentsAndEmptyLinesOnly)
{
    prefill();
    EXPECT_TRUE(load("# a\r\n\r\n#/x;y\\\n"));
    EXPECT_EQ(table.WizardCount(), 0);
    EXPECT_EQ(table.IndexText, ";");
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(WizardFileTest, TableGrowsPastTwoHundred)
{
    std::string contents;
    for (int i = 1; i <= 250; ++i)
        contents += "/f" + std::to_string(i) + ";p\\\r\n";
    EXPECT_TRUE(load(contents));
    ASSERT_EQ(table.WizardCount(), 250);
    EXPECT_EQ(table.Params.size(), 250u);
    const std::string tail = ";249/f249;250/f250;";
    EXPECT_EQ(table.IndexText.substr(table.IndexText.size() - tail.size()), tail);
    EXPECT_EQ(table.IndexText.rfind(";1/f1;2/f2;", 0), 0u);
}

TEST(WizardFileDataTest, ShippedFileLoadsCleanly)
{
    const std::string dataDir = std::string(TESSEL_SOURCE_DIR) + "/data/";
    std::ifstream in(dataDir + WizardFileName, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at byte " << i;
        } else if (bytes[i] == '\r') {
            ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at byte " << i;
        }
    }

    ScriptedPrompter prompter;
    WizardTable table;
    EXPECT_TRUE(LoadWizardFile(dataDir, table, prompter));
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(table.WizardCount(), 108);
    ASSERT_EQ(table.Params.size(), 108u);
    EXPECT_EQ(table.Names[0], "definelevelname");
    EXPECT_EQ(table.IndexText.rfind(";1/definelevelname;2/actor;3/addammo;", 0), 0u);
    for (const char* absent : {"{", "}", "//", "/*"})
        EXPECT_EQ(std::find(table.Names.begin(), table.Names.end(), absent), table.Names.end());
    const auto at = [&](const std::string& name) {
        const auto it = std::find(table.Names.begin(), table.Names.end(), name);
        return it == table.Names.end() ? std::string("<absent>") : table.Params[it - table.Names.begin()];
    };
    EXPECT_EQ(at("enda"), "");
    EXPECT_EQ(at("addammo"), "<weapon> <amount>");
}

} // namespace
} // namespace tessel

// Other programs read what we write and write what we read; each test skips
// when its program is not installed.
#include <gtest/gtest.h>

#include <cctype>

#include "richtext/ProjectFile.h"
#include "richtext/RtfReader.h"
#include "support/ProcessRun.h"
#include "support/TempDir.h"

namespace tessel {
namespace {

#define REQUIRE_PROGRAM(name) \
    if (test::FindProgram(name).empty()) \
        GTEST_SKIP() << name << " is not installed"

std::string RunTool(const std::string& program, const std::vector<std::string>& args)
{
    const test::ProcessResult run = test::RunProcess(program, args);
    if (run.code != 0)
        ADD_FAILURE() << program << ": " << run.err;
    return run.out;
}

// The characters of unrtf's HTML body that are not blanks, with the colour
// of the innermost <font color="#rrggbb"> around them (black outside any).
std::vector<std::pair<char, std::uint32_t>> HtmlColoredChars(const std::string& html)
{
    std::vector<std::pair<char, std::uint32_t>> out;
    std::vector<std::uint32_t> colors{0};
    for (std::size_t i = html.find("<body>") + 6; i < html.size();) {
        char ch = html[i++];
        if (ch == '<') {
            const std::size_t end = html.find('>', i);
            const std::string tag = html.substr(i, end - i);
            i = end + 1;
            const std::size_t at = tag.find("color=\"#");
            if (tag.rfind("/font", 0) == 0 && colors.size() > 1)
                colors.pop_back();
            else if (tag.rfind("font", 0) == 0 && at == std::string::npos)
                colors.push_back(colors.back());
            else if (tag.rfind("font", 0) == 0) {
                const unsigned long rgb = std::stoul(tag.substr(at + 8, 6), nullptr, 16);
                colors.push_back(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
            }
            continue;
        }
        if (ch == '&') {
            const std::size_t end = html.find(';', i);
            const std::string entity = html.substr(i, end - i);
            i = end + 1;
            ch = entity == "amp" ? '&' : entity == "lt" ? '<' : entity == "gt" ? '>' : entity == "quot" ? '"' : ' ';
        }
        if (!std::isspace(static_cast<unsigned char>(ch)))
            out.emplace_back(ch, colors.back());
    }
    return out;
}

TEST(RtfPeersTest, UnrtfShowsOurTextInOurColors)
{
    REQUIRE_PROGRAM("unrtf");
    // A script in the editor's colours, and its characters that are not blanks, each with its colour.
    std::string text;
    std::vector<std::uint32_t> colors;
    std::vector<std::pair<char, std::uint32_t>> visible;
    const auto add = [&](const std::string& part, std::uint32_t color) {
        text += part;
        colors.insert(colors.end(), part.size(), color);
        for (char c : part)
            if (!std::isspace(static_cast<unsigned char>(c)))
                visible.emplace_back(c, color);
    };
    for (int i = 0; i < 40; ++i) {
        add("define", 0x0000FF);
        add(" X" + std::to_string(i) + " <" + std::to_string(i * 7) + "> & \"q\" \t{ } ", 0);
        add("ifai", 0xFF0000);
        add(" // comment " + std::to_string(i), 0x008000);
        add("\r\n", 0);
    }
    TempDir dir;
    const std::string path = dir.write("script.qzt", WriteProjectFile(ControlText{text}, colors));
    EXPECT_EQ(HtmlColoredChars(RunTool("unrtf", {"--html", path})), visible);
}

TEST(RtfPeersTest, PandocRtfReads)
{
    REQUIRE_PROGRAM("pandoc");
    TempDir dir;
    const std::string md = dir.write("in.md", "# Title\n\nSome **bold** text with [a link](http://x.org/) "
                                              "and caf\xc3\xa9.\n\n- item\n");
    const RtfDocument doc = ReadRtf(RunTool("pandoc", {"-s", "-t", "rtf", md}));
    EXPECT_EQ(PlainText(doc, "\n"), "Title\nSome bold text with a link and caf\xc3\xa9.\n\xe2\x80\xa2\titem\n");
    const auto& runs = doc.paragraphs.at(1).runs;
    ASSERT_GE(runs.size(), 4u);
    EXPECT_TRUE(runs[1].text == "bold" && runs[1].format.bold);
    EXPECT_EQ(runs[3].text, "a link");
    EXPECT_EQ(doc.links.at(runs[3].format.link), "http://x.org/");
}

TEST(RtfPeersTest, EnscriptColoredSourceReads)
{
    REQUIRE_PROGRAM("enscript");
    TempDir dir;
    // Braces, not backslashes: enscript leaves a backslash unescaped.
    const std::string source = "int main(void)\n{\n\t/* hi { } */\n\treturn 0; // x\n}\n";
    const std::string c = dir.write("a.c", source);
    RunTool("enscript", {"--language=rtf", "--color", "-Ec", "-q", "-o", dir.file("a.rtf"), c});
    const RtfDocument doc = ReadRtf(dir.read("a.rtf"));
    EXPECT_EQ(PlainText(doc, "\n"), source);
    const RtfRun& keyword = doc.paragraphs.at(0).runs.at(0);
    EXPECT_TRUE(keyword.text == "int" && keyword.format.bold);
    EXPECT_NE(keyword.format.foreground, clAutomatic);
}

} // namespace
} // namespace tessel

// Other programs read what we write and write what we read. Each test skips
// when its program is not installed.
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/ProjectFile.h"
#include "platform/RtfReader.h"
#include "support/TempDir.h"

namespace tessel {
namespace {

bool Installed(const char* program)
{
    return !QStandardPaths::findExecutable(program).isEmpty();
}

std::string RunTool(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        ADD_FAILURE() << program.toStdString() << " failed: " << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput().toStdString();
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A script in the editor's colours: keywords red or blue, comments green.
struct Sample {
    std::string text;
    std::vector<std::uint32_t> colours;
};

Sample ColouredScript()
{
    Sample s;
    auto add = [&s](const std::string& text, std::uint32_t colour) {
        s.text += text;
        s.colours.insert(s.colours.end(), text.size(), colour);
    };
    for (int i = 0; i < 40; ++i) {
        add("define", 0x0000FF);
        add(" X" + std::to_string(i) + " <" + std::to_string(i * 7) + "> & \"q\" ", 0);
        add("ifai", 0xFF0000);
        add("\t{ }", 0);
        add(" // comment " + std::to_string(i), 0x008000);
        add("\r\n", 0);
    }
    return s;
}

// Characters of an unrtf HTML body that are not blanks, each with the colour
// of the <font color> around it (TColor; black where none is given).
std::vector<std::pair<char, std::uint32_t>> HtmlColouredChars(const std::string& html)
{
    std::vector<std::pair<char, std::uint32_t>> out;
    std::vector<std::uint32_t> colours{0};
    std::size_t i = html.find("<body>");
    i = i == std::string::npos ? 0 : i + 6;
    while (i < html.size()) {
        if (html[i] == '<') {
            const std::size_t end = html.find('>', i);
            const std::string tag = html.substr(i + 1, end - i - 1);
            i = end == std::string::npos ? html.size() : end + 1;
            if (tag.rfind("/font", 0) == 0 && colours.size() > 1) {
                colours.pop_back();
            } else if (tag.rfind("font", 0) == 0) {
                const std::size_t at = tag.find("color=\"#");
                std::uint32_t c = colours.back();
                if (at != std::string::npos) {
                    const unsigned long rgb = std::stoul(tag.substr(at + 8, 6), nullptr, 16);
                    c = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
                }
                colours.push_back(c);
            }
            continue;
        }
        char ch = html[i++];
        if (ch == '&') {
            const std::size_t end = html.find(';', i);
            const std::string entity = html.substr(i, end - i);
            i = end + 1;
            ch = entity == "amp" ? '&' : entity == "lt" ? '<' : entity == "gt" ? '>' : entity == "quot" ? '"' : ' ';
        }
        if (!std::isspace(static_cast<unsigned char>(ch)))
            out.emplace_back(ch, colours.back());
    }
    return out;
}

TEST(RtfPeersTest, UnrtfShowsOurTextInOurColours)
{
    if (!Installed("unrtf"))
        GTEST_SKIP() << "unrtf is not installed";
    TempDir dir;
    const Sample sample = ColouredScript();
    const std::string path = dir.write("script.qzt",
        WriteProjectFile(ControlText{sample.text, LineEnds::CrLf, TextEncoding::Utf8}, sample.colours));

    std::vector<std::pair<char, std::uint32_t>> expected;
    for (std::size_t i = 0; i < sample.text.size(); ++i)
        if (!std::isspace(static_cast<unsigned char>(sample.text[i])))
            expected.emplace_back(sample.text[i], sample.colours[i]);
    EXPECT_EQ(HtmlColouredChars(RunTool("unrtf", {"--html", QString::fromStdString(path)})), expected);

    std::string text = RunTool("unrtf", {"--text", QString::fromStdString(path)});
    text = text.substr(text.find("-----------------\n") + 18);
    std::string seen, wanted;
    for (char c : text)
        if (!std::isspace(static_cast<unsigned char>(c)))
            seen += c;
    for (const auto& [c, colour] : expected)
        wanted += c;
    EXPECT_EQ(seen, wanted);
}

TEST(RtfPeersTest, PandocRtfReads)
{
    if (!Installed("pandoc"))
        GTEST_SKIP() << "pandoc is not installed";
    TempDir dir;
    const std::string md = dir.write("in.md", "# Title\n\nSome **bold** text with [a link](http://x.org/) "
                                              "and caf\xc3\xa9.\n\n- item\n");
    const RtfDocument doc = ReadRtf(RunTool("pandoc", {"-s", "-f", "markdown", "-t", "rtf", QString::fromStdString(md)}));
    EXPECT_EQ(PlainText(doc, "\n"),
              "Title\nSome bold text with a link and caf\xc3\xa9.\n\xe2\x80\xa2\titem\n");
    const auto& runs = doc.paragraphs.at(1).runs;
    ASSERT_GE(runs.size(), 4u);
    EXPECT_EQ(runs[1].text, "bold");
    EXPECT_TRUE(runs[1].format.bold);
    EXPECT_EQ(runs[3].text, "a link");
    ASSERT_GE(runs[3].format.link, 0);
    EXPECT_EQ(doc.links[runs[3].format.link], "http://x.org/");
}

TEST(RtfPeersTest, EnscriptColouredSourceReads)
{
    if (!Installed("enscript"))
        GTEST_SKIP() << "enscript is not installed";
    TempDir dir;
    // Braces, not backslashes: enscript leaves a backslash unescaped.
    const std::string source = "int main(void)\n{\n\t/* hi { } */\n\treturn 0; // x\n}\n";
    const std::string c = dir.write("a.c", source);
    RunTool("enscript", {"--language=rtf", "--color", "-Ec", "-q", "-o", QString::fromStdString(dir.file("a.rtf")),
                     QString::fromStdString(c)});
    const RtfDocument doc = ReadRtf(ReadFile(dir.file("a.rtf")));
    EXPECT_EQ(PlainText(doc, "\n"), source);
    const RtfRun& keyword = doc.paragraphs.at(0).runs.at(0);
    EXPECT_EQ(keyword.text, "int");
    EXPECT_TRUE(keyword.format.bold);
    EXPECT_NE(keyword.format.foreground, AutomaticColour);
}

// Slow: starts LibreOffice twice.
TEST(RtfPeersTest, LibreOfficeReadsOursAndWritesWhatWeRead)
{
    if (!Installed("soffice"))
        GTEST_SKIP() << "LibreOffice is not installed";
    TempDir dir;
    const Sample sample = ColouredScript();
    dir.write("script.rtf", WriteProjectFile(ControlText{sample.text, LineEnds::CrLf, TextEncoding::Utf8},
                                             sample.colours));
    const QString out = QString::fromStdString(dir.path());
    RunTool("soffice", {"--headless", "--convert-to", "txt:Text (encoded):UTF8,CRLF", "--outdir", out,
                    QString::fromStdString(dir.file("script.rtf"))});
    std::string text = ReadFile(dir.file("script.txt"));
    if (text.rfind("\xef\xbb\xbf", 0) == 0)
        text.erase(0, 3);
    EXPECT_EQ(text, sample.text);

    dir.write("page.html", "<html><body><p>one <b>two</b> <font color=\"#ff0000\">red</font></p></body></html>");
    RunTool("soffice", {"--headless", "--infilter=HTML (StarWriter)", "--convert-to", "rtf", "--outdir", out,
                        QString::fromStdString(dir.file("page.html"))});
    const RtfDocument doc = ReadRtf(ReadFile(dir.file("page.rtf")));
    EXPECT_NE(PlainText(doc, "\n").find("one two red"), std::string::npos);
    bool bold = false, red = false;
    for (const RtfParagraph& para : doc.paragraphs)
        for (const RtfRun& run : para.runs) {
            bold = bold || (run.text == "two" && run.format.bold);
            red = red || (run.text == "red" && run.format.foreground == 0x0000FFu);
        }
    EXPECT_TRUE(bold && red);
}

} // namespace
} // namespace tessel

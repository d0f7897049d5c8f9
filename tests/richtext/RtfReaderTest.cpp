#include "richtext/RtfReader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <tuple>
#include <sstream>

namespace tessel {
namespace {

constexpr std::uint32_t Red = 0x0000FF, Green = 0x008000, Blue = 0xFF0000;

std::string Text(const std::string& rtf)
{
    return PlainText(ReadRtf(rtf), "|");
}

TEST(RtfReaderTest, WordPadDocument)
{
    std::ostringstream bytes;
    bytes << std::ifstream(std::string(TESSEL_SOURCE_DIR) + "/tests/data/wordpad.rtf", std::ios::binary).rdbuf();
    const RtfDocument doc = ReadRtf(bytes.str());
    ASSERT_TRUE(doc.complete);
    ASSERT_EQ(doc.paragraphs.size(), 7u);
    EXPECT_EQ(PlainText(doc, "|"),
              "Plain bold, italic, underlined, struck.|Centred red|// comment in Courier 8|"
              "caf\xc3\xa9 \xe2\x82\xac na\xc3\xafve\tend|next line||a link|");
    ASSERT_EQ(doc.fonts.size(), 3u);
    EXPECT_EQ(doc.fonts[1].name, "Courier New");
    EXPECT_EQ(doc.fonts[2].charset, 2);

    const RtfParagraph& first = doc.paragraphs[0];
    EXPECT_EQ(first.spaceAfter, 200);
    EXPECT_EQ(first.lineSpacing, 276);
    ASSERT_EQ(first.runs.size(), 9u);
    EXPECT_EQ(first.runs[0].format.halfPoints, 22);
    EXPECT_TRUE(first.runs[1].format.bold && first.runs[3].format.italic && first.runs[5].format.underline &&
                first.runs[7].format.strike);
    EXPECT_FALSE(first.runs[8].format.strike);

    EXPECT_EQ(doc.paragraphs[1].alignment, RtfAlignment::Center);
    EXPECT_EQ(doc.paragraphs[1].runs[0].format.foreground, Red);
    const RtfParagraph& third = doc.paragraphs[2];
    EXPECT_EQ(std::make_tuple(third.leftIndent, third.rightIndent, third.firstIndent), std::make_tuple(720, 360, -360));
    const RtfCharFormat& courier = third.runs[0].format;
    EXPECT_EQ(std::make_tuple(courier.foreground, courier.font, courier.halfPoints), std::make_tuple(Green, 1, 16));
    EXPECT_EQ(doc.paragraphs[3].alignment, RtfAlignment::Right);
    EXPECT_EQ(doc.paragraphs[4].alignment, RtfAlignment::Left) << "\\pard resets";

    const RtfRun& link = doc.paragraphs[5].runs.at(0);
    EXPECT_EQ(doc.links.at(link.format.link), "http://example.org/");
    EXPECT_TRUE(link.format.underline && link.format.foreground == Blue);
}

TEST(RtfReaderTest, TextOfControlWordsAndSymbols)
{
    const std::pair<const char*, const char*> cases[] = {
        {"{\\rtf1 a\\par b\\line c\\tab d}", "a|b|c\td"},
        {"{\\rtf1 \\{\\}\\\\}", "{}\\"},
        {"{\\rtf1 raw\r\nbreaks\nignored}", "rawbreaksignored"},
        {"{\\rtf1 a\\\nb}", "a|b"},                                       // backslash before a line end
        {"{\\rtf1 \\'e9\\'80\\'9d\\'4}", "\xc3\xa9\xe2\x82\xac\xc2\x9d\x04"},   // code page 1252
        {"{\\rtf1 \\u233?x}", "\xc3\xa9x"},
        {"{\\rtf1\\uc2 \\u233\\'e9\\'e9x}", "\xc3\xa9x"},                   // two fallback characters
        {"{\\rtf1\\uc0 \\u233 x}", "\xc3\xa9x"},
        {"{\\rtf1 \\u-10179?\\u-8704?}", "\xf0\x9f\x98\x80"},               // surrogate pair
        {"{\\rtf1 \\u-10179?x}", "\xef\xbf\xbdx"},                          // lone high surrogate
        {"{\\rtf1 {\\u233?}x}", "\xc3\xa9x"},
        {"{\\rtf1 \\u233{x}}", "\xc3\xa9x"},                               // a group ends the fallback
        {"{\\rtf1 \\~\\_\\-\\emdash\\bullet\\lquote\\rdblquote}", "\xc2\xa0\xe2\x80\x91\xe2\x80\x94\xe2\x80\xa2\xe2\x80\x98\xe2\x80\x9d"},
        {"{\\rtf1 a{\\*\\unknown hidden {nested}}b}", "ab"},
        {"{\\rtf1 a{\\unknownword kept}b}", "akeptb"},
        {"{\\rtf1 a{\\pict\\wmetafile8 0a0b}{\\stylesheet{\\s1 x;}}{\\info{\\title t}}b}", "ab"},
        {"{\\rtf1 a{\\pict\\bin4 }}{x}b}", "ab"},                          // braces inside binary data
        {"{\\rtf1 {\\field{\\fldinst HYPERLINK x}{\\fldrslt shown}}}", "shown"},
        {"{\\rtf1 a} trailing text}", "a"},
    };
    for (const auto& [rtf, text] : cases) {
        SCOPED_TRACE(rtf);
        EXPECT_EQ(Text(rtf), text);
    }
    EXPECT_EQ(Text(std::string("{\\rtf1 nul\0byte}", 16)), std::string("nul\0byte", 8));
}

TEST(RtfReaderTest, FormattingIsScopedByGroupsAndReset)
{
    const RtfDocument doc = ReadRtf(
        "{\\rtf1{\\fonttbl\\f0\\froman Times;\\f5 Mono;}{\\colortbl;\\red0\\green0\\blue255;}"
        "\\f5\\fs30\\cf1\\b a{\\i\\cf0 b}c\\plain\\cf1 d\\cf9 e}");
    const auto& runs = doc.paragraphs.at(0).runs;
    ASSERT_EQ(runs.size(), 5u);
    EXPECT_EQ(doc.fonts.at(runs[0].format.font).name, "Mono");
    EXPECT_EQ(runs[0].format.halfPoints, 30);
    EXPECT_EQ(runs[0].format.foreground, Blue);
    EXPECT_TRUE(runs[1].format.italic && runs[1].format.bold);
    EXPECT_EQ(runs[1].format.foreground, clAutomatic);
    EXPECT_EQ(runs[2].format, runs[0].format);
    EXPECT_EQ(runs[3].text, "d");
    EXPECT_EQ(doc.fonts.at(runs[3].format.font).name, "Times") << "\\plain returns to the default font";
    EXPECT_EQ(runs[3].format.halfPoints, 24);
    EXPECT_FALSE(runs[3].format.bold);
    EXPECT_EQ(runs[4].format.foreground, clAutomatic) << "an index past the table";
}

TEST(RtfReaderTest, MalformedInputGivesABestEffortDocumentAndNonRtfAnError)
{
    for (const std::string bytes : {"", "plain text", "{\\rtx1}", "{rtf1}", "\\rtf1"}) {
        SCOPED_TRACE(bytes);
        EXPECT_THROW(ReadRtf(bytes), RtfError);
    }
    const bool whole = true, cut = false;   // complete: the document ended as RTF ends
    const struct { std::string rtf, text; bool complete; } cases[] = {
        {" \r\n{\\rtf1 cut off", "cut off", cut},
        {"{\\rtf1 {\\b open {\\i groups", "open groups", cut},
        {"{\\rtf1 a\\", "a", cut},
        {"{\\rtf1 a\\'", "a", cut},
        {"{\\rtf1 a\\u", "a", cut},
        {"{\\rtf1 a\\bin999999999999 gone}", "a", cut},
        {"{\\rtf1 a\\bin-5 b}", "ab", whole},
        {"{\\rtf1\\fs99999999999999999999 big\\u99999999999? \\cf-2147483649 x}", "big\xef\xbf\xbd x", whole},
        {"{\\rtf1 " + std::string(100, 'z') + "\\" + std::string(1000, 'w') + " y}", std::string(100, 'z') + "y", whole},
        {"{\\rtf1 " + std::string(100000, '{') + "deep" + std::string(100000, '}') + " after}", "deep after", whole},
        {"{\\rtf1 " + std::string(100000, '{') + "deep", "deep", cut},
        {"{\\rtf1 \xff\xfe\x01 binary}", "\xc3\xbf\xc3\xbe\x01 binary", whole},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rtf.substr(0, 60));
        const RtfDocument doc = ReadRtf(c.rtf);
        EXPECT_EQ(PlainText(doc, "|"), c.text);
        EXPECT_EQ(doc.complete, c.complete);
    }
}

} // namespace
} // namespace tessel

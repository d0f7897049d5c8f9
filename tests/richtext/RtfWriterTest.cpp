#include "richtext/RtfWriter.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

constexpr std::uint32_t Red = 0x0000FF, Green = 0x008000, Blue = 0xFF0000;

// The text after the header, up to the closing brace.
std::string Body(const std::string& rtf)
{
    const std::string start = "\\pard\\f0\\fs16 ";
    const std::size_t at = rtf.find(start);
    return rtf.substr(at + start.size(), rtf.rfind('}') - at - start.size());
}

TEST(RtfWriterTest, HeaderNamesCourierAt8PointsAndTheFilesForm)
{
    const std::string rtf = WriteRtf(ControlText{"x", LineEnds::Lf, TextEncoding::Latin1}, {Red});
    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fmodern\\fprq1\\fcharset0 courier;}}", 0), 0u);
    EXPECT_NE(rtf.find("{\\colortbl ;\\red255\\green0\\blue0;}"), std::string::npos);
    EXPECT_NE(rtf.find("{\\*\\tesselsource\\lf\\latin1}"), std::string::npos);
    EXPECT_EQ(Body(rtf), "\\cf1 x");
    const std::string utf8 = WriteRtf(ControlText{"x", LineEnds::CrLf, TextEncoding::Utf8}, {});
    EXPECT_NE(utf8.find("{\\*\\tesselsource\\crlf\\utf8}"), std::string::npos);
    const std::string cr = WriteRtf(ControlText{"x", LineEnds::Cr, TextEncoding::Utf8}, {});
    EXPECT_NE(cr.find("{\\*\\tesselsource\\cr\\utf8}"), std::string::npos);
}

TEST(RtfWriterTest, CharactersAreEscapedForTheirEncoding)
{
    const struct { std::string text; TextEncoding encoding; std::string body; } cases[] = {
        {"a\\b{c}d", TextEncoding::Utf8, "a\\\\b\\{c\\}d"},
        {"\tx\r\ny", TextEncoding::Utf8, "\\tab x\\par\r\ny"},
        {"lone\rcr\nlf", TextEncoding::Utf8, "lone\\'0dcr\\'0alf"},
        {std::string("\0\x1f\x7f", 3), TextEncoding::Utf8, "\\'00\\'1f\\'7f"},
        {"caf\xe9 \x80", TextEncoding::Latin1, "caf\\'e9 \\'80"},
        {"caf\xc3\xa9", TextEncoding::Utf8, "caf\\u233?"},
        {"\xef\xbf\xbd", TextEncoding::Utf8, "\\u-3?"},
        {"\xf0\x9f\x98\x80", TextEncoding::Utf8, "\\u-10179?\\u-8704?"},
        // Each side of the sign's boundary and of the basic plane's end.
        {"\xe7\xbf\xbf\xe8\x80\x80", TextEncoding::Utf8, "\\u32767?\\u-32768?"},
        {"\xef\xbf\xbf\xf0\x90\x80\x80", TextEncoding::Utf8, "\\u-1?\\u-10240?\\u-9216?"},
        // Not UTF-8 after all: written as single bytes, so nothing is lost.
        {"caf\xe9", TextEncoding::Utf8, "caf\\'e9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string rtf = WriteRtf(ControlText{c.text, LineEnds::CrLf, c.encoding}, {});
        EXPECT_EQ(Body(rtf), "\\cf1 " + c.body);
    }
}

TEST(RtfWriterTest, ColorSwitchesOnlyWhereTheColorChanges)
{
    const std::string text = "if x // c\r\nend";
    std::vector<std::uint32_t> colors(text.size(), 0);
    colors[0] = colors[1] = Red;
    for (std::size_t i = 5; i < 10; ++i)   // the comment and its CR
        colors[i] = Green;
    colors[11] = colors[12] = colors[13] = Blue;
    const std::string rtf = WriteRtf(ControlText{text, LineEnds::CrLf, TextEncoding::Utf8}, colors);
    EXPECT_NE(rtf.find("{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue0;\\red0\\green128\\blue0;"
                       "\\red0\\green0\\blue255;}"),
              std::string::npos);
    EXPECT_EQ(Body(rtf), "\\cf1 if\\cf2  x \\cf3 // c\\par\r\n\\cf4 end");
    // The high byte of a TColor is not part of the colour.
    EXPECT_EQ(Body(WriteRtf(ControlText{"ab", LineEnds::CrLf, TextEncoding::Utf8}, {0x01000000u, 0})), "\\cf1 ab");
}

} // namespace
} // namespace tessel

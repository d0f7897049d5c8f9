#include "richtext/ControlText.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

TEST(ControlTextTest, TheBytesStayAndMostLinesNameTheLineEndOfNewOnes)
{
    const struct { std::string file; LineEnds style; } cases[] = {
        {"", LineEnds::CrLf},
        {"a\nb\nc\r\n", LineEnds::Lf},
        {"a\r\nb\r\nc\n", LineEnds::CrLf},
        {"a\nb\r\n", LineEnds::CrLf},   // a tie counts as CR LF, then as LF
        {"a\rb\nc", LineEnds::Lf},
        {"lone\rcr\r\r\n", LineEnds::Cr},
        {"\r\n\r", LineEnds::CrLf},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const ControlText text = ControlTextOfFile(c.file);
        EXPECT_EQ(text.text, c.file);
        EXPECT_EQ(text.lineEnds, c.style);
    }
}

TEST(ControlTextTest, EncodingIsUtf8OnlyForValidUtf8)
{
    // Latin-1, truncated, overlong (two and three bytes), a surrogate, above U+10FFFF, truncated, stray bytes.
    const std::string latin1[] = {"caf\xe9", "\xc3", "\xc0\xaf", "\xe0\x80\xaf", "\xed\xa0\x80",
                                  "\xf4\x90\x80\x80", "\xf0\x9f\x98", "\x80", "\xff"};
    for (const std::string& bytes : latin1) {
        EXPECT_FALSE(IsValidUtf8(bytes)) << bytes;
        EXPECT_EQ(ControlTextOfFile(bytes).encoding, TextEncoding::Latin1) << bytes;
    }
    const std::string utf8[] = {"plain ascii", "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80", {"nul\0inside", 10}};
    for (const std::string& bytes : utf8) {
        EXPECT_TRUE(IsValidUtf8(bytes)) << bytes;
        EXPECT_EQ(ControlTextOfFile(bytes).encoding, TextEncoding::Utf8) << bytes;
    }
}

} // namespace
} // namespace tessel

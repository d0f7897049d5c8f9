#include "richtext/ControlText.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

TEST(ControlTextTest, LineBreaksBecomeCrLfAndTheStyleIsRemembered)
{
    struct Case {
        std::string file, control;
        LineEnds style;
    } const cases[] = {
        {"", "", LineEnds::CrLf},
        {"one line", "one line", LineEnds::CrLf},
        {"a\nb\n", "a\r\nb\r\n", LineEnds::Lf},
        {"a\r\nb\r\n", "a\r\nb\r\n", LineEnds::CrLf},
        // Mixed: the majority decides; the minority is kept byte for byte.
        {"a\nb\nc\r\n", "a\r\nb\r\nc\r\r\n", LineEnds::Lf},
        {"a\r\nb\r\nc\n", "a\r\nb\r\nc\n", LineEnds::CrLf},
        {"a\nb\r\n", "a\nb\r\n", LineEnds::CrLf},   // a tie counts as CR LF
        {"lone\rcr\n\n", "lone\rcr\r\n\r\n", LineEnds::Lf},
        {"\r\r\r", "\r\r\r", LineEnds::CrLf},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const ControlText text = ControlTextOfFile(c.file);
        EXPECT_EQ(text.text, c.control);
        EXPECT_EQ(text.lineEnds, c.style);
        EXPECT_EQ(FileBytesOf(text), c.file);
    }
    // Text typed into the control follows the file's style.
    EXPECT_EQ(FileBytesOf("a\r\nnew\r\n", LineEnds::Lf), "a\nnew\n");
    EXPECT_EQ(FileBytesOf("cr at end\r", LineEnds::Lf), "cr at end\r");
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

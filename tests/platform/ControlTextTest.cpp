#include "platform/ControlText.h"

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
        const ControlText text = ControlTextOfFile(c.file);
        EXPECT_EQ(text.text, c.control) << c.file;
        EXPECT_EQ(text.lineEnds, c.style) << c.file;
        EXPECT_EQ(FileBytesOf(text), c.file);
    }
    // Text typed into the control follows the file's style.
    EXPECT_EQ(FileBytesOf("a\r\nnew\r\n", LineEnds::Lf), "a\nnew\n");
    EXPECT_EQ(FileBytesOf("cr at end\r", LineEnds::Lf), "cr at end\r");
}

TEST(ControlTextTest, EncodingIsUtf8OnlyForValidUtf8)
{
    const std::pair<std::string, bool> cases[] = {
        {"plain ascii", true},
        {"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80", true},
        {std::string("nul\0inside", 10), true},
        {"caf\xe9", false},                 // Latin-1
        {"\xc3", false},                    // truncated
        {"\xc0\xaf", false},                // overlong
        {"\xe0\x80\xaf", false},            // overlong
        {"\xed\xa0\x80", false},            // surrogate
        {"\xf4\x90\x80\x80", false},        // above U+10FFFF
        {"\xf0\x9f\x98", false},
        {"\x80", false},
        {"\xff", false},
    };
    for (const auto& [bytes, utf8] : cases) {
        EXPECT_EQ(IsValidUtf8(bytes), utf8) << bytes;
        EXPECT_EQ(ControlTextOfFile(bytes).encoding, utf8 ? TextEncoding::Utf8 : TextEncoding::Latin1) << bytes;
    }
}

} // namespace
} // namespace tessel

#include "richtext/ProjectFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace tessel {
namespace {

const std::uint32_t Palette[] = {0x000000, 0x0000FF, 0x008000, 0xFF0000, 0x123456};

// Written with a colour per byte that changes every few bytes, as a coloured
// script is, and read back.
void ExpectRoundTrip(const std::string& fileBytes, unsigned seed, const std::string& label)
{
    const ControlText text = ControlTextOfFile(fileBytes);
    std::mt19937 random(seed);
    std::vector<std::uint32_t> colors(text.text.size());
    for (std::size_t i = 0; i < colors.size();) {
        const std::uint32_t c = Palette[random() % 5];
        for (std::size_t n = 1 + random() % 9; n > 0 && i < colors.size(); --n)
            colors[i++] = c;
    }
    // A UTF-8 character has one colour (the engine never splits one), whatever the seed.
    if (text.encoding == TextEncoding::Utf8)
        for (std::size_t i = 1; i < colors.size(); ++i)
            if ((static_cast<unsigned char>(text.text[i]) & 0xC0) == 0x80)
                colors[i] = colors[i - 1];
    const ColoredText back = ReadProjectFile(WriteProjectFile(text, colors));
    EXPECT_EQ(back.text.text, text.text) << label;
    EXPECT_EQ(back.text.encoding, text.encoding) << label;
    EXPECT_EQ(back.text.lineEnds, text.lineEnds) << label;
    // In a CR LF file, a line break comes back in the colour of its CR.
    for (std::size_t i = 1; i < colors.size() && text.lineEnds == LineEnds::CrLf; ++i)
        if (text.text[i] == '\n' && text.text[i - 1] == '\r')
            colors[i] = colors[i - 1];
    EXPECT_EQ(back.colors, colors) << label;
}

TEST(ProjectFileTest, BytesLineEndsAndColorsComeBackExactly)
{
    std::string high;
    for (int c = 128; c < 256; ++c)
        high += static_cast<char>(c);
    const std::string cases[] = {
        "",
        "\r\n",
        "\n\n\n",
        "mixed\nends\r\nand\rlone cr\n",
        "lone\rcr\r\nfile\r",
        high + "\r\n" + high,
        "utf-8 caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80\r\n",
        std::string("nul \0 and \x01\x1f\x7f controls\n", 23),
        "ends without a break",
        "{\\rtf1 a script that looks like rtf}\n",
    };
    unsigned seed = 1;
    for (const std::string& bytes : cases)
        ExpectRoundTrip(bytes, seed++, bytes);
}

TEST(ProjectFileTest, EveryCorpusScriptComesBack)
{
    namespace fs = std::filesystem;
    const fs::path scripts = fs::path(TESSEL_CORPUS_DIR) / "scripts";
    if (!fs::is_directory(scripts))
        GTEST_SKIP() << "no corpus at " << scripts;
    int count = 0;
    for (const auto& entry : fs::recursive_directory_iterator(scripts)) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || ext == ".md" || ext == ".tsv")
            continue;
        std::ostringstream bytes;
        bytes << std::ifstream(entry.path(), std::ios::binary).rdbuf();
        ExpectRoundTrip(bytes.str(), static_cast<unsigned>(count++), entry.path().string());
    }
    EXPECT_GT(count, 10);
}

TEST(ProjectFileTest, ForeignRtfReadsAsTextWithCrLfAndBlackForAutomatic)
{
    const ColoredText read = ReadProjectFile(
        "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}one\\par \\cf1 two\\line three\\cf0\\par}");
    EXPECT_EQ(read.text.text, "one\r\ntwo\r\nthree\r\n");
    EXPECT_EQ(read.text.lineEnds, LineEnds::CrLf);
    EXPECT_EQ(read.colors, (std::vector<std::uint32_t>{0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                                         0xFF, 0xFF, 0xFF, 0, 0}));
    EXPECT_EQ(PlainTextOfRtf("{\\rtf1 caf\\'e9\\par}"), "caf\xc3\xa9\r\n");
}

} // namespace
} // namespace tessel

// tessel-grp's commands on what the entries hold, end to end: tiles as PNG
// files that libpng reads as the archive's own reading draws them, a tile
// replaced and read back, maps against an independent reading of every
// corpus map, sounds to WAVE files.
#include <gtest/gtest.h>
#include <png.h>

#include "build/SoundFile.h"
#include "grp/GrpContents.h"
#include "grp/GrpTestSupport.h"
#include "support/BuildBytes.h"
#include "tools/ToolRun.h"

namespace tessel {
namespace {

using namespace test;

std::int32_t I32(const std::string& b, std::size_t at)
{
    return static_cast<std::int32_t>(std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8 |
                                     std::uint8_t(b[at + 2]) << 16 | std::uint32_t(std::uint8_t(b[at + 3])) << 24);
}
int I16(const std::string& b, std::size_t at)
{
    return static_cast<std::int16_t>(std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8);
}

// The PNG as libpng (a second opinion on ours) reads it equals the image.
void ExpectPicture(const std::string& png, const RgbaImage& expected)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_memory(&image, png.data(), png.size()));
    image.format = PNG_FORMAT_BGRA;   // little-endian 0xAARRGGBB
    std::vector<std::uint32_t> pixels(std::size_t(image.width) * image.height);
    png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr);
    ASSERT_EQ(int(image.width), expected.width);
    ASSERT_EQ(int(image.height), expected.height);
    for (int y = 0; y < expected.height; ++y)
        for (int x = 0; x < expected.width; ++x)
            ASSERT_EQ(pixels[std::size_t(y) * image.width + x], expected.Pixel(x, y)) << x << "," << y;
}

// How each tile is decoded and drawn is the format tests'; here, that the
// commands write and read the archive's tiles as that reading gives them.
TEST(GrpToolContentsTest, TilesBecomePngFilesAndAReplacedTileReadsBack)
{
    const std::string grp = ReadPath(KenbuildGrp);
    if (grp.empty())
        GTEST_SKIP() << "no corpus";
    TempDir dir;
    const std::string archive = dir.write("K.GRP", grp);
    const ToolRun listed = RunTool("tessel-grp", {"tiles", archive});
    const std::string start = "0 32x32 TILES000.ART\n1 32x32 TILES000.ART\n2 32x32 TILES000.ART\n3 32x16 TILES000.ART\n";
    EXPECT_EQ(listed.out.substr(0, start.size()), start);
    EXPECT_NE(listed.out.find("\nTilecount: 256\n"), std::string::npos);
    const PaletteColors palette = ArchivePalette(archive).colors;
    ASSERT_EQ(RunTool("tessel-grp", {"tile", archive, "3", dir.file("t.png")}).code, 0);   // wider than high
    ExpectPicture(dir.read("t.png"), ArchiveTileImage(archive, 3, palette));
    const ToolRun empty = RunTool("tessel-grp", {"tile", archive, "24", dir.file("e.png")});
    EXPECT_EQ(empty.code, 1);
    EXPECT_EQ(empty.err, "Tile 24 is empty (0 x 0 pixels): there is no picture of it.\n");

    // 20 x 10 of palette colours and transparent pixels, in place of tile 4 (16 x 16).
    RgbaImage in{20, 10, ""};
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) {
            const std::uint32_t c = (x + y) % 7 == 0 ? 0u : palette[std::size_t(x * 13 + y * 7) % 255];
            in.rgba += std::string{char(c >> 16 & 0xff), char(c >> 8 & 0xff), char(c & 0xff), char(c >> 24)};
        }
    const std::string png = dir.write("in.png", EncodePng(in));
    EXPECT_EQ(RunTool("tessel-grp", {"replace-tile", archive, "4", png}).code, 0);
    ASSERT_EQ(RunTool("tessel-grp", {"tile", archive, "4", dir.file("out.png")}).code, 0);
    ExpectPicture(dir.read("out.png"), in);

    // Refusals: a tile no ART holds, an archive without a palette, a picture that is none.
    const std::string oneTile = ArtBytes(0, 0, {{1, 1}}, "x");
    const std::string noPalette =
        dir.write("N.GRP", Grp({{"TILES000.ART", std::int32_t(oneTile.size()), oneTile}}));
    const struct {
        std::vector<std::string> args;
        int code;
        std::string err;
    } refusals[] = {
        {{"replace-tile", archive, "300", png}, 1, "No ART entry of " + archive + " holds tile 300.\n"},
        {{"replace-tile", noPalette, "0", png}, 1,
         "The archive has no usable PALETTE.DAT, so the picture's colours cannot be matched (a grey ramp: no palette "
         "in this archive or another open one).\n"},
        {{"replace-tile", archive, "0", archive}, 1, archive + ": PNG: Not a PNG file\n"},
        {{"tile", archive, "40000", png}, 2, "tile: N must be 0 to 32767\n"},
    };
    for (const auto& r : refusals) {
        SCOPED_TRACE(r.args[0]);
        const ToolRun run = RunTool("tessel-grp", r.args);
        EXPECT_EQ(run.code, r.code);
        EXPECT_EQ(run.err.substr(0, r.err.size()), r.err);
    }
    // Without a palette a tile is drawn in a grey ramp, and the tool says so.
    const ToolRun grey = RunTool("tessel-grp", {"tile", dir.file("N.GRP"), "0", dir.file("grey.png")});
    EXPECT_EQ(grey.code, 0);
    EXPECT_EQ(grey.err, "tessel-grp: tile 0 drawn in a grey ramp: no palette in this archive or another open one\n");
    ExpectPicture(dir.read("grey.png"), RgbaImage{1, 1, "\x78\x78\x78\xff"});
}

TEST(GrpToolContentsTest, MapsPrintTheCountsAnIndependentReadingGives)
{
    TempDir dir;
    int maps = 0;
    for (const std::string name : {"eduke32-aspect.map", "eduke32-m32script_ex.map", "eduke32-r_usenewshading.map",
                                   "eduke32-ror.map"}) {
        const std::string bytes = ReadPath(TESSEL_CORPUS_DIR "/maps/" + name);
        if (bytes.empty())
            continue;
        SCOPED_TRACE(name);
        ++maps;
        const std::size_t sectors = std::uint16_t(I16(bytes, 20));
        const std::size_t walls = std::uint16_t(I16(bytes, 22 + 40 * sectors));
        const std::size_t sprites = std::uint16_t(I16(bytes, 24 + 40 * sectors + 32 * walls));
        const std::string expected = "Version: " + std::to_string(I32(bytes, 0)) + "\nStart: " +
                                     std::to_string(I32(bytes, 4)) + " " + std::to_string(I32(bytes, 8)) + " " +
                                     std::to_string(I32(bytes, 12)) + " angle " + std::to_string(I16(bytes, 16)) +
                                     " sector " + std::to_string(I16(bytes, 18)) + "\nSectors: " +
                                     std::to_string(sectors) + "\nWalls: " + std::to_string(walls) + "\nSprites: " +
                                     std::to_string(sprites) + "\n";
        const ToolRun file = RunTool("tessel-grp", {"map", TESSEL_CORPUS_DIR "/maps/" + name});
        EXPECT_EQ(file.code, 0) << file.err;
        EXPECT_EQ(file.out, expected);
        // The same map as an entry of an archive.
        const std::string grp = dir.write("M.GRP", Grp({{"E1L1.MAP", std::int32_t(bytes.size()), bytes}}));
        EXPECT_EQ(RunTool("tessel-grp", {"map", grp, "E1L1.MAP"}).out, expected);
    }
    if (maps == 0)
        GTEST_SKIP() << "no corpus";
    // A damaged map, an entry that is not there, a name with control bytes.
    const std::string bad = MapBytes(7, {{0, 1}}, {{0, 0, 5}}, 0);
    const std::string grp = dir.write("B.GRP", Grp({{"E\x01.MAP", std::int32_t(bad.size()), bad}}));
    const ToolRun damaged = RunTool("tessel-grp", {"map", grp, "E\x01.MAP"});
    EXPECT_EQ(damaged.code, 1);
    EXPECT_EQ(damaged.err, "E\\x01.MAP: map: wall 0 goes on to wall 5 (there are 1)\n");
    EXPECT_EQ(RunTool("tessel-grp", {"map", grp, "NONE.MAP"}).err, "The file you selected cannot be found.\n");
}

TEST(GrpToolContentsTest, SoundsBecomeWaveFiles)
{
    TempDir dir;
    const std::string voc = VocBytes(VocBlock(1, std::string("\x9c\x00", 2) + "\x80\x90\x70\xff"));
    const std::string grp = dir.write("S.GRP", Grp({{"DUKE.VOC", std::int32_t(voc.size()), voc}, {"GAME.CON", 3, "abc"}}));
    const ToolRun r = RunTool("tessel-grp", {"sound", grp, "DUKE.VOC", dir.file("out.wav")});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Creative Voice File, 8-bit PCM, 10000 Hz, mono, 0.00 s\n");
    EXPECT_EQ(dir.read("out.wav"), WriteWav(ReadVoc(voc)));   // that libsndfile reads it: the format tests
    EXPECT_EQ(RunTool("tessel-grp", {"sound", grp, "GAME.CON", dir.file("x.wav")}).err,
              "GAME.CON is not a VOC or WAV sound.\n");
    const std::string cut = voc.substr(0, 30);
    const std::string damaged = dir.write("D.GRP", Grp({{"CUT.VOC", std::int32_t(cut.size()), cut}}));
    EXPECT_EQ(RunTool("tessel-grp", {"sound", damaged, "CUT.VOC", dir.file("x.wav")}).err,
              "CUT.VOC: Creative Voice File: block 1 at offset 26 claims 6 bytes; 0 are left\n");
    EXPECT_FALSE(FileExists(dir.file("x.wav")));
}

} // namespace
} // namespace tessel

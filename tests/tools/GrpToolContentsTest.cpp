// tessel-grp's commands on what the entries hold, end to end: tiles against
// an independent decoding of the corpus ART (written here from the format's
// facts), a tile replaced and read back, maps against an independent reading
// of every corpus map, sounds to WAVE files.
#include <gtest/gtest.h>
#include <png.h>
#include <sndfile.h>

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

// A PNG's pixels as 0xAARRGGBB, row by row, through libpng.
struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
};
Picture ReadPng(const std::string& bytes)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    Picture p;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
        return p;
    image.format = PNG_FORMAT_BGRA;   // little-endian 0xAARRGGBB
    p.width = static_cast<int>(image.width);
    p.height = static_cast<int>(image.height);
    p.pixels.resize(std::size_t(p.width) * p.height);
    png_image_finish_read(&image, nullptr, p.pixels.data(), 0, nullptr);
    return p;
}
std::string WritePng(const Picture& p)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(p.width);
    image.height = static_cast<png_uint_32>(p.height);
    image.format = PNG_FORMAT_BGRA;
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, p.pixels.data(), 0, nullptr);
    std::string out(size, '\0');
    png_image_write_to_memory(&image, out.data(), &size, 0, p.pixels.data(), 0, nullptr);
    out.resize(size);
    return out;
}

// The corpus ART decoded from the facts: header, sizes, then columns of indices;
// PALETTE.DAT's 6-bit colours shifted left by two; 255 transparent.
struct ReferenceTiles {
    int first = 0;
    std::vector<std::pair<int, int>> sizes;
    std::vector<std::string> columns;
    std::uint32_t colors[256];

    explicit ReferenceTiles(const std::string& grp)
    {
        const std::string art = grp.substr(128, 436347), pal = grp.substr(714805, 74498);
        first = I32(art, 8);
        const int n = I32(art, 12) - first + 1;
        std::size_t at = 16 + 8 * std::size_t(n);
        for (int i = 0; i < n; ++i) {
            sizes.push_back({I16(art, 16 + 2 * i), I16(art, 16 + 2 * n + 2 * i)});
            const std::size_t bytes = std::size_t(sizes.back().first) * sizes.back().second;
            columns.push_back(art.substr(at, bytes));
            at += bytes;
        }
        for (int i = 0; i < 256; ++i)
            colors[i] = 0xff000000u | std::uint32_t(std::uint8_t(pal[3 * i]) << 2) << 16 |
                        std::uint32_t(std::uint8_t(pal[3 * i + 1]) << 2) << 8 | std::uint32_t(std::uint8_t(pal[3 * i + 2]) << 2);
    }
    std::uint32_t Pixel(int tile, int x, int y) const
    {
        const auto index = std::uint8_t(columns[std::size_t(tile - first)][std::size_t(x) * sizes[std::size_t(tile - first)].second + y]);
        return index == 255 ? 0u : colors[index];
    }
};

TEST(GrpToolContentsTest, EveryTileOfTheCorpusArtIsWrittenInItsPalette)
{
    const std::string grp = ReadPath(KenbuildGrp);
    if (grp.empty())
        GTEST_SKIP() << "no corpus";
    const ReferenceTiles reference(grp);
    TempDir dir;
    const std::string archive = dir.write("K.GRP", grp);
    const ToolRun listed = RunTool("tessel-grp", {"tiles", archive});
    const std::string start = "0 32x32 TILES000.ART\n1 32x32 TILES000.ART\n2 32x32 TILES000.ART\n3 32x16 TILES000.ART\n";
    EXPECT_EQ(listed.out.substr(0, start.size()), start);
    EXPECT_NE(listed.out.find("\nTilecount: 256\n"), std::string::npos);
    int drawn = 0;
    for (int tile = 0; tile < 256; ++tile) {
        SCOPED_TRACE(tile);
        const auto [w, h] = reference.sizes[std::size_t(tile)];
        const ToolRun r = RunTool("tessel-grp", {"tile", archive, std::to_string(tile), dir.file("t.png")});
        if (w == 0 || h == 0) {   // no picture can hold an empty tile
            EXPECT_EQ(r.code, 1);
            EXPECT_EQ(r.err, "Tile " + std::to_string(tile) + " is empty (" + std::to_string(w) + " x " +
                                 std::to_string(h) + " pixels): there is no picture of it.\n");
            continue;
        }
        ASSERT_EQ(r.code, 0) << r.err;
        const Picture p = ReadPng(dir.read("t.png"));
        ASSERT_EQ(p.width, w);
        ASSERT_EQ(p.height, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(p.pixels[std::size_t(y) * w + x], reference.Pixel(tile, x, y)) << x << "," << y;
        ++drawn;
        DeleteFile(dir.file("t.png"));
    }
    EXPECT_EQ(drawn, 141);
    EXPECT_EQ(dir.read("K.GRP"), grp);
}

TEST(GrpToolContentsTest, AReplacedTileReadsBackAndNothingElseChanges)
{
    const std::string grp = ReadPath(KenbuildGrp);
    if (grp.empty())
        GTEST_SKIP() << "no corpus";
    const ReferenceTiles reference(grp);
    TempDir dir;
    const std::string archive = dir.write("K.GRP", grp);
    // 20 x 10 of palette colours and transparent pixels, in place of tile 4 (16 x 16).
    Picture in{20, 10, {}};
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            in.pixels.push_back((x + y) % 7 == 0 ? 0u : reference.colors[(x * 13 + y * 7) % 255]);
    const std::string png = dir.write("in.png", WritePng(in));
    EXPECT_EQ(RunTool("tessel-grp", {"replace-tile", archive, "4", png}).code, 0);
    ASSERT_EQ(RunTool("tessel-grp", {"tile", archive, "4", dir.file("out.png")}).code, 0);
    const Picture out = ReadPng(dir.read("out.png"));
    EXPECT_EQ(out.width, 20);
    EXPECT_EQ(out.height, 10);
    EXPECT_TRUE(out.pixels == in.pixels);

    const auto before = LiveEntriesOf(grp), after = LiveEntriesOf(dir.read("K.GRP"));
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 1; i < before.size(); ++i)
        EXPECT_TRUE(after[i] == before[i]) << before[i].first;
    const ReferenceTiles changed(dir.read("K.GRP"));
    for (int tile = 0; tile < 256; ++tile)
        if (tile != 4) {
            EXPECT_EQ(changed.sizes[std::size_t(tile)], reference.sizes[std::size_t(tile)]) << tile;
            EXPECT_TRUE(changed.columns[std::size_t(tile)] == reference.columns[std::size_t(tile)]) << tile;
        }

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
    EXPECT_EQ(ReadPng(dir.read("grey.png")).pixels, (std::vector<std::uint32_t>{0xff787878u}));
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

TEST(GrpToolContentsTest, SoundsBecomeWaveFilesThatLibsndfileReads)
{
    TempDir dir;
    const std::string voc = VocBytes(VocBlock(1, std::string("\x9c\x00", 2) + "\x80\x90\x70\xff"));
    const std::string grp = dir.write("S.GRP", Grp({{"DUKE.VOC", std::int32_t(voc.size()), voc}, {"GAME.CON", 3, "abc"}}));
    const ToolRun r = RunTool("tessel-grp", {"sound", grp, "DUKE.VOC", dir.file("out.wav")});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Creative Voice File, 8-bit PCM, 10000 Hz, mono, 0.00 s\n");
    SF_INFO info{};
    SNDFILE* in = sf_open(dir.file("out.wav").c_str(), SFM_READ, &info);
    ASSERT_NE(in, nullptr);
    std::vector<short> samples(8);
    samples.resize(static_cast<std::size_t>(sf_read_short(in, samples.data(), 8)));
    sf_close(in);
    EXPECT_EQ(info.samplerate, 10000);
    EXPECT_EQ(samples, (std::vector<short>{0, 16 * 256, -16 * 256, 127 * 256}));
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

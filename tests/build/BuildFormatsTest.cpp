// The readers of the files inside a group file: real files read as they are,
// damaged ones refused with a message that says what is wrong (and without
// allocating what they claim), sounds decoded as libsndfile decodes them.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <climits>

#include "build/ArtFile.h"
#include "build/EntryKind.h"
#include "build/FormatError.h"
#include "build/MapFile.h"
#include "build/Palette.h"
#include "build/SoundFile.h"
#include "build/TilePicture.h"
#include "support/BuildBytes.h"
#include "support/TempDir.h"

namespace tessel {
namespace {

using namespace test;

template <typename Read>
std::string Refusal(Read read, const std::string& bytes)
{
    try {
        read(bytes);
    } catch (const FormatError& e) {
        return e.what();
    }
    return "accepted";
}

struct RefusalRow {
    const char* name;
    std::string bytes;
    std::string says;   // a part of the message; "accepted" for none
};

template <typename Read>
void ExpectRefusals(Read read, const std::vector<RefusalRow>& rows)
{
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_NE(Refusal(read, r.bytes).find(r.says), std::string::npos) << Refusal(read, r.bytes);
    }
}

TEST(BuildFormatsTest, ArtFilesReadAndWriteBackAndDamagedOnesAreRefused)
{
    const std::string grp = ReadPath(KenbuildGrp);
    if (!grp.empty()) {
        const std::string bytes = grp.substr(128, 436347);
        const ArtFile art = ReadArt(bytes);
        EXPECT_EQ(art.Count(), 256);
        EXPECT_EQ(art.Tile(3).width, 32);
        EXPECT_EQ(art.Tile(3).height, 16);
        EXPECT_TRUE(WriteArt(art) == bytes);
    }
    // Replacing a tile changes it alone.
    ArtFile art = ReadArt(ArtBytes(5, 7, {{1, 2}, {2, 1}, {1, 1}}, "abcdz" "q"));
    ReplaceArtTile(art, 6, 3, 2, "ABCDEF");
    EXPECT_EQ(WriteArt(art), ArtBytes(5, 7, {{1, 2}, {3, 2}, {1, 1}}, "ab" "ABCDEF" "z"));   // not what followed
    EXPECT_THROW(ReplaceArtTile(art, 8, 1, 1, "x"), FormatError);
    EXPECT_THROW(ReplaceArtTile(art, 5, 2, 2, "x"), FormatError);

    ExpectRefusals(ReadArt, {
        {"short header", Le(1, 4) + Le(0, 4), "the header runs past the end"},
        {"version 2", ArtBytes(0, -1, {}, "", 2), "version 2"},
        {"backwards range", ArtBytes(10, 5, {}, ""), "tile range 10 to 5"},
        {"negative first tile", ArtBytes(-1, 0, {{1, 1}}, "x"), "tile range -1 to 0"},
        {"range that overflows", ArtBytes(0, INT32_MAX, {}, ""), "tile range 0 to 2147483647"},
        {"sizes past the end", ArtBytes(0, 1000, {{1, 1}}, "x"), "the tile sizes runs past the end"},
        {"negative width", ArtBytes(0, 0, {{-1, 4}}, ""), "tile 0 has a negative size (-1 x 4)"},
        {"negative height", ArtBytes(0, 0, {{4, -1}}, ""), "tile 0 has a negative size (4 x -1)"},
        {"one pixel short", ArtBytes(0, 0, {{2, 2}}, "abc"), "need 4 bytes of pixels, 3 are left"},
        {"gigabytes claimed", ArtBytes(0, 1, {{2, 2}, {32767, 32767}}, "abcdefghij"),
         "tile 1 (32767 x 32767) runs past the end: the tiles up to it need 1073676293 bytes of pixels, 10 are left"},
        {"empty file of tiles", ArtBytes(3, 2, {}, ""), "accepted"},
    });
}

TEST(BuildFormatsTest, PalettesOfTheRightSizeAndSixBitColoursOnly)
{
    std::string colors;
    for (int i = 0; i < 256; ++i)
        colors += std::string{char(i % 64), char(63 - i % 64), char(i / 4)};
    const BuildPalette p = ReadPalette(colors + Le(2, 2) + std::string(512, '\0') + std::string(65536, '\0'));
    EXPECT_EQ(p.shades, 2);
    EXPECT_EQ(p.colors[1], 0xff04f800u);   // 1, 62, 0 times four
    EXPECT_EQ(p.colors[255], 0xfffc00fcu);   // 63, 0, 63
    const std::string grp = ReadPath(KenbuildGrp);
    if (!grp.empty()) {
        EXPECT_EQ(ReadPalette(grp.substr(714805, 74498)).shades, 32);
    }
    std::string high = colors;
    high[3 * 7 + 1] = 64;
    ExpectRefusals(ReadPalette, {
        {"colours only", colors, "accepted"},
        {"one byte short", colors.substr(1), "767 bytes; a palette has 768 bytes of colours"},
        {"a component of 64", high, "colour 7 has a component of 64"},
        {"half a shade count", colors + "\1", "the shade count runs past the end"},
        {"no shade tables", colors + Le(0, 2), "do not hold 0 shade tables"},
        {"a stray byte", colors + Le(1, 2) + std::string(257, '\0'), "do not hold 1 shade tables"},
    });
}

TEST(BuildFormatsTest, MapsGiveTheirCountsAndRefuseIndexesOutOfRange)
{
    const std::vector<TestWall> square = {{0, 0, 1}, {64, 0, 2}, {64, 64, 3, 4, 1}, {0, 64, 0}, {64, 64, 5, 2, 0},
                                          {64, 128, 4}};
    const MapFile map = ReadMap(MapBytes(7, {{0, 4}, {4, 2}}, square, 3) + "trailing");
    EXPECT_EQ(map.sectors.size(), 2u);
    EXPECT_EQ(map.walls.size(), 6u);
    EXPECT_EQ(map.sprites.size(), 3u);
    EXPECT_EQ(map.sprites[2].z, 6);
    EXPECT_EQ(map.walls[2].nextSector, 1);
    EXPECT_EQ(map.angle, 512);
    std::string noStart = MapBytes(7, {}, {}, 0);
    noStart[18] = noStart[19] = '\xff';   // the start outside every sector
    EXPECT_EQ(ReadMap(noStart).startSector, -1);
    ExpectRefusals(ReadMap, {
        {"version 6", MapBytes(6, {}, {}, 0), "version 6 (Build maps of versions 7 to 9 are read)"},
        {"version 10", MapBytes(10, {}, {}, 0), "version 10"},
        {"sectors past the end", MapBytes(8, {}, {}, 0).substr(0, 20) + Le(1000, 2), "1000 sectors runs past the end"},
        {"sprites past the end", MapBytes(9, {}, {}, 2).substr(0, 30), "2 sprites runs past the end"},
        {"a sector's walls one past the walls", MapBytes(7, {{0, 2}}, {{0, 0, 0}}, 0),
         "sector 0 names walls 0 to 1 (there are 1)"},
        {"next point out of range", MapBytes(7, {{0, 1}}, {{0, 0, 1}}, 0), "wall 0 goes on to wall 1 (there are 1)"},
        {"other-side wall out of range", MapBytes(7, {{0, 1}}, {{0, 0, 0, 7}}, 0),
         "wall 0 has its other side on wall 7"},
        {"other-side sector out of range", MapBytes(7, {{0, 1}}, {{0, 0, 0, -1, 1}}, 0),
         "wall 0 has its other side in sector 1 (there are 1)"},
        {"negative other-side sector", MapBytes(7, {{0, 1}}, {{0, 0, 0, -1, -2}}, 0), "in sector -2"},
    });
}

// Sounds written by libsndfile (another reader and writer of these formats)
// read back as libsndfile reads them.
TEST(BuildFormatsTest, VocAndWaveFilesReadAsLibsndfileReadsThem)
{
    TempDir dir;
    const struct {
        const char* name;
        int format, channels, rate;
        PcmSound (*read)(std::string_view);
        const char* described;
    } cases[] = {
        {"VOC 16-bit stereo", SF_FORMAT_VOC | SF_FORMAT_PCM_16, 2, 22050, ReadVoc, "Creative Voice File, 16-bit PCM"},
        {"VOC mu-law", SF_FORMAT_VOC | SF_FORMAT_ULAW, 1, 8000, ReadVoc, "Creative Voice File, mu-law"},
        {"VOC A-law", SF_FORMAT_VOC | SF_FORMAT_ALAW, 1, 8000, ReadVoc, "Creative Voice File, A-law"},
        {"WAV 16-bit stereo", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, ReadWav, "WAVE, 16-bit PCM"},
        {"WAV 8-bit", SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 1, 11025, ReadWav, "WAVE, 8-bit PCM"},
        {"WAV 24-bit", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 1, 48000, ReadWav, "WAVE, 24-bit PCM"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.file("sound");
        std::vector<short> written;
        for (int i = 0; i < 3000; ++i)
            written.push_back(static_cast<short>((i * 977 % 65536) - 32768));
        SF_INFO info{};
        info.samplerate = c.rate;
        info.channels = c.channels;
        info.format = c.format;
        SNDFILE* out = sf_open(path.c_str(), SFM_WRITE, &info);
        ASSERT_NE(out, nullptr) << sf_strerror(nullptr);
        sf_write_short(out, written.data(), static_cast<sf_count_t>(written.size()));
        sf_close(out);
        SF_INFO readInfo{};
        SNDFILE* in = sf_open(path.c_str(), SFM_READ, &readInfo);
        ASSERT_NE(in, nullptr);
        std::vector<short> expected(written.size() + 10);
        expected.resize(static_cast<std::size_t>(sf_read_short(in, expected.data(), static_cast<sf_count_t>(expected.size()))));
        sf_close(in);

        const PcmSound sound = c.read(dir.read("sound"));
        EXPECT_EQ(sound.rate, c.rate);
        EXPECT_EQ(sound.channels, c.channels);
        EXPECT_EQ(sound.format.rfind(c.described, 0), 0u) << sound.format;
        ASSERT_EQ(sound.samples.size(), expected.size());
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), sound.samples.begin()));
    }
    // What we write, libsndfile reads.
    PcmSound sound{22050, 2, {1, -2, 300, -400, 32767, -32768}, ""};
    dir.write("ours.wav", WriteWav(sound));
    SF_INFO info{};
    SNDFILE* in = sf_open(dir.file("ours.wav").c_str(), SFM_READ, &info);
    ASSERT_NE(in, nullptr);
    std::vector<short> back(6);
    EXPECT_EQ(sf_read_short(in, back.data(), 6), 6);
    sf_close(in);
    EXPECT_EQ(info.samplerate, 22050);
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(std::vector<std::int16_t>(back.begin(), back.end()), sound.samples);
}

// Creative's ADPCM worked by hand from its description: a plain first
// sample, then codes of a sign bit and a value, value << (step + shift)
// added, the step up at a large value and down at 0 (0 to 3), 0..255 kept.
TEST(BuildFormatsTest, CreativeAdpcmDecodesAsTheSoundBlasterDoes)
{
    const auto decoded = [](const std::string& data, int bits) {
        std::vector<std::int16_t> out;
        DecodeCreativeAdpcm(data, bits, out);
        std::vector<int> unsignedBytes;
        for (const auto s : out)
            unsignedBytes.push_back(s / 256 + 128);
        return unsignedBytes;
    };
    using V = std::vector<int>;
    EXPECT_EQ(decoded("\x80\x77", 4), (V{128, 135, 149}));                                   // 7, then 7 << 1
    EXPECT_EQ(decoded("\x80\x44", 4), (V{128, 132, 136}));                                   // 4 is below the limit
    EXPECT_EQ(decoded(std::string("\x00\x77\x77\x70", 4), 4), (V{0, 7, 21, 49, 105, 161, 161}));   // at most step 3
    EXPECT_EQ(decoded("\x80\xff", 4), (V{128, 121, 107}));                                   // the sign bit
    EXPECT_EQ(decoded("\xfa\x77", 4), (V{250, 255, 255}));                                   // kept within a byte
    EXPECT_EQ(decoded("\x80\x25", 3), (V{128, 129, 130, 131}));                              // 3, 3 and 2 bits a byte
    EXPECT_EQ(decoded("\x80\x70\x10", 4), (V{128, 135, 135, 136, 136}));                       // a 0 takes the step down
    EXPECT_EQ(decoded("\x80\x55", 2), (V{128, 132, 140, 156, 188}));                         // shift 2, limit 1

    // In a file: block 1 with codec 1, then more data in block 2 going on from where it was.
    const PcmSound voc = ReadVoc(VocBytes(VocBlock(1, std::string("\xa6\x01\x80\x11", 4)) + VocBlock(2, "\x11")));
    EXPECT_EQ(voc.format, "Creative Voice File, 4-bit Creative ADPCM");
    EXPECT_EQ(voc.rate, 1000000 / (256 - 0xa6));
    EXPECT_EQ(voc.samples, (std::vector<std::int16_t>{0, 256, 512, 768, 1024}));
}

TEST(BuildFormatsTest, DamagedSoundsAreRefused)
{
    const std::string pcm = VocBlock(1, std::string("\xa6\x00", 2) + "abcd");
    std::string silence;
    for (int i = 0; i < 513; ++i)   // 513 x 65536 samples from 3.5 KiB
        silence += VocBlock(3, Le(65535, 2) + "\xa6");
    const PcmSound plain = ReadVoc(VocBytes(pcm));
    EXPECT_EQ(plain.format, "Creative Voice File, 8-bit PCM");
    EXPECT_EQ(plain.samples, (std::vector<std::int16_t>{('a' - 128) * 256, ('b' - 128) * 256, ('c' - 128) * 256,
                                                         ('d' - 128) * 256}));
    ExpectRefusals(ReadVoc, {
        {"no signature", "Creative Voice Fil\x1a" + VocBytes(pcm).substr(19), "no \"Creative Voice File\" signature"},
        {"header past the end", VocBytes("").substr(0, 20) + Le(500, 2) + Le(0, 4), "a header of 500 bytes"},
        {"block just past the end", VocBytes(pcm).substr(0, 26) + "\x01" + Le(5, 3) + "xx",
         "block 1 at offset 26 claims 5 bytes; 2 are left"},
        {"block length cut", VocBytes(pcm).substr(0, 26) + "\x01\x05", "the length of block 1 at offset 26"},
        {"unknown codec", VocBytes(VocBlock(1, std::string("\xa6\x05", 2) + "ab")), "codec 5 is not read"},
        {"data before a format", VocBytes(VocBlock(2, "ab")), "more sound data before any format"},
        {"a rate of a megahertz", VocBytes(VocBlock(1, std::string("\xff\x00", 2) + "ab")), "a rate of 1000000 Hz"},
        {"five channels", VocBytes(VocBlock(9, Le(8000, 4) + "\x08\x05" + Le(0, 2) + Le(0, 4) + "ab")),
         "5 channels"},
        {"hours of silence", VocBytes(silence), "the sound has more than 33554432 samples"},
        {"no sound at all", VocBytes(""), "no sound data"},
    });
    const auto wav = [](int tag, int channels, int bits, const std::string& data, std::int64_t dataSize = -1) {
        const std::string fmt = Le(tag, 2) + Le(channels, 2) + Le(8000, 4) + Le(8000 * channels * bits / 8, 4) +
                                Le(channels * bits / 8, 2) + Le(bits, 2);
        return "RIFF" + Le(36 + static_cast<std::int64_t>(data.size()), 4) + "WAVEfmt " + Le(16, 4) + fmt + "data" +
               Le(dataSize < 0 ? static_cast<std::int64_t>(data.size()) : dataSize, 4) + data;
    };
    ExpectRefusals(ReadWav, {
        {"a plain WAVE", wav(1, 1, 16, "abcd"), "accepted"},
        {"no RIFF", "RIFX" + wav(1, 1, 16, "ab").substr(4), "no RIFF WAVE header"},
        {"a chunk past the end", wav(1, 1, 16, "ab").substr(0, 12) + "LIST" + Le(99999, 4) + "x",
         "the chunk \"LIST\" claims 99999 bytes; 1 are left"},
        {"three channels", wav(1, 3, 16, "abcdef"), "3 channels"},
        {"Microsoft ADPCM", wav(2, 1, 4, "ab"), "encoding 2 with 4 bits"},
        {"no format", "RIFF" + Le(12, 4) + "WAVEdata" + Le(2, 4) + "ab", "no format chunk"},
    });
    EXPECT_EQ(ReadWav(wav(1, 1, 16, "abcd", 1000)).samples.size(), 2u);   // data cut short: read as far as it goes
    // Floats from -1 to 1: beyond them clipped, not a number silent.
    std::string floats;
    for (const std::uint32_t f : {0x3f800000u, 0xbf000000u, 0x40000000u, 0x7fc00000u})
        floats += Le(f, 4);
    EXPECT_EQ(ReadWav(wav(3, 1, 32, floats)).samples, (std::vector<std::int16_t>{32767, -16383, 32767, 0}));
}

TEST(BuildFormatsTest, PicturesBecomeTilesOfTheNearestPaletteColours)
{
    PaletteColors palette = GreyRamp();
    palette[10] = 0xff102030u;
    palette[255] = 0xff0a0a0au;   // transparency is 255's, whatever its colour
    RgbaImage picture{3, 2, ""};
    for (const std::uint32_t c : {0xff102030u, 0x00123456u, 0xff0a0a0au, 0xff000000u, 0xfffefefeu, 0x80112131u}) {
        picture.rgba += std::string{char(c >> 16 & 0xff), char(c >> 8 & 0xff), char(c & 0xff), char(c >> 24)};
    }
    // Column by column: (0,0) (0,1), (1,0) (1,1), (2,0) (2,1); grey 10 is gone, 9 and 11 are as near.
    EXPECT_EQ(ImageToTile(picture, palette), std::string("\x0a\x00\xff\xfe\x09\x0a", 6));
    const RgbaImage back = TileToImage(std::string("\x0a\x00\xff\xfe\x0a\x0a", 6), 3, 2, palette);
    EXPECT_EQ(back.Pixel(0, 0), 0xff102030u);
    EXPECT_EQ(back.Pixel(1, 0), 0u);
    EXPECT_EQ(back.Pixel(1, 1), 0xfffefefeu);

    EXPECT_EQ(DecodePng(EncodePng(back)).rgba, back.rgba);
    // A PNG that claims 100000 x 100000 pixels is refused before its pixels are read.
    const auto chunk = [](const std::string& type, const std::string& data) {
        std::uint32_t crc = 0xffffffffu;
        for (const char c : type + data) {
            crc ^= static_cast<std::uint8_t>(c);
            for (int k = 0; k < 8; ++k)
                crc = crc & 1 ? 0xedb88320u ^ (crc >> 1) : crc >> 1;
        }
        const auto be = [](std::uint32_t v) {
            return std::string{char(v >> 24), char(v >> 16 & 0xff), char(v >> 8 & 0xff), char(v & 0xff)};
        };
        return be(static_cast<std::uint32_t>(data.size())) + type + data + be(~crc);
    };
    const std::string huge = std::string("\x89PNG\r\n\x1a\n", 8) +
                             chunk("IHDR", std::string("\x00\x01\x86\xa0\x00\x01\x86\xa0\x08\x06\x00\x00\x00", 13)) +
                             chunk("IDAT", "") + chunk("IEND", "");
    EXPECT_NE(Refusal(DecodePng, huge).find("a picture of 100000 x 100000 pixels is larger than a tile may be"),
              std::string::npos) << Refusal(DecodePng, huge);
    EXPECT_EQ(Refusal(DecodePng, "not a png").rfind("PNG: ", 0), 0u);
}

TEST(BuildFormatsTest, EntriesAreKnownByTheirSignatureElseTheirName)
{
    const struct {
        const char* name;
        std::string first;
        EntryKind kind;
    } rows[] = {
        {"TILES000.ART", "", EntryKind::Art},        {"tiles001.art", "", EntryKind::Art},
        {"PALETTE.DAT", "", EntryKind::Palette},     {"TABLES.DAT", "", EntryKind::Other},
        {"E1L1.MAP", "", EntryKind::Map},            {"GAME.CON", "", EntryKind::Text},
        {"readme.txt", "", EntryKind::Text},         {"GRABBAG.MID", "", EntryKind::Midi},
        {"SOUND.DAT", "Creative Voice File\x1a", EntryKind::Voc},
        {"NOISE", std::string("RIFF\x10\0\0\0WAVEfmt ", 16), EntryKind::Wav},
        {"SHORT.WAV", std::string("RIFF\x10", 5), EntryKind::Wav},
        {"DUKE.VOC", "", EntryKind::Voc},            {"NOEXT", "", EntryKind::Other},
    };
    for (const auto& r : rows)
        EXPECT_EQ(EntryKindOf(r.name, r.first), r.kind) << r.name;
    EXPECT_EQ(ScriptGameOf("game.con"), 1);
    EXPECT_EQ(ScriptGameOf("DEFS.QC"), 2);
    EXPECT_EQ(ScriptGameOf("X.DEF"), 0);
}

} // namespace
} // namespace tessel

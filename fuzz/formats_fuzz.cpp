// The readers of what group files hold meet anything: nothing crashes, no
// reader allocates more than its input justifies (the sanitizers' memory
// limit catches that), and what a reader accepts holds together: an ART file
// writes back to bytes that read as the same tiles, a map's indexes lie in
// range, a sound written as WAVE reads back as the same samples, a picture's
// tile has a byte a pixel. One target a reader, chosen by FORMATS_FUZZ.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "build/ArtFile.h"
#include "build/FormatError.h"
#include "build/MapFile.h"
#include "build/Palette.h"
#include "build/SoundFile.h"
#include "build/TilePicture.h"

using namespace tessel;

namespace {

void Check(bool condition)
{
    if (!condition)
        abort();
}

void Art(std::string_view bytes)
{
    ArtFile art = ReadArt(bytes);
    const std::string written = WriteArt(art);
    const ArtFile again = ReadArt(written);
    Check(again.first == art.first && again.last == art.last && again.pixels == art.pixels);
    Check(WriteArt(again) == written);
    if (art.Count() > 0) {
        ReplaceArtTile(art, art.first, 1, 1, "x");
        Check(art.Pixels(art.first) == "x");
    }
}

void Map(std::string_view bytes)
{
    const MapFile map = ReadMap(bytes);
    for (const MapWall& w : map.walls)
        Check(w.point2 >= 0 && std::size_t(w.point2) < map.walls.size() && w.nextWall < int(map.walls.size()) &&
              w.nextSector < int(map.sectors.size()));
    for (const MapSector& s : map.sectors)
        Check(s.firstWall >= 0 && std::size_t(s.firstWall + s.wallCount) <= map.walls.size());
}

void Sound(std::string_view bytes)
{
    if (bytes.empty())
        return;
    const PcmSound sound = bytes[0] & 1 ? ReadVoc(bytes.substr(1)) : ReadWav(bytes.substr(1));
    Check(sound.samples.size() <= MaxSoundSamples && sound.samples.size() % sound.channels == 0);
    Check(ReadWav(WriteWav(sound)).samples == sound.samples);
}

void Picture(std::string_view bytes)
{
    const RgbaImage image = DecodePng(bytes);
    Check(std::int64_t(image.width) * image.height <= MaxPicturePixels);
    Check(ImageToTile(image, GreyRamp()).size() == std::size_t(image.width) * image.height);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
#if FORMATS_FUZZ == 1
        Art(bytes);
#elif FORMATS_FUZZ == 2
        ReadPalette(bytes);
#elif FORMATS_FUZZ == 3
        Map(bytes);
#elif FORMATS_FUZZ == 4
        Sound(bytes);
#else
        Picture(bytes);
#endif
    } catch (const FormatError&) {
        // refused with a message: what damaged input must get
    }
    return 0;
}

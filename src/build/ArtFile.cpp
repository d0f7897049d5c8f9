#include "build/ArtFile.h"

#include "build/FormatError.h"

namespace tessel {

namespace {

void PutLE(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>(value >> (8 * i) & 0xff);
}

} // namespace

std::string_view ArtFile::Pixels(int number) const
{
    const ArtTile& t = Tile(number);
    return std::string_view(pixels).substr(t.offset, static_cast<std::size_t>(t.width) * t.height);
}

ArtFile ReadArt(std::string_view bytes)
{
    ByteReader in(bytes, "ART file");
    in.Need(16, "the header");
    const std::int32_t version = in.I32();
    ArtFile art;
    art.numTiles = in.I32();
    const std::int64_t first = in.I32(), last = in.I32();
    if (version != 1)
        in.Fail("version " + std::to_string(version) + " (only version 1 is read)");
    if (first < 0 || last > MaxTileNumber || last < first - 1)
        in.Fail("tile range " + std::to_string(first) + " to " + std::to_string(last) + " (tiles are numbered 0 to " +
                std::to_string(MaxTileNumber) + ")");
    const auto n = static_cast<std::size_t>(last - first + 1);
    in.Need(8 * n, "the tile sizes");
    art.first = static_cast<int>(first);
    art.last = static_cast<int>(last);
    art.tiles.resize(n);
    for (auto& t : art.tiles)
        t.width = in.I16();
    for (auto& t : art.tiles)
        t.height = in.I16();
    for (auto& t : art.tiles)
        t.picanm = in.I32();
    std::size_t total = 0;
    for (std::size_t i = 0; i < n; ++i) {
        ArtTile& t = art.tiles[i];
        const std::string tile = "tile " + std::to_string(first + static_cast<std::int64_t>(i));
        if (t.width < 0 || t.height < 0)
            in.Fail(tile + " has a negative size (" + std::to_string(t.width) + " x " + std::to_string(t.height) + ")");
        t.offset = total;
        // At most 32767 x 32767 each: no overflow, and checked before anything is allocated.
        total += static_cast<std::size_t>(t.width) * static_cast<std::size_t>(t.height);
        if (total > in.Left())
            in.Fail(tile + " (" + std::to_string(t.width) + " x " + std::to_string(t.height) +
                    ") runs past the end: the tiles up to it need " + std::to_string(total) + " bytes of pixels, " +
                    std::to_string(in.Left()) + " are left");
    }
    art.pixels = std::string(in.Take(total));
    return art;
}

std::string WriteArt(const ArtFile& art)
{
    std::string out;
    out.reserve(16 + 8 * art.tiles.size() + art.pixels.size());
    PutLE(out, 1, 4);
    PutLE(out, static_cast<std::uint32_t>(art.numTiles), 4);
    PutLE(out, static_cast<std::uint32_t>(art.first), 4);
    PutLE(out, static_cast<std::uint32_t>(art.last), 4);
    for (const auto& t : art.tiles)
        PutLE(out, static_cast<std::uint32_t>(t.width), 2);
    for (const auto& t : art.tiles)
        PutLE(out, static_cast<std::uint32_t>(t.height), 2);
    for (const auto& t : art.tiles)
        PutLE(out, static_cast<std::uint32_t>(t.picanm), 4);
    for (int number = art.first; number <= art.last; ++number)
        out += art.Pixels(number);
    return out;
}

void ReplaceArtTile(ArtFile& art, int number, int width, int height, std::string columns)
{
    if (!art.Holds(number))
        throw FormatError("tile " + std::to_string(number) + " is not in this ART file (it holds " +
                          std::to_string(art.first) + " to " + std::to_string(art.last) + ")");
    if (width < 0 || height < 0 || width > MaxTileNumber || height > MaxTileNumber ||
        columns.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        throw FormatError("a tile of " + std::to_string(width) + " x " + std::to_string(height) +
                          " pixels cannot be stored (at most 32767 x 32767)");
    std::string pixels;
    pixels.reserve(art.pixels.size() + columns.size());
    for (int n = art.first; n <= art.last; ++n) {
        ArtTile& t = art.tiles[static_cast<std::size_t>(n - art.first)];
        const std::string_view old = art.Pixels(n);
        t.offset = pixels.size();
        if (n == number) {
            t.width = width;
            t.height = height;
            pixels += columns;
        } else {
            pixels += old;
        }
    }
    art.pixels = std::move(pixels);
}

} // namespace tessel

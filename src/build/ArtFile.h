#pragma once
// Build's tile files (TILESnnn.ART): a header (int32 version 1, int32 tile
// count (unused), int32 first and last tile number), then for the n tiles of
// that range int16 widths, int16 heights and int32 animation words, then each
// tile's width x height palette indices, column by column. Index 255 is
// transparent. All little-endian.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessel {

// Tile numbers are int16 in the maps that use them.
constexpr int MaxTileNumber = 32767;
constexpr int TransparentIndex = 255;

struct ArtTile {
    int width = 0, height = 0;
    std::int32_t picanm = 0;    // animation and drawing offsets, kept as they are
    std::size_t offset = 0;     // of its first pixel in ArtFile::pixels
};

struct ArtFile {
    std::int32_t numTiles = 0;  // the header's own count, written back unchanged
    int first = 0, last = -1;   // the tile numbers it holds; last = first - 1 for none
    std::vector<ArtTile> tiles; // first..last in order
    std::string pixels;         // every tile's indices, column by column, tile after tile

    int Count() const { return static_cast<int>(tiles.size()); }
    bool Holds(int number) const { return number >= first && number <= last; }
    const ArtTile& Tile(int number) const { return tiles[static_cast<std::size_t>(number - first)]; }
    // The tile's indices, column by column (width x height bytes).
    std::string_view Pixels(int number) const;
};

// Reads a whole ART file. Refuses (FormatError) anything but version 1, a
// tile range that is negative, runs backwards or past MaxTileNumber, negative
// sizes, and sizes whose pixels are not in the file (however large they
// claim to be, nothing is allocated for them). Bytes after the last tile are
// ignored.
ArtFile ReadArt(std::string_view bytes);
// The file's bytes: the header with the tiles' sizes and animation words, then their pixels.
std::string WriteArt(const ArtFile& art);
// Puts a new picture (width x height indices, column by column) in place of
// tile number; the animation word stays. FormatError for a number outside the
// file's range or a size outside 0..32767.
void ReplaceArtTile(ArtFile& art, int number, int width, int height, std::string columns);

} // namespace tessel

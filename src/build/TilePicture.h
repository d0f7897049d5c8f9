#pragma once
// Tiles as pictures and pictures as tiles: a tile's palette indices drawn in
// a palette (index 255 transparent), a picture's pixels matched to the
// nearest palette colour, and pictures to and from PNG (through libpng, which
// reads every kind of PNG there is; the tools link no toolkit).
#include <cstdint>
#include <string>
#include <string_view>

#include "build/Palette.h"

namespace tessel {

// Pictures replacing a tile may have at most this many pixels (a 4096 x 4096
// tile); larger ones are refused before their pixels are read.
constexpr std::int64_t MaxPicturePixels = std::int64_t(4096) * 4096;

// Row by row, four bytes a pixel: red, green, blue, alpha.
struct RgbaImage {
    int width = 0, height = 0;
    std::string rgba;

    std::uint32_t Pixel(int x, int y) const;   // 0xAARRGGBB
};

// A tile of width x height indices, column by column, in the palette: index
// 255 fully transparent, every other one its opaque colour.
RgbaImage TileToImage(std::string_view columns, int width, int height, const PaletteColors& palette);
// The picture's indices, column by column: a fully transparent pixel is 255,
// any other the index (0 to 254) of the palette colour nearest to it (the
// lowest index of equally near ones), so a colour of the palette gets its own.
std::string ImageToTile(const RgbaImage& image, const PaletteColors& palette);

// The PNG of a picture (8-bit RGBA).
std::string EncodePng(const RgbaImage& image);
// A PNG of any kind as RGBA. FormatError for what is not a PNG, is damaged,
// or has more than MaxPicturePixels pixels or a side above 32767.
RgbaImage DecodePng(std::string_view bytes);

} // namespace tessel

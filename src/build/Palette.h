#pragma once
// Build's PALETTE.DAT: 256 colours of three 6-bit components (0 to 63), then
// an int16 count of shade tables, the tables (256 bytes each) and a 65536-byte
// translucency table. Only the colours are drawn with; the rest is checked.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessel {

// Colours as 0xAARRGGBB with full alpha, 8 bits a component (6-bit value << 2).
using PaletteColors = std::array<std::uint32_t, 256>;

struct BuildPalette {
    PaletteColors colors{};
    int shades = 0;   // the shade tables it holds (0 for a file of colours only)
};

// Reads a palette. Accepted: 768 bytes of colours alone, or the colours, the
// shade count and that many tables, with or without the translucency table;
// any other size, a shade count that does not fit, or a component above 63
// is refused (FormatError).
BuildPalette ReadPalette(std::string_view bytes);
// A grey ramp (index i drawn as grey i): what tiles are drawn in without a palette.
PaletteColors GreyRamp();

} // namespace tessel

#include "build/Palette.h"

#include "build/FormatError.h"

namespace tessel {

namespace {
constexpr std::size_t ColorBytes = 768, TranslucencyBytes = 65536, ShadeTableBytes = 256;
} // namespace

BuildPalette ReadPalette(std::string_view bytes)
{
    ByteReader in(bytes, "palette");
    BuildPalette palette;
    if (bytes.size() < ColorBytes)
        in.Fail(std::to_string(bytes.size()) + " bytes; a palette has 768 bytes of colours");
    for (std::size_t i = 0; i < 256; ++i) {
        std::uint32_t rgb = 0;
        for (int c = 0; c < 3; ++c) {
            const std::uint8_t v = in.U8();
            if (v > 63)
                in.Fail("colour " + std::to_string(i) + " has a component of " + std::to_string(v) +
                        " (components are 0 to 63)");
            rgb = rgb << 8 | static_cast<std::uint32_t>(v) << 2;
        }
        palette.colors[i] = 0xff000000u | rgb;
    }
    if (in.Left() == 0)
        return palette;
    in.Need(2, "the shade count");
    const std::int16_t shades = in.I16();
    const std::size_t tables = shades < 0 ? 0 : static_cast<std::size_t>(shades) * ShadeTableBytes;
    if (shades < 1 || (in.Left() != tables && in.Left() != tables + TranslucencyBytes))
        in.Fail(std::to_string(bytes.size()) + " bytes do not hold " + std::to_string(shades) +
                " shade tables (256 bytes each) after the colours, with or without a 65536-byte translucency table");
    palette.shades = shades;
    return palette;
}

PaletteColors GreyRamp()
{
    PaletteColors ramp{};
    for (std::uint32_t i = 0; i < 256; ++i)
        ramp[i] = 0xff000000u | i << 16 | i << 8 | i;
    return ramp;
}

} // namespace tessel

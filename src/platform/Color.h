#pragma once
// The one colour type of the program: a TColor is 0x00BBGGRR, as the keyword
// table, the colour runs, the project files and the editing control use it.
#include <cstdint>

namespace tessel {

using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;   // plain text
constexpr TColor clRed = 0x0000FF;     // colour code 1
constexpr TColor clGreen = 0x008000;   // colour code 2, and comments
constexpr TColor clBlue = 0xFF0000;    // colour code 3
// Not a colour: "whatever the reader's default is" (RTF's automatic colour).
// Shown as black wherever a real colour is needed.
constexpr TColor clAutomatic = 0xFF000000u;

constexpr TColor RgbColor(int r, int g, int b)
{
    return static_cast<TColor>(r & 0xFF) | static_cast<TColor>(g & 0xFF) << 8 | static_cast<TColor>(b & 0xFF) << 16;
}

inline TColor ShownColor(TColor c) { return c == clAutomatic ? clBlack : c; }

} // namespace tessel

#pragma once
// Whole-number conversion as the runtime does it: leading blanks, an optional
// sign, decimal digits or hexadecimal after "$", "x", "0x"; nothing may follow.
#include <string>

namespace tessel {

// The value of a hexadecimal digit (either case), or -1.
int HexDigitValue(char c);

bool TryStrToInt(const std::string& text, int& value);
// Throws ConvertError "'%s' is not a valid integer value".
int StrToInt(const std::string& text);
int StrToIntDef(const std::string& text, int defaultValue);

} // namespace tessel

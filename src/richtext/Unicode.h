#pragma once
// Small character helpers shared by the rich-text reader and writer.
#include <cstddef>
#include <string>
#include <string_view>

namespace tessel {

void AppendUtf8(std::string& out, char32_t codePoint);
// The code point starting at bytes[pos], advancing pos; an invalid sequence
// yields its first byte as a code point below 256 and advances by one.
char32_t NextCodePoint(std::string_view bytes, std::size_t& pos);

// UTF-8 text as Latin-1 bytes, as a Latin-1 control takes typed text: each
// character below 256 becomes its byte, any other a question mark.
std::string Utf8ToLatin1(std::string_view utf8);

// Windows code page 1252. The five bytes it leaves undefined map to the C1
// controls of the same value, as Windows does, so the mapping is one to one.
char32_t Cp1252ToUnicode(unsigned char byte);
// -1 when the code point has no byte in code page 1252.
int UnicodeToCp1252(char32_t codePoint);

} // namespace tessel

#include "richtext/ControlText.h"

#include <cstddef>

namespace tessel {

bool IsValidUtf8(std::string_view bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t extra;
        unsigned lo = 0x80, hi = 0xBF;   // allowed range of the second byte
        if (c >= 0xC2 && c <= 0xDF)
            extra = 1;
        else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            if (c == 0xE0)
                lo = 0xA0;               // no overlong forms
            else if (c == 0xED)
                hi = 0x9F;               // no surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            if (c == 0xF0)
                lo = 0x90;
            else if (c == 0xF4)
                hi = 0x8F;               // nothing above U+10FFFF
        } else
            return false;
        if (n - i <= extra)
            return false;
        if (p[i + 1] < lo || p[i + 1] > hi)
            return false;
        for (std::size_t k = 2; k <= extra; ++k)
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
        i += extra + 1;
    }
    return true;
}

ControlText ControlTextOfFile(std::string_view fileBytes)
{
    ControlText result;
    result.text.assign(fileBytes);
    result.encoding = IsValidUtf8(fileBytes) ? TextEncoding::Utf8 : TextEncoding::Latin1;
    std::size_t crlf = 0, lf = 0, cr = 0;
    for (std::size_t i = 0; i < fileBytes.size(); ++i) {
        if (fileBytes[i] == '\n')
            ++lf;
        else if (fileBytes[i] == '\r' && i + 1 < fileBytes.size() && fileBytes[i + 1] == '\n')
            ++crlf, ++i;
        else if (fileBytes[i] == '\r')
            ++cr;
    }
    if (lf > crlf && lf >= cr)
        result.lineEnds = LineEnds::Lf;
    else if (cr > crlf && cr > lf)
        result.lineEnds = LineEnds::Cr;
    return result;
}

const char* LineBreakOf(LineEnds lineEnds)
{
    switch (lineEnds) {
    case LineEnds::Lf: return "\n";
    case LineEnds::Cr: return "\r";
    default: return "\r\n";
    }
}

} // namespace tessel

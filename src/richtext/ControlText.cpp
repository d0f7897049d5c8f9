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
    result.encoding = IsValidUtf8(fileBytes) ? TextEncoding::Utf8 : TextEncoding::Latin1;
    std::size_t crlf = 0, bareLf = 0;
    for (std::size_t i = 0; i < fileBytes.size(); ++i)
        if (fileBytes[i] == '\n')
            ++(i > 0 && fileBytes[i - 1] == '\r' ? crlf : bareLf);
    if (bareLf <= crlf) {
        result.text.assign(fileBytes);
        return result;
    }
    // Every LF gets a CR in front, so every CR LF of the control maps back to
    // one LF: a CR LF that stood in the file becomes CR CR LF and returns intact.
    result.lineEnds = LineEnds::Lf;
    result.text.reserve(fileBytes.size() + bareLf + crlf);
    for (char c : fileBytes) {
        if (c == '\n')
            result.text += '\r';
        result.text += c;
    }
    return result;
}

std::string FileBytesOf(std::string_view controlText, LineEnds lineEnds)
{
    if (lineEnds == LineEnds::CrLf)
        return std::string(controlText);
    std::string out;
    out.reserve(controlText.size());
    for (std::size_t i = 0; i < controlText.size(); ++i) {
        if (controlText[i] == '\r' && i + 1 < controlText.size() && controlText[i + 1] == '\n')
            continue;
        out += controlText[i];
    }
    return out;
}

} // namespace tessel

#include "richtext/RtfWriter.h"

#include <unordered_map>

#include "richtext/Unicode.h"

namespace tessel {

namespace {

const char Hex[] = "0123456789abcdef";

void AppendNumber(std::string& out, long value)
{
    char buffer[24];
    int n = 0;
    const bool negative = value < 0;
    unsigned long v = negative ? 0ul - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
    do {
        buffer[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v);
    if (negative)
        out += '-';
    while (n)
        out += buffer[--n];
}

void AppendHexByte(std::string& out, unsigned char c)
{
    out += "\\'";
    out += Hex[c >> 4];
    out += Hex[c & 15];
}

void AppendUnicode(std::string& out, char32_t c)
{
    // \uN takes a signed 16-bit number; beyond the basic plane, a surrogate pair.
    auto unit = [&out](unsigned u) {
        out += "\\u";
        AppendNumber(out, u >= 0x8000 ? static_cast<long>(u) - 0x10000 : static_cast<long>(u));
        out += '?';
    };
    if (c >= 0x10000) {
        c -= 0x10000;
        unit(0xD800 + (c >> 10));
        unit(0xDC00 + (c & 0x3FF));
    } else {
        unit(c);
    }
}

} // namespace

std::string WriteRtf(const ControlText& doc, const std::vector<TColor>& colors)
{
    const std::string& text = doc.text;
    const bool utf8 = doc.encoding == TextEncoding::Utf8 && IsValidUtf8(text);
    auto colorAt = [&colors](std::size_t i) -> TColor {
        return i < colors.size() ? colors[i] & 0xFFFFFFu : 0u;
    };

    // Colour table in order of first use; \cf indexes count from 1 (entry 0 is "automatic").
    std::unordered_map<TColor, int> index;
    std::vector<TColor> table;
    TColor last = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const TColor c = colorAt(i);
        if (c != last && index.emplace(c, static_cast<int>(table.size()) + 1).second)
            table.push_back(c);
        last = c;
    }

    std::string out;
    out.reserve(text.size() + text.size() / 2 + 256);
    out += "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fmodern\\fprq1\\fcharset0 courier;}}\r\n{\\colortbl ;";
    for (TColor c : table) {
        out += "\\red";
        AppendNumber(out, c & 0xFF);
        out += "\\green";
        AppendNumber(out, (c >> 8) & 0xFF);
        out += "\\blue";
        AppendNumber(out, (c >> 16) & 0xFF);
        out += ';';
    }
    out += "}\r\n{\\*\\tesselsource";
    out += doc.lineEnds == LineEnds::Lf ? "\\lf" : doc.lineEnds == LineEnds::Cr ? "\\cr" : "\\crlf";
    out += utf8 ? "\\utf8}" : "\\latin1}";
    out += "\r\n\\viewkind4\\uc1\\pard\\f0\\fs16 ";

    last = 0xFFFFFFFFu;
    const std::string_view lineBreak = LineBreakOf(doc.lineEnds);
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const TColor color = colorAt(i);
        if (color != last) {
            out += "\\cf";
            AppendNumber(out, index[color]);
            out += ' ';
            last = color;
        }
        const auto c = static_cast<unsigned char>(text[i]);
        if (text.compare(i, lineBreak.size(), lineBreak) == 0) {
            out += "\\par\r\n";
            i += lineBreak.size();
        } else if (c == '\t') {
            out += "\\tab ";
            ++i;
        } else if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += static_cast<char>(c);
            ++i;
        } else if (c < 0x20 || c == 0x7F || (c >= 0x80 && !utf8)) {
            AppendHexByte(out, c);
            ++i;
        } else if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
        } else {
            AppendUnicode(out, NextCodePoint(text, i));
        }
    }
    out += "}\r\n";
    return out;
}

} // namespace tessel

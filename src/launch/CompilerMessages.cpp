#include "launch/CompilerMessages.h"

#include <cstdio>

namespace tessel {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// A number of one to nine digits at s[i], i moved past it.
bool ReadNumber(std::string_view s, std::size_t& i, int& value)
{
    std::size_t j = i;
    while (j < s.size() && IsDigit(s[j]))
        ++j;
    if (j == i || j - i > 9)
        return false;
    value = 0;
    for (; i < j; ++i)
        value = value * 10 + (s[i] - '0');
    return true;
}

std::size_t SkipBlanks(std::string_view s, std::size_t i)
{
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    return i;
}

std::string Trimmed(std::string_view s)
{
    std::size_t start = SkipBlanks(s, 0), end = s.size();
    while (end > start && IsBlank(s[end - 1]))
        --end;
    return std::string(s.substr(start, end - start));
}

// A name that can stand for a file in a message: not empty, no blank first,
// no control character, no ": " (which ends a program's own prefix, "Warning:
// "), and more than digits and colons (a time of day).
bool PlausibleFile(std::string_view file)
{
    if (file.empty() || IsBlank(file.front()))
        return false;
    bool numeric = true;
    for (std::size_t i = 0; i < file.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(file[i]);
        if (c < 0x20 || c == 0x7F)
            return false;
        if (c == ':' && i + 1 < file.size() && IsBlank(file[i + 1]))
            return false;
        if (!IsDigit(file[i]) && c != ':')
            numeric = false;
    }
    return !numeric;
}

bool StartsWithWord(std::string_view s, std::size_t i, std::string_view word)
{
    if (s.size() - i < word.size())
        return false;
    for (std::size_t k = 0; k < word.size(); ++k)
        if (Lower(s[i + k]) != word[k])
            return false;
    return true;
}

// The kind at s[i] ("error", "fatal error", "warning", "note", in any case,
// perhaps with a code: "warning F302") and its colon: true with severity set
// and i moved past the colon.
bool ReadSeverity(std::string_view s, std::size_t& i, Severity& severity)
{
    static const struct { std::string_view word; Severity severity; } Kinds[] = {
        {"fatal error", Severity::Error}, {"error", Severity::Error}, {"warning", Severity::Warning},
        {"note", Severity::Note}};
    for (const auto& kind : Kinds) {
        if (!StartsWithWord(s, i, kind.word))
            continue;
        std::size_t j = i + kind.word.size();
        if (j < s.size() && s[j] == ' ') {
            // A code: letters, digits, '-' or '_', then the colon.
            std::size_t k = j + 1;
            while (k < s.size() && (IsDigit(s[k]) || (Lower(s[k]) >= 'a' && Lower(s[k]) <= 'z') || s[k] == '-' ||
                                    s[k] == '_'))
                ++k;
            if (k > j + 1)
                j = k;
        }
        if (j >= s.size() || s[j] != ':')
            return false;
        severity = kind.severity;
        i = j + 1;
        return true;
    }
    return false;
}

// FILE:LINE[:COLUMN]: [KIND:] TEXT, the file being the first plausible one.
std::optional<CompilerMessage> GnuForm(std::string_view s)
{
    for (std::size_t colon = s.find(':', 1); colon != std::string_view::npos; colon = s.find(':', colon + 1)) {
        CompilerMessage m;
        std::size_t i = colon + 1;
        if (ReadNumber(s, i, m.line) && i < s.size() && s[i] == ':') {
            ++i;
            std::size_t k = i;
            int column = 0;
            if (ReadNumber(s, k, column) && k < s.size() && s[k] == ':') {
                m.column = column;
                i = k + 1;
            }
            if (i == s.size() || IsBlank(s[i])) {
                const std::string_view file = s.substr(0, colon);
                if (PlausibleFile(file)) {
                    m.file = std::string(file);
                    i = SkipBlanks(s, i);
                    if (!ReadSeverity(s, i, m.severity))
                        m.severity = Severity::Note;
                    m.text = Trimmed(s.substr(i));
                    if (!m.text.empty() || m.severity != Severity::Note)
                        return m;
                }
            }
        }
        // A later colon would take this ": " into the file's name.
        if (colon + 1 < s.size() && IsBlank(s[colon + 1]))
            break;
    }
    return std::nullopt;
}

// FILE(LINE[,COLUMN]) : KIND: TEXT
std::optional<CompilerMessage> WindowsForm(std::string_view s)
{
    for (std::size_t open = s.find('(', 1); open != std::string_view::npos; open = s.find('(', open + 1)) {
        CompilerMessage m;
        std::size_t i = open + 1;
        if (!ReadNumber(s, i, m.line))
            continue;
        if (i < s.size() && s[i] == ',') {
            ++i;
            if (!ReadNumber(s, i, m.column))
                continue;
        }
        if (i >= s.size() || s[i] != ')')
            continue;
        i = SkipBlanks(s, i + 1);
        if (i >= s.size() || s[i] != ':')
            continue;
        i = SkipBlanks(s, i + 1);
        const std::string_view file = s.substr(0, open);
        if (!PlausibleFile(file) || !ReadSeverity(s, i, m.severity))
            continue;
        m.file = std::string(file);
        m.text = Trimmed(s.substr(i));
        return m;
    }
    return std::nullopt;
}

// Error in FILE on line N
std::optional<CompilerMessage> SummaryForm(std::string_view s)
{
    constexpr std::string_view Prefix = "Error in ", OnLine = " on line ";
    if (s.substr(0, Prefix.size()) != Prefix)
        return std::nullopt;
    const std::size_t at = s.rfind(OnLine);
    if (at == std::string_view::npos || at < Prefix.size())
        return std::nullopt;
    CompilerMessage m;
    std::size_t i = at + OnLine.size();
    if (!ReadNumber(s, i, m.line) || SkipBlanks(s, i) != s.size())
        return std::nullopt;
    const std::string_view file = s.substr(Prefix.size(), at - Prefix.size());
    if (!PlausibleFile(file))
        return std::nullopt;
    m.file = std::string(file);
    m.summary = true;
    m.text = "the compile stopped here";
    return m;
}

// The characters that reorder the text around them or break its line.
bool Reorders(unsigned cp)
{
    return (cp >= 0x202A && cp <= 0x202E) || (cp >= 0x2066 && cp <= 0x2069) || cp == 0x2028 || cp == 0x2029 ||
           cp == 0x200E || cp == 0x200F || cp == 0x061C;
}

void AppendEscape(std::string& out, const char* format, unsigned value)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, format, value);
    out += buffer;
}

// The length of a valid UTF-8 sequence at s[i] and its code point; 0 when invalid.
std::size_t Utf8Sequence(std::string_view s, std::size_t i, unsigned& cp)
{
    const unsigned char c = static_cast<unsigned char>(s[i]);
    std::size_t length;
    unsigned min;
    if (c < 0x80) {
        cp = c;
        return 1;
    } else if (c >= 0xC2 && c <= 0xDF) {
        length = 2, cp = c & 0x1F, min = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3, cp = c & 0x0F, min = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4, cp = c & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (s.size() - i < length)
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned char next = static_cast<unsigned char>(s[i + k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        cp = cp << 6 | (next & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

std::optional<CompilerMessage> ParseCompilerMessage(std::string_view line)
{
    if (auto m = SummaryForm(line))
        return m;
    if (auto m = GnuForm(line))
        return m;
    return WindowsForm(line);
}

std::string WithoutTerminalEscapes(std::string_view line)
{
    if (line.find('\x1b') == std::string_view::npos)
        return std::string(line);
    std::string out;
    out.reserve(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] != '\x1b') {
            out += line[i];
            continue;
        }
        if (i + 1 >= line.size())
            break;
        const char kind = line[++i];
        if (kind == '[') {
            // Parameters and intermediates, then the final byte.
            while (i + 1 < line.size() && !(line[i + 1] >= 0x40 && line[i + 1] <= 0x7E))
                ++i;
            ++i;
        } else if (kind == ']') {
            while (i + 1 < line.size() && line[i + 1] != '\a' && !(line[i + 1] == '\x1b' && i + 2 < line.size() &&
                                                                   line[i + 2] == '\\'))
                ++i;
            i += i + 1 < line.size() && line[i + 1] == '\x1b' ? 2 : 1;
        } else if (kind >= 0x20 && kind <= 0x2F) {
            // Intermediates, then the final byte (a character set: ESC ( B).
            while (i + 1 < line.size() && line[i + 1] >= 0x20 && line[i + 1] <= 0x2F)
                ++i;
            ++i;
        }
        // Any other escape is two bytes, both dropped.
    }
    return out;
}

std::string ShownText(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        unsigned cp = 0;
        const std::size_t length = Utf8Sequence(bytes, i, cp);
        if (length == 0) {
            AppendEscape(out, "\\x%02X", static_cast<unsigned char>(bytes[i]));
            ++i;
            continue;
        }
        if ((cp < 0x20 && cp != '\t') || cp == 0x7F)
            AppendEscape(out, "\\x%02X", cp);
        else if ((cp >= 0x80 && cp <= 0x9F) || Reorders(cp))
            AppendEscape(out, "\\u%04X", cp);
        else
            out.append(bytes.substr(i, length));
        i += length;
    }
    return out;
}

} // namespace tessel

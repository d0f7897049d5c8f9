#include "platform/ProfileFile.h"

#include "platform/Convert.h"
#include "platform/Errors.h"
#include "platform/Files.h"

#include <cstddef>
#include <cstring>

namespace tessel {

namespace {

// The longest value the profile routines hand back (a 2048-byte buffer less its NUL).
constexpr std::size_t MaxValueLength = 2047;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// [begin, end) of text without surrounding blanks.
void Trim(const std::string& text, std::size_t& begin, std::size_t& end)
{
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
}

std::string Trimmed(const std::string& text)
{
    std::size_t begin = 0, end = text.size();
    Trim(text, begin, end);
    return text.substr(begin, end - begin);
}

// Searches [begin, end) only: an unbounded search would rescan the rest of
// the file for every line that lacks the character.
std::size_t FindIn(const std::string& text, char c, std::size_t begin, std::size_t end)
{
    const void* at = std::memchr(text.data() + begin, c, end - begin);
    return at ? static_cast<std::size_t>(static_cast<const char*>(at) - text.data()) : std::string::npos;
}

bool SameName(const std::string& text, std::size_t begin, std::size_t end, const std::string& name)
{
    if (end - begin != name.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (LowerAscii(text[begin + i]) != LowerAscii(name[i]))
            return false;
    return true;
}

// One line of the file. The line end ("\n" or "\r\n") lies in [end, next);
// the last line may have none.
struct Line {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t next = 0;
};

enum class LineKind { Other, Blank, Section, Key };

// What a line holds; name and value are ranges in the text, not yet trimmed of quotes.
struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::size_t nameBegin = 0, nameEnd = 0;
    std::size_t valueBegin = 0, valueEnd = 0;
};

class LineReader {
public:
    explicit LineReader(const std::string& text) : text_(text) {}

    bool next(Line& line)
    {
        if (pos_ >= text_.size())
            return false;
        line.begin = pos_;
        const std::size_t lf = text_.find('\n', pos_);
        if (lf == std::string::npos) {
            // A CR at the very end is an unfinished line end, not text: once a
            // write completes it, the line must read the same.
            line.next = text_.size();
            line.end = (line.next > pos_ && text_.back() == '\r') ? line.next - 1 : line.next;
        } else {
            line.end = (lf > pos_ && text_[lf - 1] == '\r') ? lf - 1 : lf;
            line.next = lf + 1;
        }
        pos_ = line.next;
        return true;
    }

private:
    const std::string& text_;
    std::size_t pos_ = 0;
};

ParsedLine Parse(const std::string& text, const Line& line)
{
    ParsedLine p;
    std::size_t begin = line.begin, end = line.end;
    Trim(text, begin, end);
    if (begin == end) {
        p.kind = LineKind::Blank;
        return p;
    }
    if (text[begin] == ';')
        return p;
    if (text[begin] == '[') {
        // Without a closing bracket the line is neither a header nor a key.
        const std::size_t close = FindIn(text, ']', begin + 1, end);
        if (close == std::string::npos)
            return p;
        p.kind = LineKind::Section;
        p.nameBegin = begin + 1;
        p.nameEnd = close;
        Trim(text, p.nameBegin, p.nameEnd);
        return p;
    }
    const std::size_t eq = FindIn(text, '=', begin, end);
    if (eq == std::string::npos)
        return p;
    p.kind = LineKind::Key;
    p.nameBegin = begin;
    p.nameEnd = eq;
    Trim(text, p.nameBegin, p.nameEnd);
    p.valueBegin = eq + 1;
    p.valueEnd = end;
    Trim(text, p.valueBegin, p.valueEnd);
    return p;
}

// Where a key stands in the file, as far as a write needs to know.
struct Location {
    bool sectionFound = false;
    bool keyFound = false;
    Line keyLine;              // when keyFound
    ParsedLine keyParsed;      // when keyFound
    Line lastFilledLine;       // the section's last non-blank line, when sectionFound
};

// Only the first section of a name counts, and only its first key of a name.
Location Find(const std::string& text, const std::string& section, const std::string& key)
{
    Location loc;
    LineReader reader(text);
    Line line;
    bool inSection = false;
    while (reader.next(line)) {
        const ParsedLine p = Parse(text, line);
        if (p.kind == LineKind::Section) {
            if (inSection)
                break;
            if (SameName(text, p.nameBegin, p.nameEnd, section)) {
                inSection = true;
                loc.sectionFound = true;
                loc.lastFilledLine = line;
            }
            continue;
        }
        if (!inSection)
            continue;
        if (p.kind != LineKind::Blank)
            loc.lastFilledLine = line;
        if (p.kind == LineKind::Key && SameName(text, p.nameBegin, p.nameEnd, key)) {
            loc.keyFound = true;
            loc.keyLine = line;
            loc.keyParsed = p;
            break;
        }
    }
    return loc;
}

// A file that cannot be read counts as missing.
bool ReadFileQuietly(const std::string& path, std::string& contents)
{
    try {
        return ReadWholeFile(path, contents);
    } catch (const IoError&) {
        return false;
    }
}

// Gives a last line that has no line end one; a lone CR there is an
// unfinished line end already and only needs its LF.
void FinishLastLine(std::string& out, const std::string& eol)
{
    if (out.empty() || out.back() == '\n')
        return;
    out += out.back() == '\r' ? std::string("\n") : eol;
}

std::string LineEndOf(const std::string& text)
{
    if (text.find("\r\n") != std::string::npos)
        return "\r\n";
    if (text.find('\n') != std::string::npos)
        return "\n";
    return "\r\n";
}

// One write made to the file's text: the key's value replaced in its line, or
// a new key at the end of its section, or a new section at the end of the file.
void ApplyWrite(std::string& text, const std::string& section, const std::string& key, const std::string& value)
{
    // The style of the text as it stands now: an earlier write may have
    // brought the first CR LF into it.
    const std::string eol = LineEndOf(text);
    const Location loc = Find(text, section, key);

    if (loc.keyFound) {
        // The file's spelling of the key stays; blanks around it and the old value go.
        const Line& line = loc.keyLine;
        std::string replacement;
        replacement.reserve(loc.keyParsed.nameEnd - loc.keyParsed.nameBegin + 1 + value.size());
        replacement.append(text, loc.keyParsed.nameBegin, loc.keyParsed.nameEnd - loc.keyParsed.nameBegin);
        replacement += '=';
        replacement += value;
        text.replace(line.begin, line.end - line.begin, replacement);
    } else if (loc.sectionFound) {
        // After the section's last line with content, so that blank lines keep
        // separating it from the next section.
        const std::size_t at = loc.lastFilledLine.next;
        std::string added;
        if (text[at - 1] != '\n')
            added = text[at - 1] == '\r' ? std::string("\n") : eol;
        added += key + '=' + value + eol;
        text.insert(at, added);
    } else {
        FinishLastLine(text, eol);
        text += '[' + section + ']' + eol + key + '=' + value + eol;
    }
}

} // namespace

std::string ProfileFile::ReadString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue) const
{
    std::string text;
    if (!ReadFileQuietly(fileName_, text))
        return defaultValue;
    const Location loc = Find(text, Trimmed(section), Trimmed(key));
    if (!loc.keyFound)
        return defaultValue;

    std::size_t begin = loc.keyParsed.valueBegin, end = loc.keyParsed.valueEnd;
    if (end - begin >= 2 && (text[begin] == '"' || text[begin] == '\'') && text[end - 1] == text[begin]) {
        ++begin;
        --end;
    }
    if (end - begin > MaxValueLength)
        end = begin + MaxValueLength;
    return text.substr(begin, end - begin);
}

int ProfileFile::ReadInteger(const std::string& section, const std::string& key, int defaultValue) const
{
    std::string value = ReadString(section, key, std::string());
    if (value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X'))
        value.replace(0, 2, "$");
    return StrToIntDef(value, defaultValue);
}

bool ProfileFile::ReadBool(const std::string& section, const std::string& key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void ProfileFile::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    ProfileEdit edit(fileName_);
    edit.WriteString(section, key, value);
    edit.Commit();
}

void ProfileFile::WriteInteger(const std::string& section, const std::string& key, int value)
{
    WriteString(section, key, std::to_string(value));
}

void ProfileFile::WriteBool(const std::string& section, const std::string& key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void ProfileEdit::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    writes_.push_back({Trimmed(section), Trimmed(key), value});
}

void ProfileEdit::WriteInteger(const std::string& section, const std::string& key, int value)
{
    WriteString(section, key, std::to_string(value));
}

void ProfileEdit::WriteBool(const std::string& section, const std::string& key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void ProfileEdit::Commit()
{
    if (writes_.empty())
        return;
    const std::string failure = FormatText("Unable to write to %s", fileName_);

    std::string text;
    try {
        // An existing file we cannot read must not be replaced by one holding only these keys.
        ReadWholeFile(fileName_, text);
    } catch (const IoError&) {
        throw AppError(failure);
    }
    for (const Write& write : writes_)
        ApplyWrite(text, write.section, write.key, write.value);

    try {
        ReplaceFile(fileName_, text);
    } catch (const std::exception&) {
        throw AppError(failure);
    }
    writes_.clear();
}

} // namespace tessel

#include "platform/ProfileFile.h"

#include "platform/Convert.h"
#include "platform/Errors.h"
#include "platform/Files.h"

#include <algorithm>
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

// The lines of text from begin, up to end (the start of a line, or the end of the text).
class LineReader {
public:
    explicit LineReader(const std::string& text, std::size_t begin = 0, std::size_t end = std::string::npos)
        : text_(text), pos_(begin), end_(std::min(end, text.size()))
    {
    }

    bool next(Line& line)
    {
        if (pos_ >= end_)
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
    std::size_t pos_;
    std::size_t end_;
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

// A key's value as a read gives it: without one pair of enclosing quotes, cut
// to the longest value the routines hand back.
std::string ValueOf(const std::string& text, const ParsedLine& key)
{
    std::size_t begin = key.valueBegin, end = key.valueEnd;
    if (end - begin >= 2 && (text[begin] == '"' || text[begin] == '\'') && text[end - 1] == text[begin]) {
        ++begin;
        --end;
    }
    if (end - begin > MaxValueLength)
        end = begin + MaxValueLength;
    return text.substr(begin, end - begin);
}

// The first key of a name among the lines [begin, end), which hold no section header.
bool FindKey(const std::string& text, std::size_t begin, std::size_t end, const std::string& key, ParsedLine& found)
{
    LineReader reader(text, begin, end);
    Line line;
    while (reader.next(line)) {
        const ParsedLine p = Parse(text, line);
        if (p.kind == LineKind::Key && SameName(text, p.nameBegin, p.nameEnd, key)) {
            found = p;
            return true;
        }
    }
    return false;
}

// A name's hash without regard to ASCII case (FNV-1a).
std::uint64_t NameHash(const char* name, std::size_t length)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (std::size_t i = 0; i < length; ++i) {
        hash ^= static_cast<unsigned char>(LowerAscii(name[i]));
        hash *= 1099511628211ull;
    }
    return hash;
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

enum class ReadResult { Missing, TooLarge, Read };

// The whole file into contents, unless it holds more than MaxProfileFileSize
// bytes: then no more than that and a block is read. Throws IoError as
// reading does.
ReadResult ReadWithinLimit(const std::string& path, std::string& contents)
{
    contents.clear();
    if (!FileExists(path))
        return ReadResult::Missing;
    File file(path, File::Mode::Read);
    contents.reserve(static_cast<std::size_t>(std::min(file.Size(), MaxProfileFileSize + 1)));
    char block[65536];
    for (std::size_t n; (n = file.ReadSome(block, sizeof block)) > 0;) {
        contents.append(block, n);
        if (static_cast<std::int64_t>(contents.size()) > MaxProfileFileSize)
            return ReadResult::TooLarge;
    }
    return ReadResult::Read;
}

// As ReadWithinLimit, a file that cannot be read counting as missing.
ReadResult ReadQuietly(const std::string& path, std::string& contents)
{
    try {
        return ReadWithinLimit(path, contents);
    } catch (const IoError&) {
        return ReadResult::Missing;
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

std::string TooLargeText(const std::string& fileName)
{
    return "The settings file " + fileName +
           " is larger than 16 MiB, more than any settings file holds: it is neither read nor written.";
}

std::string RefusedText(const std::string& fileName, const std::vector<std::string>& settings)
{
    std::string names;
    for (const std::string& setting : settings)
        names += (names.empty() ? "" : ", ") + setting;
    return settings.size() == 1 ? "The setting " + names + " was not stored in " + fileName +
                                      ": its text holds a line break or another control character."
                                : "The settings " + names + " were not stored in " + fileName +
                                      ": their text holds a line break or another control character.";
}

// A change this close before a look at the file could be followed by another
// that leaves its times as they are (file times are taken from a coarse
// clock), so a version younger than this is not trusted to stand for the bytes.
constexpr std::int64_t TimeGranularityMargin = 2000000000;   // nanoseconds

} // namespace

bool StorableInProfile(const std::string& text)
{
    return std::none_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
}

// The file's bytes and where each section's lines are, so that a read looks
// at one section only.
struct ProfileFile::Snapshot {
    FileVersion version;
    bool trusted = false;   // the version was taken clearly after the file's last change
    std::string text;
    struct Section {
        std::uint64_t hash;   // NameHash of its name
        std::size_t nameBegin, nameEnd, bodyBegin, bodyEnd;
    };
    std::vector<Section> sections;   // every header, by hash and, within a hash, in file order

    void Index()
    {
        LineReader reader(text);
        Line line;
        while (reader.next(line)) {
            std::size_t first = line.begin;
            while (first < line.end && IsBlank(text[first]))
                ++first;
            if (first == line.end || text[first] != '[')   // only a header interests the index
                continue;
            const ParsedLine p = Parse(text, line);
            if (p.kind != LineKind::Section)
                continue;
            if (!sections.empty())
                sections.back().bodyEnd = line.begin;
            sections.push_back({NameHash(text.data() + p.nameBegin, p.nameEnd - p.nameBegin), p.nameBegin, p.nameEnd,
                                line.next, text.size()});
        }
        std::stable_sort(sections.begin(), sections.end(),
                         [](const Section& a, const Section& b) { return a.hash < b.hash; });
    }

    // The key in the first section of the name only, as Find reads it.
    bool Find(const std::string& section, const std::string& key, ParsedLine& found) const
    {
        const Section probe{NameHash(section.data(), section.size()), 0, 0, 0, 0};
        const auto byHash = [](const Section& a, const Section& b) { return a.hash < b.hash; };
        for (auto [it, end] = std::equal_range(sections.begin(), sections.end(), probe, byHash); it != end; ++it)
            if (SameName(text, it->nameBegin, it->nameEnd, section))
                return FindKey(text, it->bodyBegin, it->bodyEnd, key, found);
        return false;
    }
};

std::shared_ptr<const ProfileFile::Snapshot> ProfileFile::Current() const
{
    const std::int64_t now = RealTimeNow();
    const FileVersion version = VersionOf(fileName_);
    if (cache_ && cache_->trusted && cache_->version == version)
        return cache_;
    // Read after the version was taken: a change on the way gives the next look another version.
    std::string text;
    if (ReadQuietly(fileName_, text) != ReadResult::Read) {
        cache_.reset();
        return nullptr;
    }
    if (!cache_ || cache_->text != text) {
        cache_ = std::make_shared<Snapshot>();
        cache_->text = std::move(text);
        cache_->Index();
    }
    cache_->version = version;
    cache_->trusted = version.changed < now - TimeGranularityMargin;
    return cache_;
}

std::string ProfileFile::Refusal() const
{
    return FileSize(fileName_) > MaxProfileFileSize ? TooLargeText(fileName_) : std::string();
}

std::string ProfileFile::ReadString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue) const
{
    const std::shared_ptr<const Snapshot> snapshot = Current();
    ParsedLine found;
    if (!snapshot || !snapshot->Find(Trimmed(section), Trimmed(key), found))
        return defaultValue;
    return ValueOf(snapshot->text, found);
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
    Write write{Trimmed(section), Trimmed(key), value};
    const bool storable = StorableInProfile(write.section) && StorableInProfile(write.key) && StorableInProfile(value);
    (storable ? writes_ : refused_).push_back(std::move(write));
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
    if (writes_.empty() && refused_.empty())
        return;
    const std::string failure = FormatText("Unable to write to %s", fileName_);

    std::string text;
    ReadResult read = ReadResult::Missing;
    try {
        // An existing file we cannot read must not be replaced by one holding only these keys.
        read = ReadWithinLimit(fileName_, text);
    } catch (const IoError&) {
        throw AppError(failure);
    }
    if (read == ReadResult::TooLarge)
        throw AppError(TooLargeText(fileName_));
    for (const Write& write : writes_)
        ApplyWrite(text, write.section, write.key, write.value);

    if (!writes_.empty()) {
        try {
            ReplaceFile(fileName_, text);
        } catch (const IoError& error) {
            if (error.DiskFull())
                throw;
            throw AppError(failure);
        } catch (const std::exception&) {
            throw AppError(failure);
        }
    }
    // A refused value the file holds already (read from it, written back) loses nothing.
    std::vector<std::string> lost;
    for (const Write& write : refused_) {
        const Location loc = Find(text, write.section, write.key);
        if (!loc.keyFound || ValueOf(text, loc.keyParsed) != write.value)
            lost.push_back("[" + write.section + "] " + write.key);
    }
    writes_.clear();
    refused_.clear();
    if (!lost.empty())
        throw AppError(RefusedText(fileName_, lost));
}

} // namespace tessel

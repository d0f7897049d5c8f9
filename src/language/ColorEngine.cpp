#include "language/ColorEngine.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "language/Find.h"

namespace tessel {

namespace {

// --- Keyword occurrences ----------------------------------------------------
// A keyword made of word characters only can match, as a whole word, nothing
// but a maximal word of the text. So one pass cuts the text into words and
// looks each up in a hash of those keywords; only keywords holding another
// character are searched for directly. Searching each keyword over the text,
// as the painting order would suggest, costs keywords x length.

struct CharClasses {
    std::array<bool, 256> word{};
    std::array<unsigned char, 256> fold{};
    CharClasses()
    {
        for (int c = 0; c < 256; ++c) {
            word[c] = IsWordChar(static_cast<unsigned char>(c));
            fold[c] = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
        }
    }
};
const CharClasses classes;

struct Occurrence {
    int entry;
    int pos;
};

class WordKeywords {
public:
    WordKeywords(const KeywordTableType& table, bool matchCase) : matchCase_(matchCase)
    {
        std::size_t words = 0;
        for (const ConType& k : table)
            words += IsPlainWord(k.Keyword);
        std::size_t size = 16;
        while (size < words * 2)
            size *= 2;
        slots_.assign(size, -1);
        mask_ = size - 1;
        for (int i = 0; i < static_cast<int>(table.size()); ++i) {
            const std::string& word = table[i].Keyword;
            if (!IsPlainWord(word)) {
                if (!word.empty())
                    others_.push_back(i);
                continue;
            }
            std::string key = word;
            if (!matchCase)
                for (char& c : key)
                    c = static_cast<char>(classes.fold[static_cast<unsigned char>(c)]);
            const TColor hash = Hash(key.data(), key.size());
            std::size_t slot = hash & mask_;
            while (slots_[slot] >= 0 && keys_[slots_[slot]].text != key)
                slot = (slot + 1) & mask_;
            if (slots_[slot] < 0) {
                slots_[slot] = static_cast<int>(keys_.size());
                keys_.push_back({key, hash, {}});
                maxLength_ = std::max(maxLength_, key.size());
            }
            keys_[slots_[slot]].entries.push_back(i);
        }
    }

    // Every word lying wholly inside [from, to) that is a keyword, in text order.
    void Scan(std::string_view text, int from, int to, std::vector<Occurrence>& out) const
    {
        const unsigned char* data = reinterpret_cast<const unsigned char*>(text.data());
        const int size = static_cast<int>(text.size());
        int i = from;
        // A word cut by the range's start is no whole word inside it.
        if (i > 0 && i < size && classes.word[data[i - 1]])
            while (i < size && classes.word[data[i]])
                ++i;
        if (keys_.empty())
            return;
        while (i < to) {
            if (!classes.word[data[i]]) {
                ++i;
                continue;
            }
            const int start = i;
            TColor hash = 2166136261u;
            if (matchCase_) {
                while (i < size && classes.word[data[i]])
                    hash = (hash ^ data[i++]) * 16777619u;
            } else {
                while (i < size && classes.word[data[i]])
                    hash = (hash ^ classes.fold[data[i++]]) * 16777619u;
            }
            const std::size_t length = static_cast<std::size_t>(i - start);
            if (i > to || length > maxLength_)
                continue;
            for (std::size_t slot = hash & mask_; slots_[slot] >= 0; slot = (slot + 1) & mask_) {
                const Key& key = keys_[slots_[slot]];
                if (key.hash == hash && key.text.size() == length && Same(key.text, data + start)) {
                    for (int entry : key.entries)
                        out.push_back({entry, start});
                    break;
                }
            }
        }
    }

    const std::vector<int>& others() const { return others_; }

private:
    struct Key {
        std::string text;
        TColor hash;
        std::vector<int> entries;   // table entries with this keyword, in table order
    };

    static bool IsPlainWord(const std::string& word)
    {
        if (word.empty())
            return false;
        for (unsigned char c : word)
            if (!classes.word[c])
                return false;
        return true;
    }

    static TColor Hash(const char* p, std::size_t n)
    {
        TColor hash = 2166136261u;
        for (std::size_t i = 0; i < n; ++i)
            hash = (hash ^ static_cast<unsigned char>(p[i])) * 16777619u;
        return hash;
    }

    bool Same(const std::string& key, const unsigned char* p) const
    {
        if (matchCase_)
            return std::memcmp(key.data(), p, key.size()) == 0;
        for (std::size_t k = 0; k < key.size(); ++k)
            if (static_cast<unsigned char>(key[k]) != classes.fold[p[k]])
                return false;
        return true;
    }

    bool matchCase_;
    std::vector<int> slots_;
    std::size_t mask_ = 0;
    std::vector<Key> keys_;
    std::size_t maxLength_ = 0;
    std::vector<int> others_;   // keywords holding a non-word character
};

// The keyword runs of the range, in table order and within an entry in text order.
void EmitKeywords(std::string_view text, const KeywordTableType& table, int from, int to, bool matchCase,
                  ColorRuns& runs)
{
    const WordKeywords words(table, matchCase);
    std::vector<Occurrence> found;
    words.Scan(text, from, to, found);
    const unsigned options = foWholeWord | (matchCase ? foMatchCase : 0u);
    for (int entry : words.others()) {
        const std::string& keyword = table[entry].Keyword;
        for (int h = Find(text, keyword, from, to, options); h >= 0; h = Find(text, keyword, h + 1, to, options))
            found.push_back({entry, h});
    }
    // A stable counting sort by entry puts them in table order.
    std::vector<int> start(table.size() + 1, 0);
    for (const Occurrence& o : found)
        ++start[o.entry + 1];
    for (std::size_t e = 1; e < start.size(); ++e)
        start[e] += start[e - 1];
    const std::size_t base = runs.size();
    runs.resize(base + found.size());
    for (const Occurrence& o : found) {
        const ConType& k = table[o.entry];
        runs[base + start[o.entry]++] = {o.pos, k.KeywordLength, static_cast<TColor>(k.Color)};
    }
}

// --- Comments ----------------------------------------------------------------

// Every "/*" at or after from, each green through the next "*/" (or to the end).
void EmitBlockComments(std::string_view text, int from, ColorRuns& runs)
{
    const int size = static_cast<int>(text.size());
    int close = -1;   // the "*/" found for an earlier "/*": it serves every "/*" up to it
    for (int a = Find(text, "/*", from, size, foMatchCase); a >= 0; a = Find(text, "/*", a + 1, size, foMatchCase)) {
        if (close < a && close != size) {
            close = Find(text, "*/", a, size, foMatchCase);
            if (close < 0)
                close = size;
        }
        runs.push_back({a, close - a + 2, CommentColor});
    }
}

// Every "//" inside [from, to), each green up to the LF of its line (or the end).
void EmitLineComments(std::string_view text, int from, int to, ColorRuns& runs)
{
    const int size = static_cast<int>(text.size());
    int lineEnd = -1;
    for (int a = Find(text, "//", from, to, foMatchCase); a >= 0; a = Find(text, "//", a + 1, to, foMatchCase)) {
        if (lineEnd < a) {
            const void* lf = std::memchr(text.data() + a, '\n', static_cast<std::size_t>(size - a));
            lineEnd = lf ? static_cast<int>(static_cast<const char*>(lf) - text.data()) : size;
        }
        runs.push_back({a, lineEnd - a, CommentColor});
    }
}

} // namespace

ColorRuns ColorWholeDocument(std::string_view text, const KeywordTableType& table)
{
    const int size = static_cast<int>(text.size());
    ColorRuns runs;
    EmitKeywords(text, table, 0, size, true, runs);
    EmitBlockComments(text, 0, runs);
    EmitLineComments(text, 0, size, runs);
    return runs;
}

ColorRuns ColorSelection(std::string_view text, const KeywordTableType& table, int selStart, int selLength)
{
    const int size = static_cast<int>(text.size());
    const int s = std::clamp(selStart, 0, size);
    const int end = std::clamp(selLength, 0, size - s) + s;
    ColorRuns runs;
    runs.push_back({s, end - s, clBlack});
    EmitKeywords(text, table, s, end, true, runs);
    EmitBlockComments(text, s, runs);
    EmitLineComments(text, s, end, runs);
    return runs;
}

ColorRuns RecolorLine(std::string_view text, const KeywordTableType& table, int lineStart, int lineEnd)
{
    const int size = static_cast<int>(text.size());
    const int ls = std::clamp(lineStart, 0, size);
    const int le = std::clamp(lineEnd, ls, size);
    ColorRuns runs;
    EmitKeywords(text, table, ls, le, false, runs);
    const int lineComment = Find(text, "//", ls, le, foMatchCase);
    if (lineComment >= 0)
        runs.push_back({lineComment, le - lineComment, CommentColor});
    const int open = Find(text, "/*", ls, le, foMatchCase);
    const int close = Find(text, "*/", ls, size, foMatchCase);
    if (open >= 0) {
        if (close > open)
            runs.push_back({open, close - open + 2, CommentColor});
        else
            runs.push_back({open, le - open, CommentColor});
    } else if (close >= 0) {
        const int nextOpen = Find(text, "/*", ls, size, foMatchCase);
        if (nextOpen < 0)
            // Inside a comment that began above: through the "*/" and one character more.
            runs.push_back({ls, close - ls + 3, CommentColor});
        else if (close < nextOpen)
            runs.push_back({ls, le - ls + 2, CommentColor});
    }
    return runs;
}

std::pair<int, int> RunsExtent(const ColorRuns& runs, int textLength)
{
    long long first = textLength, last = 0;
    for (const ColorRun& r : runs) {
        const long long s = std::max<long long>(r.Start, 0);
        const long long e = std::min<long long>(static_cast<long long>(r.Start) + r.Length, textLength);
        if (s < e) {
            first = std::min(first, s);
            last = std::max(last, e);
        }
    }
    return first < last ? std::pair<int, int>(static_cast<int>(first), static_cast<int>(last))
                        : std::pair<int, int>(0, 0);
}

void ComposeRuns(const ColorRuns& runs, TColor* colors, int begin, int end)
{
    ComposeRunsAs(runs, colors, begin, end, [](TColor color) { return color; });
}

std::vector<TColor> ComposeOnBlack(const ColorRuns& runs, int textLength)
{
    std::vector<TColor> colors(static_cast<std::size_t>(textLength), clBlack);
    ComposeRuns(runs, colors.data(), 0, textLength);
    return colors;
}

} // namespace tessel

#pragma once
// The colour coding of script text: keywords of the table in their colours,
// comments green, the rest black. Each operation returns colour runs in the
// order the painting happens; ComposeRuns turns them into one colour per byte
// ("a later run overrides an earlier one"). Offsets count bytes of the text as
// the editor holds it (a CR LF line break counts two).
#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "language/ColorDefinitions.h"

namespace tessel {

struct ColorRun {
    int Start;
    int Length;
    TColor Color;   // 0x00BBGGRR
};
using ColorRuns = std::vector<ColorRun>;

constexpr TColor CommentColor = clGreen;

// The editing control holds at most this many characters. Every offset into a
// text of that length fits the int offsets of the engine and the 32-bit ones
// of the brace checker, so longer texts are refused before they get here.
constexpr std::int64_t MaxScriptLength = 999999999;

// After loading a game file: keywords (whole word, exact case) in table order,
// then block comments, then line comments.
ColorRuns ColorWholeDocument(std::string_view text, const KeywordTableType& table);

// The user's Recolor of a selection: black first, then keywords inside it,
// block comments from it to the end of the text (one opened before it is not
// seen), and line comments that start inside it.
ColorRuns ColorSelection(std::string_view text, const KeywordTableType& table, int selStart, int selLength);

// The line [lineStart, lineEnd) just left: keywords in any case, its first
// line comment, and the block comment it opens, closes or lies within.
ColorRuns RecolorLine(std::string_view text, const KeywordTableType& table, int lineStart, int lineEnd);

// The bytes [first, last) that the runs touch inside a text of textLength bytes (first == last: none).
std::pair<int, int> RunsExtent(const ColorRuns& runs, int textLength);

// Paints the runs in order over colours, which holds the bytes [begin, end) of
// the text; whatever falls outside is cut.
void ComposeRuns(const ColorRuns& runs, TColor* colors, int begin, int end);

// The same into cells of another kind (a control's style numbers): a run
// paints cellOf(its colour).
template <typename Cell, typename CellOf>
void ComposeRunsAs(const ColorRuns& runs, Cell* cells, int begin, int end, CellOf cellOf)
{
    // Consecutive runs of one colour whose starts do not go back (a keyword's
    // matches, nested comment openings) repaint nothing the previous ones have
    // painted; skipping that keeps overlapping comments linear.
    bool inStreak = false;
    TColor streakColor = 0;
    long long streakStart = 0, streakEnd = 0;
    for (const ColorRun& r : runs) {
        const long long s = std::max<long long>(r.Start, begin);
        const long long e = std::min<long long>(static_cast<long long>(r.Start) + r.Length, end);
        if (s >= e)
            continue;
        long long from = s;
        if (inStreak && r.Color == streakColor && r.Start >= streakStart) {
            from = std::max(s, streakEnd);
            streakEnd = std::max(streakEnd, e);
        } else {
            inStreak = true;
            streakColor = r.Color;
            streakEnd = e;
        }
        streakStart = r.Start;
        if (from < e)
            std::fill(cells + (from - begin), cells + (e - begin), cellOf(r.Color));
    }
}

// The final colours of a black text of textLength bytes after the runs.
std::vector<TColor> ComposeOnBlack(const ColorRuns& runs, int textLength);

} // namespace tessel

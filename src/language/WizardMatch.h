#pragma once
// The wizard's typed-word match: the first wizard entry whose name begins with
// the word just typed before the caret.
#include <string_view>

namespace tessel {

// The word before the caret: back to the nearest blank (only blanks separate)
// or the start of the line; the character just before the caret always
// belongs to it. Empty at offset 0 or at the start of a line.
std::string_view WordBeforeCaret(std::string_view text, int caret);

// The number (from 1) of the entry the word selects in an index text of the
// form ";1/name1;2/name2;", or 0 for none. Case matters.
int TypedWordMatch(std::string_view text, int caret, std::string_view indexText);

} // namespace tessel

#pragma once
// The text search under colouring, find and replace: a pattern inside a range
// of a byte text, with the match-case and whole-word options.
#include <string_view>

namespace tessel {

// Word characters for the whole-word test: ASCII letters, digits, underscore,
// and every byte from 128 up (a letter of some 8-bit or UTF-8 alphabet).
bool IsWordChar(unsigned char c);

enum FindOptions : unsigned { foMatchCase = 1, foWholeWord = 2 };

// The smallest offset h with from <= h at which pattern lies wholly inside
// [from, to), or -1. Without foMatchCase, ASCII letters compare without regard
// to case. foWholeWord looks at the characters just outside the occurrence in
// the whole text, not only in the range. An empty pattern is never found, so
// a loop that restarts one past each match always ends.
int Find(std::string_view text, std::string_view pattern, int from, int to, unsigned options);

// True when the occurrence [h, h+length) is bounded by non-word characters or the text's ends.
bool IsWholeWordAt(std::string_view text, int h, int length);

} // namespace tessel

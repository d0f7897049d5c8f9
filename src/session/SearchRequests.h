#pragma once
// What the search, replace and go-to-line dialogs and the two repeat commands
// ask of the editor, apart from their widgets. The search commands keep what
// was asked last in a SearchMemory (the texts, the options, where the last
// match was), from which each request is made and to which the editor's
// answer returns. Each Fill and Repeat function returns whether there is a
// request to post, and changes nothing when there is none.
#include <cstdint>
#include <string>

#include "editor/EditorRequests.h"

namespace tessel {

struct SearchMemory {
    UserFndTextType UserFndText;
    UserReplaceTextType UserReplaceText;
    std::uint8_t SearchOptions = 0;
};

// SearchOptions from the dialogs' two boxes.
std::uint8_t SearchOptionsFrom(bool wholeWord, bool matchCase);

// Find: an empty text is no request. Otherwise Go is set, the text and the
// options taken, and the search starts at the top (Position 0) or at the
// caret (-2).
bool FillSearchRequest(SearchMemory& memory, const std::string& text, std::uint8_t options, bool fromTop);

// Where a replacement starts, as the replace dialog's radio buttons say.
enum class ReplaceFrom { Top = 0, Cursor = -2, Selection = -3 };

// Replace and Replace All: All follows the button even when the texts are
// refused; an empty find or replacement text is no request (a replacement
// by nothing is never accepted).
bool FillReplaceRequest(SearchMemory& memory, const std::string& findText, const std::string& replaceText,
                        std::uint8_t options, ReplaceFrom from, bool all);

// Repeat Search: no request before a text was entered; otherwise the search
// goes on one character after the start of the last match.
bool RepeatSearchRequest(SearchMemory& memory);
// Repeat Replace: needs both texts; goes on one character further, with the
// All of the last dialog use (after a Replace All, from the top again).
bool RepeatReplaceRequest(SearchMemory& memory);

// The request block that carries out what memory holds ready.
EditorRequests RequestsOf(const SearchMemory& memory);
// What the editor left of the request: where the last match was (or the
// positions as they were, when no editor took it); nothing is ready any more.
void Remember(SearchMemory& memory, const EditorRequests& done);

// The request for a line number as typed (counted from 1): the line index
// from 0, or -1, which the editor ignores, for numbers below 1.
int GotoLineRequestFor(int typedLine);

} // namespace tessel

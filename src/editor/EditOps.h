#pragma once
// The editing behaviour of an editor window as functions over the editing
// seam: the line that turns black while it is edited and gets its colours back
// when it is left, automatic indentation, the indentation-aware Backspace,
// block indent and de-indent, find, replace, go to line, the wizard's insert,
// the caret text, the files a save writes, and the shell's requests carried
// out in their fixed order. The window turns events into these calls; what
// only a window can do (load and save a file, the error list, the status bar,
// the focus, the busy cursor) it lends through EditorHooks. Messages go
// through the Prompter.
//
// The top-level handlers (EditorKeyDown, EditorKeyPress, the LineColoringAt
// functions, CarryOutRequests) read the program's switches and tables as an
// EditContext and keep the window's own LineState.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/EditBuffer.h"
#include "editor/EditorRequests.h"
#include "language/BraceChecker.h"
#include "language/ColorDefinitions.h"
#include "language/ColorEngine.h"
#include "platform/Prompter.h"
#include "platform/VirtualKeys.h"

namespace tessel {

// What the editing behaviour reads of the program: the keyword table and
// the switches of colouring and indentation.
struct EditContext {
    const KeywordTableType& KeywordTable;
    bool NoColoring = false;
    bool AutoIndent = true;
};

// An editor window's line state: the caret's line carries its final colours
// (LineClean); it has been painted black for editing (LineBlackened); where
// it lay at the last key press.
struct LineState {
    bool LineClean = false;
    bool LineBlackened = false;
    int LastLineStart = 0;
    int LastLineEnd = 0;
};

// Backspace, Space, or any key whose code is 41 or more (letters, digits,
// Delete, Insert, punctuation, function keys; also with Ctrl or Alt).
bool IsEditingKey(int key);
// Space, an arrow key or Enter: they end a typed-word match of the wizard.
bool EndsTypedWordMatch(int key);

// A line without its line break: [start, end).
struct LineSpan {
    int start;
    int end;
};
// The line of the caret (the selection's start).
LineSpan CaretLine(const EditBuffer& buffer);
// Status panel 2: "Line: " n " ; Column: " m, both counted from 1; a tab is one column.
std::string CaretPositionText(const EditBuffer& buffer);

// --- colouring ---------------------------------------------------------------
// After a game file was loaded: the whole text, caret to 0.
void ColorWholeDocument(EditBuffer& buffer, const KeywordTableType& table, bool onBlack);
// The Recolor request: the selection; afterwards the caret stands at its start
// with nothing selected.
void ColorSelection(EditBuffer& buffer, const KeywordTableType& table);
// The line [lineStart, lineEnd) (end before its line break) with the block
// comment it opens, closes or lies within. The caret and the selection stay.
// Reads the text from the line on only, so its cost does not grow with the
// text before the line.
void RecolorLine(EditBuffer& buffer, const KeywordTableType& table, int lineStart, int lineEnd);

// The line state at a key down (the caret's line before the key acts; key 0
// for a key already consumed): an editing key blackens the line once, a
// leaving key (Up, Down, Enter; Left at the line's start, Right at its end)
// recolours an edited line. Nothing while NoColoring is set.
void LineColoringAtKeyDown(EditBuffer& buffer, int key, LineState& lines, const EditContext& context);
// A click (the caret already moved): the line of the last key press is
// recoloured while it is not clean.
void LineColoringAtMouseDown(EditBuffer& buffer, LineState& lines, const EditContext& context);
// The window loses activation: the caret's line is recoloured.
void LineColoringAtDeactivate(EditBuffer& buffer, const EditContext& context);

// --- typing ------------------------------------------------------------------
// Enter: a selection goes, and the new line starts with the indentation (tabs
// and blanks) of the caret's line, the rest of that line following it; one
// undo step. False (the key goes to the control) when the line has no
// indentation.
bool AutoIndentNewLine(EditBuffer& buffer);
// Backspace at the end of a line's indentation (nothing selected): the
// indentation becomes that of the nearest line above that is less indented.
// False (the key goes to the control) anywhere else, or with no such line.
bool SmartBackspace(EditBuffer& buffer);
// The wizard's insert: name replaces the selection (inserted at the caret),
// or with replaceTypedWord the word typed before the caret (back to a blank
// or the line's start). Nothing for an empty name.
void InsertWizardEntry(EditBuffer& buffer, std::string_view name, bool replaceTypedWord);

// --- requests ----------------------------------------------------------------
// A tab at the start of every line from the selection's first to its last,
// then the whole block selected; "There is no selected text." without a selection.
void BlockIndent(EditBuffer& buffer, Prompter& prompter);
// One leading blank or tab off every such line of the block.
void BlockDeIndent(EditBuffer& buffer, Prompter& prompter);
// Selects the next match of search.Text from search.Position (-2: the caret)
// and keeps its offset in Position. False, with "No more matches found in the
// document.", when there is none.
bool FindNext(EditBuffer& buffer, UserFndTextType& search, std::uint8_t searchOptions, Prompter& prompter);
// Replaces one match, or with All every match, of the region that Position
// names (-2 from the caret, -3 the selection, else from Position), whose end
// stays where it was; each search restarts one past the last match. The new
// text takes the colour of the keyword it equals, else black. All is one undo
// step. Afterwards Position is -1 after All; after one it keeps its value,
// the caret offset in the -2 case.
void ReplaceText(EditBuffer& buffer, UserReplaceTextType& replace, std::uint8_t searchOptions,
                 const KeywordTableType& table, Prompter& prompter);
// Selects line (from 0) without its line break; below 0 nothing happens.
void GoToLine(EditBuffer& buffer, int line, Prompter& prompter);
// Puts the caret at column (from 0, in bytes, at most the line's end) of line
// (from 0; past the last line: the last), selecting nothing.
void GoToPlace(EditBuffer& buffer, int line, int column);

// What only the window can do.
class EditorHooks {
public:
    virtual ~EditorHooks() = default;
    // False when it failed and was reported: the requests after it are dropped.
    virtual bool LoadDocument(const std::string& name) = 0;
    virtual bool SaveDocument(const std::string& name) = 0;
    // Fills the error list with the check's messages.
    virtual void ShowBraceErrors(const BraceCheckResult& /*result*/) {}
    virtual void SetErrorListVisible(bool /*visible*/) {}
    virtual void FocusText() {}
    virtual void ShowCaretPosition(const std::string& /*text*/) {}   // status panel 2
    // The wizard list's selected name ("" with none), and its first entry selected.
    virtual std::string SelectedWizardEntry() { return std::string(); }
    virtual void SelectFirstWizardEntry() {}
    virtual void BeginBusy() {}
    virtual void EndBusy() {}
};

// The key-down handler, before the control acts on the key: the smart
// Backspace, the caret text, the wizard's Ctrl+Alt+C and the keys that end
// its match (typedWordMatch: the wizard's selection came from the typed word),
// then the line colouring. True when the key is consumed.
bool EditorKeyDown(EditBuffer& buffer, const KeyStroke& stroke, LineState& lines, const EditContext& context,
                   bool& typedWordMatch, EditorHooks& hooks);
// The key-press handler for a typed character: Enter indents the new line.
// True when the character is consumed.
bool EditorKeyPress(EditBuffer& buffer, char character, const EditContext& context);

// The brace check over the text: the list filled and shown when it found
// errors (then the focus back in the text), hidden when not, and the outcome
// reported.
void TestForErrors(EditBuffer& buffer, EditorHooks& hooks, Prompter& prompter);

// Every pending request of the block, each cleared as it is taken, in the
// order load, save (both of its PendingFileName), replace, test errors, wizard
// insert, go to line, select all, block indent, block de-indent, find, undo,
// recolour (nothing while NoColoring is set). A failed load or save ends it;
// what was still pending then is dropped, not left for a later activation.
void CarryOutRequests(EditBuffer& buffer, EditorRequests& requests, const EditContext& context, EditorHooks& hooks,
                      Prompter& prompter);

} // namespace tessel

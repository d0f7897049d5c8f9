#pragma once
// The request block between the shell and the active editor window: a value a
// command fills with what it asks of the editor (load, save, find, replace...)
// and hands to the active document, which carries it out in a fixed order.
#include <cstdint>
#include <string>

namespace tessel {

// SearchOptions bits.
constexpr std::uint8_t soWholeWord = 1;
constexpr std::uint8_t soMatchCase = 2;

struct UserFndTextType {
    std::string Text;
    int Position = 0;    // 0 from the start, -2 from the caret, else the last match
    bool Go = false;
};

struct UserReplaceTextType {
    std::string FindText;
    std::string ReplaceText;
    int Position = 0;    // as for search, plus -3 within the selection, -1 after replace-all
    bool Go = false;
    bool All = false;
};

struct EditorRequests {
    bool LoadRequest = false;
    bool SaveRequest = false;
    bool RecolorRequest = false;
    bool TestErrorsRequest = false;
    bool SelectAllRequest = false;
    bool UndoRequest = false;
    bool BlockIndentRequest = false;
    bool BlockDeIndentRequest = false;
    int GotoLineRequest = -1;
    // With GotoLineRequest: the caret goes to this column (from 0, in bytes) of
    // that line instead of the line being selected, and a line past the end
    // means the last (a message's place; nothing is said).
    int GotoColumnRequest = -1;
    UserFndTextType UserFndText;
    UserReplaceTextType UserReplaceText;
    std::uint8_t SearchOptions = 0;
    std::string WizardInsertText;
    bool RightClickRequest = false;
    std::string PendingFileName;   // the file a load or save request names

    // Forgets every one-shot request; what the repeat commands reuse stays.
    void DropPending();
};

// A block that asks only to load, or only to save, the file name.
EditorRequests LoadRequestFor(const std::string& name);
EditorRequests SaveRequestFor(const std::string& name);

} // namespace tessel

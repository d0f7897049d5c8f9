#pragma once
// The one-shot request block between the shell and the active editor window:
// what a command asks of the editor (load, save, find, replace...), which the
// editor carries out in a fixed order at its next activation, and the search
// and replace requests the repeat commands reuse.
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

struct EditorRequestsType {
    bool LoadRequest = false;
    bool SaveRequest = false;
    bool RecolorRequest = false;
    bool TestErrorsRequest = false;
    bool SelectAllRequest = false;
    bool UndoRequest = false;
    bool BlockIndentRequest = false;
    bool BlockDeIndentRequest = false;
    int GotoLineRequest = -1;
    UserFndTextType UserFndText;
    UserReplaceTextType UserReplaceText;
    std::uint8_t SearchOptions = 0;
    std::string WizardInsertText;
    bool RightClickRequest = false;

    // Forgets every one-shot request; what the repeat commands reuse stays.
    void DropPending();
};

// How editor windows save a game or project file (the general options).
enum class SavingOption { Both = 1, ProjectFile = 2, GameFile = 3 };

} // namespace tessel

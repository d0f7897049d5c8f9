#pragma once
// Process-wide state shared by the windows: the request block between the shell
// and the active editor window, pending file hand-overs, window flags, directory
// settings, the game mode and the language tables.
#include <cstdint>
#include <string>
#include <vector>

#include "calc/CalcState.h"
#include "language/ColorDefinitions.h"
#include "language/WizardFile.h"
#include "platform/Paths.h"
#include "platform/ProfileFile.h"

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

constexpr int RecentCount = 4;

// How editor windows save a game or project file (the general options).
enum class SavingOption { Both = 1, ProjectFile = 2, GameFile = 3 };

// The general options window, created once at start-up: editor windows read
// the saving option from its buttons at the moment they save.
class GeneralOptionsWindow {
public:
    virtual ~GeneralOptionsWindow() = default;
    virtual SavingOption CurrentSavingOption() const = 0;
    virtual void ShowWindow() = 0;
    virtual void BringToFront() = 0;
};

extern std::string ProgramDir;          // ends in the directory separator
extern std::string SettingsFileName;    // ProgramDir + "QztMain.ini"
extern std::string CommandLineFile;     // the program's first argument, if any
extern int GameMode;                    // 1 Duke, 2 Quake, 3 Verge; others: no mode
extern std::vector<std::string> RecentList;   // RecentCount names, most recent first
extern EditorRequestsType EditorRequests;
extern std::string PendingFileName;
extern int PendingAction;               // 3: the next explorer window opens PendingFileName
extern bool CalculatorOpen, FaqOpen, DukeLauncherOpen, QuakeLauncherOpen, GeneralOptionsOpen;
extern bool AutoIndent;
extern GeneralOptionsWindow* GeneralOptions;   // null until the window exists
// The editor's line state, one set for all editor windows: the caret's line
// carries its final colours; it has been painted black for editing; where
// it lay at the last key press.
extern bool LineClean, LineBlackened;
extern int LastLineStart, LastLineEnd;
extern bool NoColoring;
extern bool TreeListDisabled;
extern std::string Duke3DDir, ConDir, BuildDir;                      // section Directorys
extern std::string QuakeDir, QCDir, MainQMapEdProg, MainQCToolDir;  // section QuakeDirectorys
extern KeywordTableType KeywordTable;
extern WizardTable Wizard;
extern CalcState CalculatorState;     // the calculator's numbers; they outlive its windows

// The options window's saving option; save both while there is none.
SavingOption CurrentSavingOption();

// Back to the state of a program that has just started (for tests).
void ResetGlobals();
// Sets ProgramDir (a separator is appended when missing) and SettingsFileName.
void SetProgramDir(const std::string& dir);
// A short-lived accessor on the settings file.
inline ProfileFile Settings() { return ProfileFile(SettingsFileName); }

} // namespace tessel

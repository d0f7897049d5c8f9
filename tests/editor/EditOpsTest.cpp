#include "editor/DocumentKinds.h"
#include "editor/EditOps.h"

#include <gtest/gtest.h>

#include "support/FakeEditBuffer.h"
#include "support/Rows.h"
#include "support/ScriptedPrompter.h"

namespace tessel {
namespace {

using test::RowsOf;

// What the window would do, recorded in order.
class RecordingHooks : public EditorHooks {
public:
    bool LoadDocument(const std::string& name) override { return note("load " + name), loads; }
    bool SaveDocument(const std::string& name) override { return note("save " + name), true; }
    void ShowBraceErrors(const BraceCheckResult& r) override { note("errors " + std::to_string(r.ErrorCount())); }
    void SetErrorListVisible(bool visible) override { note(visible ? "list shown" : "list hidden"); }
    void FocusText() override { note("focus"); }
    void ShowCaretPosition(const std::string& text) override { note(text); }
    std::string SelectedWizardEntry() override { return wizardEntry; }
    void SelectFirstWizardEntry() override { note("first wizard entry"); }
    void BeginBusy() override { note("busy"); }
    void EndBusy() override { note("idle"); }

    void note(const std::string& call) { calls.push_back(call); }
    std::vector<std::string> calls;
    std::string wizardEntry;
    bool loads = true;
};

class EditOpsTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        // Whatever an operation did, repainting is back on.
        EXPECT_EQ(buffer.updateDepth, 0);
    }
    EditContext Context() const { return {KeywordTable, NoColoring, AutoIndent}; }
    // A freshly loaded, coloured document, activated, caret at `caret`.
    void Open(const std::string& text, int caret)
    {
        buffer = FakeEditBuffer(text);
        ColorWholeDocument(buffer, KeywordTable, true);
        buffer.SetSelection(caret, 0);
        lines.LineClean = true;
        lines.LineBlackened = false;
    }
    bool Key(int key, bool ctrl = false, bool alt = false)
    {
        return EditorKeyDown(buffer, {key, false, ctrl, alt}, lines, Context(), typedWordMatch, hooks);
    }

    FakeEditBuffer buffer;
    RecordingHooks hooks;
    ScriptedPrompter prompter;
    // What the program lends the editing behaviour, and the window's own line state.
    KeywordTableType KeywordTable = {Kw("if", clBlue), Kw("while", clRed)};
    bool NoColoring = false;
    bool AutoIndent = true;
    bool typedWordMatch = false;
    LineState lines;
};

// --- the line that is edited ------------------------------------------------------

// Line 1 is "WHILE if": a fresh load colours "if" only, an edit blackens the line, leaving it colours both.
const char* const Fresh = "bb..........bb...", *Black = "bb...............", *Recolored = "bb....rrrrr.bb...";
// Edited: a letter was typed at 8 first. EndsMatch: the key ends the wizard's typed-word match.
enum KeyCase { Edited = 1, EndsMatch = 2, ColoringOff = 4 };
struct KeyRow { const char* name; int caret, key; const char* paint; int how; };
const KeyRow KeyRows[] = {
    {"down", 8, vk::Down, Recolored, Edited | EndsMatch}, {"enter", 8, vk::Return, Recolored, Edited | EndsMatch},
    {"left at the start", 6, vk::Left, Recolored, Edited | EndsMatch},
    {"left inside", 8, vk::Left, Black, Edited | EndsMatch},
    {"right at the end", 14, vk::Right, Recolored, Edited | EndsMatch},
    {"right inside", 8, vk::Right, Black, Edited | EndsMatch}, {"home", 8, 36, Black, Edited},
    {"typing on another line blackens no more", 1, 'Q', Black, Edited},
    {"a letter on a clean line", 8, 'Q', Black, 0}, {"Backspace", 8, vk::Back, Black, 0},
    {"Space", 8, vk::Space, Black, EndsMatch}, {"the first of the other codes", 8, 41, Black, 0},
    {"Tab is no edit", 8, vk::Tab, Fresh, 0}, {"down from a clean line", 8, vk::Down, Fresh, EndsMatch},
    {"colouring off: the edit and the leaving paint nothing", 8, vk::Down, Fresh, Edited | EndsMatch | ColoringOff},
};
using EditOpsKeys = RowsOf<EditOpsTest, KeyRow>;

TEST_P(EditOpsKeys, EditOrLeaveTheLine)
{
    Open("if x\r\nWHILE if\r\nz", 8);
    NoColoring = row.how & ColoringOff;
    if (row.how & Edited)
        Key('Q');
    buffer.SetSelection(row.caret, 0);
    hooks.calls.clear();
    typedWordMatch = true;
    Key(row.key);
    EXPECT_EQ(buffer.Paint(), row.paint);
    EXPECT_EQ(lines.LineBlackened, row.paint == Black);
    EXPECT_EQ(lines.LineClean, row.paint != Black);
    EXPECT_EQ(typedWordMatch, !(row.how & EndsMatch));
    EXPECT_EQ(hooks.calls.back() == "first wizard entry", bool(row.how & EndsMatch));
}
TESSEL_ROWS(EditOpsKeys, KeyRows);

TEST_F(EditOpsTest, AKeyShowsTheCaretsPlaceBeforeItActs)
{
    Open("if x\r\nWHILE if\r\nz", 8);
    Key(vk::Down);
    EXPECT_EQ(hooks.calls.front(), "Line: 2 ; Column: 3");
}

// Typed: a letter was typed before the click or deactivation.
enum LeaveCase { Typed = 1, Off = 2, Click = 4 };
struct LeaveRow { const char* name; int how; const char* paint; };
const LeaveRow LeaveRows[] = {
    {"a click after an edit", Typed | Click, ".......rrrrr"}, {"a click on a clean line", Click, "............"},
    {"a click while colouring is off", Typed | Off | Click, "............"},
    {"deactivation, even when clean", 0, "rrrrr......."}, {"deactivation while colouring is off", Off, "............"},
};
using EditOpsLeaving = RowsOf<EditOpsTest, LeaveRow>;

// A click recolours the line of the last key; deactivation the caret's line.
TEST_P(EditOpsLeaving, ByAClickOrDeactivation)
{
    Open("WHILE\r\nWHILE", 8);
    Key(row.how & Typed ? 'Q' : vk::Tab);
    NoColoring = row.how & Off;
    buffer.SetSelection(1, 0);
    if (row.how & Click)
        LineColoringAtMouseDown(buffer, lines, Context());
    else
        LineColoringAtDeactivate(buffer, Context());
    EXPECT_EQ(buffer.Paint(), row.paint);
}
TESSEL_ROWS(EditOpsLeaving, LeaveRows);

// --- Enter and Backspace -------------------------------------------------------

struct EnterRow { const char* name; std::string text; int selStart, selLength; std::string after; int caret;
                  const char* lineBreak = "\r\n"; bool autoIndent = true; };
const EnterRow EnterRows[] = {
    {"the document's own line end", "\tx\ny", 2, 0, "\tx\n\t\ny", 4, "\n"},
    {"blanks and tabs, next line kept", " \tab\r\nz", 3, 0, " \ta\r\n \tb\r\nz", 7},
    {"selection goes first", "  abXXcd", 4, 2, "  ab\r\n  cd", 8},
    {"selection over lines", "  ab\r\nXXcd", 4, 4, "  ab\r\n  cd", 8},
    {"caret inside the indentation", "\t\tx", 1, 0, "\t\r\n\t\t\tx", 5},
    {"only the caret's line counts", "x\r\n\ty", 1, 0, "x\r\n\ty", 1},
    {"the text after the selection keeps its colours", "\tif x while", 4, 1, "\tif \r\n\t while", 7},
    {"auto-indent off: the plain key", "\tx", 2, 0, "\tx", 2, "\r\n", /*autoIndent=*/false},
};
using EditOpsEnter = RowsOf<EditOpsTest, EnterRow>;

// After == text: the key goes to the control.
TEST_P(EditOpsEnter, IndentsTheNewLineLikeTheOld)
{
    Open(row.text, row.selStart);
    AutoIndent = row.autoIndent;
    buffer.lineBreak = row.lineBreak;
    buffer.SetSelection(row.selStart, row.selLength);
    EXPECT_EQ(EditorKeyPress(buffer, '\r', Context()), row.after != row.text);
    EXPECT_EQ(buffer.Text(), row.after);
    EXPECT_EQ(buffer.SelStart(), row.caret);
    EXPECT_EQ(buffer.UndoSteps(), row.after != row.text ? 1 : 0);
    FakeEditBuffer loaded(row.after);
    ColorWholeDocument(loaded, KeywordTable, true);
    EXPECT_EQ(buffer.Paint(), loaded.Paint());
}
TESSEL_ROWS(EditOpsEnter, EnterRows);

// after == text: the key goes to the control.
struct BackspaceRow { const char* name; std::string text; int selStart, selLength; const char* after; };
const BackspaceRow BackspaceRows[] = {
    {"one tab above", "\tx\r\n\t\tif", 6, 0, "\tx\r\n\tif"},
    {"an empty line above", "\tif\r\n\r\n\t\tx", 9, 0, "\tif\r\n\r\nx"},
    {"deeper lines passed over", "\tA\r\n\t\t\tB\r\n\t\tC", 12, 0, "\tA\r\n\t\t\tB\r\n\tC"},
    {"blanks count apart from tabs", "\t x\r\n\t  y", 8, 0, "\t x\r\n\t y"},
    {"copied as written", " \tx\r\n\t\t  y", 9, 0, " \tx\r\n \ty"},
    // Neither more tabs and fewer blanks nor the reverse is less indented.
    {"mixed runs passed over", "x\r\n    p\r\n\t\tq\r\n\t  z", 18, 0, "x\r\n    p\r\n\t\tq\r\nz"},
    {"inside the text", "\tif\r\n\t\tx", 8, 0, "\tif\r\n\t\tx"},
    {"inside the indentation", "\tif\r\n\t\tx", 6, 0, "\tif\r\n\t\tx"},
    {"no line less indented", "\t\tif\r\n\t\tx", 8, 0, "\t\tif\r\n\t\tx"},
    {"a selection", "\tif\r\n\t\tx", 7, 1, "\tif\r\n\t\tx"},
};
using EditOpsBackspace = RowsOf<EditOpsTest, BackspaceRow>;

TEST_P(EditOpsBackspace, AtTheEndOfTheIndentationFallsBackToTheLineAbove)
{
    Open(row.text, row.selStart);
    buffer.SetSelection(row.selStart, row.selLength);
    EXPECT_EQ(Key(vk::Back), row.after != row.text);
    EXPECT_EQ(buffer.Text(), row.after);
    // Colours stay; where the key goes to the control, the caret's line holds no keyword.
    FakeEditBuffer loaded(row.after);
    ColorWholeDocument(loaded, KeywordTable, true);
    EXPECT_EQ(buffer.Paint(), loaded.Paint());
}
TESSEL_ROWS(EditOpsBackspace, BackspaceRows);

// --- block indent ------------------------------------------------------------------

enum Block { DeIndent, Indent };
struct BlockRow { const char* name; Block block; const char* text; int selStart, selLength; const char* after; int length; };
const BlockRow BlockRows[] = {
    {"indent", Indent, "a\r\nb\r\nc", 1, 3, "\ta\r\n\tb\r\nc", 6},
    {"ending at a line's start", Indent, "a\r\nb\r\nc", 0, 3, "\ta\r\n\tb\r\nc", 6},
    {"de-indent one blank only", DeIndent, "  x\r\n\ty\r\nz", 2, 5, " x\r\ny\r\nz", 5},
    {"lines without indentation stay", DeIndent, "x\r\n\r\n y", 0, 7, "x\r\n\r\ny", 6},
};
using EditOpsBlocks = RowsOf<EditOpsTest, BlockRow>;

TEST_P(EditOpsBlocks, IndentAndDeIndentWorkOnWholeLines)
{
    buffer = FakeEditBuffer(row.text);
    buffer.SetSelection(row.selStart, row.selLength);
    row.block == Indent ? BlockIndent(buffer, prompter) : BlockDeIndent(buffer, prompter);
    EXPECT_EQ(buffer.Text(), row.after);
    EXPECT_EQ(buffer.SelStart(), 0);
    EXPECT_EQ(buffer.SelLength(), row.length);
    buffer.Undo();   // one step
    EXPECT_EQ(buffer.Text(), row.text);
}
TESSEL_ROWS(EditOpsBlocks, BlockRows);

TEST_F(EditOpsTest, BlockIndentsNeedASelection)
{
    buffer = FakeEditBuffer("x");
    BlockIndent(buffer, prompter);
    BlockDeIndent(buffer, prompter);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>(2, "There is no selected text."));
    EXPECT_EQ(buffer.Text(), "x");
}

// --- find, replace, go to --------------------------------------------------------------

// A replace request for every match, or for one, from a position.
UserReplaceTextType All(const char* find, const char* by, int from) { return {find, by, from, true, true}; }
UserReplaceTextType One(const char* find, const char* by, int from) { return {find, by, from, true, false}; }

struct ReplaceRow { const char* name, *text; int selStart, selLength; UserReplaceTextType replace;
                    std::uint8_t options; const char* after, *paint; int position; const char* message; };
const ReplaceRow ReplaceRows[] = {
    {"the region's end stays, each search restarts one past", "aaa", 0, 0, All("a", "ba", 0), 0, "bbbaaa", "......",
     -1, ""},
    // The region ends where the text ended before: the longer text pushes the last x out.
    {"all from the caret", "x x x", 1, 0, All("x", "if", -2), 0, "x if x", "..bb..", -1, ""},
    {"all in the selection", "x x x", 1, 2, All("x", "y", -3), 0, "x y x", ".....", -1, ""},
    {"one from the caret keeps the position: the caret's", "x x x", 1, 0, One("x", "WHILE", -2), 0, "x WHILE x",
     ".........", 1, ""},
    {"keyword colour is exact case", "a", 0, 0, One("a", "while", 0), 0, "while", "rrrrr", 0, ""},
    {"whole word", "ax a", 0, 0, All("a", "b", 0), soWholeWord, "ax b", "....", -1, ""},
    {"match case", "A a", 0, 0, All("a", "b", 0), soMatchCase, "A b", "...", -1, ""},
    {"any case", "A a", 0, 0, All("a", "b", 0), 0, "b b", "...", -1, ""},
    {"nothing selected", "x", 0, 0, All("x", "y", -3), 0, "x", ".", -3,
     "There was no previously selected text in the document."},
    {"none found, all", "x", 0, 0, All("z", "y", 0), 0, "x", ".", -1,
     "No Words were replaced, because there were no words found in the specified region"},
    {"none found, one", "x", 0, 0, One("z", "y", 0), 0, "x", ".", 0,
     "The word was not found within the specified region."},
    {"one in the selection, not after it", "x y x", 1, 2, One("x", "z", -3), 0, "x y x", ".....", -3,
     "The word was not found within the specified region."},
};
using EditOpsReplace = RowsOf<EditOpsTest, ReplaceRow>;

TEST_P(EditOpsReplace, RegionsOptionsColorsAndMessages)
{
    buffer = FakeEditBuffer(row.text);
    buffer.SetSelection(row.selStart, row.selLength);
    UserReplaceTextType replace = row.replace;
    ReplaceText(buffer, replace, row.options, KeywordTable, prompter);
    EXPECT_EQ(buffer.Text(), row.after);
    EXPECT_EQ(buffer.Paint(), row.paint);
    EXPECT_EQ(replace.Position, row.position);
    EXPECT_LE(buffer.UndoSteps(), 1);
    EXPECT_EQ(prompter.texts(), *row.message ? std::vector<std::string>{row.message} : std::vector<std::string>{});
}
TESSEL_ROWS(EditOpsReplace, ReplaceRows);

TEST_F(EditOpsTest, FindAndGoToSelectWhatTheyName)
{
    buffer = FakeEditBuffer("ab ab ab\r\n");
    UserFndTextType search{"ab", -2, true};
    buffer.SetSelection(3, 2);
    ASSERT_TRUE(FindNext(buffer, search, 0, prompter));   // the selected match again
    EXPECT_EQ(search.Position, 3);
    ++search.Position;   // Repeat Search moves on
    ASSERT_TRUE(FindNext(buffer, search, 0, prompter));
    EXPECT_EQ(buffer.SelStart() * 10 + buffer.SelLength(), 62);
    ++search.Position;
    EXPECT_FALSE(FindNext(buffer, search, 0, prompter));
    EXPECT_EQ(search.Position, 7);
    const struct { int line, start, length; } lines[] = {{0, 0, 8}, {1, 10, 0}, {-2, 10, 0}, {2, 10, 0}};
    for (const auto& l : lines) {
        GoToLine(buffer, l.line, prompter);
        EXPECT_EQ(buffer.SelStart(), l.start) << l.line;
        EXPECT_EQ(buffer.SelLength(), l.length) << l.line;
    }
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{"No more matches found in the document.",
                                                          "The Selected line is greater than the lines of text"}));
    // A message's place: a caret, kept within the text, and nothing said.
    const struct { int line, column, caret; } places[] = {{0, 3, 3}, {0, 99, 8}, {7, 1, 10}, {-1, -5, 0}};
    for (const auto& p : places) {
        GoToPlace(buffer, p.line, p.column);
        EXPECT_EQ(buffer.SelStart(), p.caret) << p.line << ":" << p.column;
        EXPECT_EQ(buffer.SelLength(), 0);
    }
    EXPECT_EQ(prompter.texts().size(), 2u);
}

// --- saving ---------------------------------------------------------------------------

TEST_F(EditOpsTest, LoadColoringAndSaveTargetsFollowTheName)
{
    using L = LoadColoring;
    const bool colouring = false, noColoring = true;
    const struct { const char* name; bool noColoring; L coloring; } loads[] = {
        {"game.con", colouring, L::ColorWhole}, {"game.con", noColoring, L::AsStored},
        {"game.qzt", colouring, L::AsStored}, {"game.qzt", noColoring, L::Black}, {"qzt", colouring, L::AsStored},
        {"zt", colouring, L::ColorWhole}, {"GAME.QZT", colouring, L::ColorWhole},
    };
    for (const auto& l : loads)
        EXPECT_EQ(LoadColoringOf(l.name, l.noColoring), l.coloring) << l.name << " " << l.noColoring;

    using S = SavingOption;
    const auto qzt = [](const char* path) { return SaveTarget{path, true}; };
    const auto plain = [](const char* path) { return SaveTarget{path, false}; };
    struct Row { const char* name; int mode; S option; std::vector<SaveTarget> targets; } rows[] = {
        {"/s/game.con", 1, S::Both, {qzt("/s/game.qzt"), plain("/s/game.con")}},
        {"/s/game.con", 1, S::ProjectFile, {qzt("/s/game.qzt")}},
        {"/s/game.qzt", 2, S::Both, {qzt("/s/game.qzt"), plain("/s/game.qc")}},
        {"/s/game.vc", 3, S::Both, {qzt("/s/game.qzt"), plain("/s/game.vc")}},
        {"/s/game.con", 7, S::GameFile, {plain("/s/game.con")}},
        {"/s/notes.txt", 1, S::ProjectFile, {plain("/s/notes.txt")}},
        {"/s/GAME.CON", 1, S::Both, {plain("/s/GAME.CON")}},
        {"C:\\s\\a.b\\x.qc", 2, S::Both, {qzt("C:\\s\\a.b\\x.qzt"), plain("C:\\s\\a.b\\x.qc")}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.name) + " mode " + std::to_string(r.mode));
        EXPECT_EQ(SaveTargets(r.name, r.mode, r.option), r.targets);
    }
    // A script of another game is saved elsewhere only after a question.
    const bool asked = true, notAsked = false;
    const struct { const char* name; int mode; S option; bool elsewhere; } scripts[] = {
        {"/s/game.qc", 1, S::Both, asked}, {"/s/game.qc", 1, S::ProjectFile, notAsked},
        {"/s/game.qc", 2, S::Both, notAsked}, {"/s/game.vc", 0, S::GameFile, asked},
        {"/s/game.qzt", 1, S::Both, notAsked}, {"/s/GAME.QC", 1, S::Both, notAsked},
    };
    for (const auto& r : scripts)
        EXPECT_EQ(SavesElsewhere(r.name, r.mode, r.option), r.elsewhere) << r.name << " mode " << r.mode;
    EXPECT_EQ(SaveTargets("/s/game.qc", ScriptMode("/s/game.qc"), S::Both),
              (std::vector<SaveTarget>{qzt("/s/game.qzt"), plain("/s/game.qc")}));
}

// --- the wizard -------------------------------------------------------------------------

// Typed: the wizard's selection came from the typed word.
enum Selected { ByHand, ByTypedWord };
struct WizardRow { const char* name; Selected selected; const char* entry; int caret; const char* after; };
const WizardRow WizardRows[] = {
    {"replaces the typed word", ByTypedWord, "ifaction", 9, "x\r\n y ifaction"},
    {"nothing typed at the line's start", ByTypedWord, "ifaction", 3, "x\r\nifaction y ifa"},
    {"a word from the line's start", ByTypedWord, "ifaction", 1, "ifaction\r\n y ifa"},
    {"no match: at the caret", ByHand, "ifaction", 6, "x\r\n y ifactionifa"},
    {"no entry: nothing", ByTypedWord, "", 9, "x\r\n y ifa"},
};
using EditOpsWizard = RowsOf<EditOpsTest, WizardRow>;

TEST_P(EditOpsWizard, CtrlAltCInsertsTheEntry)
{
    buffer = FakeEditBuffer("x\r\n y ifa");
    buffer.SetSelection(row.caret, 0);
    typedWordMatch = row.selected == ByTypedWord;
    hooks.wizardEntry = row.entry;
    EXPECT_TRUE(Key('C', true, true));
    EXPECT_EQ(buffer.Text(), row.after);
    EXPECT_FALSE(Key('C', true, false));   // Ctrl+C alone is the control's
    EXPECT_EQ(buffer.Text(), row.after);
}
TESSEL_ROWS(EditOpsWizard, WizardRows);

// --- the requests ----------------------------------------------------------------------------

TEST_F(EditOpsTest, RequestsRunInTheirOrderAndAreClearedAsTaken)
{
    buffer = FakeEditBuffer("a\r\nb");
    EditorRequests r;
    r.UserReplaceText = {"a", "c", 0, true, true};
    r.TestErrorsRequest = true;
    r.WizardInsertText = "W";
    r.GotoLineRequest = 1;
    r.SelectAllRequest = r.BlockIndentRequest = r.UndoRequest = r.RecolorRequest = true;
    r.UserFndText = {"b", 0, true};
    r.LoadRequest = r.SaveRequest = true;
    r.PendingFileName = "f.con";
    CarryOutRequests(buffer, r, Context(), hooks, prompter);
    // Replaced, checked, inserted after the replacement, indented as a block,
    // found in the indented text, and the indentation undone.
    EXPECT_EQ(buffer.Text(), "cW\r\nb");
    EXPECT_EQ(r.UserFndText.Position, 6);
    EXPECT_EQ(hooks.calls, (std::vector<std::string>{"load f.con", "save f.con", "busy", "errors 0", "list hidden",
                                                     "idle", "focus", "busy", "idle"}));
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"No errors were found in the Con File."});
    EXPECT_FALSE(r.UserReplaceText.Go || r.TestErrorsRequest || r.SelectAllRequest || r.BlockIndentRequest ||
                 r.UndoRequest || r.RecolorRequest || r.UserFndText.Go);
    EXPECT_TRUE(r.WizardInsertText.empty());
    EXPECT_EQ(r.GotoLineRequest, -1);

    // A failed load ends them: the rest is dropped, not left for later.
    hooks.calls.clear();
    hooks.loads = false;
    r.LoadRequest = r.SaveRequest = r.RecolorRequest = true;
    CarryOutRequests(buffer, r, Context(), hooks, prompter);
    EXPECT_EQ(hooks.calls, std::vector<std::string>{"load f.con"});
    EXPECT_FALSE(r.SaveRequest || r.RecolorRequest);
    // Recolouring colours the selection (whole words seen from the byte before
    // it) and leaves the caret at its start; nothing while colouring is off.
    for (const bool off : {true, false}) {
        NoColoring = off;
        buffer = FakeEditBuffer("xif if");
        buffer.SetSelection(1, 5);
        r.RecolorRequest = true;
        CarryOutRequests(buffer, r, Context(), hooks, prompter);
        EXPECT_EQ(buffer.Paint(), off ? "......" : "....bb");
        EXPECT_EQ(buffer.SelStart() * 10 + buffer.SelLength(), off ? 15 : 10);
    }
}

} // namespace
} // namespace tessel

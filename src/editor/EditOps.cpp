#include "editor/EditOps.h"

#include <algorithm>

#include "language/Find.h"
#include "platform/Paths.h"

namespace tessel {

namespace {

// The busy cursor for a scope.
using Busy = ScopedCall<EditorHooks, &EditorHooks::BeginBusy, &EditorHooks::EndBusy>;

unsigned FindOptionsOf(std::uint8_t searchOptions)
{
    return ((searchOptions & soWholeWord) ? foWholeWord : 0u) | ((searchOptions & soMatchCase) ? foMatchCase : 0u);
}

std::string LineText(const EditBuffer& buffer, int line)
{
    return buffer.TextRange(buffer.OffsetOfLine(line), buffer.LineLength(line));
}

// The run of tabs and blanks at the start of a line, in order.
std::string_view Indentation(std::string_view line)
{
    return line.substr(0, std::min(line.find_first_not_of(" \t"), line.size()));
}

// The engine's runs over the text from base on (the line or selection starts
// just after base, so the whole-word test still sees the character before
// it), moved back to offsets of the whole text.
template <typename Engine>
ColorRuns RunsFrom(const EditBuffer& buffer, int base, Engine engine)
{
    ColorRuns runs = engine(buffer.TextTail(base));
    for (ColorRun& run : runs)
        run.Start += base;
    return runs;
}

} // namespace

bool IsEditingKey(int key)
{
    return key == vk::Back || key == vk::Space || key >= 41;
}

bool EndsTypedWordMatch(int key)
{
    return key == vk::Space || key == vk::Return || (key >= vk::Left && key <= vk::Down);
}

LineSpan CaretLine(const EditBuffer& buffer)
{
    const int line = buffer.LineFromOffset(buffer.SelStart());
    const int start = buffer.OffsetOfLine(line);
    return {start, start + buffer.LineLength(line)};
}

std::string CaretPositionText(const EditBuffer& buffer)
{
    const int caret = buffer.SelStart();
    const int line = buffer.LineFromOffset(caret);
    return "Line: " + std::to_string(line + 1) + " ; Column: " + std::to_string(caret - buffer.OffsetOfLine(line) + 1);
}

// --- colouring -----------------------------------------------------------------

void ColorWholeDocument(EditBuffer& buffer, const KeywordTableType& table, bool onBlack)
{
    buffer.PaintRuns(ColorWholeDocument(buffer.TextView(), table), onBlack);
    buffer.SetSelection(0, 0);
}

void ColorSelection(EditBuffer& buffer, const KeywordTableType& table)
{
    const int start = buffer.SelStart();
    const int length = buffer.SelLength();
    const int base = std::max(start - 1, 0);
    buffer.PaintRuns(RunsFrom(buffer, base,
                              [&](std::string_view tail) { return ColorSelection(tail, table, start - base, length); }),
                     false);
    buffer.SetSelection(start, 0);
}

void RecolorLine(EditBuffer& buffer, const KeywordTableType& table, int lineStart, int lineEnd)
{
    const int base = std::clamp(lineStart - 1, 0, buffer.TextLength());
    buffer.PaintRuns(RunsFrom(buffer, base,
                              [&](std::string_view tail) { return RecolorLine(tail, table, lineStart - base, lineEnd - base); }),
                     false);
}

void LineColoringAtKeyDown(EditBuffer& buffer, int key, LineState& lines, const EditContext& context)
{
    if (context.NoColoring)
        return;
    const LineSpan line = CaretLine(buffer);
    const int caret = buffer.SelStart();
    const bool editing = IsEditingKey(key);
    const bool leaving = key == vk::Up || key == vk::Down || key == vk::Return || (key == vk::Left && caret == line.start) ||
                         (key == vk::Right && caret == line.end);
    if (editing)
        lines.LineClean = false;
    if (editing && !lines.LineBlackened) {
        UpdateScope scope(buffer);
        buffer.PaintRange(line.start, line.end - line.start, clBlack);
        lines.LineBlackened = true;
    }
    if (leaving && !lines.LineClean) {
        RecolorLine(buffer, context.KeywordTable, line.start, line.end);
        lines.LineClean = true;
        lines.LineBlackened = false;
    }
    lines.LastLineStart = line.start;
    lines.LastLineEnd = line.end;
}

void LineColoringAtMouseDown(EditBuffer& buffer, LineState& lines, const EditContext& context)
{
    // LineClean stays clear: further clicks recolour that line again until a key is pressed.
    if (context.NoColoring || lines.LineClean)
        return;
    RecolorLine(buffer, context.KeywordTable, lines.LastLineStart, lines.LastLineEnd);
    lines.LineBlackened = false;
}

void LineColoringAtDeactivate(EditBuffer& buffer, const EditContext& context)
{
    if (context.NoColoring)
        return;
    const LineSpan line = CaretLine(buffer);
    RecolorLine(buffer, context.KeywordTable, line.start, line.end);
}

// --- typing ----------------------------------------------------------------------

bool AutoIndentNewLine(EditBuffer& buffer)
{
    const int selStart = buffer.SelStart();
    const int selEnd = selStart + buffer.SelLength();
    const int lineStart = buffer.OffsetOfLine(buffer.LineFromOffset(selStart));
    const int lastLine = buffer.LineFromOffset(selEnd);
    const int lineEnd = buffer.OffsetOfLine(lastLine) + buffer.LineLength(lastLine);
    // The caret's line as it is once the selection is gone: what stands
    // before the selection and what follows it.
    const std::string rest = buffer.TextRange(selEnd, lineEnd - selEnd);
    const std::string indentation(Indentation(buffer.TextRange(lineStart, selStart - lineStart) + rest));
    if (indentation.empty())
        return false;
    // The rest of the line keeps its colours on the new line.
    std::vector<TColor> colors(rest.size(), clBlack);
    buffer.CopyColors(selEnd, colors.data(), colors.size());
    buffer.SetSelection(selStart, lineEnd - selStart);
    const std::string_view lineBreak = buffer.LineBreak();
    buffer.ReplaceSelection(std::string(lineBreak) + indentation + rest);
    const int newLine = selStart + static_cast<int>(lineBreak.size() + indentation.size());
    buffer.PaintColors(newLine, colors.data(), colors.size());
    buffer.SetSelection(newLine, 0);
    return true;
}

bool SmartBackspace(EditBuffer& buffer)
{
    if (buffer.SelLength() > 0)
        return false;   // the control removes the selection
    const int caret = buffer.SelStart();
    const int line = buffer.LineFromOffset(caret);
    const int lineStart = buffer.OffsetOfLine(line);
    const std::string text = LineText(buffer, line);
    const std::string_view run = Indentation(text);
    if (run.empty() || caret != lineStart + static_cast<int>(run.size()))
        return false;
    const auto tabs = std::count(run.begin(), run.end(), '\t');
    const auto blanks = static_cast<std::ptrdiff_t>(run.size()) - tabs;
    for (int above = line - 1; above >= 0; --above) {
        const std::string other = LineText(buffer, above);
        const std::string_view otherRun = Indentation(other);
        const auto t = std::count(otherRun.begin(), otherRun.end(), '\t');
        const auto s = static_cast<std::ptrdiff_t>(otherRun.size()) - t;
        if ((t < tabs && s <= blanks) || (t <= tabs && s < blanks)) {
            buffer.SetSelection(lineStart, static_cast<int>(run.size()));
            buffer.ReplaceSelection(otherRun);
            return true;
        }
    }
    return false;
}

void InsertWizardEntry(EditBuffer& buffer, std::string_view name, bool replaceTypedWord)
{
    if (name.empty())
        return;
    UpdateScope scope(buffer);
    if (replaceTypedWord) {
        const int caret = buffer.SelStart();
        const int lineStart = buffer.OffsetOfLine(buffer.LineFromOffset(caret));
        const std::string before = buffer.TextRange(lineStart, caret - lineStart);
        int start = caret;
        while (start > lineStart && before[static_cast<std::size_t>(start - 1 - lineStart)] != ' ')
            --start;
        buffer.SetSelection(start, caret - start);
    }
    buffer.ReplaceSelection(name);
}

// --- requests ----------------------------------------------------------------------

namespace {

// The lines from the selection's first to its last (the line of its end
// included, even when the end stands at that line's start).
struct Block {
    int firstLine, lastLine, start, length;
};

bool SelectedBlock(const EditBuffer& buffer, Prompter& prompter, Block& block)
{
    if (buffer.SelLength() <= 0) {
        prompter.ShowMessage("There is no selected text.");
        return false;
    }
    block.firstLine = buffer.LineFromOffset(buffer.SelStart());
    block.lastLine = buffer.LineFromOffset(buffer.SelStart() + buffer.SelLength());
    block.start = buffer.OffsetOfLine(block.firstLine);
    block.length = buffer.OffsetOfLine(block.lastLine) + buffer.LineLength(block.lastLine) - block.start;
    return true;
}

} // namespace

void BlockIndent(EditBuffer& buffer, Prompter& prompter)
{
    Block block;
    if (!SelectedBlock(buffer, prompter, block))
        return;
    {
        UpdateScope scope(buffer);
        UndoGroup group(buffer);
        // From the last line up, so that the offsets of the lines above hold.
        for (int line = block.lastLine; line >= block.firstLine; --line) {
            buffer.SetSelection(buffer.OffsetOfLine(line), 0);
            buffer.ReplaceSelection("\t");
        }
    }
    buffer.SetSelection(block.start, block.length + (block.lastLine - block.firstLine + 1));
}

void BlockDeIndent(EditBuffer& buffer, Prompter& prompter)
{
    Block block;
    if (!SelectedBlock(buffer, prompter, block))
        return;
    int deleted = 0;
    {
        UpdateScope scope(buffer);
        UndoGroup group(buffer);
        for (int line = block.lastLine; line >= block.firstLine; --line) {
            const int start = buffer.OffsetOfLine(line);
            if (buffer.LineLength(line) == 0)
                continue;
            const char first = buffer.TextRange(start, 1)[0];
            if (first == ' ' || first == '\t') {
                buffer.SetSelection(start, 1);
                buffer.ReplaceSelection("");
                ++deleted;
            }
        }
    }
    buffer.SetSelection(block.start, block.length - deleted);
}

bool FindNext(EditBuffer& buffer, UserFndTextType& search, std::uint8_t searchOptions, Prompter& prompter)
{
    if (search.Position == -2)
        search.Position = buffer.SelStart();
    const std::string text = buffer.FromUtf8(search.Text);
    const int found = buffer.FindText(text, search.Position, buffer.TextLength(), FindOptionsOf(searchOptions));
    if (found < 0) {
        prompter.ShowMessage("No more matches found in the document.");
        return false;
    }
    buffer.SetSelection(found, static_cast<int>(text.size()));
    search.Position = found;
    return true;
}

void ReplaceText(EditBuffer& buffer, UserReplaceTextType& replace, std::uint8_t searchOptions,
                 const KeywordTableType& table, Prompter& prompter)
{
    int start = replace.Position;
    int end = buffer.TextLength();
    if (replace.Position == -2) {
        start = buffer.SelStart();
        // A single replacement keeps the position it started from, so that
        // Repeat Replace goes on after it; Replace All sets it anew below.
        replace.Position = start;
    } else if (replace.Position == -3) {
        if (buffer.SelLength() <= 0) {
            prompter.ShowMessage("There was no previously selected text in the document.");
            return;
        }
        start = buffer.SelStart();
        end = start + buffer.SelLength();
    }
    TColor color = clBlack;
    for (const ConType& entry : table)
        if (entry.Keyword == replace.ReplaceText) {
            color = entry.Color;
            break;
        }
    const unsigned options = FindOptionsOf(searchOptions);
    const std::string findText = buffer.FromUtf8(replace.FindText);
    const std::string replaceText = buffer.FromUtf8(replace.ReplaceText);
    const int length = static_cast<int>(findText.size());
    if (!replace.All) {
        const int found = buffer.FindText(findText, start, end, options);
        if (found < 0) {
            prompter.ShowMessage("The word was not found within the specified region.");
            return;
        }
        buffer.SetSelection(found, length);
        buffer.ReplaceSelection(replaceText, color);
        return;
    }
    int replaced = 0;
    {
        UpdateScope scope(buffer);
        UndoGroup group(buffer);
        // The region's end stays fixed; each search restarts one past the last
        // match, inside the text just put in too.
        for (int from = start;; ++from) {
            from = buffer.FindText(findText, from, end, options);
            if (from < 0)
                break;
            buffer.SetSelection(from, length);
            buffer.ReplaceSelection(replaceText, color);
            ++replaced;
        }
    }
    if (replaced == 0)
        prompter.ShowMessage("No Words were replaced, because there were no words found in the specified region");
    replace.Position = -1;
}

void GoToLine(EditBuffer& buffer, int line, Prompter& prompter)
{
    if (line < 0)
        return;
    if (line >= buffer.LineCount()) {
        prompter.ShowMessage("The Selected line is greater than the lines of text");
        return;
    }
    buffer.SetSelection(buffer.OffsetOfLine(line), buffer.LineLength(line));
}

void GoToPlace(EditBuffer& buffer, int line, int column)
{
    line = std::clamp(line, 0, std::max(0, buffer.LineCount() - 1));
    buffer.SetSelection(buffer.OffsetOfLine(line) + std::clamp(column, 0, buffer.LineLength(line)), 0);
}

// --- the handlers -------------------------------------------------------------------

bool EditorKeyDown(EditBuffer& buffer, const KeyStroke& stroke, LineState& lines, const EditContext& context,
                   bool& typedWordMatch, EditorHooks& hooks)
{
    int key = stroke.key;
    bool consumed = false;
    if (key == vk::Back && SmartBackspace(buffer)) {
        consumed = true;
        key = 0;   // no key for the line colouring
    }
    hooks.ShowCaretPosition(CaretPositionText(buffer));
    if (stroke.ctrl && stroke.alt && key == 'C') {
        InsertWizardEntry(buffer, buffer.FromUtf8(hooks.SelectedWizardEntry()), typedWordMatch);
        consumed = true;
    } else if (typedWordMatch && EndsTypedWordMatch(key)) {
        typedWordMatch = false;
        hooks.SelectFirstWizardEntry();
    }
    LineColoringAtKeyDown(buffer, key, lines, context);
    return consumed;
}

bool EditorKeyPress(EditBuffer& buffer, char character, const EditContext& context)
{
    return character == '\r' && context.AutoIndent && AutoIndentNewLine(buffer);
}

void TestForErrors(EditBuffer& buffer, EditorHooks& hooks, Prompter& prompter)
{
    Busy busy(hooks);
    const BraceCheckResult result = CheckBraces(buffer.TextView());
    hooks.ShowBraceErrors(result);
    if (!result.ErrorsFound())
        hooks.SetErrorListVisible(false);
    prompter.ShowMessage(BraceCheckOutcome(result));
    if (result.ErrorsFound()) {
        hooks.SetErrorListVisible(true);
        hooks.FocusText();
    }
}

void CarryOutRequests(EditBuffer& buffer, EditorRequests& requests, const EditContext& context, EditorHooks& hooks,
                      Prompter& prompter)
{
    auto take = [](bool& request) {
        const bool pending = request;
        request = false;
        return pending;
    };
    // Whatever a failed load or save leaves pending would otherwise wait for
    // the next activation of any editor window.
    if (take(requests.LoadRequest) && !hooks.LoadDocument(requests.PendingFileName))
        return requests.DropPending();
    if (take(requests.SaveRequest) && !hooks.SaveDocument(requests.PendingFileName))
        return requests.DropPending();
    if (take(requests.UserReplaceText.Go))
        ReplaceText(buffer, requests.UserReplaceText, requests.SearchOptions, context.KeywordTable, prompter);
    if (take(requests.TestErrorsRequest))
        TestForErrors(buffer, hooks, prompter);
    if (!requests.WizardInsertText.empty()) {
        const std::string text = buffer.FromUtf8(requests.WizardInsertText);
        requests.WizardInsertText.clear();
        buffer.ReplaceSelection(text);
    }
    if (requests.GotoLineRequest != -1) {
        const int line = requests.GotoLineRequest, column = requests.GotoColumnRequest;
        requests.GotoLineRequest = requests.GotoColumnRequest = -1;
        if (column >= 0) {
            GoToPlace(buffer, line, column);
            hooks.FocusText();
        } else {
            GoToLine(buffer, line, prompter);
        }
    }
    if (take(requests.SelectAllRequest))
        buffer.SetSelection(0, buffer.TextLength());
    if (take(requests.BlockIndentRequest))
        BlockIndent(buffer, prompter);
    if (take(requests.BlockDeIndentRequest))
        BlockDeIndent(buffer, prompter);
    if (take(requests.UserFndText.Go) && FindNext(buffer, requests.UserFndText, requests.SearchOptions, prompter))
        hooks.FocusText();
    if (take(requests.UndoRequest))
        buffer.Undo();
    if (take(requests.RecolorRequest) && !context.NoColoring) {
        Busy busy(hooks);
        ColorSelection(buffer, context.KeywordTable);
    }
}

} // namespace tessel

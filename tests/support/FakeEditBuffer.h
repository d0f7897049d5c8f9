#pragma once
// A document for tests of the editing behaviour: the text in a string, a
// colour per byte, a selection and an undo history of whole snapshots (one
// per edit, or per group of edits). Lines
// break at CR LF, a lone CR or a lone LF, as the editing control's do.
#include <string>
#include <vector>

#include "editor/EditBuffer.h"

namespace tessel {

// Colours as letters: '.' black, 'r' red, 'g' green, 'b' blue, '?' other.
std::string Paint(const std::vector<TColor>& colors);
// A keyword of a colour table, its length that of the word.
inline ConType Kw(const std::string& word, TColor color)
{
    return {word, static_cast<std::int32_t>(word.size()), color};
}

class FakeEditBuffer : public EditBuffer {
public:
    explicit FakeEditBuffer(std::string text = std::string());

    int TextLength() const override { return static_cast<int>(text_.size()); }
    std::string_view LineBreak() const override { return lineBreak; }
    std::string_view TextView() const override { return text_; }
    int SelStart() const override { return selStart_; }
    int SelLength() const override { return selLength_; }
    void SetSelection(int start, int length) override;
    void ReplaceSelection(std::string_view text, TColor color = clBlack) override;
    int LineCount() const override { return static_cast<int>(LineStarts().size()); }
    int LineFromOffset(int offset) const override;
    int OffsetOfLine(int line) const override;
    int LineLength(int line) const override;
    void PaintRange(int start, int length, TColor color) override;
    void PaintColors(int start, const TColor* colors, std::size_t count) override;
    TColor ColorAt(int offset) const override;
    bool Modified() const override { return modified_; }
    void SetModified(bool modified) override { modified_ = modified; }
    bool CanUndo() const override { return !history_.empty(); }
    void Undo() override;
    void BeginUndoAction() override;
    void EndUndoAction() override { --undoDepth_; }
    void BeginUpdate() override { ++updateDepth; }
    void EndUpdate() override { --updateDepth; }

    std::string Paint() const { return tessel::Paint(colors_); }
    const std::vector<TColor>& Colors() const { return colors_; }

    int updateDepth = 0;   // the editing tests check that every BeginUpdate was ended
    std::string lineBreak = "\r\n";   // what a new line gets
    int UndoSteps() const { return static_cast<int>(history_.size()); }

private:
    struct Snapshot {
        std::string text;
        std::vector<TColor> colors;
        int selStart, selLength;
    };
    std::vector<int> LineStarts() const;
    void Remember();

    std::string text_;
    std::vector<TColor> colors_;
    int selStart_ = 0, selLength_ = 0;
    bool modified_ = false;
    std::vector<Snapshot> history_;
    int undoDepth_ = 0;
    bool groupRemembered_ = false;   // the open group's one snapshot is taken
};

} // namespace tessel

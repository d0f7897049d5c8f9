#pragma once
// The script editing control: QScintilla styled by our own colour map (no
// lexer), holding a document's bytes as the file has them. LF, CR LF and a
// lone CR each end a line; offsets and lengths count bytes, a line break
// counting its own. A new line (Enter, a paste) gets the document's dominant
// line end. Text is shown in "courier" 8 points; typed and inserted text is
// black until it is painted.
// While no assistive technology runs, the control sends no modification
// notifications (SCN_MODIFIED, textChanged): QScintilla's accessibility
// bridge makes each cost time in proportion to the text before the edit.
// modificationChanged, the selection and cursor signals are unaffected.
#include <Qsci/qsciscintilla.h>

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "editor/EditBuffer.h"
#include "platform/Color.h"
#include "richtext/ControlText.h"
#include "richtext/ProjectFile.h"

namespace tessel {

class ScriptEdit : public QsciScintilla, public EditBuffer {
    Q_OBJECT
public:
    explicit ScriptEdit(QWidget* parent = nullptr);
    ~ScriptEdit() override;

    // --- the document ----------------------------------------------------------
    // Replaces the whole document (black): the undo history and the modified
    // flag are cleared and the caret goes to 0. The encoding chooses how the
    // bytes are shown (UTF-8 or Latin-1); the line end is the one new lines get.
    void SetDocument(const ControlText& text);
    void SetDocument(const ColoredText& document);
    ControlText Document() const;   // the text with its line-end style and encoding
    std::vector<TColor> Colors() const;   // one per byte of the text
    void PaintColors(const std::vector<TColor>& colors) { PaintColors(0, colors.data(), colors.size()); }

    // --- EditBuffer ------------------------------------------------------------
    int TextLength() const override;
    std::string FromUtf8(std::string_view utf8) const override;
    std::string_view LineBreak() const override { return LineBreakOf(lineEnds_); }
    std::string_view TextView() const override;
    std::string_view TextTail(int start) const override;
    std::string TextRange(int start, int length) const override;
    int SelStart() const override;
    int SelLength() const override;
    void SetSelection(int start, int length) override;
    void ReplaceSelection(std::string_view text, TColor color = clBlack) override;
    int LineCount() const override;
    int LineFromOffset(int offset) const override;
    int OffsetOfLine(int line) const override;
    int LineLength(int line) const override;
    void PaintRange(int start, int length, TColor color) override;
    void PaintColors(int start, const TColor* colors, std::size_t count) override;
    TColor ColorAt(int offset) const override;
    void CopyColors(int start, TColor* out, std::size_t count) const override;
    void PaintRuns(const ColorRuns& runs, bool onBlack) override;
    bool Modified() const override;
    void SetModified(bool modified) override;
    bool CanUndo() const override;
    void Undo() override;
    void BeginUndoAction() override;
    void EndUndoAction() override;
    void BeginUpdate() override;
    void EndUpdate() override;
    bool Updating() const { return updateDepth_ > 0; }

    // --- margin marks --------------------------------------------------------------
    // Lines (from 0) marked as having errors and warnings, in place of the
    // earlier marks; the marks move with the text. Without marks the margin
    // takes no room.
    void MarkLines(const std::vector<int>& errors, const std::vector<int>& warnings);
    // The lines marked with errors (or warnings), in order.
    std::vector<int> MarkedLines(bool errors) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    class ScrollBarGuard;
    int StyleFor(TColor color);
    void ApplyFixedScrollBars();
    // Messages with numbers only; pointers go through QScintilla's pointer overloads.
    long Send(unsigned int message, unsigned long w = 0, long l = 0) const { return SendScintilla(message, w, l); }

    ScrollBarGuard* guard_ = nullptr;
    std::unordered_map<TColor, int> styleOfColor_;
    std::vector<TColor> colorOfStyle_;   // indexed by style number
    int nextStyle_ = 1;
    int updateDepth_ = 0;
    LineEnds lineEnds_ = LineEnds::CrLf;
    TextEncoding encoding_ = TextEncoding::Utf8;
};

} // namespace tessel

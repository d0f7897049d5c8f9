#pragma once
// The script editing control: QScintilla styled by our own colour map (no
// lexer), holding a document's bytes with CR LF line breaks. Offsets and
// lengths count bytes, a line break counting two. Text is shown in "courier"
// 8 points; typed and inserted text is black until it is painted.
#include <Qsci/qsciscintilla.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/ControlText.h"
#include "platform/ProjectFile.h"

namespace tessel {

class ScriptEdit : public QsciScintilla {
    Q_OBJECT
public:
    explicit ScriptEdit(QWidget* parent = nullptr);
    ~ScriptEdit() override;

    // --- text ---------------------------------------------------------------
    std::string Text() const;
    int TextLength() const;
    // Replaces the whole document (black): the undo history and the modified
    // flag are cleared and the caret goes to 0. The encoding chooses how the
    // bytes are shown (UTF-8 or Latin-1); the line-end style is used on saving.
    void SetDocument(const ControlText& text);
    void SetDocument(const ColouredText& document);
    ControlText Document() const;   // the text with its line-end style and encoding
    // Byte [start, start + length) of the text, clipped to it.
    std::string TextRange(int start, int length) const;

    // --- selection ----------------------------------------------------------
    int SelStart() const;
    int SelLength() const;
    std::string SelText() const;
    void SetSelection(int start, int length);
    // The new text is black; with a colour, it is painted in that colour.
    void ReplaceSelection(std::string_view text);
    void ReplaceSelection(std::string_view text, std::uint32_t colour);
    // The first occurrence of pattern wholly inside [from, to), or -1.
    int FindText(std::string_view pattern, int from, int to, bool wholeWord, bool matchCase) const;

    // --- lines --------------------------------------------------------------
    int LineCount() const;
    int LineFromOffset(int offset) const;
    int OffsetOfLine(int line) const;   // -1 when there is no such line
    int LineLength(int line) const;     // without its line break

    // --- colours (TColor 0x00BBGGRR) -------------------------------------------
    void PaintRange(int start, int length, std::uint32_t colour);
    // colours[i] for byte start + i, in one styling call; clipped to the text.
    void PaintColours(int start, const std::uint32_t* colours, std::size_t count);
    void PaintColours(const std::vector<std::uint32_t>& colours) { PaintColours(0, colours.data(), colours.size()); }
    std::uint32_t ColourAt(int offset) const;
    std::vector<std::uint32_t> Colours() const;   // one per byte of the text

    // --- state --------------------------------------------------------------
    bool Modified() const;
    void SetModified(bool modified);
    bool CanUndo() const;
    void Undo();
    // Nested; nothing is repainted in between.
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return updateDepth_ > 0; }

    // --- files (throw IoError) -------------------------------------------------
    // Rich Text Format is read with its colours; anything else as plain text.
    // Returns true for rich text.
    bool LoadFromFile(const std::string& path);
    void SavePlainText(const std::string& path) const;
    void SaveRichText(const std::string& path) const;

private:
    class ScrollBarGuard;
    int StyleFor(std::uint32_t colour);
    void ApplyFixedScrollBars();
    long Send(unsigned int message, unsigned long w = 0, long l = 0) const { return SendScintilla(message, w, l); }

    ScrollBarGuard* guard_ = nullptr;
    std::unordered_map<std::uint32_t, int> styleOfColour_;
    std::vector<std::uint32_t> colourOfStyle_;   // indexed by style number
    int nextStyle_ = 1;
    int updateDepth_ = 0;
    LineEnds lineEnds_ = LineEnds::CrLf;
    TextEncoding encoding_ = TextEncoding::Utf8;
};

} // namespace tessel

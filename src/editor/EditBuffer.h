#pragma once
// The editing seam: what the editing behaviour (find, replace, indentation,
// line recolouring, the requests of the shell) needs of a document. The
// editing control implements it over QScintilla; the tests use a plain string.
// Offsets and lengths count bytes of the text as the control holds it (the
// file's bytes), a line break counting its bytes: CR LF two, LF or a lone CR
// one; lines count from 0. Out-of-range arguments are clipped to the text, as
// a control clips them.
#include <cstddef>
#include <string>
#include <string_view>

#include "language/ColorEngine.h"
#include "platform/Color.h"
#include "platform/ScopedCall.h"

namespace tessel {

class EditBuffer {
public:
    virtual ~EditBuffer() = default;

    // --- text -----------------------------------------------------------------
    virtual int TextLength() const = 0;
    // The whole text, valid until the next change of the buffer.
    virtual std::string_view TextView() const = 0;
    // The text from start to the end, valid until the next change. Per-key
    // work uses it: a control may need to move far less text for it than for
    // the whole view (an edit leaves its gap where it happened).
    virtual std::string_view TextTail(int start) const;
    std::string Text() const { return std::string(TextView()); }
    virtual std::string TextRange(int start, int length) const;

    // --- selection: the caret is the selection's start ---------------------------
    virtual int SelStart() const = 0;
    virtual int SelLength() const = 0;
    std::string SelText() const { return TextRange(SelStart(), SelLength()); }
    // A negative length selects nothing (the caret at start).
    virtual void SetSelection(int start, int length) = 0;
    // Replaces the selection (at the caret: inserts) by text painted in
    // colour, as one undoable step; the caret goes after the new text.
    virtual void ReplaceSelection(std::string_view text, TColor color = clBlack) = 0;
    // The line end a new line gets: the one most of the document's lines have.
    virtual std::string_view LineBreak() const { return "\r\n"; }
    // Text typed outside the document (in a dialog: UTF-8) as the document's
    // own bytes; the same text unless the document shows 8-bit characters.
    virtual std::string FromUtf8(std::string_view utf8) const { return std::string(utf8); }
    // The first occurrence of pattern wholly inside [from, to), or -1; options
    // are language/Find's foMatchCase and foWholeWord. It reads only the text
    // from just before from (TextTail).
    int FindText(std::string_view pattern, int from, int to, unsigned options) const;

    // --- lines ------------------------------------------------------------------
    virtual int LineCount() const = 0;
    virtual int LineFromOffset(int offset) const = 0;
    virtual int OffsetOfLine(int line) const = 0;   // -1 when there is no such line
    virtual int LineLength(int line) const = 0;     // without its line break

    // --- colours ------------------------------------------------------------------
    virtual void PaintRange(int start, int length, TColor color) = 0;
    // colours[i] for byte start + i, in one step; clipped to the text.
    virtual void PaintColors(int start, const TColor* colors, std::size_t count) = 0;
    virtual TColor ColorAt(int offset) const = 0;
    // The colours of [start, start + count) into out, in one step; the part
    // outside the text is left alone.
    virtual void CopyColors(int start, TColor* out, std::size_t count) const;
    // Paints colour runs over the colours the text has (a later run overrides
    // an earlier one) in one step over the bytes they touch. onBlack: the
    // caller knows those bytes are black, so they need not be read.
    virtual void PaintRuns(const ColorRuns& runs, bool onBlack);

    // --- state ----------------------------------------------------------------------
    virtual bool Modified() const = 0;
    virtual void SetModified(bool modified) = 0;
    virtual bool CanUndo() const = 0;
    // One step back through the history; painting never enters it.
    virtual void Undo() = 0;
    // Edits between the two (nested) are one step of the history.
    virtual void BeginUndoAction() = 0;
    virtual void EndUndoAction() = 0;
    // Nested; nothing is repainted in between.
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
};

// Suspends repainting of a buffer for a scope.
using UpdateScope = ScopedCall<EditBuffer, &EditBuffer::BeginUpdate, &EditBuffer::EndUpdate>;
// Makes the edits of a scope one step of the undo history.
using UndoGroup = ScopedCall<EditBuffer, &EditBuffer::BeginUndoAction, &EditBuffer::EndUndoAction>;

} // namespace tessel

#pragma once
// Reads real-world Rich Text Format into a neutral document: paragraphs of
// runs with their character formatting, text in UTF-8. It survives any input:
// text that does not begin as RTF is refused with RtfError; everything else
// (truncation, unbalanced braces, huge numbers, deep nesting, binary garbage)
// gives a best-effort document in time and memory linear in the input.
#include "platform/Color.h"
#include "platform/Errors.h"
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessel {

class RtfError : public AppError {
public:
    using AppError::AppError;
};

struct RtfCharFormat {
    int font = -1;              // index into RtfDocument::fonts, -1 unknown
    int halfPoints = 24;
    bool bold = false, italic = false, underline = false, strike = false;
    TColor foreground = clAutomatic;
    TColor background = clAutomatic;
    int link = -1;              // index into RtfDocument::links
    bool operator==(const RtfCharFormat& o) const
    {
        return font == o.font && halfPoints == o.halfPoints && bold == o.bold && italic == o.italic &&
               underline == o.underline && strike == o.strike && foreground == o.foreground &&
               background == o.background && link == o.link;
    }
    bool operator!=(const RtfCharFormat& o) const { return !(*this == o); }
};

struct RtfRun {
    std::string text;           // UTF-8; empty for a line break
    RtfCharFormat format;
    bool lineBreak = false;     // \line
};

enum class RtfAlignment { Left, Center, Right, Justify };

struct RtfParagraphFormat {
    RtfAlignment alignment = RtfAlignment::Left;
    int leftIndent = 0, rightIndent = 0, firstIndent = 0;   // twips
    int spaceBefore = 0, spaceAfter = 0, lineSpacing = 0;    // twips
};

struct RtfParagraph : RtfParagraphFormat {
    std::vector<RtfRun> runs;
    RtfCharFormat mark;         // the format at the paragraph's end
};

struct RtfFont {
    std::string name;
    int charset = 0;
};

struct RtfDocument {
    std::vector<RtfFont> fonts;
    int defaultFont = -1;                // index into fonts
    std::vector<std::string> links;      // hyperlink targets of fields
    std::vector<RtfParagraph> paragraphs;   // at least one; none when read into a sink
    std::vector<std::string> origin;     // control words of {\*\tesselsource ...}, with their numbers
    bool complete = true;                // false when the input ended inside a group
};

// Takes the text as it is read, for a reader that needs no paragraphs kept.
class RtfSink {
public:
    virtual ~RtfSink() = default;
    virtual void Text(std::string_view utf8, const RtfCharFormat& format) = 0;
    virtual void LineBreak(const RtfCharFormat& format) = 0;
    // Every paragraph ends once; the last one ends with the document.
    virtual void EndParagraph(const RtfParagraphFormat& format, const RtfCharFormat& mark, bool last) = 0;
};

bool LooksLikeRtf(std::string_view bytes);
RtfDocument ReadRtf(std::string_view rtf);   // throws RtfError when not RTF
// The same, the paragraphs going to the sink instead of the document.
RtfDocument ReadRtf(std::string_view rtf, RtfSink& sink);

// The document's text: paragraphs and line breaks end with the given break.
std::string PlainText(const RtfDocument& doc, std::string_view lineBreak = "\r\n");

} // namespace tessel

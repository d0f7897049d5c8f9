#include "richtext/ProjectFile.h"

#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"
#include "richtext/Unicode.h"

namespace tessel {

std::string WriteProjectFile(const ControlText& text, const std::vector<TColor>& colors)
{
    return WriteRtf(text, colors);
}

namespace {

// The text and colours straight from the reader: CR LF for every paragraph
// end and line break (where each stands is kept), black for the automatic colour.
class ControlTextSink : public RtfSink {
public:
    ControlTextSink(std::string& text, std::vector<TColor>& colors) : text_(text), colors_(colors) {}

    std::vector<std::size_t> marks;   // where each CR LF of a mark starts

    void Text(std::string_view utf8, const RtfCharFormat& format) override
    {
        text_.append(utf8);
        colors_.resize(text_.size(), ColorOf(format));
    }
    void LineBreak(const RtfCharFormat& format) override
    {
        marks.push_back(text_.size());
        text_ += "\r\n";
        colors_.resize(text_.size(), ColorOf(format));
    }
    void EndParagraph(const RtfParagraphFormat&, const RtfCharFormat& mark, bool last) override
    {
        if (!last)
            LineBreak(mark);
    }

private:
    static TColor ColorOf(const RtfCharFormat& f) { return ShownColor(f.foreground); }
    std::string& text_;
    std::vector<TColor>& colors_;
};

// In our own files a mark stands for the line end the file has most: an LF
// or a CR of the mark's CR LF goes.
void KeepOneByteMarks(ColoredText& result, const std::vector<std::size_t>& marks)
{
    if (result.text.lineEnds == LineEnds::CrLf || marks.empty())
        return;
    const std::size_t dropped = result.text.lineEnds == LineEnds::Lf ? 0 : 1;
    std::string& text = result.text.text;
    std::vector<TColor>& colors = result.colors;
    std::size_t at = 0, next = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (next < marks.size() && i == marks[next] + dropped) {
            ++next;
            continue;
        }
        colors[at] = colors[i];
        text[at++] = text[i];
    }
    text.resize(at);
    colors.resize(at);
}

} // namespace

ColoredText ReadProjectFile(std::string_view rtf)
{
    ColoredText result;
    std::string& text = result.text.text;
    std::vector<TColor>& colors = result.colors;
    // Enough for our own files, which are longer than their text.
    text.reserve(rtf.size());
    colors.reserve(rtf.size());
    ControlTextSink sink(text, colors);
    const RtfDocument doc = ReadRtf(rtf, sink);
    for (const std::string& word : doc.origin) {
        if (word == "lf")
            result.text.lineEnds = LineEnds::Lf;
        else if (word == "cr")
            result.text.lineEnds = LineEnds::Cr;
        else if (word == "latin1")
            result.text.encoding = TextEncoding::Latin1;
    }
    KeepOneByteMarks(result, sink.marks);
    if (result.text.encoding == TextEncoding::Latin1) {
        // Back to the file's bytes, each in the colour of its character; a
        // character foreign to the code page (only in a file edited
        // elsewhere) becomes a question mark.
        std::size_t at = 0;
        for (std::size_t p = 0; p < text.size();) {
            const std::size_t start = p;
            const int byte = UnicodeToCp1252(NextCodePoint(text, p));
            colors[at] = colors[start];
            text[at++] = static_cast<char>(byte < 0 ? '?' : byte);
        }
        text.resize(at);
        colors.resize(at);
    }
    return result;
}

std::string PlainTextOfRtf(std::string_view rtf)
{
    return ReadProjectFile(rtf).text.text;
}

} // namespace tessel

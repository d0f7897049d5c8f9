#include "platform/ProjectFile.h"

#include "platform/RtfReader.h"
#include "platform/RtfWriter.h"
#include "platform/Unicode.h"

namespace tessel {

std::string WriteProjectFile(const ControlText& text, const std::vector<std::uint32_t>& colours)
{
    return WriteRtf(text, colours);
}

ColouredText ReadProjectFile(std::string_view rtf)
{
    const RtfDocument doc = ReadRtf(rtf);
    ColouredText result;
    for (const std::string& word : doc.origin) {
        if (word == "lf")
            result.text.lineEnds = LineEnds::Lf;
        else if (word == "latin1")
            result.text.encoding = TextEncoding::Latin1;
    }
    const bool latin1 = result.text.encoding == TextEncoding::Latin1;
    std::string& out = result.text.text;
    std::vector<std::uint32_t>& colours = result.colours;
    auto colourOf = [](const RtfCharFormat& f) { return f.foreground == AutomaticColour ? 0u : f.foreground; };
    auto lineBreak = [&](const RtfCharFormat& f) {
        out += "\r\n";
        colours.insert(colours.end(), 2, colourOf(f));
    };
    std::size_t size = 2 * doc.paragraphs.size();
    for (const RtfParagraph& para : doc.paragraphs)
        for (const RtfRun& run : para.runs)
            size += run.lineBreak ? 2 : run.text.size();
    out.reserve(size);
    colours.reserve(size);
    for (std::size_t i = 0; i < doc.paragraphs.size(); ++i) {
        const RtfParagraph& para = doc.paragraphs[i];
        for (const RtfRun& run : para.runs) {
            if (run.lineBreak) {
                lineBreak(run.format);
                continue;
            }
            if (latin1) {
                // Back to the file's bytes; a character foreign to the code page
                // (only in a file edited elsewhere) becomes a question mark.
                for (std::size_t p = 0; p < run.text.size();) {
                    const int byte = UnicodeToCp1252(NextCodePoint(run.text, p));
                    out += static_cast<char>(byte < 0 ? '?' : byte);
                }
            } else {
                out += run.text;
            }
            colours.resize(out.size(), colourOf(run.format));
        }
        if (i + 1 < doc.paragraphs.size())
            lineBreak(para.mark);
    }
    return result;
}

std::string PlainTextOfRtf(std::string_view rtf)
{
    return FileBytesOf(ReadProjectFile(rtf).text);
}

} // namespace tessel

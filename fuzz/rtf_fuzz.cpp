// The rich-text reader meets files from anywhere. Properties: any input either
// is refused with RtfError or reads without a crash; the document's text stays
// within a bound of the input's size; the document and the streamed project-file
// reading agree; writing the text back out and reading it again gives the same
// bytes and colours.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "richtext/ProjectFile.h"
#include "richtext/RtfReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // Seeds without the header still reach the parser.
    std::string rtf = tessel::LooksLikeRtf(input) ? std::string(input) : "{\\rtf1 " + std::string(input);
    try {
        tessel::ReadRtf(input);
    } catch (const tessel::RtfError&) {
    }
    const tessel::RtfDocument doc = tessel::ReadRtf(rtf);
    const std::string text = tessel::PlainText(doc);
    // Every input byte yields at most a 4-byte character or a 2-byte break.
    if (text.size() > 4 * rtf.size() + 2)
        abort();

    const tessel::ColoredText read = tessel::ReadProjectFile(rtf);
    if (read.colors.size() != read.text.text.size())
        abort();
    // The streamed reading and the document agree on the text.
    if (read.text.encoding == tessel::TextEncoding::Utf8 && read.text.lineEnds == tessel::LineEnds::CrLf &&
        read.text.text != text)
        abort();
    const std::string again = tessel::WriteProjectFile(read.text, read.colors);
    const tessel::ColoredText back = tessel::ReadProjectFile(again);
    if (back.text.text != read.text.text || back.text.lineEnds != read.text.lineEnds)
        abort();
    // A CR LF line break comes back in the colour of its CR.
    for (std::size_t i = 0; i < read.colors.size(); ++i) {
        const bool lfOfBreak = read.text.lineEnds == tessel::LineEnds::CrLf && i > 0 && read.text.text[i] == '\n' &&
                               read.text.text[i - 1] == '\r';
        if (back.colors[i] != (lfOfBreak ? read.colors[i - 1] : read.colors[i]))
            abort();
    }
    return 0;
}

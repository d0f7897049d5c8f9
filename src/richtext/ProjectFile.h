#pragma once
// Project files (.qzt): a script's text with its colours as Rich Text Format.
// Writing and reading one gives back the file's exact bytes; any other RTF
// reads as its text with CR LF line breaks.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Color.h"
#include "richtext/ControlText.h"

namespace tessel {

struct ColoredText {
    ControlText text;
    std::vector<TColor> colors;   // one TColor per byte of text.text
};

// colours: one TColor per byte of text.text; for a file read from disk,
// text = ControlTextOfFile(bytes).
std::string WriteProjectFile(const ControlText& text, const std::vector<TColor>& colors);

// Throws RtfError when the bytes are not RTF. Automatic colour reads as black.
ColoredText ReadProjectFile(std::string_view rtf);
// The original file bytes of a project file; the text of any other RTF.
std::string PlainTextOfRtf(std::string_view rtf);

} // namespace tessel

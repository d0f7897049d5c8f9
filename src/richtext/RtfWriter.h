#pragma once
// Writes a coloured script text as Rich Text Format: the font "courier" at
// 8 points, a colour table of the colours used and a colour switch only where
// the colour changes. Any reader shows the text and its colours; our reader
// (RtfReader) gives back the exact bytes, line-end style and encoding, which
// travel in an ignorable group {\*\tesselsource\lf|\crlf|\cr\utf8|\latin1}.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Color.h"
#include "richtext/ControlText.h"

namespace tessel {

// colours: one TColor (0x00BBGGRR) per byte of text.text; missing entries
// are black. Each line end of the text's own kind is a paragraph mark (a CR
// LF pair one, in the colour of its CR); other CR and LF bytes are written as
// bytes, so a reader that knows the kind gives them all back.
// A text marked UTF-8 that is not valid UTF-8 is written as Latin-1.
std::string WriteRtf(const ControlText& text, const std::vector<TColor>& colors);

} // namespace tessel

#pragma once
// A document's bytes as the editing control holds them: every line break is
// CR LF (so a break counts two in offsets), all other bytes exactly as in the
// file. The file's line-end style and encoding travel beside the text so that
// saving writes back the very bytes that were read.
#include <string>
#include <string_view>

namespace tessel {

enum class LineEnds { CrLf, Lf };
enum class TextEncoding { Utf8, Latin1 };

struct ControlText {
    std::string text;                        // CR LF line breaks
    LineEnds lineEnds = LineEnds::CrLf;      // how the file writes them
    TextEncoding encoding = TextEncoding::Utf8;
};

bool IsValidUtf8(std::string_view bytes);

// A file with more bare LF than CR LF breaks is an LF file: each of its LFs
// gains a CR in the control. Anything else (CR LF, no breaks, lone CRs) is
// taken as it is. Either way FileBytesOf gives back the original bytes.
ControlText ControlTextOfFile(std::string_view fileBytes);
std::string FileBytesOf(std::string_view controlText, LineEnds lineEnds);
inline std::string FileBytesOf(const ControlText& text) { return FileBytesOf(text.text, text.lineEnds); }

} // namespace tessel

#pragma once
// A document's bytes as the editing control holds them: the file's bytes
// exactly, line ends included. LF, CR LF and a lone CR each end one line (as
// they do for the control), so every line of the file shows once, offsets
// count the bytes as stored (CR LF two, LF or CR one) and a save writes every
// line end back as it was read. The file's dominant line end and its encoding
// travel beside the text: new lines get that line end.
#include <string>
#include <string_view>

namespace tessel {

enum class LineEnds { CrLf, Lf, Cr };
enum class TextEncoding { Utf8, Latin1 };

struct ControlText {
    std::string text;                        // the file's bytes
    LineEnds lineEnds = LineEnds::CrLf;      // the line end new lines get
    TextEncoding encoding = TextEncoding::Utf8;
};

bool IsValidUtf8(std::string_view bytes);

// The file's bytes with the line end most of its lines have (a tie goes to
// CR LF, then LF; a file without line ends gets CR LF, as new files do).
ControlText ControlTextOfFile(std::string_view fileBytes);
// The bytes of a line end: "\r\n", "\n" or "\r".
const char* LineBreakOf(LineEnds lineEnds);

} // namespace tessel

#pragma once
// Reading what a compiler or an engine prints: a line that names a place in a
// file (an error, a warning or a note) becomes an entry the Messages pane can
// follow; every other line stays plain text. The forms are those the QuakeC
// compilers and today's Duke Nukem 3D port print:
//   FILE:LINE: error: TEXT              fteqcc, EDuke32's CON compiler, gcc
//   FILE:LINE:COLUMN: warning: TEXT     gmqcc, gcc
//   FILE:LINE: TEXT                     a note without a kind ("main2 is defined here")
//   FILE(LINE) : error: TEXT            the Windows style (also FILE(LINE,COLUMN))
//   Error in FILE on line N             fteqcc's closing line
// A kind may carry a code ("warning F302:", "error C2065:"). Output is bytes
// of any kind: a file name is kept as its bytes (it names a file on disk),
// and what is shown of a line is made safe to show (ShownText).
#include <optional>
#include <string>
#include <string_view>

namespace tessel {

enum class Severity { Error, Warning, Note };

struct CompilerMessage {
    Severity severity = Severity::Error;
    std::string file;        // as printed: relative to the folder the program ran in, or absolute
    int line = 0;            // from 1; 0 when the message names the file only
    int column = 0;          // from 1; 0 when the message gives none
    std::string text;        // what it says, after its kind
    bool summary = false;    // fteqcc's "Error in FILE on line N": where it stopped, not another fault
};

// The entry a line of output makes (its terminal escapes already removed,
// without its line end), or none: an unknown line, a file name that is empty,
// starts with a blank, holds a control character or ": ", or is all digits
// (a time of day), a line number of more than nine digits.
std::optional<CompilerMessage> ParseCompilerMessage(std::string_view line);

// A line without the terminal's escape sequences (colours: ESC [ ... letter;
// titles: ESC ] ... BEL or ESC \), which some compilers write even into a pipe.
std::string WithoutTerminalEscapes(std::string_view line);

// Bytes as text that is safe to show: valid UTF-8 stays, a tab stays; every
// other control character, every byte of an invalid sequence and the
// characters that reorder text (U+202A-U+202E, U+2066-U+2069) are shown as
// \xNN or \uNNNN, so that no outside text can change how a line reads.
std::string ShownText(std::string_view bytes);

} // namespace tessel

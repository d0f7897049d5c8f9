#pragma once
// What a started program prints, as the Messages pane keeps it: its bytes cut
// into lines as they arrive (LF, CR LF or a lone CR ends one, in whatever
// pieces the pipe delivers them), each line parsed for a message
// (CompilerMessages.h) and made safe to show. A program may print without
// end: only the first MaxLines lines are kept, and of each only its first
// MaxLineBytes bytes; errors and warnings are counted to the end all the
// same. The last line says how the program ended (RunSummary).
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "launch/CompilerMessages.h"

namespace tessel {

struct OutputLine {
    std::string text;                         // as shown: valid UTF-8 without control characters
    std::optional<CompilerMessage> message;   // the entry the line makes, if any
};

class OutputLog {
public:
    static constexpr std::size_t MaxLines = 10000;
    static constexpr std::size_t MaxLineBytes = 2000;

    // The lines that the bytes complete, to be shown; past MaxLines one note
    // that the rest is not kept, then nothing.
    std::vector<OutputLine> Take(std::string_view bytes);
    // At the program's end: its last line, when it ended without a line end.
    std::vector<OutputLine> Finish();

    int Errors() const { return errors_; }       // entries of kind error, fteqcc's summary not counted
    int Warnings() const { return warnings_; }
    std::size_t Lines() const { return lines_; }   // every line the program printed, kept or not

private:
    void EndLine(std::vector<OutputLine>& out);

    std::string pending_;      // the line being received, at most MaxLineBytes of it
    bool cut_ = false;         // it was longer than that
    bool afterCr_ = false;     // the last byte was a CR: an LF next ends nothing more
    std::size_t lines_ = 0;
    int errors_ = 0;
    int warnings_ = 0;
};

// How a program's run ended.
struct RunEnd {
    enum class Kind {
        Exited,        // status: its exit status
        Signalled,     // status: the signal that ended it
        Stopped,       // the user stopped it
        NotStarted,    // problem: why
    } kind = Kind::Exited;
    int status = 0;
    std::string problem;
};

// The pane's last line for a run of name (the program's file name) that took
// seconds: "fteqcc: 0 errors, 2 warnings (0.8 s)" when it ended with status 0;
// "fteqcc failed (exit status 1): 3 errors, 0 warnings (0.8 s)", "... failed
// (signal 11): ...", "fteqcc stopped: ..." otherwise; "fteqcc could not
// start: <problem>" when it never ran. The seconds are shown to a tenth,
// always with a full stop.
std::string RunSummary(const std::string& name, const RunEnd& end, int errors, int warnings, double seconds);

// The pane's first line for a run: "Running: PROGRAM ARGUMENTS (in FOLDER)",
// an argument that holds a blank, a quote or nothing shown in double quotes
// (its quotes and backslashes escaped), everything made safe to show. It is
// only shown: programs start from their argument vectors, never this text.
std::string RunningText(const std::string& program, const std::vector<std::string>& arguments,
                        const std::string& folder);

// The file a message names as a path: absolute as it is, a relative one
// counted from the folder the program ran in (absolute, ending in a separator).
std::string MessageFilePath(const std::string& runFolder, const std::string& file);

} // namespace tessel

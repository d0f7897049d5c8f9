#include "launch/OutputLog.h"

#include <algorithm>
#include <cmath>

#include "launch/GameLaunch.h"

namespace tessel {

namespace {

// A line cut at MaxLineBytes ends with a whole character: the bytes of one
// cut in two would show as escapes.
void CutAtCharacter(std::string& text)
{
    std::size_t lead = text.size();
    for (int back = 0; back < 4 && lead > 0; ++back) {
        const unsigned char c = static_cast<unsigned char>(text[--lead]);
        if ((c & 0xC0) != 0x80) {
            const std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
            if (text.size() - lead < length)
                text.resize(lead);
            return;
        }
    }
}

std::string Counted(int n, const char* what)
{
    return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

// Tenths with a full stop, whatever the locale.
std::string Seconds(double seconds)
{
    const long long tenths = std::llround(std::max(0.0, seconds) * 10);
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " s";
}

} // namespace

std::vector<OutputLine> OutputLog::Take(std::string_view bytes)
{
    std::vector<OutputLine> out;
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (afterCr_) {
            afterCr_ = false;
            if (bytes[i] == '\n') {
                ++i;
                continue;
            }
        }
        std::size_t end = i;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        const std::size_t stop = end;
        const std::size_t room = MaxLineBytes - pending_.size();
        if (stop - i > room) {
            pending_.append(bytes.substr(i, room));
            cut_ = true;
        } else {
            pending_.append(bytes.substr(i, stop - i));
        }
        if (end == bytes.size())
            break;
        afterCr_ = bytes[end] == '\r';
        EndLine(out);
        i = end + 1;
    }
    return out;
}

std::vector<OutputLine> OutputLog::Finish()
{
    std::vector<OutputLine> out;
    if (!pending_.empty())
        EndLine(out);
    afterCr_ = false;
    return out;
}

void OutputLog::EndLine(std::vector<OutputLine>& out)
{
    ++lines_;
    if (cut_)
        CutAtCharacter(pending_);
    const std::string plain = WithoutTerminalEscapes(pending_);
    std::optional<CompilerMessage> message = ParseCompilerMessage(plain);
    if (message && !message->summary)
        errors_ += message->severity == Severity::Error;
    if (message)
        warnings_ += message->severity == Severity::Warning;
    if (lines_ <= MaxLines)
        out.push_back({ShownText(plain) + (cut_ ? " [...]" : ""), std::move(message)});
    else if (lines_ == MaxLines + 1)
        out.push_back({"[Output past " + std::to_string(MaxLines) +
                           " lines is not kept; the counts at its end take in all of it.]",
                       std::nullopt});
    pending_.clear();
    cut_ = false;
}

std::string RunSummary(const std::string& name, const RunEnd& end, int errors, int warnings, double seconds)
{
    const std::string counts = Counted(errors, "error") + ", " + Counted(warnings, "warning");
    const std::string time = " (" + Seconds(seconds) + ")";
    switch (end.kind) {
    case RunEnd::Kind::Exited:
        if (end.status == 0)
            return name + ": " + counts + time;
        return name + " failed (exit status " + std::to_string(end.status) + "): " + counts + time;
    case RunEnd::Kind::Signalled:
        return name + " failed (signal " + std::to_string(end.status) + "): " + counts + time;
    case RunEnd::Kind::Stopped:
        return name + " stopped: " + counts + time;
    case RunEnd::Kind::NotStarted:
        break;
    }
    return name + " could not start" + (end.problem.empty() ? std::string() : ": " + end.problem);
}

std::string RunningText(const std::string& program, const std::vector<std::string>& arguments,
                        const std::string& folder)
{
    std::string text = "Running: " + program;
    for (const std::string& argument : arguments) {
        text += ' ';
        if (!argument.empty() && argument.find_first_of(" \t\"\\") == std::string::npos) {
            text += argument;
            continue;
        }
        text += '"';
        for (const char c : argument)
            text += c == '"' || c == '\\' ? std::string("\\") + c : std::string(1, c);
        text += '"';
    }
    if (!folder.empty())
        text += " (in " + folder + ")";
    return ShownText(text);
}

std::string MessageFilePath(const std::string& runFolder, const std::string& file)
{
    return TakenFrom(runFolder, file);
}

} // namespace tessel

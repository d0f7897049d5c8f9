// tessel-script: the script-language logic of the editor on the command line.
// check and colours use the file's bytes as they are: offsets count a line
// break as the bytes it has in the file. qzt colours the text as the editor
// holds it, so that the project file is the one the editor would save.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "language/BraceChecker.h"
#include "language/ColorDefinitions.h"
#include "language/ColorEngine.h"
#include "platform/Convert.h"
#include "platform/Errors.h"
#include "platform/Files.h"
#include "platform/Locations.h"
#include "platform/SignalCleanup.h"
#include "richtext/ProjectFile.h"
#include "tools/ConsoleOutput.h"
#include "tools/ConsolePrompter.h"

using namespace tessel;

namespace {

const char* const Usage =
    "usage: tessel-script check FILE\n"
    "       tessel-script colours FILE [--mode duke|quake|verge | --table FILE.qcf]\n"
    "                                  [--selection START LENGTH | --line START END]\n"
    "       tessel-script qzt FILE [--mode duke|quake|verge | --table FILE.qcf] [-o OUT]\n"
    "       tessel-script plain FILE.qzt [-o OUT]\n";

// Bad usage, naming what was wrong; the usage text follows it.
struct UsageError {
    std::string what;
};

// A file as it is on disk: a regular file and, when it is a script, one that
// the editing control could hold (a project file holds its colours besides).
std::string ReadInput(const std::string& path, bool script = true)
{
    if (DirectoryExists(path))
        ThrowNotRegularFile(path, true);
    if (script && FileSize(path) > MaxScriptLength)
        throw AppError(path + " is larger than the " + std::to_string(MaxScriptLength) +
                       " characters a script may hold");
    std::string bytes;
    if (!ReadWholeFile(path, bytes))
        throw IoError(IoErrorText(ENOENT) + std::string(": ") + path, ENOENT);
    return bytes;
}

int Number(const std::string& option, const std::string& text)
{
    int value = 0;
    if (!TryStrToInt(text, value))
        throw UsageError{option + ": " + text + " is not a whole number"};
    return value;
}

int Check(const std::vector<std::string>& args)
{
    if (args.size() != 1)
        throw UsageError{"check takes FILE"};
    const BraceCheckResult result = CheckBraces(ReadInput(args[0]));
    std::string out;
    for (const ErrorConType& error : result.ErrorList)
        out += error.Message + '\n';
    out += std::string(BraceCheckOutcome(result)) + '\n';
    WriteStandardOutput(out);
    return result.ErrorsFound() ? 1 : 0;
}

int ModeOfFile(const std::string& path)
{
    std::string ext = LastDotExtension(ExtractFileName(path));
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == "qc" ? 2 : ext == "vc" ? 3 : 1;
}

enum class Operation { Whole, Selection, Line };

// The command line after the verb: the file, then options (which ones a verb
// takes is in allowed).
struct Options {
    std::string file;
    int mode = 0;   // 0: by the file's extension
    std::string table;
    std::string out;
    Operation operation = Operation::Whole;
    int first = 0, second = 0;
};

Options ParseOptions(const std::string& verb, const std::vector<std::string>& args,
                     std::initializer_list<const char*> allowed)
{
    if (args.empty() || (args[0].size() > 1 && args[0][0] == '-'))
        throw UsageError{verb + " takes FILE first"};
    Options o;
    o.file = args[0];
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (std::none_of(allowed.begin(), allowed.end(), [&](const char* option) { return a == option; }))
            throw UsageError{verb + (a.size() > 1 && a[0] == '-' ? ": unknown option " : ": unexpected argument ") + a};
        const std::size_t left = args.size() - i - 1;
        if (a == "--selection" || a == "--line" ? left < 2 : left < 1)
            throw UsageError{a + (a == "--selection" ? " needs START and LENGTH"
                                  : a == "--line"    ? " needs START and END"
                                                     : " needs a value")};
        const bool twice = a == "--mode" || a == "--table" ? o.mode != 0 || !o.table.empty()
                           : a == "-o"                     ? !o.out.empty()
                                                           : o.operation != Operation::Whole;
        if (twice)
            throw UsageError{verb + ": " + a + " conflicts with an option given before it"};
        if (a == "--mode") {
            const std::string& m = args[++i];
            o.mode = m == "duke" ? 1 : m == "quake" ? 2 : m == "verge" ? 3 : 0;
            if (o.mode == 0)
                throw UsageError{"--mode must be duke, quake or verge"};
        } else if (a == "--table") {
            o.table = args[++i];
        } else if (a == "-o") {
            o.out = args[++i];
        } else {
            o.operation = a == "--line" ? Operation::Line : Operation::Selection;
            o.first = Number(a, args[++i]);
            o.second = Number(a, args[++i]);
        }
    }
    if (o.mode == 0)
        o.mode = ModeOfFile(o.file);
    return o;
}

// The mode's table where the program finds it, or the given file. As in the editor,
// faulty lines are reported and skipped, and a colour that is no number ends
// the table there. A table named on the command line must be there: false
// (after its message) when it is not.
bool LoadTable(const Options& o, const FileLocations& locations, KeywordTableType& table)
{
    ConsolePrompter prompter("tessel-script");
    try {
        if (o.table.empty())
            LoadColorDefinitions(o.mode, locations.DataFolder(ColorDefinitionFileName(o.mode)), table, prompter);
        else if (!LoadColorDefinitionFile(FolderPrefix(o.table), ExtractFileName(o.table), table, prompter))
            return false;
    } catch (const ConvertError& e) {
        prompter.ShowError(e.what());
    }
    return true;
}

std::vector<std::uint32_t> ColorWhole(const std::string& text, const KeywordTableType& table)
{
    return ComposeOnBlack(ColorWholeDocument(text, table), static_cast<int>(text.size()));
}

int Colors(const std::vector<std::string>& args, const FileLocations& locations)
{
    const Options o = ParseOptions("colours", args, {"--mode", "--table", "--selection", "--line"});
    const std::string text = ReadInput(o.file);
    KeywordTableType table;
    if (!LoadTable(o, locations, table))
        return 1;
    std::vector<std::uint32_t> colors;
    switch (o.operation) {
    case Operation::Whole: colors = ColorWhole(text, table); break;
    case Operation::Selection:
        colors = ComposeOnBlack(ColorSelection(text, table, o.first, o.second), static_cast<int>(text.size()));
        break;
    case Operation::Line:
        colors = ComposeOnBlack(RecolorLine(text, table, o.first, o.second), static_cast<int>(text.size()));
        break;
    }
    std::string out;
    char line[64];
    for (std::size_t start = 0; start < colors.size();) {
        std::size_t end = start + 1;
        while (end < colors.size() && colors[end] == colors[start])
            ++end;
        std::snprintf(line, sizeof line, "%zu %zu $%06X\n", start, end - start, colors[start]);
        out += line;
        start = end;
    }
    WriteStandardOutput(out);
    return 0;
}

// Writes a result file, never over the file it was made from.
void WriteOutput(const std::string& out, const std::string& from, const std::string& bytes)
{
    if (SameFile(out, from))
        throw IoError(FormatText("Cannot create file %s", out), EEXIST);
    ReplaceFile(out, bytes);
}

int Qzt(const std::vector<std::string>& args, const FileLocations& locations)
{
    const Options o = ParseOptions("qzt", args, {"--mode", "--table", "-o"});
    const ControlText text = ControlTextOfFile(ReadInput(o.file));
    KeywordTableType table;
    if (!LoadTable(o, locations, table))
        return 1;
    const std::string rtf = WriteProjectFile(text, ColorWhole(text.text, table));
    WriteOutput(o.out.empty() ? ChangeFileExt(o.file, ".qzt") : o.out, o.file, rtf);
    return 0;
}

int Plain(const std::vector<std::string>& args)
{
    const Options o = ParseOptions("plain", args, {"-o"});
    const std::string bytes = PlainTextOfRtf(ReadInput(o.file, false));
    if (o.out.empty())
        WriteStandardOutput(bytes);
    else
        WriteOutput(o.out, o.file, bytes);
    return 0;
}

int Run(std::vector<std::string> args)
{
    if (AnswerHelpOrVersion(args, "tessel-script " TESSEL_VERSION, Usage))
        return 0;
    if (args.empty())
        throw UsageError{"no command given"};
    // The colour files are found as the program finds them.
    const FileLocations locations = LocateProgramFiles(ExecutableDir());
    const std::string verb = args[0];
    args.erase(args.begin());
    if (verb == "check")
        return Check(args);
    if (verb == "colours" || verb == "colors")
        return Colors(args, locations);
    if (verb == "qzt")
        return Qzt(args, locations);
    if (verb == "plain")
        return Plain(args);
    throw UsageError{"unknown command " + verb};
}

} // namespace

int main(int argc, char** argv)
{
    ReportFileSizeLimitAsError();
    InstallSignalCleanup();
    ConsolePrompter prompter("tessel-script");
    int status = 1;
    const bool completed = RunGuarded(prompter, [&] {
        try {
            status = Run(std::vector<std::string>(argv + 1, argv + argc));
        } catch (const UsageError& e) {
            std::fprintf(stderr, "%s\n%s", e.what.c_str(), Usage);
            status = 2;
        }
        CloseStandardOutput();
    });
    return completed ? status : 1;
}

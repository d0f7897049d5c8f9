// tessel-script: the script-language logic of the editor on the command line.
//   tessel-script check FILE
//   tessel-script colours FILE [--mode duke|quake|verge | --table FILE.qcf]
//                              [--selection START LENGTH | --line START END]
// The file's bytes are used as they are: offsets count a line break as the
// bytes it has in the file.
#include <QCoreApplication>

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "language/BraceChecker.h"
#include "language/ColorDefinitions.h"
#include "language/ColorEngine.h"
#include "platform/Convert.h"
#include "platform/Errors.h"
#include "platform/Files.h"
#include "tools/ConsolePrompter.h"

using namespace tessel;

namespace {

const char* const Usage =
    "usage: tessel-script check FILE\n"
    "       tessel-script colours FILE [--mode duke|quake|verge | --table FILE.qcf]\n"
    "                                  [--selection START LENGTH | --line START END]\n";

struct UsageError {};

std::string ReadInput(const std::string& path)
{
    std::string bytes;
    if (DirectoryExists(path) || !ReadWholeFile(path, bytes))
        throw IoError(IoErrorText(ENOENT) + std::string(": ") + path, ENOENT);
    return bytes;
}

int Number(const std::string& text)
{
    int value = 0;
    if (!TryStrToInt(text, value))
        throw UsageError{};
    return value;
}

int Check(const std::vector<std::string>& args)
{
    if (args.size() != 1)
        throw UsageError{};
    const BraceCheckResult result = CheckBraces(ReadInput(args[0]));
    for (const ErrorConType& error : result.ErrorList)
        std::cout << error.Message << '\n';
    std::cout << BraceCheckOutcome(result) << '\n';
    return result.ErrorsFound() ? 1 : 0;
}

int ModeOfFile(const std::string& path)
{
    std::string ext = path.substr(path.find_last_of('.') == std::string::npos ? path.size()
                                                                               : path.find_last_of('.'));
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".qc" ? 2 : ext == ".vc" ? 3 : 1;
}

int Colours(const std::vector<std::string>& args, const std::string& programDir)
{
    if (args.empty())
        throw UsageError{};
    const std::string path = args[0];
    int mode = ModeOfFile(path);
    bool modeGiven = false;
    std::string tableFile;
    enum class Operation { Whole, Selection, Line } operation = Operation::Whole;
    int first = 0, second = 0;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--mode" && i + 1 < args.size() && !modeGiven && tableFile.empty()) {
            modeGiven = true;
            const std::string& m = args[++i];
            mode = m == "duke" ? 1 : m == "quake" ? 2 : m == "verge" ? 3 : 0;
            if (mode == 0)
                throw UsageError{};
        } else if (a == "--table" && i + 1 < args.size() && !modeGiven && tableFile.empty()) {
            tableFile = args[++i];
        } else if ((a == "--selection" || a == "--line") && i + 2 < args.size() &&
                   operation == Operation::Whole) {
            operation = a == "--line" ? Operation::Line : Operation::Selection;
            first = Number(args[++i]);
            second = Number(args[++i]);
        } else {
            throw UsageError{};
        }
    }
    const std::string text = ReadInput(path);

    ConsolePrompter prompter("tessel-script");
    KeywordTableType table;
    try {
        if (tableFile.empty())
            LoadColorDefinitions(mode, programDir, table, prompter);
        else
            LoadColorDefinitionFile(IncludeTrailingPathDelimiter(ExtractFileDir(tableFile)),
                                    ExtractFileName(tableFile), table, prompter);
    } catch (const ConvertError& e) {
        // As in the editor: the entries read before the faulty colour still colour.
        prompter.ShowError(e.what());
    }

    ColourRuns runs;
    switch (operation) {
    case Operation::Whole: runs = ColorWholeDocument(text, table); break;
    case Operation::Selection: runs = ColorSelection(text, table, first, second); break;
    case Operation::Line: runs = RecolorLine(text, table, first, second); break;
    }
    const std::vector<std::uint32_t> colours = ComposeOnBlack(runs, static_cast<int>(text.size()));
    std::string out;
    char line[64];
    for (std::size_t start = 0; start < colours.size();) {
        std::size_t end = start + 1;
        while (end < colours.size() && colours[end] == colours[start])
            ++end;
        std::snprintf(line, sizeof line, "%zu %zu $%06X\n", start, end - start, colours[start]);
        out += line;
        start = end;
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const std::string programDir = IncludeTrailingPathDelimiter(QCoreApplication::applicationDirPath().toStdString());
    std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.empty())
            throw UsageError{};
        const std::string verb = args[0];
        args.erase(args.begin());
        if (verb == "check")
            return Check(args);
        if (verb == "colours" || verb == "colors")
            return Colours(args, programDir);
        throw UsageError{};
    } catch (const UsageError&) {
        std::cerr << Usage;
        return 2;
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
}

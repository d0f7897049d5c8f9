// tessel-grp: the group file explorer's operations from the command line.
// Messages are the explorer's own texts, on stderr. Exit status 0 when the
// operation was carried out, 1 when it was refused or failed, 2 on bad usage.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "grp/GrpArchive.h"
#include "grp/GrpFormat.h"
#include "grp/GrpOperations.h"
#include "platform/Errors.h"
#include "platform/Files.h"
#include "platform/SignalCleanup.h"
#include "tools/ConsoleOutput.h"
#include "tools/ConsolePrompter.h"

using namespace tessel;

namespace {

const char* const Usage =
    "usage: tessel-grp [--yes | --no] COMMAND ...\n"
    "  list ARCHIVE                  live entries as NAME SIZE OFFSET, then signature and count\n"
    "  new ARCHIVE SIGNATURE         an archive without entries\n"
    "  add ARCHIVE FILE...           files into reserved slots\n"
    "  extract ARCHIVE NAME DEST     an entry's data to a file (or into a folder)\n"
    "  rm ARCHIVE NAME               marks the entries of that name deleted\n"
    "  reserve ARCHIVE N             rebuilds with N more reserved slots (1 to 1000000)\n"
    "  unreserve ARCHIVE             rebuilds without reserved slots\n"
    "  defrag ARCHIVE                rebuilds without the deleted entries' data\n"
    "  pack ARCHIVE DIR [--signature S] [--reserve N]\n"
    "                                a new archive of the regular files of DIR (signature\n"
    "                                KenSilverman, N 0 to 1000000 reserved slots)\n"
    "  unpack ARCHIVE DIR            every live entry to a file in DIR\n"
    "--yes / --no answer the questions (overwrite?); without them nothing is overwritten.\n";

// Bad usage, naming what was wrong; the usage text follows it.
struct UsageError {
    std::string what;
};

int ParseCount(const std::string& what, const std::string& text, int low, int high)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos ||
        std::stoi(text) < low || std::stoi(text) > high)
        throw UsageError{what + ": N must be " + std::to_string(low) + " to " + std::to_string(high)};
    return std::stoi(text);
}

std::string Printable(const std::string& name)
{
    std::string out;
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", u);
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

// A folder named where a file belongs is said to be one (the explorer's own
// texts say only that no file exists there). False when it is a folder.
bool NotAFolder(const std::string& path, ConsolePrompter& prompter)
{
    if (!DirectoryExists(path))
        return true;
    prompter.ShowMessage(path + " is a folder");
    return false;
}

// Loads the archive into the view (no tree); false when that was refused.
bool Load(GrpArchiveView& view, const std::string& path, ConsolePrompter& prompter)
{
    if (!NotAFolder(path, prompter))
        return false;
    view.treeListEnabled = false;
    view.archivePath = path;
    LoadArchive(view, path, prompter);
    return !prompter.refused;
}

void List(const std::string& path, ConsolePrompter& prompter)
{
    GrpArchiveView view;
    if (!Load(view, path, prompter))
        return;
    // One line per entry whatever bytes a name holds.
    std::string out;
    for (const auto& row : view.rows)
        out += Printable(row.name) + " " + std::to_string(row.size) + " " + std::to_string(row.offset) + "\n";
    out += "Signature: " + Printable(view.signature) + "\n" + view.panels[2] + "\n";
    WriteStandardOutput(out);
}

void Add(const std::string& path, const std::vector<std::string>& files, ConsolePrompter& prompter)
{
    GrpArchiveView view;
    if (!Load(view, path, prompter))
        return;
    for (const auto& file : files) {
        if (!NotAFolder(file, prompter))
            return;
        AddFile(view, path, file, prompter);
        if (prompter.refused)
            return;
    }
}

void Remove(const std::string& path, const std::string& name, ConsolePrompter& prompter)
{
    GrpArchiveView view;
    if (!Load(view, path, prompter))
        return;
    for (std::size_t i = 0; i < view.rows.size(); ++i)
        if (view.rows[i].name == name) {
            view.selectedRow = static_cast<int>(i);
            DeleteEntry(view, path, prompter);
            return;
        }
    prompter.ShowMessage("The file you selected cannot be found.");
}

void Extract(const std::string& path, const std::string& name, std::string dest, ConsolePrompter& prompter)
{
    if (!NotAFolder(path, prompter))
        return;
    if (DirectoryExists(dest)) {
        if (!IsPlainFileName(name)) {
            prompter.ShowMessage("The entry name \"" + Printable(name) + "\" is not a plain file name.");
            return;
        }
        dest = IncludeTrailingPathDelimiter(dest) + name;
    }
    ExtractEntry(path, dest, name, prompter);
}

void Pack(const std::string& path, const std::string& dir, const std::string& signature, int reserve,
          ConsolePrompter& prompter)
{
    std::vector<PackItem> items;
    const std::string folder = IncludeTrailingPathDelimiter(dir);
    for (const auto& name : ListFiles(dir)) {
        const std::string file = folder + name;
        // Not the archive itself when it lies in the folder, nor a rebuild's leftover.
        if (SameFile(file, path) || file == RebuildTempPath(path))
            continue;
        if (name.size() > GrpNameSize) {
            prompter.ShowMessage(
                "Warning: The file that you have chosen to insert is more than 12 characters long, shorten the "
                "filename and try again, because duke3D GRP are limited to 12 characters for filenames.");
            std::fprintf(stderr, "%s\n", Printable(name).c_str());
            return;
        }
        items.push_back({name, file});
    }
    if (FileExists(path) &&
        prompter.MessageDlg("The file already exists, are you sure you want to overwrite it?", MsgType::Confirm,
                            MsgButtons::YesNo) != MsgResult::Yes)
        return;
    PackArchive(path, signature, items, reserve);
}

void Unpack(const std::string& path, const std::string& dir, ConsolePrompter& prompter)
{
    GrpArchiveView view;
    if (!Load(view, path, prompter))
        return;
    // Every name is checked before anything is written: none may lead out of dir.
    for (const auto& row : view.rows)
        if (!IsPlainFileName(row.name)) {
            prompter.ShowMessage("The entry name \"" + Printable(row.name) +
                                 "\" is not a plain file name; nothing was unpacked.");
            return;
        }
    CreateDirectory(dir);
    File archive(path, File::Mode::Read);
    const std::int64_t dataStart = GrpDataStart(ReadGrpHeader(archive).count);   // the bounds of extract
    const std::string folder = IncludeTrailingPathDelimiter(dir);
    std::vector<std::string> done;
    for (const auto& row : view.rows) {
        // Of several entries of one name the first is the one, as for extract.
        bool seen = false;
        for (const auto& d : done)
            seen = seen || d == row.name;
        if (seen)
            continue;
        done.push_back(row.name);
        const std::string dest = folder + row.name;
        const ExtractTarget target = ConfirmExtractDestination(path, dest, prompter);
        if (target != ExtractTarget::Refused)
            CopyEntryData(archive, row.offset, row.size, dataStart, dest, target);
    }
}

// Each command with what follows it: a wrong number of arguments names them.
struct CommandForm {
    const char* name;
    const char* arguments;
    std::size_t least, most;
};
const CommandForm Commands[] = {
    {"list", "ARCHIVE", 1, 1},
    {"new", "ARCHIVE SIGNATURE", 2, 2},
    {"add", "ARCHIVE FILE...", 2, SIZE_MAX},
    {"extract", "ARCHIVE NAME DEST", 3, 3},
    {"rm", "ARCHIVE NAME", 2, 2},
    {"reserve", "ARCHIVE N", 2, 2},
    {"unreserve", "ARCHIVE", 1, 1},
    {"defrag", "ARCHIVE", 1, 1},
    {"pack", "ARCHIVE DIR", 2, 2},
    {"unpack", "ARCHIVE DIR", 2, 2},
};

int Run(std::vector<std::string> args, ConsolePrompter& prompter)
{
    std::string signature = "KenSilverman";
    std::string reserveText;
    bool packOptions = false;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--yes" || a == "--no") {
            const MsgResult answer = a == "--yes" ? MsgResult::Yes : MsgResult::No;
            if (prompter.answer != MsgResult::Cancel && prompter.answer != answer)
                throw UsageError{"--yes and --no cannot both be given"};
            prompter.answer = answer;
        } else if (a == "--signature" || a == "--reserve") {
            if (i + 1 >= args.size())
                throw UsageError{a + " needs a value"};
            (a == "--signature" ? signature : reserveText) = args[++i];
            packOptions = true;
        } else if (a.size() > 1 && a[0] == '-' && a != "--") {
            throw UsageError{"unknown option " + a};
        } else if (a != "--") {
            rest.push_back(a);
        }
    }
    if (rest.empty())
        throw UsageError{"no command given"};
    const std::string& cmd = rest[0];
    const CommandForm* form = nullptr;
    for (const auto& c : Commands)
        form = cmd == c.name ? &c : form;
    if (!form)
        throw UsageError{"unknown command " + cmd};
    const std::size_t n = rest.size() - 1;
    if (n < form->least || n > form->most)
        throw UsageError{cmd + " takes " + form->arguments};
    if (packOptions && cmd != "pack")
        throw UsageError{"--signature and --reserve are for pack only"};
    const std::string& archive = rest[1];
    GrpArchiveView view;
    view.treeListEnabled = false;
    if (cmd == "list") {
        List(archive, prompter);
    } else if (cmd == "new") {
        if (rest[2].size() > GrpNameSize)
            throw UsageError{"new: SIGNATURE must be at most 12 characters"};
        CreateArchive(view, archive, rest[2], prompter);
    } else if (cmd == "add") {
        Add(archive, std::vector<std::string>(rest.begin() + 2, rest.end()), prompter);
    } else if (cmd == "extract") {
        Extract(archive, rest[2], rest[3], prompter);
    } else if (cmd == "rm") {
        Remove(archive, rest[2], prompter);
    } else if (cmd == "reserve") {
        const int slots = ParseCount("reserve", rest[2], 1, 1000000);
        if (NotAFolder(archive, prompter))
            RebuildArchive(view, archive, slots, prompter);
    } else if (cmd == "unreserve") {
        if (NotAFolder(archive, prompter))
            EraseReservedSpace(view, archive, prompter);
    } else if (cmd == "defrag") {
        if (NotAFolder(archive, prompter))
            RebuildArchive(view, archive, 0, prompter);
    } else if (cmd == "pack") {
        if (signature.size() > GrpNameSize)
            throw UsageError{"--signature: S must be at most 12 characters"};
        Pack(archive, rest[2], signature, reserveText.empty() ? 0 : ParseCount("--reserve", reserveText, 0, 1000000),
             prompter);
    } else {
        Unpack(archive, rest[2], prompter);
    }
    return prompter.refused ? 1 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    ReportFileSizeLimitAsError();
    InstallSignalCleanup();
    ConsolePrompter prompter("tessel-grp");
    int status = 1;
    const bool completed = RunGuarded(prompter, [&] {
        try {
            const std::vector<std::string> args(argv + 1, argv + argc);
            if (AnswerHelpOrVersion(args, "tessel-grp " TESSEL_VERSION, Usage))
                status = 0;
            else
                status = Run(args, prompter);
        } catch (const UsageError& e) {
            std::fprintf(stderr, "%s\n%s", e.what.c_str(), Usage);
            status = 2;
        }
        CloseStandardOutput();
    });
    return completed ? status : 1;
}

// tessel-grp: the group file explorer's operations from the command line.
// Messages are the explorer's own texts, on stderr. Exit status 0 when the
// operation was carried out, 1 when it was refused or failed, 2 on bad usage.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "grp/GrpArchive.h"
#include "grp/GrpFormat.h"
#include "grp/GrpOperations.h"
#include "platform/Errors.h"
#include "platform/Files.h"
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
    "                                a new archive of the files of DIR (signature KenSilverman)\n"
    "  unpack ARCHIVE DIR            every live entry to a file in DIR\n"
    "--yes / --no answer the questions (overwrite?); without them nothing is overwritten.\n";

struct UsageError {};

int ParseCount(const std::string& text, int low, int high)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        throw UsageError();
    const int n = std::stoi(text);
    if (n < low || n > high)
        throw UsageError();
    return n;
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

// Loads the archive into the view (no tree); false when that was refused.
bool Load(GrpArchiveView& view, const std::string& path, ConsolePrompter& prompter)
{
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
    std::string out;
    for (const auto& row : view.rows)
        out += row.name + " " + std::to_string(row.size) + " " + std::to_string(row.offset) + "\n";
    out += view.panels[1] + "\n" + view.panels[2] + "\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
}

void Add(const std::string& path, const std::vector<std::string>& files, ConsolePrompter& prompter)
{
    GrpArchiveView view;
    if (!Load(view, path, prompter))
        return;
    for (const auto& file : files) {
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
        if (ConfirmExtractDestination(path, dest, prompter))
            CopyEntryData(archive, row.offset, row.size, GrpHeaderSize, dest);
    }
}

int Run(std::vector<std::string> args, ConsolePrompter& prompter)
{
    std::string signature = "KenSilverman";
    std::string reserveText;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--yes" || a == "--no") {
            const MsgResult answer = a == "--yes" ? MsgResult::Yes : MsgResult::No;
            if (prompter.answer != MsgResult::Cancel && prompter.answer != answer)
                throw UsageError();
            prompter.answer = answer;
        } else if ((a == "--signature" || a == "--reserve") && i + 1 < args.size()) {
            (a == "--signature" ? signature : reserveText) = args[++i];
        } else if (a.size() > 1 && a[0] == '-' && a != "--") {
            throw UsageError();
        } else if (a != "--") {
            rest.push_back(a);
        }
    }
    if (rest.size() < 2)
        throw UsageError();
    const std::string& cmd = rest[0];
    const std::string& archive = rest[1];
    const std::size_t n = rest.size();
    GrpArchiveView view;
    view.treeListEnabled = false;
    if (cmd == "list" && n == 2) {
        List(archive, prompter);
    } else if (cmd == "new" && n == 3) {
        if (rest[2].size() > GrpNameSize)
            throw UsageError();
        CreateArchive(view, archive, rest[2], prompter);
    } else if (cmd == "add" && n >= 3) {
        Add(archive, std::vector<std::string>(rest.begin() + 2, rest.end()), prompter);
    } else if (cmd == "extract" && n == 4) {
        Extract(archive, rest[2], rest[3], prompter);
    } else if (cmd == "rm" && n == 3) {
        Remove(archive, rest[2], prompter);
    } else if (cmd == "reserve" && n == 3) {
        RebuildArchive(view, archive, ParseCount(rest[2], 1, 1000000), prompter);
    } else if (cmd == "unreserve" && n == 2) {
        EraseReservedSpace(view, archive, prompter);
    } else if (cmd == "defrag" && n == 2) {
        RebuildArchive(view, archive, 0, prompter);
    } else if (cmd == "pack" && n == 3) {
        if (signature.size() > GrpNameSize)
            throw UsageError();
        Pack(archive, rest[2], signature, reserveText.empty() ? 0 : ParseCount(reserveText, 0, 1000000), prompter);
    } else if (cmd == "unpack" && n == 3) {
        Unpack(archive, rest[2], prompter);
    } else {
        throw UsageError();
    }
    return prompter.refused ? 1 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    ReportFileSizeLimitAsError();
    ConsolePrompter prompter("tessel-grp");
    int status = 1;
    RunGuarded(prompter, [&] {
        try {
            status = Run(std::vector<std::string>(argv + 1, argv + argc), prompter);
        } catch (const UsageError&) {
            std::fputs(Usage, stderr);
            status = 2;
        }
    });
    return status;
}

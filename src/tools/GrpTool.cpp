// tessel-grp: the group file explorer's operations from the command line.
// Messages are the explorer's own texts, on stderr. Exit status 0 when the
// operation was carried out, 1 when it was refused or failed, 2 on bad usage.
#include <cstdint>
#include <climits>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "build/EntryKind.h"
#include "build/FormatError.h"
#include "build/MapFile.h"
#include "build/SoundFile.h"
#include "build/TilePicture.h"
#include "grp/GrpArchive.h"
#include "grp/GrpContents.h"
#include "grp/GrpFormat.h"
#include "grp/GrpOperations.h"
#include "platform/Errors.h"
#include "platform/Files.h"
#include "platform/Paths.h"
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
    "  tiles ARCHIVE                 every tile of the ART entries as NUMBER WIDTHxHEIGHT ENTRY\n"
    "  tile ARCHIVE N OUT.png        tile N in the archive's palette (255 transparent)\n"
    "  replace-tile ARCHIVE N IN.png tile N from a picture, matched to the archive's palette\n"
    "  map ARCHIVE NAME | map FILE   a Build map's version, start and counts\n"
    "  sound ARCHIVE NAME OUT.wav    a VOC or WAV entry as a 16-bit PCM WAVE file\n"
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
        out += PrintableName(row.name) + " " + std::to_string(row.size) + " " + std::to_string(row.offset) + "\n";
    out += "Signature: " + PrintableName(view.signature) + "\n" + view.panels[2] + "\n";
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
            prompter.ShowMessage("The entry name \"" + PrintableName(name) + "\" is not a plain file name.");
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
            std::fprintf(stderr, "%s\n", PrintableName(name).c_str());
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
            prompter.ShowMessage("The entry name \"" + PrintableName(row.name) +
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

// A file the tool writes for the user: never over the archive, an existing
// one replaced only when the user said so; a device or a pipe written as it is.
void WriteOutput(const std::string& archive, const std::string& out, const std::string& bytes,
                 ConsolePrompter& prompter)
{
    if (!NotAFolder(out, prompter) || ConfirmExtractDestination(archive, out, prompter) == ExtractTarget::Refused)
        return;
    ReplaceFile(out, bytes, ReplaceTarget::AnyOutput);
}

void Tiles(const std::string& path, ConsolePrompter& prompter)
{
    if (!NotAFolder(path, prompter))
        return;
    std::string out;
    const std::vector<ArchiveTile> tiles = ListArchiveTiles(path);
    for (const auto& t : tiles)
        out += std::to_string(t.number) + " " + std::to_string(t.width) + "x" + std::to_string(t.height) + " " +
               PrintableName(t.entry) + "\n";
    out += "Tilecount: " + std::to_string(tiles.size()) + "\n";
    WriteStandardOutput(out);
}

void Tile(const std::string& path, int number, const std::string& out, ConsolePrompter& prompter)
{
    if (!NotAFolder(path, prompter))
        return;
    const PaletteChoice palette = ArchivePalette(path);
    const std::string png = EncodePng(ArchiveTileImage(path, number, palette.colors));
    if (!palette.found)   // a note, not a refusal: the picture is still of use
        std::fprintf(stderr, "tessel-grp: tile %d drawn in %s\n", number, palette.source.c_str());
    WriteOutput(path, out, png, prompter);
}

void ReplaceTile(const std::string& path, int number, const std::string& in, ConsolePrompter& prompter)
{
    if (!NotAFolder(path, prompter) || !NotAFolder(in, prompter))
        return;
    std::string bytes;
    if (!ReadWholeFile(in, bytes)) {
        prompter.ShowMessage("The file " + in + " does not exist.");
        return;
    }
    RgbaImage picture;
    try {
        picture = DecodePng(bytes);
    } catch (const FormatError& e) {
        throw FormatError(in + ": " + e.what());
    }
    ReplaceArchiveTile(path, number, picture);
}

// The entry named in the archive, read whole; nullopt after the explorer's message when there is none.
std::optional<std::string> EntryData(const std::string& path, const std::string& name, ConsolePrompter& prompter)
{
    if (!NotAFolder(path, prompter))
        return std::nullopt;
    if (!FileExists(path)) {
        prompter.ShowMessage("The selected file does not exist.");
        return std::nullopt;
    }
    const auto entry = FindEntry(LiveEntries(path), name);
    if (!entry) {
        prompter.ShowMessage("The file you selected cannot be found.");
        return std::nullopt;
    }
    return ReadEntryData(path, *entry, INT32_MAX);
}

void Map(const std::vector<std::string>& args, ConsolePrompter& prompter)
{
    std::optional<std::string> bytes;
    if (args.size() == 1) {
        bytes.emplace();
        if (!NotAFolder(args[0], prompter))
            return;
        if (!ReadWholeFile(args[0], *bytes)) {
            prompter.ShowMessage("The file " + args[0] + " does not exist.");
            return;
        }
    } else if (!(bytes = EntryData(args[0], args[1], prompter))) {
        return;
    }
    const std::string name = args.back();
    MapFile map;
    try {
        map = ReadMap(*bytes);
    } catch (const FormatError& e) {
        throw FormatError(PrintableName(name) + ": " + e.what());
    }
    WriteStandardOutput("Version: " + std::to_string(map.version) + "\nStart: " + std::to_string(map.x) + " " +
                        std::to_string(map.y) + " " + std::to_string(map.z) + " angle " + std::to_string(map.angle) +
                        " sector " + std::to_string(map.startSector) + "\nSectors: " +
                        std::to_string(map.sectors.size()) + "\nWalls: " + std::to_string(map.walls.size()) +
                        "\nSprites: " + std::to_string(map.sprites.size()) + "\n");
}

void Sound(const std::string& path, const std::string& name, const std::string& out, ConsolePrompter& prompter)
{
    const auto bytes = EntryData(path, name, prompter);
    if (!bytes)
        return;
    const EntryKind kind = EntryKindOf(name, *bytes);
    if (kind != EntryKind::Voc && kind != EntryKind::Wav) {
        prompter.ShowMessage(PrintableName(name) + " is not a VOC or WAV sound.");
        return;
    }
    PcmSound sound;
    try {
        sound = kind == EntryKind::Voc ? ReadVoc(*bytes) : ReadWav(*bytes);
    } catch (const FormatError& e) {
        throw FormatError(PrintableName(name) + ": " + e.what());
    }
    WriteOutput(path, out, WriteWav(sound), prompter);
    if (!prompter.refused) {
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.2f", sound.Seconds());
        WriteStandardOutput(sound.format + ", " + std::to_string(sound.rate) + " Hz, " +
                            (sound.channels == 2 ? "stereo" : "mono") + ", " + seconds + " s\n");
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
    {"tiles", "ARCHIVE", 1, 1},
    {"tile", "ARCHIVE N OUT.png", 3, 3},
    {"replace-tile", "ARCHIVE N IN.png", 3, 3},
    {"map", "ARCHIVE NAME or FILE", 1, 2},
    {"sound", "ARCHIVE NAME OUT.wav", 3, 3},
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
    } else if (cmd == "unpack") {
        Unpack(archive, rest[2], prompter);
    } else if (cmd == "tiles") {
        Tiles(archive, prompter);
    } else if (cmd == "tile" || cmd == "replace-tile") {
        const int number = ParseCount(cmd, rest[2], 0, MaxTileNumber);
        if (cmd == "tile")
            Tile(archive, number, rest[3], prompter);
        else
            ReplaceTile(archive, number, rest[3], prompter);
    } else if (cmd == "map") {
        Map(std::vector<std::string>(rest.begin() + 1, rest.end()), prompter);
    } else {
        Sound(archive, rest[2], rest[3], prompter);
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

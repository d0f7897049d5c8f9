#include "grp/GrpContents.h"

#include <algorithm>
#include <cctype>
#include <climits>

#include "build/FormatError.h"
#include "grp/GrpFormat.h"
#include "grp/GrpOperations.h"
#include "platform/Errors.h"

namespace tessel {

namespace {

bool SameName(const std::string& a, const std::string& b, bool anyCase)
{
    if (!anyCase)
        return a == b;
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

bool IsArtName(const std::string& name)
{
    return name.size() > 4 && SameName(name.substr(name.size() - 4), ".ART", true);
}

// An entry's whole data as a format reader's input; its name goes into what the reader says.
template <typename Reader>
auto ReadEntryAs(const std::string& archivePath, const GrpRow& row, Reader read)
{
    const std::string data = ReadEntryData(archivePath, row, INT32_MAX);
    try {
        return read(data);
    } catch (const FormatError& e) {
        throw FormatError(row.name + ": " + e.what());
    }
}

std::string ShortName(const std::string& path)
{
    return ExtractFileName(path);
}

} // namespace

std::vector<GrpRow> LiveEntries(const std::string& archivePath)
{
    File file(archivePath, File::Mode::Read);
    const std::int64_t fileSize = file.Size();
    const GrpHeader header = ReadGrpHeader(file);
    GrpDirectoryReader dir(file, fileSize, header.count);
    std::vector<GrpRow> rows;
    std::int64_t offset = GrpDataStart(header.count);
    GrpDirEntry e;
    while (dir.Next(e)) {
        if (e.IsReservedSlot())
            return rows;
        if (!e.IsDeleted())
            rows.push_back({GrpNameText(e.name), e.size, offset});
        offset += e.size;
    }
    if (dir.RunsPastEnd())
        ThrowReadBeyondEnd();
    return rows;
}

std::optional<GrpRow> FindEntry(const std::vector<GrpRow>& rows, const std::string& name, bool anyCase)
{
    for (const auto& row : rows)
        if (SameName(row.name, name, anyCase))
            return row;
    return std::nullopt;
}

std::string ReadEntryData(const std::string& archivePath, const GrpRow& entry, std::int64_t limit, bool partial)
{
    File file(archivePath, File::Mode::Read);
    const GrpHeader header = ReadGrpHeader(file);
    CheckDataInFile(entry.offset, entry.size, GrpDataStart(header.count), file.Size());
    if (entry.size > limit && !partial)
        throw AppError(entry.name + " is too large (" + std::to_string(entry.size) + " bytes; at most " +
                       std::to_string(limit) + " are read)");
    std::string data(static_cast<std::size_t>(std::min<std::int64_t>(entry.size, limit)), '\0');
    file.ReadExactAt(data.data(), data.size(), entry.offset);
    return data;
}

void ReplaceEntryData(const std::string& archivePath, const std::string& name, std::string_view bytes)
{
    if (bytes.size() > INT32_MAX)
        throw AppError(name + " is too large for a group file (an entry holds at most 2147483647 bytes)");
    File old(archivePath, File::Mode::Read);
    const std::int64_t fileSize = old.Size();
    const GrpHeader header = ReadGrpHeader(old);
    std::vector<GrpDirEntry> entries = ReadCheckedGrpDirectory(old, fileSize, header.count);
    std::size_t found = entries.size();
    for (std::size_t i = 0; i < entries.size() && found == entries.size() && !entries[i].IsReservedSlot(); ++i)
        if (!entries[i].IsDeleted() && GrpNameText(entries[i].name) == name)
            found = i;
    if (found == entries.size())
        throw AppError(name + " is no longer in " + archivePath);
    std::vector<std::int32_t> oldSizes;
    for (const auto& e : entries)
        oldSizes.push_back(e.size);
    entries[found].size = static_cast<std::int32_t>(bytes.size());
    const std::string target = ResolvePath(archivePath);
    const std::vector<unsigned char> head = EncodeGrpHead(header.signature, entries);
    ReplaceFile(target, [&](File& out) {
        out.WriteAt(head.data(), head.size(), 0);
        std::int64_t from = GrpDataStart(header.count), to = static_cast<std::int64_t>(head.size());
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (i == found) {
                out.WriteAt(bytes.data(), bytes.size(), to);
                to += static_cast<std::int64_t>(bytes.size());
            } else {
                out.CopyFrom(old, from, to, oldSizes[i]);
                to += oldSizes[i];
            }
            from += oldSizes[i];
        }
        out.CopyFrom(old, from, to, fileSize - from);   // what another tool put after the data
    }, ReplaceTarget::AnyOutput, ExtractFileName(RebuildTempPath(target)));
}

std::vector<ArchiveTile> ListArchiveTiles(const std::string& archivePath)
{
    std::vector<ArchiveTile> tiles;
    for (const GrpRow& row : LiveEntries(archivePath)) {
        if (!IsArtName(row.name))
            continue;
        const ArtFile art = ReadEntryAs(archivePath, row, ReadArt);
        for (int n = art.first; n <= art.last; ++n)
            tiles.push_back({n, art.Tile(n).width, art.Tile(n).height, row.name});
    }
    return tiles;
}

PaletteChoice ArchivePalette(const std::string& archivePath, const std::vector<std::string>& others)
{
    PaletteChoice choice;
    std::string passed;
    std::vector<std::string> archives{archivePath};
    archives.insert(archives.end(), others.begin(), others.end());
    for (std::size_t i = 0; i < archives.size(); ++i) {
        const std::string from = i == 0 ? std::string("this archive") : archives[i];
        try {
            const auto rows = LiveEntries(archives[i]);
            const auto entry = FindEntry(rows, "PALETTE.DAT", true);
            if (!entry)
                continue;
            choice.colors = ReadEntryAs(archives[i], *entry, ReadPalette).colors;
            choice.found = true;
            choice.source = entry->name + " of " + from;
            if (!passed.empty())
                choice.source += " (" + passed + ")";
            return choice;
        } catch (const AppError& e) {
            if (passed.empty())
                passed = "that of " + from + " is damaged: " + e.what();
        }
    }
    choice.colors = GreyRamp();
    choice.source = "a grey ramp: no palette in this archive or another open one";
    if (!passed.empty())
        choice.source += " (" + passed + ")";
    return choice;
}

ArtEntry ArtEntryOfTile(const std::string& archivePath, int number)
{
    for (const GrpRow& row : LiveEntries(archivePath)) {
        if (!IsArtName(row.name))
            continue;
        ArtFile art = ReadEntryAs(archivePath, row, ReadArt);
        if (art.Holds(number))
            return {row.name, std::move(art)};
    }
    throw AppError("No ART entry of " + archivePath + " holds tile " + std::to_string(number) + ".");
}

RgbaImage ArchiveTileImage(const std::string& archivePath, int number, const PaletteColors& colors)
{
    const ArtEntry entry = ArtEntryOfTile(archivePath, number);
    const ArtTile& tile = entry.art.Tile(number);
    if (tile.width == 0 || tile.height == 0)
        throw AppError("Tile " + std::to_string(number) + " is empty (" + std::to_string(tile.width) + " x " +
                       std::to_string(tile.height) + " pixels): there is no picture of it.");
    return TileToImage(entry.art.Pixels(number), tile.width, tile.height, colors);
}

void ReplaceArchiveTile(const std::string& archivePath, int number, const RgbaImage& picture)
{
    const PaletteChoice palette = ArchivePalette(archivePath);
    if (!palette.found)
        throw AppError("The archive has no usable PALETTE.DAT, so the picture's colours cannot be matched (" +
                       palette.source + ").");
    ArtEntry entry = ArtEntryOfTile(archivePath, number);
    ReplaceArtTile(entry.art, number, picture.width, picture.height, ImageToTile(picture, palette.colors));
    ReplaceEntryData(archivePath, entry.name, WriteArt(entry.art));
}

GrpEntryDocument::GrpEntryDocument(std::string archivePath, std::string entryName)
    : archivePath_(std::move(archivePath)), entryName_(std::move(entryName))
{
}

std::string GrpEntryDocument::Name() const
{
    return entryName_ + " in " + archivePath_;
}

std::string GrpEntryDocument::SavedText() const
{
    return "Saved " + entryName_ + " into " + ShortName(archivePath_);
}

std::string GrpEntryDocument::Read()
{
    const FileStamp stamp = StampOf(archivePath_);   // before reading: a change meanwhile shows at the write
    const auto entry = FindEntry(LiveEntries(archivePath_), entryName_);
    if (!entry)
        throw AppError(Name() + " cannot be found.");
    bytes_ = ReadEntryData(archivePath_, *entry, INT32_MAX);
    stamp_ = stamp;
    return bytes_;
}

bool GrpEntryDocument::Write(std::string_view bytes, Prompter& prompter)
{
    if (StampOf(archivePath_) != stamp_) {
        const auto entry = FileExists(archivePath_) ? FindEntry(LiveEntries(archivePath_), entryName_) : std::nullopt;
        if (!entry) {
            prompter.ShowMessage(entryName_ + " is no longer in " + archivePath_ + ", so it was not saved there.");
            return false;
        }
        if (ReadEntryData(archivePath_, *entry, INT32_MAX) != bytes_ &&
            prompter.MessageDlg(Name() + " was changed by another program since it was opened. Overwrite it?",
                                MsgType::Confirm, MsgButtons::YesNo) != MsgResult::Yes)
            return false;
    }
    try {
        ReplaceEntryData(archivePath_, entryName_, bytes);
    } catch (...) {
        stamp_ = FileStamp();   // whatever happened, look again next time
        throw;
    }
    stamp_ = StampOf(archivePath_);
    bytes_ = std::string(bytes);
    return true;
}

} // namespace tessel

#include "grp/GrpOperations.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <optional>

#include "grp/GrpCommands.h"
#include "grp/GrpFormat.h"
#include "platform/Errors.h"
#include "platform/Files.h"
#include "platform/SignalCleanup.h"

namespace tessel {

namespace {

std::int64_t EntryPosition(std::size_t index)
{
    return GrpHeaderSize + static_cast<std::int64_t>(index) * GrpEntrySize;
}

void EraseRow(GrpArchiveView& view, std::size_t index)
{
    view.rows.erase(view.rows.begin() + static_cast<std::ptrdiff_t>(index));
    if (view.selectedRow == static_cast<int>(index))
        view.selectedRow = -1;
    else if (view.selectedRow > static_cast<int>(index))
        --view.selectedRow;
}

void MarkDeleted(File& archive, std::size_t index)
{
    archive.WriteAt(DeletedEntryMarker.data(), GrpNameSize, EntryPosition(index));
}

std::string ReservedNameText(const std::string& name)
{
    return name + " is a reserved name in group files";
}

std::string TooLargeText(const std::string& name)
{
    return name + " is too large for a group file (an entry holds at most 2147483647 bytes)";
}

// The first reserved slot, when nothing with a name or data follows it: only
// then is its data offset the end of the data, where Add may write. Archives
// made elsewhere may have live entries after a slot. entries.size() for none.
std::size_t UsableSlot(const std::vector<GrpDirEntry>& entries)
{
    const auto first = std::find_if(entries.begin(), entries.end(), [](const GrpDirEntry& e) {
        return e.IsReservedSlot();
    });
    if (first == entries.end() || !std::all_of(first + 1, entries.end(), [](const GrpDirEntry& e) {
            return e.IsReservedSlot() && e.size == 0;
        }))
        return entries.size();
    return static_cast<std::size_t>(first - entries.begin());
}

// The destination of an extraction, never through a symbolic link standing
// at its name: that would put the entry wherever the link points.
File CreateDestination(const std::string& path, ExtractTarget target)
{
    try {
        return File(path, target == ExtractTarget::Overwrite ? File::Mode::Overwrite : File::Mode::Fresh);
    } catch (const IoError& e) {
        if (e.Code() != EEXIST && e.Code() != ELOOP)
            throw;
        if (DirectoryExists(path))
            ThrowNotRegularFile(path, true);
        throw AppError(FormatText("Cannot create file %s", path));
    }
}

// Writes header, directory and data of a new archive into "~temp" + its name
// beside target and renames it over target: whatever fails, target is
// untouched and the temporary file is gone.
template <typename WriteData>
void ReplaceWithNewArchive(const std::string& target, const std::vector<unsigned char>& headerAndDirectory,
                           WriteData&& writeData)
{
    ReplaceFile(target, [&](File& out) {
        out.WriteAt(headerAndDirectory.data(), headerAndDirectory.size(), 0);
        writeData(out, static_cast<std::int64_t>(headerAndDirectory.size()));
    }, ReplaceTarget::AnyOutput, "~temp" + ExtractFileName(target));
}

// The rebuild: the live entries first, in their order and each with its data,
// then the reserved slots that were there (unless dropSlots), then extraSlots
// new ones; deleted entries leave with their data. For archives whose slots
// follow their entries this is the layout they had, less the deleted entries.
void WriteRebuiltArchive(const std::string& archivePath, int extraSlots, bool dropSlots, GrpWindowHooks& hooks)
{
    File old(archivePath, File::Mode::Read);
    const std::int64_t fileSize = old.Size();
    const GrpHeader header = ReadGrpHeader(old);
    const std::vector<GrpDirEntry> entries = ReadCheckedGrpDirectory(old, fileSize, header.count);

    struct Move {
        std::int64_t from;
        std::int32_t size;
    };
    std::vector<GrpDirEntry> kept;
    std::vector<Move> moves;
    std::int64_t slots = 0;
    std::int64_t oldOffset = GrpDataStart(header.count);
    for (const auto& e : entries) {
        if (e.IsReservedSlot()) {
            ++slots;
        } else if (!e.IsDeleted()) {
            kept.push_back(e);
            moves.push_back({oldOffset, e.size});
        }
        oldOffset += e.size;
    }
    const std::int64_t newCount = static_cast<std::int64_t>(kept.size()) + (dropSlots ? 0 : slots) + extraSlots;
    if (extraSlots < 0 || newCount > INT32_MAX)
        ThrowIoError(EFBIG);

    // Slots have no data, whatever size another tool gave them.
    kept.resize(static_cast<std::size_t>(newCount), GrpDirEntry{ReservedSlotMarker, 0});
    // Through a symbolic link the file it names is rebuilt, beside itself.
    ReplaceWithNewArchive(ResolvePath(archivePath), EncodeGrpHead(header.signature, kept),
                          [&](File& out, std::int64_t offset) {
                              // In parts, so that the window can show how far a large archive is.
                              constexpr std::int64_t Part = 8 << 20;
                              std::int64_t total = 0, done = 0;
                              for (const auto& m : moves)
                                  total += m.size;
                              for (const auto& m : moves) {
                                  for (std::int64_t at = 0; at < m.size; at += Part) {
                                      const std::int64_t n = std::min<std::int64_t>(Part, m.size - at);
                                      out.CopyFrom(old, m.from + at, offset + at, n);
                                      hooks.Progress(done += n, total);
                                  }
                                  offset += m.size;
                              }
                          });
}

// The directory of a non-empty archive up to its first reserved slot, or
// nullopt after emptyMessage when the file has no bytes at all.
struct ListedDirectory {
    std::int64_t fileSize;
    GrpHeader header;
    GrpDirectory dir;
};
// Before a write the whole directory must fit the file (ReadCheckedGrpDirectory).
std::optional<ListedDirectory> ReadListedDirectory(File& archive, const char* emptyMessage, Prompter& prompter,
                                                   bool toWrite = false)
{
    const std::int64_t fileSize = archive.Size();
    if (fileSize == 0) {
        prompter.ShowMessage(emptyMessage);
        return std::nullopt;
    }
    const GrpHeader header = ReadGrpHeader(archive);
    if (!toWrite)
        return ListedDirectory{fileSize, header, ReadGrpDirectory(archive, fileSize, header.count, true)};
    GrpDirectory dir;
    dir.entries = ReadCheckedGrpDirectory(archive, fileSize, header.count);
    const auto slot = std::find_if(dir.entries.begin(), dir.entries.end(), [](const GrpDirEntry& e) {
        return e.IsReservedSlot();
    });
    dir.stoppedAtSlot = slot != dir.entries.end();
    dir.entries.erase(slot, dir.entries.end());
    return ListedDirectory{fileSize, header, std::move(dir)};
}

// Whether the archive an entry is taken from is there; if not, says so.
bool ArchiveThere(const std::string& archivePath, Prompter& prompter)
{
    if (FileExists(archivePath))
        return true;
    prompter.ShowMessage("The selected file does not exist.");
    return false;
}

// The archive opened to mark entries deleted, with its whole directory read
// before any byte is written; nullopt after the message when it has no bytes.
struct OpenedForDeletion {
    File archive;
    GrpDirectory dir;
};
std::optional<OpenedForDeletion> OpenForDeletion(const std::string& archivePath, Prompter& prompter)
{
    File archive(archivePath, File::Mode::ReadWrite);
    auto listed = ReadListedDirectory(archive, "The file is incompatible, or is empty.", prompter, true);
    if (!listed)
        return std::nullopt;
    return OpenedForDeletion{std::move(archive), std::move(listed->dir)};
}

// An entry deleted from the archive leaves the tree and the count.
void ForgetListedEntry(GrpArchiveView& view, const std::string& name)
{
    if (!view.groups.empty())
        view.RemoveTreeNode(name);
    --view.listedCount;
    view.ShowCount();
}

} // namespace

std::string RebuildTempPath(const std::string& archivePath)
{
    return FolderPrefix(archivePath) + "~temp" + ExtractFileName(archivePath);
}

void AddFile(GrpArchiveView& view, const std::string& archivePath, const std::string& sourcePath,
             Prompter& prompter)
{
    if (!FileExists(archivePath)) {
        prompter.ShowMessage("The Archive does not exist anymore, closing archive...");
        CloseArchive(view, prompter);
        return;
    }
    if (!FileExists(sourcePath)) {
        prompter.ShowMessage("The file to add does not exist.");
        return;
    }
    // Under another name (a link, "..") too: the copy would read what it writes.
    if (sourcePath == archivePath || SameFile(sourcePath, archivePath)) {
        prompter.ShowMessage("You may not add the same file that you are using as the archive to the archive.");
        return;
    }
    const std::string name = WindowsFileName(sourcePath);
    File source(sourcePath, File::Mode::Read);
    const std::int64_t sourceSize = source.Size();
    File archive(archivePath, File::Mode::ReadWrite);
    const std::int64_t archiveSize = archive.Size();
    const GrpHeader header = ReadGrpHeader(archive);
    const std::vector<GrpDirEntry> entries = ReadCheckedGrpDirectory(archive, archiveSize, header.count);
    // The names on disk, not the window's list, which may be older.
    for (const auto& e : entries)
        if (!e.IsDeleted() && !e.IsReservedSlot() && GrpNameText(e.name) == name) {
            prompter.ShowMessage("There is already a file with the same name in the archive");
            return;
        }
    if (name.size() > GrpNameSize) {
        prompter.ShowMessage(
            "Warning: The file that you have chosen to insert is more than 12 characters long, shorten the filename "
            "and try again, because duke3D GRP are limited to 12 characters for filenames.");
        return;
    }
    if (IsMarkerName(name)) {
        prompter.ShowMessage(ReservedNameText(name));
        return;
    }
    if (sourceSize > INT32_MAX) {
        prompter.ShowMessage(TooLargeText(name));
        return;
    }
    const auto size = static_cast<std::int32_t>(sourceSize);

    std::int32_t count = header.count;
    std::size_t slot = 0;                  // index of the directory entry that becomes the file
    std::int64_t dataOffset = GrpDataStart(1);
    if (count < 1) {
        count = 1;
    } else {
        slot = UsableSlot(entries);
        if (slot == entries.size()) {
            prompter.ShowMessage("There is no reserved space in the group file, please add some.");
            archive.Close();
            source.Close();
            CreateReservedSpaceCommand(view, prompter);
            return;
        }
        dataOffset = GrpDataStart(count);
        for (std::size_t i = 0; i < slot; ++i)
            dataOffset += entries[i].size;
    }
    const std::int32_t position = static_cast<std::int32_t>(slot) + 1;

    // The data goes in first and reaches the disk before the directory names
    // it; a failure on the way, or a signal that ends the process, puts the
    // archive back as it was.
    unsigned char oldEntry[GrpEntrySize] = {};
    const bool slotInFile = EntryPosition(slot) + GrpEntrySize <= archiveSize;
    if (slotInFile)
        archive.ReadExactAt(oldEntry, sizeof oldEntry, EntryPosition(slot));
    TruncateOnSignal truncateOnSignal(archive, archiveSize);
    std::optional<HoldSignals> hold;   // once the data is in, the entry is written or undone whole
    try {
        archive.CopyFrom(source, 0, dataOffset, size);
        archive.Flush();
        hold.emplace();
        unsigned char entry[GrpEntrySize];
        EncodeGrpEntry(entry, MakeGrpName(name), size);
        archive.WriteAt(entry, sizeof entry, EntryPosition(slot));
        unsigned char countBytes[4];
        PutInt32LE(countBytes, count);
        archive.WriteAt(countBytes, sizeof countBytes, GrpNameSize);
        truncateOnSignal.Release();
    } catch (...) {
        try {
            if (slotInFile)
                archive.WriteAt(oldEntry, sizeof oldEntry, EntryPosition(slot));
            archive.Truncate(archiveSize);
        } catch (...) {
            // the first failure is the one to report
        }
        throw;
    }
    hold.reset();

    ++view.listedCount;
    view.ShowCount();
    view.rows.push_back({name, size, dataOffset});
    if (view.treeListEnabled && (!view.groups.empty() || position == 1))
        view.AddTreeNode(name);
    archive.Close();
    source.Close();
    RefreshOffsets(view, archivePath, prompter);
}

ExtractTarget ConfirmExtractDestination(const std::string& archivePath, const std::string& destinationPath,
                                        Prompter& prompter)
{
    // Creating the destination would empty the archive before it is read.
    if (SameFile(destinationPath, archivePath)) {
        prompter.ShowError(FormatText("Cannot create file %s", destinationPath));
        return ExtractTarget::Refused;
    }
    if (!FileExists(destinationPath))
        return ExtractTarget::New;
    return prompter.MessageDlg("The destination file already exists, are you sure you want to overwrite it?",
                               MsgType::Confirm, MsgButtons::YesNo) == MsgResult::Yes
               ? ExtractTarget::Overwrite
               : ExtractTarget::Refused;
}

void CopyEntryData(File& archive, std::int64_t offset, std::int32_t size, std::int64_t dataStart,
                   const std::string& destinationPath, ExtractTarget target)
{
    // Only data that the file holds; no destination for an entry that runs past its end.
    CheckDataInFile(offset, size, dataStart, archive.Size());
    File out = CreateDestination(destinationPath, target);
    try {
        out.CopyFrom(archive, offset, 0, size);
        out.Close();
    } catch (...) {
        if (out.IsRegular())   // never a device the user named
            DeleteFile(destinationPath);
        throw;
    }
}

void ExtractEntry(const std::string& archivePath, const std::string& destinationPath, const std::string& entryName,
                  Prompter& prompter)
{
    if (!ArchiveThere(archivePath, prompter))
        return;
    const ExtractTarget target = ConfirmExtractDestination(archivePath, destinationPath, prompter);
    if (target == ExtractTarget::Refused)
        return;
    File archive(archivePath, File::Mode::Read);
    const auto listed = ReadListedDirectory(archive, "The file is empty.", prompter);
    if (!listed)
        return;
    const auto& [fileSize, header, dir] = *listed;
    const std::int64_t start = GrpDataStart(header.count);
    std::int64_t offset = start;
    for (const auto& e : dir.entries) {
        if (!e.IsDeleted() && GrpNameText(e.name) == entryName) {
            CopyEntryData(archive, offset, e.size, start, destinationPath, target);
            return;
        }
        offset += e.size;
    }
    if (dir.runsPastEnd)
        ThrowReadBeyondEnd();
    prompter.ShowMessage("The file you selected cannot be found.");
}

void DeleteEntry(GrpArchiveView& view, const std::string& archivePath, Prompter& prompter)
{
    if (!ArchiveThere(archivePath, prompter))
        return;
    if (view.selectedRow < 0 || view.selectedRow >= static_cast<int>(view.rows.size())) {
        prompter.ShowMessage("Nothing selected in the list.");
        return;
    }
    auto opened = OpenForDeletion(archivePath, prompter);
    if (!opened)
        return;
    auto& [archive, dir] = *opened;
    const auto row = static_cast<std::size_t>(view.selectedRow);
    const std::string name = view.rows[row].name;
    for (std::size_t i = 0; i < dir.entries.size(); ++i)
        if (!dir.entries[i].IsDeleted() && GrpNameText(dir.entries[i].name) == name)
            MarkDeleted(archive, i);
    EraseRow(view, row);
    ForgetListedEntry(view, name);
    archive.Close();
}

void DeleteTreeEntry(GrpArchiveView& view, const std::string& archivePath, const std::string& nodeText,
                     Prompter& prompter)
{
    if (!ArchiveThere(archivePath, prompter))
        return;
    auto opened = OpenForDeletion(archivePath, prompter);
    if (!opened)
        return;
    auto& [archive, dir] = *opened;
    std::size_t found = dir.entries.size();
    for (std::size_t i = 0; i < dir.entries.size() && found == dir.entries.size(); ++i)
        if (!dir.entries[i].IsDeleted() && GrpNameText(dir.entries[i].name) == nodeText)
            found = i;
    if (found == dir.entries.size()) {
        prompter.ShowMessage("The file you selected cannot be found.");
        return;
    }
    MarkDeleted(archive, found);
    for (std::size_t r = 0; r < view.rows.size(); ++r)
        if (view.rows[r].name == nodeText) {
            EraseRow(view, r);
            break;
        }
    ForgetListedEntry(view, nodeText);
    archive.Close();
}

void EraseReservedSpace(GrpArchiveView& view, const std::string& archivePath, Prompter& prompter)
{
    if (!FileExists(archivePath)) {
        prompter.ShowMessage("The archive does not exist.");
        return;
    }
    // Slots become deleted entries only in the rebuilt copy, never in the archive
    // itself, so a failed rebuild leaves the slots where they were.
    WriteRebuiltArchive(archivePath, 0, true, view.Ui());
    RefreshOffsets(view, archivePath, prompter);
}

void RebuildArchive(GrpArchiveView& view, const std::string& archivePath, int extraSlots, Prompter& prompter)
{
    if (!FileExists(archivePath)) {
        prompter.ShowMessage("The archive does not exist.");
        return;
    }
    WriteRebuiltArchive(archivePath, extraSlots, false, view.Ui());
    RefreshOffsets(view, archivePath, prompter);
}

void PackArchive(const std::string& archivePath, const std::string& signature, const std::vector<PackItem>& items,
                 int reservedSlots)
{
    // Files are opened one at a time while their data is copied: a folder may
    // hold more files than a process may keep open.
    std::vector<std::int32_t> sizes;
    for (const auto& item : items) {
        if (IsMarkerName(item.name))
            throw AppError(ReservedNameText(item.name));
        const std::int64_t size = File(item.path, File::Mode::Read).Size();
        if (size > INT32_MAX)
            throw AppError(TooLargeText(item.name));
        sizes.push_back(static_cast<std::int32_t>(size));
    }
    const std::int64_t count = static_cast<std::int64_t>(items.size()) + reservedSlots;
    if (reservedSlots < 0 || count > INT32_MAX)
        ThrowIoError(EFBIG);
    std::vector<GrpDirEntry> entries(static_cast<std::size_t>(count), GrpDirEntry{ReservedSlotMarker, 0});
    for (std::size_t i = 0; i < items.size(); ++i)
        entries[i] = {MakeGrpName(items[i].name), sizes[i]};
    ReplaceWithNewArchive(ResolvePath(archivePath), EncodeGrpHead(MakeGrpName(signature), entries), [&](File& out, std::int64_t offset) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            File source(items[i].path, File::Mode::Read);
            out.CopyFrom(source, 0, offset, sizes[i]);
            offset += sizes[i];
        }
    });
}

} // namespace tessel

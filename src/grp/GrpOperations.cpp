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
    archive.writeAt(DeletedEntryMarker.data(), GrpNameSize, EntryPosition(index));
}

std::int32_t CheckedEntrySize(std::int64_t size)
{
    if (size > INT32_MAX)
        ThrowIoError(EFBIG);   // a size field holds no more
    return static_cast<std::int32_t>(size);
}

// Writes header, directory and data of a new archive into "~temp" + its name
// beside target and renames it over target: whatever fails, target is
// untouched and the temporary file is gone.
template <typename WriteData>
void ReplaceWithNewArchive(const std::string& target, const std::vector<unsigned char>& headerAndDirectory,
                           WriteData&& writeData)
{
    ReplaceFile(target, [&](File& out) {
        out.writeAt(headerAndDirectory.data(), headerAndDirectory.size(), 0);
        writeData(out, static_cast<std::int64_t>(headerAndDirectory.size()));
    }, "~temp" + ExtractFileName(target));
}

// The rebuild: deleted entries (and, when dropSlots, reserved slots) leave the
// directory with their data; the rest keep their order; extraSlots slots follow.
void WriteRebuiltArchive(const std::string& archivePath, int extraSlots, bool dropSlots, GrpWindowHooks& hooks)
{
    // Through a symbolic link the file it names is rebuilt, beside itself.
    const std::string target = ResolvePath(archivePath);
    File old(target, File::Mode::Read);
    const std::int64_t fileSize = old.size();
    const GrpHeader header = ReadGrpHeader(old);
    const GrpDirectory dir = ReadGrpDirectory(old, fileSize, header.count, false);
    if (dir.runsPastEnd)
        ThrowReadBeyondEnd();

    struct Move {
        std::int64_t from;
        std::int32_t size;
    };
    std::vector<GrpDirEntry> kept;
    std::vector<Move> moves;
    const std::int64_t oldStart = GrpDataStart(header.count);
    std::int64_t oldOffset = oldStart;
    bool copying = true;   // data is moved only for the entries before the first kept slot
    for (const auto& e : dir.entries) {
        if (!e.isDeleted() && !(dropSlots && e.isReservedSlot())) {
            kept.push_back(e);
            copying = copying && !e.isReservedSlot();
            if (copying) {
                CheckDataInFile(oldOffset, e.size, oldStart, fileSize);
                moves.push_back({oldOffset, e.size});
            }
        }
        oldOffset += e.size;
    }
    const std::int64_t newCount = static_cast<std::int64_t>(kept.size()) + extraSlots;
    if (extraSlots < 0 || newCount > INT32_MAX)
        ThrowIoError(EFBIG);

    kept.resize(static_cast<std::size_t>(newCount), GrpDirEntry{ReservedSlotMarker, 0});
    ReplaceWithNewArchive(target, EncodeGrpHead(header.signature, kept), [&](File& out, std::int64_t offset) {
        // In parts, so that the window can show how far a large archive is.
        constexpr std::int64_t Part = 8 << 20;
        std::int64_t total = 0, done = 0;
        for (const auto& m : moves)
            total += m.size;
        for (const auto& m : moves) {
            for (std::int64_t at = 0; at < m.size; at += Part) {
                const std::int64_t n = std::min<std::int64_t>(Part, m.size - at);
                out.copyFrom(old, m.from + at, offset + at, n);
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
std::optional<ListedDirectory> ReadListedDirectory(File& archive, const char* emptyMessage, Prompter& prompter)
{
    const std::int64_t fileSize = archive.size();
    if (fileSize == 0) {
        prompter.ShowMessage(emptyMessage);
        return std::nullopt;
    }
    const GrpHeader header = ReadGrpHeader(archive);
    return ListedDirectory{fileSize, header, ReadGrpDirectory(archive, fileSize, header.count, true)};
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
    for (const auto& row : view.rows)
        if (row.name == name) {
            prompter.ShowMessage("There is already a file with the same name in the archive");
            return;
        }

    File source(sourcePath, File::Mode::Read);
    const std::int64_t sourceSize = source.size();
    File archive(archivePath, File::Mode::ReadWrite);
    const std::int64_t archiveSize = archive.size();
    const GrpHeader header = ReadGrpHeader(archive);
    if (name.size() > GrpNameSize) {
        prompter.ShowMessage(
            "Warning: The file that you have chosen to insert is more than 12 characters long, shorten the filename "
            "and try again, because duke3D GRP are limited to 12 characters for filenames.");
        return;
    }
    const std::int32_t size = CheckedEntrySize(sourceSize);

    std::int32_t count = header.count;
    std::size_t slot = 0;                  // index of the directory entry that becomes the file
    std::int64_t dataOffset = GrpDataStart(1);
    if (count < 1) {
        count = 1;
    } else {
        const GrpDirectory dir = ReadGrpDirectory(archive, archiveSize, count, true);
        if (!dir.stoppedAtSlot) {
            if (dir.runsPastEnd)
                ThrowReadBeyondEnd();
            prompter.ShowMessage("There is no reserved space in the group file, please add some.");
            archive.close();
            source.close();
            CreateReservedSpaceCommand(view, prompter);
            return;
        }
        slot = dir.entries.size();
        const std::int64_t start = GrpDataStart(count);
        dataOffset = start;
        for (const auto& e : dir.entries) {
            CheckDataInFile(dataOffset, e.size, start, archiveSize);
            dataOffset += e.size;
        }
        // A count larger than the file's directory puts the data start past the
        // end; the slot found there would send the data far beyond the file.
        if (dataOffset > archiveSize)
            ThrowReadBeyondEnd();
    }
    const std::int32_t position = static_cast<std::int32_t>(slot) + 1;

    // The data goes in first and reaches the disk before the directory names
    // it; a failure on the way puts the archive back as it was.
    unsigned char oldEntry[GrpEntrySize] = {};
    const bool slotInFile = EntryPosition(slot) + GrpEntrySize <= archiveSize;
    if (slotInFile)
        archive.readExactAt(oldEntry, sizeof oldEntry, EntryPosition(slot));
    try {
        archive.copyFrom(source, 0, dataOffset, size);
        archive.flush();
        unsigned char entry[GrpEntrySize];
        EncodeGrpEntry(entry, MakeGrpName(name), size);
        archive.writeAt(entry, sizeof entry, EntryPosition(slot));
        unsigned char countBytes[4];
        PutInt32LE(countBytes, count);
        archive.writeAt(countBytes, sizeof countBytes, GrpNameSize);
    } catch (...) {
        try {
            if (slotInFile)
                archive.writeAt(oldEntry, sizeof oldEntry, EntryPosition(slot));
            archive.truncate(archiveSize);
        } catch (...) {
            // the first failure is the one to report
        }
        throw;
    }

    ++view.listedCount;
    view.showCount();
    view.rows.push_back({name, size, dataOffset});
    if (view.treeListEnabled && (!view.groups.empty() || position == 1))
        view.addTreeNode(name);
    archive.close();
    source.close();
    RefreshOffsets(view, archivePath, prompter);
}

bool ConfirmExtractDestination(const std::string& archivePath, const std::string& destinationPath, Prompter& prompter)
{
    // Creating the destination would empty the archive before it is read.
    if (SameFile(destinationPath, archivePath)) {
        prompter.ShowError(FormatText("Cannot create file %s", destinationPath));
        return false;
    }
    return !FileExists(destinationPath) ||
           prompter.MessageDlg("The destination file already exists, are you sure you want to overwrite it?",
                               MsgType::Confirm, MsgButtons::YesNo) == MsgResult::Yes;
}

void CopyEntryData(File& archive, std::int64_t offset, std::int32_t size, std::int64_t dataStart,
                   const std::string& destinationPath)
{
    // Only data that the file holds; no destination for an entry that runs past its end.
    CheckDataInFile(offset, size, dataStart, archive.size());
    File out(destinationPath, File::Mode::Create);
    try {
        out.copyFrom(archive, offset, 0, size);
        out.close();
    } catch (...) {
        DeleteFile(destinationPath);
        throw;
    }
}

void ExtractEntry(const std::string& archivePath, const std::string& destinationPath, const std::string& entryName,
                  Prompter& prompter)
{
    if (!FileExists(archivePath)) {
        prompter.ShowMessage("The selected file does not exist.");
        return;
    }
    if (!ConfirmExtractDestination(archivePath, destinationPath, prompter))
        return;
    File archive(archivePath, File::Mode::Read);
    const auto listed = ReadListedDirectory(archive, "The file is empty.", prompter);
    if (!listed)
        return;
    const auto& [fileSize, header, dir] = *listed;
    const std::int64_t start = GrpDataStart(header.count);
    std::int64_t offset = start;
    for (const auto& e : dir.entries) {
        if (!e.isDeleted() && GrpNameText(e.name) == entryName) {
            CopyEntryData(archive, offset, e.size, start, destinationPath);
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
    if (!FileExists(archivePath)) {
        prompter.ShowMessage("The selected file does not exist.");
        return;
    }
    if (view.selectedRow < 0 || view.selectedRow >= static_cast<int>(view.rows.size())) {
        prompter.ShowMessage("Nothing selected in the list.");
        return;
    }
    File archive(archivePath, File::Mode::ReadWrite);
    // The whole directory is read before any byte is written.
    const auto listed = ReadListedDirectory(archive, "The file is incompatible, or is empty.", prompter);
    if (!listed)
        return;
    const GrpDirectory& dir = listed->dir;
    const std::string name = view.rows[static_cast<std::size_t>(view.selectedRow)].name;
    if (dir.runsPastEnd)
        ThrowReadBeyondEnd();
    for (std::size_t i = 0; i < dir.entries.size(); ++i)
        if (!dir.entries[i].isDeleted() && GrpNameText(dir.entries[i].name) == name)
            MarkDeleted(archive, i);
    if (!view.groups.empty())
        view.removeTreeNode(name);
    --view.listedCount;
    view.showCount();
    EraseRow(view, static_cast<std::size_t>(view.selectedRow));
    archive.close();
}

void DeleteTreeEntry(GrpArchiveView& view, const std::string& archivePath, const std::string& nodeText,
                     Prompter& prompter)
{
    if (!FileExists(archivePath)) {
        prompter.ShowMessage("The selected file does not exist.");
        return;
    }
    File archive(archivePath, File::Mode::ReadWrite);
    const auto listed = ReadListedDirectory(archive, "The file is incompatible, or is empty.", prompter);
    if (!listed)
        return;
    const GrpDirectory& dir = listed->dir;
    std::size_t found = dir.entries.size();
    for (std::size_t i = 0; i < dir.entries.size() && found == dir.entries.size(); ++i)
        if (!dir.entries[i].isDeleted() && GrpNameText(dir.entries[i].name) == nodeText)
            found = i;
    if (found == dir.entries.size()) {
        if (dir.runsPastEnd)
            ThrowReadBeyondEnd();
        prompter.ShowMessage("The file you selected cannot be found.");
        return;
    }
    MarkDeleted(archive, found);
    for (std::size_t r = 0; r < view.rows.size(); ++r)
        if (view.rows[r].name == nodeText) {
            EraseRow(view, r);
            break;
        }
    if (!view.groups.empty())
        view.removeTreeNode(nodeText);
    --view.listedCount;
    view.showCount();
    archive.close();
}

void EraseReservedSpace(GrpArchiveView& view, const std::string& archivePath, Prompter& prompter)
{
    if (!FileExists(archivePath)) {
        prompter.ShowMessage("The archive does not exist.");
        return;
    }
    // Slots become deleted entries only in the rebuilt copy, never in the archive
    // itself, so a failed rebuild leaves the slots where they were.
    WriteRebuiltArchive(archivePath, 0, true, view.ui());
    RefreshOffsets(view, archivePath, prompter);
}

void RebuildArchive(GrpArchiveView& view, const std::string& archivePath, int extraSlots, Prompter& prompter)
{
    if (!FileExists(archivePath)) {
        prompter.ShowMessage("The archive does not exist.");
        return;
    }
    WriteRebuiltArchive(archivePath, extraSlots, false, view.ui());
    RefreshOffsets(view, archivePath, prompter);
}

void PackArchive(const std::string& archivePath, const std::string& signature, const std::vector<PackItem>& items,
                 int reservedSlots)
{
    // Files are opened one at a time while their data is copied: a folder may
    // hold more files than a process may keep open.
    std::vector<std::int32_t> sizes;
    for (const auto& item : items)
        sizes.push_back(CheckedEntrySize(File(item.path, File::Mode::Read).size()));
    const std::int64_t count = static_cast<std::int64_t>(items.size()) + reservedSlots;
    if (reservedSlots < 0 || count > INT32_MAX)
        ThrowIoError(EFBIG);
    std::vector<GrpDirEntry> entries(static_cast<std::size_t>(count), GrpDirEntry{ReservedSlotMarker, 0});
    for (std::size_t i = 0; i < items.size(); ++i)
        entries[i] = {MakeGrpName(items[i].name), sizes[i]};
    ReplaceWithNewArchive(ResolvePath(archivePath), EncodeGrpHead(MakeGrpName(signature), entries), [&](File& out, std::int64_t offset) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            File source(items[i].path, File::Mode::Read);
            out.copyFrom(source, 0, offset, sizes[i]);
            offset += sizes[i];
        }
    });
}

} // namespace tessel

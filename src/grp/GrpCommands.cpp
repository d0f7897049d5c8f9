#include "grp/GrpCommands.h"

#include "grp/GrpContents.h"
#include "grp/GrpOperations.h"
#include "platform/Files.h"

namespace tessel {

namespace {

const char* const GrpFilter = "GRP File (*.GRP)|*.GRP";
const char* const AllFilesFilter = "All Files (*.*)|*.*";
const char* const NoArchive = "There is no archive open.";
const char* const TreeListOff = "You disabled the treelist, so you cannot operate it...";

bool ArchiveOpen(const GrpArchiveView& view, Prompter& prompter)
{
    if (!view.archivePath.empty())
        return true;
    prompter.ShowMessage(NoArchive);
    return false;
}

void ExtractNamed(const GrpArchiveView& view, const std::string& name, FileDialog& dialog, Prompter& prompter)
{
    dialog.title = "Extract to...";
    dialog.filter = AllFilesFilter;
    dialog.fileName = name;
    if (!prompter.ExecuteSave(dialog))
        return;
    // A pipe would hold the window until something read it.
    if (const FileStamp there = StampOf(dialog.fileName); there.exists && !there.regular) {
        prompter.ShowMessage(dialog.fileName + " is not a regular file");
        return;
    }
    ExtractEntry(view.archivePath, dialog.fileName, name, prompter);
}

// The list read afresh from the archive.
void Reread(GrpArchiveView& view, Prompter& prompter)
{
    view.rows.clear();
    view.selectedRow = -1;
    LoadArchive(view, view.archivePath, prompter);
}

// A write on what the list shows: first the archive as it is on disk. When
// another program (or another window) changed it since the list was read,
// the list is read again, the user told, and nothing written; the user then
// acts on the list as it is.
template <typename Write>
bool WriteArchive(GrpArchiveView& view, Prompter& prompter, Write write)
{
    if (RereadWhenChanged(view, prompter)) {
        prompter.ShowMessage("The archive was changed by another program, so its list was read again. Nothing was "
                             "changed; please check the list and try again.");
        return false;
    }
    // Whatever the write did, it was this window's own doing.
    try {
        write();
    } catch (...) {
        view.stamp = StampOf(view.archivePath);
        throw;
    }
    view.stamp = StampOf(view.archivePath);
    return true;
}

// Passes every hook on and notes whether the reserved-space dialog was shown.
class SlotsAskedHooks : public GrpWindowHooks {
public:
    explicit SlotsAskedHooks(GrpWindowHooks& inner) : inner_(inner) {}
    void BeginBusy() override { inner_.BeginBusy(); }
    void EndBusy() override { inner_.EndBusy(); }
    void ProcessPaintEvents() override { inner_.ProcessPaintEvents(); }
    int AskReservedSlots(std::int64_t archiveSize) override
    {
        asked = true;
        return inner_.AskReservedSlots(archiveSize);
    }
    std::string AskSignature() override { return inner_.AskSignature(); }
    void Progress(std::int64_t done, std::int64_t total) override { inner_.Progress(done, total); }
    bool asked = false;

private:
    GrpWindowHooks& inner_;
};

// The checks every command makes first; false when it must not go on.
bool ArchiveStillThere(GrpArchiveView& view, Prompter& prompter, const char* vanished)
{
    if (!ArchiveOpen(view, prompter))
        return false;
    if (!FileExists(view.archivePath)) {
        prompter.ShowMessage(vanished);
        CloseArchive(view, prompter);
        return false;
    }
    return true;
}

bool AskedYes(Prompter& prompter, const std::string& question)
{
    return prompter.MessageDlg(question, MsgType::Confirm, MsgButtons::YesNo) == MsgResult::Yes;
}

} // namespace

std::string ReservedSpaceNotice(std::int64_t archiveSize)
{
    return "This process will take " + std::to_string(archiveSize) +
           " bytes of extra space on your hard drive, but your hardrive space will be returned to normal after the "
           "process has been completed. It also might take a few minutes, depending on the speed of your system...";
}

bool RereadWhenChanged(GrpArchiveView& view, Prompter& prompter)
{
    const FileStamp now = StampOf(view.archivePath);
    if (view.archivePath.empty() || !now.exists || now == view.stamp)
        return false;   // a vanished archive is each command's own message
    Reread(view, prompter);
    view.panels[0] = "The archive was changed by another program; its list was read again.";
    return true;
}

void OpenPendingArchive(GrpArchiveView& view, const std::string& path, Prompter& prompter)
{
    if (!FileExists(path)) {
        prompter.ShowMessage("The file does not exist.");
        return;
    }
    view.archivePath = AbsolutePath(path);
    LoadArchive(view, view.archivePath, prompter);
}

void NewArchiveCommand(GrpArchiveView& view, FileDialog& dialog, Prompter& prompter)
{
    dialog.title = "New";
    dialog.filter = GrpFilter;
    if (!prompter.ExecuteOpen(dialog))
        return;
    const std::string signature = view.Ui().AskSignature();
    if (signature.empty()) {
        prompter.ShowMessage("The group file was not created");
        return;
    }
    CreateArchive(view, AbsolutePath(SaveFileName(dialog.fileName, ".GRP")), signature, prompter);
}

void OpenArchiveCommand(GrpArchiveView& view, FileDialog& dialog, const std::string& duke3dDir, Prompter& prompter)
{
    dialog.title = "Open";
    dialog.filter = GrpFilter;
    if (!duke3dDir.empty())
        dialog.initialDir = duke3dDir;
    if (!prompter.ExecuteOpen(dialog))
        return;
    const std::string path = AbsolutePath(dialog.fileName);
    if (!FileExists(path)) {
        prompter.ShowMessage("The File " + path + " does not exist.");
        return;
    }
    view.archivePath = path;
    LoadArchive(view, path, prompter);
}

void UpdateCommand(GrpArchiveView& view, Prompter& prompter)
{
    if (ArchiveOpen(view, prompter))
        Reread(view, prompter);
}

void AddCommand(GrpArchiveView& view, FileDialog& dialog, Prompter& prompter)
{
    if (!ArchiveOpen(view, prompter))
        return;
    dialog.title = "File To Add";
    dialog.filter = AllFilesFilter;
    if (prompter.ExecuteOpen(dialog))
        WriteArchive(view, prompter, [&] { AddFile(view, view.archivePath, dialog.fileName, prompter); });
}

void AddDroppedFiles(GrpArchiveView& view, const std::vector<std::string>& files, Prompter& prompter)
{
    GrpWindowHooks* const window = view.hooks;
    SlotsAskedHooks hooks(view.Ui());
    view.hooks = &hooks;
    try {
        for (const std::string& file : files) {
            if (!ArchiveOpen(view, prompter))
                break;
            // Out of slots (that file was not added, as with Add), or the list was stale.
            if (!WriteArchive(view, prompter, [&] { AddFile(view, view.archivePath, file, prompter); }) || hooks.asked)
                break;
        }
    } catch (...) {
        view.hooks = window;
        throw;
    }
    view.hooks = window;
}

void ExtractCommand(GrpArchiveView& view, FileDialog& dialog, Prompter& prompter)
{
    if (!ArchiveOpen(view, prompter))
        return;
    if (view.selectedRow < 0 || view.selectedRow >= static_cast<int>(view.rows.size())) {
        prompter.ShowMessage("There is nothing selected in the list.");
        return;
    }
    ExtractNamed(view, view.rows[static_cast<std::size_t>(view.selectedRow)].name, dialog, prompter);
}

void DeleteCommand(GrpArchiveView& view, Prompter& prompter)
{
    if (ArchiveOpen(view, prompter))
        WriteArchive(view, prompter, [&] { DeleteEntry(view, view.archivePath, prompter); });
}

void TreeDeleteCommand(GrpArchiveView& view, const std::optional<std::string>& node, bool treeListDisabled, Prompter& prompter)
{
    if (treeListDisabled) {
        prompter.ShowMessage(TreeListOff);
        return;
    }
    if (node)
        WriteArchive(view, prompter, [&] { DeleteTreeEntry(view, view.archivePath, *node, prompter); });
}

void TreeExtractCommand(GrpArchiveView& view, const std::optional<std::string>& node, bool treeListDisabled,
                        FileDialog& dialog, Prompter& prompter)
{
    if (treeListDisabled) {
        prompter.ShowMessage(TreeListOff);
        return;
    }
    if (node)
        ExtractNamed(view, *node, dialog, prompter);
}

void ExportTileCommand(GrpArchiveView& view, int tile, const PaletteColors& colors, FileDialog& dialog,
                       Prompter& prompter)
{
    if (!ArchiveOpen(view, prompter))
        return;
    dialog.title = "Export tile...";
    dialog.filter = "PNG picture (*.png)|*.png";
    dialog.fileName = "TILE" + std::to_string(tile) + ".png";
    if (!prompter.ExecuteSave(dialog))
        return;
    const std::string png = EncodePng(ArchiveTileImage(view.archivePath, tile, colors));
    if (FileExists(dialog.fileName) &&
        !AskedYes(prompter, "The destination file already exists, are you sure you want to overwrite it?"))
        return;
    ReplaceFile(dialog.fileName, png, ReplaceTarget::RegularFile);
    view.panels[0] = "Tile " + std::to_string(tile) + " written to " + dialog.fileName;
}

void ReplaceTileCommand(GrpArchiveView& view, int tile, const RgbaImage& picture, Prompter& prompter)
{
    if (!ArchiveStillThere(view, prompter, "The archive does not exist. Closing Archive..."))
        return;
    const int selected = view.selectedRow;
    if (WriteArchive(view, prompter, [&] {
            BusyScope busy(view.Ui());
            ReplaceArchiveTile(view.archivePath, tile, picture);
        })) {
        Reread(view, prompter);
        view.selectedRow = selected < static_cast<int>(view.rows.size()) ? selected : -1;
        view.panels[0] = "Tile " + std::to_string(tile) + " replaced";
    }
}

void CreateReservedSpaceCommand(GrpArchiveView& view, Prompter& prompter)
{
    if (!ArchiveStillThere(view, prompter, "The archive does not exist. Closing Archive..."))
        return;
    const int slots = view.Ui().AskReservedSlots(FileSize(view.archivePath));
    if (slots > 0) {
        BusyScope busy(view.Ui());
        view.panels[0] = "Creating reserved space and defragmenting file...";
        view.Ui().ProcessPaintEvents();
        WriteArchive(view, prompter, [&] { RebuildArchive(view, view.archivePath, slots, prompter); });
    }
    view.panels[0] = "Finished";
}

void EraseAllReservedSpaceCommand(GrpArchiveView& view, Prompter& prompter)
{
    if (!ArchiveStillThere(view, prompter, "The archive does not exist. Closing Archive..."))
        return;
    const std::string question =
        "Deleting the reserved space will make adding files slower, and to delete them, Tessel needs to defragment "
        "the archive which will take approximatly: " +
        std::to_string(FileSize(view.archivePath)) +
        " bytes extra on your hard drive. Once the defragmentation is completed the space on your hard drive will "
        "be returned to normal.\r\rThis Process might take a minute on slower machines. Do you want to procede?";
    if (AskedYes(prompter, question)) {
        BusyScope busy(view.Ui());
        view.panels[0] = "Erasing reserved space and defragmenting file...";
        view.Ui().ProcessPaintEvents();
        WriteArchive(view, prompter, [&] { EraseReservedSpace(view, view.archivePath, prompter); });
    }
    view.panels[0] = "Finished";
}

void DefragmentArchiveCommand(GrpArchiveView& view, Prompter& prompter)
{
    if (!ArchiveStillThere(view, prompter, "The Archive does not exist closing the archive..."))
        return;
    const std::string question =
        "Defragmentation of the archive will clean it up, and make it smaller after you have deleted any "
        "files.\r\rDefragmentation of the archive will take approximatly " +
        std::to_string(FileSize(view.archivePath)) +
        " bytes extra on your hard disk. The memory on your hard disk will be returned to normal after "
        "defragmentation finishes. Do you want to procede?";
    if (prompter.MessageDlg(question, MsgType::Confirm, MsgButtons::YesNo) == MsgResult::No)
        return;
    view.panels[0] = "Defragmenting proceding...";
    WriteArchive(view, prompter, [&] { RebuildArchive(view, view.archivePath, 0, prompter); });
    view.panels[0] = "Finished";
}

} // namespace tessel

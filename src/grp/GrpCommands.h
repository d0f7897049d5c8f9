#pragma once
// The explorer window's commands without the window: the checks and questions
// before each operation, the dialogs they fill, and the status texts around
// the rebuilds. The window only turns menu entries, drops and its own
// selection into these calls and shows the model afterwards.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "build/TilePicture.h"
#include "grp/GrpArchive.h"

namespace tessel {

// The reserved-space dialog's notice of the disk space a rebuild needs.
std::string ReservedSpaceNotice(std::int64_t archiveSize);

// Every command that writes acts on the archive as it is on disk: when it is
// not as the list shows it (another program or window changed it), the list
// is read again, the user told, and nothing written.
// The list read again when the archive was changed since the window read or
// wrote it (panel 0 says so); true then. Nothing when it is gone.
bool RereadWhenChanged(GrpArchiveView& view, Prompter& prompter);

// The archive the shell asked a new window to open: "The file does not exist."
// when it is gone.
void OpenPendingArchive(GrpArchiveView& view, const std::string& path, Prompter& prompter);
// File > New: the open dialog names the file ("New"), the new group file
// dialog its signature; a name without an extension gets ".GRP".
void NewArchiveCommand(GrpArchiveView& view, FileDialog& dialog, Prompter& prompter);
// File > Open: the open dialog, in duke3dDir when that is set.
void OpenArchiveCommand(GrpArchiveView& view, FileDialog& dialog, const std::string& duke3dDir, Prompter& prompter);
// Items > Update: the archive read afresh.
void UpdateCommand(GrpArchiveView& view, Prompter& prompter);
// Items > Add: a file chosen in the open dialog ("File To Add").
void AddCommand(GrpArchiveView& view, FileDialog& dialog, Prompter& prompter);
// Files dropped on the window, added one after another; once the archive runs
// out of slots (the reserved-space dialog was shown) the rest wait for the
// user to drop them again.
void AddDroppedFiles(GrpArchiveView& view, const std::vector<std::string>& files, Prompter& prompter);
// Items > Extract: the selected row, to a name chosen in the save dialog.
void ExtractCommand(GrpArchiveView& view, FileDialog& dialog, Prompter& prompter);
// Items > Delete: the selected row.
void DeleteCommand(GrpArchiveView& view, Prompter& prompter);
// The tree's Delete and Extract on the selected node's text (none while
// nothing is selected); refused while the tree is switched off.
void TreeDeleteCommand(GrpArchiveView& view, const std::optional<std::string>& node, bool treeListDisabled, Prompter& prompter);
void TreeExtractCommand(GrpArchiveView& view, const std::optional<std::string>& node, bool treeListDisabled,
                        FileDialog& dialog, Prompter& prompter);

// The preview's Export Tile: the tile as a PNG in the colours, to a name
// chosen in the save dialog ("Export tile...", proposing TILE<n>.png); an
// existing file is replaced only when the user says so.
void ExportTileCommand(GrpArchiveView& view, int tile, const PaletteColors& colors, FileDialog& dialog,
                       Prompter& prompter);
// The preview's Replace Tile: the picture (read by the window) in place of the
// tile, matched to the archive's palette, through the archive's safe
// rebuild; the list read again afterwards. Panel 0 says what was done.
void ReplaceTileCommand(GrpArchiveView& view, int tile, const RgbaImage& picture, Prompter& prompter);

void CreateReservedSpaceCommand(GrpArchiveView& view, Prompter& prompter);
void EraseAllReservedSpaceCommand(GrpArchiveView& view, Prompter& prompter);
void DefragmentArchiveCommand(GrpArchiveView& view, Prompter& prompter);

} // namespace tessel

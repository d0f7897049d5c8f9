#pragma once
// The model an explorer window holds of its archive, and the steps that create
// an archive, read one into the model and bring its offsets up to date. The
// window renders the model; these never touch a widget.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/Prompter.h"
#include "platform/ScopedCall.h"

namespace tessel {

struct GrpRow {
    std::string name;
    std::int32_t size = 0;
    std::int64_t offset = 0;
};

// One tree group: the top-level node (text = key) and its children's texts.
struct ExtensionGroup {
    std::string key;
    std::vector<std::string> children;
};

// What only a window can do; the defaults do nothing (the command-line tool,
// tests). The operations call these at the points where the window reacts.
class GrpWindowHooks {
public:
    virtual ~GrpWindowHooks() = default;
    virtual void BeginBusy() {}
    virtual void EndBusy() {}
    virtual void ProcessPaintEvents() {}
    // The reserved-space dialog, given the archive's size: slots to create, 0 for none.
    virtual int AskReservedSlots(std::int64_t /*archiveSize*/) { return 0; }
    // The new group file dialog: the new archive's signature, "" when none was given.
    virtual std::string AskSignature() { return std::string(); }
    // A rebuild has copied done of the total bytes of data it moves.
    virtual void Progress(std::int64_t /*done*/, std::int64_t /*total*/) {}
};

// An explorer window's caption while it holds no archive.
extern const char* const NoArchiveCaption;   // "Tessel Group File Explorer - (No File Loaded)"

struct GrpArchiveView {
    std::string archivePath;            // empty while no archive is open
    FileStamp stamp;                    // the archive as the model last read or wrote it
    std::string signature;
    std::vector<GrpRow> rows;
    int listedCount = 0;                // panel 2's number
    std::vector<ExtensionGroup> groups; // the tree; empty when the tree is
    int selectedRow = -1;               // the list's selection, -1 for none
    bool treeListEnabled = true;        // the window copies the option in before a load or add
    std::string caption = NoArchiveCaption;
    std::string panels[3] = {"Ready", "Signature: ", "Filecount: "};
    GrpWindowHooks* hooks = nullptr;    // not owned; null: no window

    GrpWindowHooks& Ui();
    void ShowCount();                   // panel 2 from listedCount
    void AddTreeNode(const std::string& name);
    void RemoveTreeNode(const std::string& name);   // at most one node
};

// Empties the model: the window's Close command, and what the operations do
// when the archive has vanished.
void CloseArchive(GrpArchiveView& view, Prompter& prompter);

// Writes a new archive without entries (asking before it replaces a file) and loads it.
void CreateArchive(GrpArchiveView& view, const std::string& path, const std::string& signature,
                   Prompter& prompter);
// Reads the archive at path into the model. I/O failures throw IoError after
// the rows read so far were added.
void LoadArchive(GrpArchiveView& view, const std::string& path, Prompter& prompter);
// Puts the current data offsets into the rows, matched to live entries by position.
void RefreshOffsets(GrpArchiveView& view, const std::string& path, Prompter& prompter);

// The busy cursor for a scope.
using BusyScope = ScopedCall<GrpWindowHooks, &GrpWindowHooks::BeginBusy, &GrpWindowHooks::EndBusy>;

} // namespace tessel

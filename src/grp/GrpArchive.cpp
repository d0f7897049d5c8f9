#include "grp/GrpArchive.h"

#include <unordered_map>

#include "grp/GrpFormat.h"
#include "platform/Errors.h"
#include "platform/Files.h"

namespace tessel {

const char* const NoArchiveCaption = "Tessel Group File Explorer - (No File Loaded)";

namespace {
const char* const CaptionPrefix = "Tessel Group File Explorer - ";
// The groups of all rows. A key index keeps large archives linear, and each
// group's children are counted first so that every list is allocated once.
void BuildGroups(GrpArchiveView& view)
{
    std::unordered_map<std::string, std::size_t> byKey;
    std::vector<std::size_t> groupOf;
    std::vector<std::size_t> sizes;
    groupOf.reserve(view.rows.size());
    for (const auto& row : view.rows) {
        const auto [it, added] = byKey.emplace(LastDotExtension(row.name), view.groups.size());
        if (added) {
            view.groups.push_back({it->first, {}});
            sizes.push_back(0);
        }
        groupOf.push_back(it->second);
        ++sizes[it->second];
    }
    for (std::size_t g = 0; g < view.groups.size(); ++g)
        view.groups[g].children.reserve(sizes[g]);
    for (std::size_t r = 0; r < view.rows.size(); ++r)
        view.groups[groupOf[r]].children.push_back(view.rows[r].name);
}

} // namespace

GrpWindowHooks& GrpArchiveView::Ui()
{
    static GrpWindowHooks none;
    return hooks ? *hooks : none;
}

void GrpArchiveView::ShowCount()
{
    panels[2] = "Filecount: " + std::to_string(listedCount);
}

void GrpArchiveView::AddTreeNode(const std::string& name)
{
    const std::string key = LastDotExtension(name);
    for (auto& g : groups)
        if (g.key == key) {
            g.children.push_back(name);
            return;
        }
    groups.push_back({key, {name}});
}

void GrpArchiveView::RemoveTreeNode(const std::string& name)
{
    const std::string key = LastDotExtension(name);
    for (auto g = groups.begin(); g != groups.end(); ++g) {
        if (g->key != key)
            continue;
        for (auto c = g->children.begin(); c != g->children.end(); ++c)
            if (*c == name) {
                g->children.erase(c);
                if (g->children.empty())
                    groups.erase(g);
                return;
            }
        return;   // only the first group of that key is looked at
    }
}

void CloseArchive(GrpArchiveView& view, Prompter& prompter)
{
    if (view.archivePath.empty())
        prompter.ShowMessage("No File Loaded");
    view.caption = "Veska' pl1 maker - (No File Loaded)";
    view.panels[2] = "Filecount: 0";
    view.panels[1] = "Signature:";
    view.archivePath.clear();
    view.stamp = FileStamp();
    view.rows.clear();
    view.groups.clear();
    view.selectedRow = -1;
    view.listedCount = 0;
}

void CreateArchive(GrpArchiveView& view, const std::string& path, const std::string& signature,
                   Prompter& prompter)
{
    if (FileExists(path) &&
        prompter.MessageDlg("The file already exists, are you sure you want to overwrite it?", MsgType::Confirm,
                            MsgButtons::YesNo) != MsgResult::Yes)
        return;
    const std::vector<unsigned char> header = EncodeGrpHead(MakeGrpName(signature), {});
    // The old file stays whole until the new one is complete.
    // Never a pipe or a device: nothing could read it back as an archive.
    ReplaceFile(path, [&](File& out) { out.Write(header.data(), header.size()); }, ReplaceTarget::RegularFile);
    view.archivePath = path;
    LoadArchive(view, path, prompter);
}

void LoadArchive(GrpArchiveView& view, const std::string& path, Prompter& prompter)
{
    BusyScope busy(view.Ui());
    view.panels[0] = "Loading File...";
    view.Ui().ProcessPaintEvents();
    if (!FileExists(path)) {
        prompter.ShowMessage("The selected file does not exist.");
        return;
    }
    const FileStamp stamp = StampOf(path);   // before reading: a change meanwhile shows at the next look
    File file(path, File::Mode::Read);
    const std::int64_t fileSize = file.Size();
    if (fileSize == 0) {
        prompter.ShowMessage("The file is empty.");
        return;
    }
    view.caption = CaptionPrefix + path;
    view.stamp = stamp;
    view.groups.clear();
    view.rows.clear();
    view.selectedRow = -1;
    view.listedCount = 0;

    const GrpHeader header = ReadGrpHeader(file);
    view.signature = GrpNameText(header.signature);
    view.panels[1] = "Signature: " + view.signature;

    GrpDirectoryReader dir(file, fileSize, header.count);
    std::int64_t offset = GrpDataStart(header.count);
    view.rows.reserve(static_cast<std::size_t>(dir.present()));
    GrpDirEntry e;
    bool stopped = false;
    while (!stopped && dir.Next(e)) {
        stopped = e.IsReservedSlot();
        if (!stopped && !e.IsDeleted()) {
            view.rows.push_back({GrpNameText(e.name), e.size, offset});
            ++view.listedCount;
        }
        offset += e.size;
    }
    if (!stopped && dir.RunsPastEnd())
        ThrowReadBeyondEnd();
    view.ShowCount();

    if (view.treeListEnabled) {
        view.panels[0] = "Loading Tree List...";
        view.Ui().ProcessPaintEvents();
        BuildGroups(view);
    }
    view.caption = CaptionPrefix + path;
    file.Close();
    view.panels[0] = "Finished";
}

void RefreshOffsets(GrpArchiveView& view, const std::string& path, Prompter& prompter)
{
    if (!FileExists(path)) {
        prompter.ShowMessage("The archive does not exist.");
        return;
    }
    File file(path, File::Mode::Read);
    const std::int64_t fileSize = file.Size();
    const GrpHeader header = ReadGrpHeader(file);
    GrpDirectoryReader dir(file, fileSize, header.count);
    std::int64_t offset = GrpDataStart(header.count);
    std::size_t row = 0;
    GrpDirEntry e;
    while (dir.Next(e)) {
        if (e.IsReservedSlot())
            return;
        if (!e.IsDeleted()) {
            if (row < view.rows.size())
                view.rows[row].offset = offset;
            ++row;
        }
        offset += e.size;
    }
    if (dir.RunsPastEnd())
        ThrowReadBeyondEnd();
}

} // namespace tessel

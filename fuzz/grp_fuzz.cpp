// Archives come from anywhere, so loading and every operation meet anything.
// Input: four operation bytes, then the archive's bytes. Properties: nothing
// crashes; a failed add or rebuild leaves the archive byte for byte as it was
// and no temporary file; a rebuild keeps every live entry's name, size and
// data, in order (entries that stood behind a slot follow them); a delete
// changes no size; an added file reads back as it was; after every operation
// each entry that could be extracted before still extracts to the same bytes,
// unless that operation deleted it.
#include <cstdint>
#include <cstdlib>
#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "grp/GrpArchive.h"
#include "grp/GrpCommands.h"
#include "grp/GrpFormat.h"
#include "grp/GrpOperations.h"
#include "platform/Errors.h"
#include "platform/Files.h"

using namespace tessel;

namespace {

class YesPrompter : public Prompter {
public:
    void ShowMessage(const std::string&) override {}
    MsgResult MessageDlg(const std::string&, MsgType, MsgButtons) override { return MsgResult::Yes; }
    void ShowError(const std::string&) override {}
    bool ExecuteOpen(FileDialog&) override { return false; }
    bool ExecuteSave(FileDialog&) override { return false; }
};

class SlotHooks : public GrpWindowHooks {
public:
    int AskReservedSlots(std::int64_t) override { return 2; }
};

const std::string& Folder()
{
    static const std::string dir = [] {
        // In memory where possible: a rebuild flushes its copy to the disk.
        char templ[] = "/dev/shm/tessel-grp-fuzz-XXXXXX";
        if (!mkdtemp(templ))
            abort();
        return std::string(templ) + "/";
    }();
    return dir;
}

std::string Read(const std::string& path)
{
    std::ostringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}

void Write(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

void Check(bool condition)
{
    if (!condition)
        abort();
}

struct LiveEntry {
    std::string name;
    std::int32_t size;
    std::string data;   // empty when it could not be read
    bool operator==(const LiveEntry& o) const { return name == o.name && size == o.size && data == o.data; }
};

// The live entries with their data as the archive lays them out (within the file only).
std::vector<LiveEntry> Contents(const std::string& path, YesPrompter& prompter)
{
    GrpArchiveView view;
    view.treeListEnabled = false;
    std::vector<LiveEntry> out;
    try {
        LoadArchive(view, path, prompter);
    } catch (const AppError&) {
        return out;
    }
    const std::string bytes = Read(path);
    for (const auto& row : view.rows) {
        std::string data;
        if (row.size >= 0 && row.offset >= 0 && row.offset + row.size <= static_cast<std::int64_t>(bytes.size()))
            data = bytes.substr(static_cast<std::size_t>(row.offset), static_cast<std::size_t>(row.size));
        out.push_back({row.name, row.size, data});
    }
    return out;
}

// Every listed name that extracts, with the bytes it extracts to (the first
// live entry of that name, as ExtractEntry takes it).
std::map<std::string, std::string> Extractable(const std::string& path, YesPrompter& prompter)
{
    GrpArchiveView view;
    view.treeListEnabled = false;
    try {
        LoadArchive(view, path, prompter);
    } catch (const AppError&) {
        // the rows read before the failure are listed
    }
    std::map<std::string, std::string> out;
    const std::string dest = Folder() + "x";
    for (const auto& row : view.rows) {
        if (out.count(row.name))
            continue;
        DeleteFile(dest);
        try {
            ExtractEntry(path, dest, row.name, prompter);
        } catch (const AppError&) {
            continue;
        }
        if (FileExists(dest))
            out[row.name] = Read(dest);
    }
    return out;
}

bool StartsWith(const std::vector<LiveEntry>& all, const std::vector<LiveEntry>& first)
{
    return all.size() >= first.size() && std::equal(first.begin(), first.end(), all.begin());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    const std::string archive = Folder() + "A.GRP", temp = Folder() + "~tempA.GRP";
    const std::string source = Folder() + "NEW.C" + std::to_string(data[0] % 3);
    const std::string extracted = Folder() + "out";
    Write(archive, std::string(reinterpret_cast<const char*>(data + 4), size - 4));
    Write(source, std::string(data[1] % 40, static_cast<char>(data[2])));

    YesPrompter prompter;
    SlotHooks hooks;
    GrpArchiveView view;
    view.hooks = data[3] & 1 ? &hooks : nullptr;
    view.treeListEnabled = data[3] & 2;
    view.archivePath = archive;
    try {
        LoadArchive(view, archive, prompter);
    } catch (const AppError&) {
    }

    for (int step = 0; step < 4; ++step) {
        const unsigned op = data[step];
        const std::string before = Read(archive);
        const std::vector<LiveEntry> liveBefore = Contents(archive, prompter);
        const std::map<std::string, std::string> extractableBefore = Extractable(archive, prompter);
        const std::size_t row = view.rows.empty() ? 0 : (op / 8) % view.rows.size();
        std::string deleted;   // the name this operation deletes, if it does
        try {
            switch (op % 8) {
            case 0: case 1: {
                const std::size_t rowsBefore = view.rows.size();
                AddFile(view, archive, source, prompter);
                if (view.rows.size() > rowsBefore) {
                    bool found = false;
                    for (const auto& e : Contents(archive, prompter))
                        found = found || (e.name == WindowsFileName(source) && e.data == Read(source));
                    Check(found);
                }
                break;
            }
            case 2:
                view.selectedRow = view.rows.empty() ? -1 : static_cast<int>(row);
                deleted = view.rows.empty() ? "" : view.rows[row].name;
                DeleteEntry(view, archive, prompter);
                Check(Read(archive).size() == before.size());
                break;
            case 3:
                if (!view.rows.empty()) {
                    deleted = view.rows[row].name;   // the first of that name; a later one may then come first
                    DeleteTreeEntry(view, archive, deleted, prompter);
                }
                Check(Read(archive).size() == before.size());
                break;
            case 4:
                if (!view.rows.empty()) {
                    DeleteFile(extracted);
                    ExtractEntry(archive, extracted, view.rows[row].name, prompter);
                    Check(Read(archive) == before);
                }
                break;
            case 5: case 6:
                RebuildArchive(view, archive, static_cast<int>(op / 8 % 4), prompter);
                Check(StartsWith(Contents(archive, prompter), liveBefore));
                break;
            case 7:
                EraseReservedSpace(view, archive, prompter);
                Check(StartsWith(Contents(archive, prompter), liveBefore));
                break;
            }
        } catch (const AppError&) {
            // A failure leaves the archive as it was, except for what the
            // window itself reported before it (none of these write first).
            Check(Read(archive) == before);
        }
        Check(!FileExists(temp));
        const std::map<std::string, std::string> extractableAfter = Extractable(archive, prompter);
        for (const auto& [name, data] : extractableBefore) {
            if (name == deleted)
                continue;
            const auto after = extractableAfter.find(name);
            Check(after != extractableAfter.end() && after->second == data);
        }
        try {
            LoadArchive(view, archive, prompter);
        } catch (const AppError&) {
        }
    }
    return 0;
}

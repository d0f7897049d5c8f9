#pragma once
// Shared by the group file tests: archives put together byte by byte without
// the code under test, window hooks that record, and an archive in a folder.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "grp/GrpArchive.h"
#include "platform/Files.h"
#include "support/NonRegular.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace tessel::test {

inline const std::string Res = "**8ResSpc8**", Del = "**8Delete8**";

inline std::string Le32(std::int32_t v)
{
    const auto u = static_cast<std::uint32_t>(v);
    return {char(u & 0xff), char(u >> 8 & 0xff), char(u >> 16 & 0xff), char(u >> 24 & 0xff)};
}

struct Entry {
    std::string name;        // up to 12 bytes, zero-filled
    std::int32_t size;
    std::string data = {};   // empty: size copies of the name's first letter
};

// Header, directory and every entry's data in order.
inline std::string Grp(const std::vector<Entry>& entries, const std::string& signature = "KenSilverman")
{
    const auto field = [](const std::string& text) { return (text + std::string(12, '\0')).substr(0, 12); };
    std::string dir = field(signature) + Le32(static_cast<std::int32_t>(entries.size())), data;
    for (const auto& e : entries) {
        dir += field(e.name) + Le32(e.size);
        data += e.data.empty() && e.size > 0 ? std::string(static_cast<std::size_t>(e.size), e.name[0]) : e.data;
    }
    return dir + data;
}

// A reader of its own, apart from the one under test: each live entry's name
// and data, up to the first slot.
inline std::vector<std::pair<std::string, std::string>> LiveEntriesOf(const std::string& b)
{
    const auto int32 = [&](std::size_t at) {
        return std::size_t(std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8 | std::uint8_t(b[at + 2]) << 16) |
            std::size_t(std::uint8_t(b[at + 3])) << 24;
    };
    std::vector<std::pair<std::string, std::string>> live;
    for (std::size_t e = 16, at = 16 + 16 * int32(12); e < 16 + 16 * int32(12) && b.substr(e, 12) != Res; e += 16) {
        if (b.substr(e, 12) != Del)
            live.emplace_back(b.substr(e, 12).c_str(), b.substr(std::min(at, b.size()), int32(e + 12)));
        at += int32(e + 12);
    }
    return live;
}

inline std::vector<std::string> Listing(const GrpArchiveView& v)
{
    std::vector<std::string> out;
    for (const auto& r : v.rows)
        out.push_back(r.name + " " + std::to_string(r.size) + " " + std::to_string(r.offset));
    return out;
}

// Each extension group as its key, then " /" and each child.
inline std::vector<std::string> Groups(const GrpArchiveView& v)
{
    std::vector<std::string> out;
    for (const auto& g : v.groups) {
        out.push_back(g.key);
        for (const auto& c : g.children)
            out.back() += " /" + c;
    }
    return out;
}

// Panel 0 at each paint and as a rebuild shows it with its progress, the busy
// cursor's balance, the reserved-space dialog's answer.
struct RecordingHooks : GrpWindowHooks {
    explicit RecordingHooks(GrpArchiveView& v) : view(v) { v.hooks = this; }
    void BeginBusy() override { ++busy, ++busyStarts; }
    void EndBusy() override { --busy; }
    void ProcessPaintEvents() override { painted.push_back(view.panels[0]); }
    void Progress(std::int64_t, std::int64_t) override { rebuilding = view.panels[0]; }
    int AskReservedSlots(std::int64_t size) override { return dialogSizes.push_back(size), slotsAnswer; }
    GrpArchiveView& view;
    int busy = 0, busyStarts = 0, slotsAnswer = 0;
    std::vector<std::string> painted;
    std::string rebuilding;
    std::vector<std::int64_t> dialogSizes;
};

// An archive "T.GRP" in a fresh folder, loaded as a window holds it.
struct Fixture {
    TempDir dir;
    ScriptedPrompter prompter;
    GrpArchiveView view;
    RecordingHooks hooks{view};
    std::string path, loadError;

    explicit Fixture(const std::string& bytes, bool tree = true) : path(dir.write("T.GRP", bytes))
    {
        view.treeListEnabled = tree;
        view.archivePath = path;
        loadError = ErrorOf([&] { LoadArchive(view, path, prompter); });
        hooks.painted.clear();
        hooks.busyStarts = 0;
    }
    std::string bytes() const { return dir.read("T.GRP"); }
    bool tempLeft() const { return FileExists(dir.file("~tempT.GRP")); }
    void select(const std::string& name)   // the first row of that name
    {
        for (std::size_t i = view.rows.size(); i-- > 0;)
            view.selectedRow = view.rows[i].name == name ? static_cast<int>(i) : view.selectedRow;
    }
};

} // namespace tessel::test

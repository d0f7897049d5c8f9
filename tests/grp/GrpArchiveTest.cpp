#include "grp/GrpArchive.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "grp/GrpBytes.h"
#include "grp/GrpOperations.h"
#include "grp/RecordingHooks.h"
#include "platform/Errors.h"
#include "platform/Files.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace tessel {
namespace {

using test::Del;
using test::Grp;
using test::Res;

std::string ErrorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const AppError& e) {
        return e.what();
    }
    return "(no error)";
}

std::vector<std::string> Listing(const GrpArchiveView& v)
{
    std::vector<std::string> out;
    for (const auto& r : v.rows)
        out.push_back(r.name + " " + std::to_string(r.size) + " " + std::to_string(r.offset));
    return out;
}

std::vector<std::string> Tree(const GrpArchiveView& v)
{
    std::vector<std::string> out;
    for (const auto& g : v.groups) {
        std::string line = "[" + g.key + "]";
        for (const auto& c : g.children)
            line += " " + c;
        out.push_back(line);
    }
    return out;
}

struct Loaded {
    GrpArchiveView view;
    std::vector<std::string> messages;
    std::string error;
};

Loaded Load(const std::string& bytes, bool tree = true)
{
    TempDir dir;
    ScriptedPrompter prompter;
    Loaded out;
    test::RecordingHooks hooks(out.view);
    out.view.treeListEnabled = tree;
    const std::string path = dir.write("T.GRP", bytes);
    out.view.archivePath = path;
    out.error = ErrorOf([&] { LoadArchive(out.view, path, prompter); });
    out.messages = prompter.texts();
    EXPECT_EQ(hooks.busy, 0) << "busy cursor left on";
    out.view.hooks = nullptr;
    return out;
}

TEST(GrpArchiveTest, CreateWritesSixteenBytesAndLoadsTheEmptyArchive)
{
    TempDir dir;
    ScriptedPrompter prompter;
    GrpArchiveView view;
    CreateArchive(view, dir.file("NEW.GRP"), "abc", prompter);
    EXPECT_EQ(dir.read("NEW.GRP"), std::string("abc\0\0\0\0\0\0\0\0\0\0\0\0\0", 16));
    EXPECT_EQ(view.archivePath, dir.file("NEW.GRP"));
    EXPECT_EQ(view.caption, "Tessel Group File Explorer - " + dir.file("NEW.GRP"));
    EXPECT_EQ(view.panels[0], "Finished");
    EXPECT_EQ(view.panels[1], "Signature: abc");
    EXPECT_EQ(view.panels[2], "Filecount: 0");
    EXPECT_TRUE(prompter.texts().empty());

    // An existing file is replaced only after Yes.
    dir.write("OLD.GRP", "precious");
    prompter.answers = {MsgResult::No, MsgResult::Yes};
    GrpArchiveView other;
    CreateArchive(other, dir.file("OLD.GRP"), "x", prompter);
    EXPECT_EQ(dir.read("OLD.GRP"), "precious");
    EXPECT_TRUE(other.archivePath.empty());
    CreateArchive(other, dir.file("OLD.GRP"), "x", prompter);
    EXPECT_EQ(dir.read("OLD.GRP").size(), 16u);
    EXPECT_EQ(prompter.texts(),
              std::vector<std::string>(2, "The file already exists, are you sure you want to overwrite it?"));
}

TEST(GrpArchiveTest, LoadListsLiveEntriesWithTheirOffsets)
{
    std::string slotFirst = Grp({{Res, 0, ""}, {"HIDDEN.CON", 3, ""}});
    slotFirst.replace(12, 4, test::Le32(5000));   // far more than the file holds
    std::string negative = Grp({});
    negative.replace(12, 4, test::Le32(-3));
    std::string nulAfterEight = Grp({{"TILES000.ART", 1, ""}, {"", 2, ""}});
    nulAfterEight.replace(32, 12, std::string("ABCDEFGH") + '\0' + "XYZ");
    struct Case {
        const char* what;
        std::string bytes;
        std::vector<std::string> rows;
    } cases[] = {
        {"deleted entries keep their place", Grp({{"A", 10, ""}, {Del, 5, ""}, {"B", 7, ""}}), {"A 10 64", "B 7 79"}},
        {"nothing after the first slot", Grp({{"A", 4, ""}, {Res, 0, ""}, {"B", 2, ""}}), {"A 4 64"}},
        {"a slot first, with a huge count", slotFirst, {}},
        {"a count of zero", Grp({}), {}},
        {"a negative count", negative, {}},
        {"twelve-letter names and a NUL after eight", nulAfterEight, {"TILES000.ART 1 48", "ABCDEFGH 2 49"}},
        {"empty entries share an offset", Grp({{"EMPTY", 0, ""}, {"X", 3, ""}}), {"EMPTY 0 48", "X 3 48"}},
    };
    for (const auto& c : cases) {
        const Loaded l = Load(c.bytes);
        EXPECT_EQ(l.error, "(no error)") << c.what;
        EXPECT_TRUE(l.messages.empty()) << c.what;
        EXPECT_EQ(Listing(l.view), c.rows) << c.what;
        EXPECT_EQ(l.view.listedCount, static_cast<int>(c.rows.size())) << c.what;
        EXPECT_EQ(l.view.panels[2], "Filecount: " + std::to_string(c.rows.size())) << c.what;
        EXPECT_EQ(l.view.panels[1], "Signature: KenSilverman") << c.what;
        EXPECT_EQ(l.view.panels[0], "Finished") << c.what;
    }
}

TEST(GrpArchiveTest, ExtensionGroupsFollowTheFirstRowOfEachKey)
{
    const std::string bytes = Grp({{"GAME.CON", 1, ""},
                                   {"TILES000.ART", 1, ""},
                                   {"USER.CON", 1, ""},
                                   {"README", 1, ""},
                                   {"low.con", 1, ""},
                                   {"x.y.ART", 1, ""}});
    const Loaded withTree = Load(bytes);
    EXPECT_EQ(Tree(withTree.view), (std::vector<std::string>{"[CON] GAME.CON USER.CON", "[ART] TILES000.ART x.y.ART",
                                                             "[] README", "[con] low.con"}));

    TempDir dir;
    ScriptedPrompter prompter;
    GrpArchiveView view;
    test::RecordingHooks hooks(view);
    const std::string path = dir.write("T.GRP", bytes);
    LoadArchive(view, path, prompter);
    EXPECT_EQ(hooks.painted, (std::vector<std::string>{"Loading File...", "Loading Tree List..."}));
    hooks.painted.clear();
    view.treeListEnabled = false;
    LoadArchive(view, path, prompter);
    EXPECT_TRUE(view.groups.empty());
    EXPECT_EQ(hooks.painted, std::vector<std::string>{"Loading File..."});
    EXPECT_EQ(view.rows.size(), 6u);
}

TEST(GrpArchiveTest, RefusalsAndReadFailuresKeepWhatTheyMust)
{
    TempDir dir;
    ScriptedPrompter prompter;
    GrpArchiveView view;
    test::RecordingHooks hooks(view);
    LoadArchive(view, dir.write("A.GRP", Grp({{"KEEP.CON", 1, ""}})), prompter);
    ASSERT_EQ(view.rows.size(), 1u);

    LoadArchive(view, dir.file("missing.grp"), prompter);
    LoadArchive(view, dir.write("empty.grp", ""), prompter);
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{"The selected file does not exist.", "The file is empty."}));
    EXPECT_EQ(Listing(view), std::vector<std::string>{"KEEP.CON 1 32"});
    EXPECT_EQ(view.panels[0], "Loading File...");
    EXPECT_EQ(hooks.busy, 0);

    // A header cut short, and a directory that runs past the end: the rows read stay.
    EXPECT_EQ(ErrorOf([&] { LoadArchive(view, dir.write("short.grp", "KenSilverman\x04"), prompter); }),
              "Read beyond end of file");
    std::string cut = Grp({{"ONE", 1, ""}, {"TWO", 1, ""}, {"THREE", 1, ""}});
    cut.replace(12, 4, test::Le32(100));
    EXPECT_EQ(ErrorOf([&] { LoadArchive(view, dir.write("cut.grp", cut), prompter); }), "Read beyond end of file");
    EXPECT_EQ(Listing(view), (std::vector<std::string>{"ONE 1 1616", "TWO 1 1617", "THREE 1 1618"}));
    EXPECT_EQ(hooks.busy, 0);
}

TEST(GrpArchiveTest, RefreshOffsetsMatchesRowsByPosition)
{
    TempDir dir;
    ScriptedPrompter prompter;
    GrpArchiveView view;
    const std::string path = dir.write("A.GRP", Grp({{"A", 10, ""}, {"B", 20, ""}, {Res, 0, ""}}));
    LoadArchive(view, path, prompter);
    dir.write("A.GRP", Grp({{"A", 10, ""}, {Del, 6, ""}, {"B", 20, ""}, {Res, 0, ""}, {Res, 0, ""}}));
    RefreshOffsets(view, path, prompter);
    EXPECT_EQ(Listing(view), (std::vector<std::string>{"A 10 96", "B 20 112"}));
    DeleteFile(path);
    RefreshOffsets(view, path, prompter);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"The archive does not exist."});
    EXPECT_EQ(Listing(view), (std::vector<std::string>{"A 10 96", "B 20 112"}));
}

TEST(GrpArchiveTest, CloseEmptiesTheModelAndComplainsOnlyWhenNothingIsOpen)
{
    TempDir dir;
    ScriptedPrompter prompter;
    GrpArchiveView view;
    view.archivePath = dir.write("A.GRP", Grp({{"A.CON", 1, ""}}));
    LoadArchive(view, view.archivePath, prompter);
    view.selectedRow = 0;
    for (int round = 0; round < 2; ++round) {
        CloseArchive(view, prompter);
        EXPECT_EQ(view.caption, "Veska' pl1 maker - (No File Loaded)");
        EXPECT_EQ(view.panels[1], "Signature:");
        EXPECT_EQ(view.panels[2], "Filecount: 0");
        EXPECT_TRUE(view.archivePath.empty() && view.rows.empty() && view.groups.empty());
        EXPECT_EQ(view.selectedRow, -1);
    }
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"No File Loaded"});
}

// --- real archives -------------------------------------------------------------

// A reader of its own, kept apart from the one under test: entries with their
// data, as the format is documented.
struct Independent {
    std::string signature;
    std::vector<std::pair<std::string, std::string>> live;   // name, data
    bool complete = true;                                  // every entry's data in the file
};

Independent ReadIndependently(const std::string& b)
{
    Independent out;
    out.signature = std::string(b.c_str(), std::min<std::size_t>(strnlen(b.c_str(), 12), 12));
    const std::int32_t n = test::Int32At(b, 12);
    std::size_t at = 16 + 16 * static_cast<std::size_t>(n);
    for (std::int32_t i = 0; i < n; ++i) {
        const std::string field = b.substr(16 + 16 * static_cast<std::size_t>(i), 12);
        const auto size = static_cast<std::size_t>(test::Int32At(b, 28 + 16 * static_cast<std::size_t>(i)));
        if (field == Res)
            break;
        if (field != Del) {
            if (at + size > b.size())
                out.complete = false;
            out.live.emplace_back(field.substr(0, field.find('\0')), b.substr(std::min(at, b.size()), size));
        }
        at += size;
    }
    return out;
}

std::string CorpusFile(const std::string& name)
{
    return std::string(TESSEL_CORPUS_DIR) + "/grp/" + name;
}

TEST(GrpArchiveTest, CorpusArchivesListExtractAndRebuildAsAnIndependentReaderSees)
{
    if (!DirectoryExists(CorpusFile("")))
        GTEST_SKIP() << "no corpus";
    for (const char* name : {"kenbuild-stuff.grp", "duke3d-group-TEST2.GRP", "vgio-test.grp"}) {
        SCOPED_TRACE(name);
        TempDir dir;
        ScriptedPrompter prompter;
        std::string original;
        ASSERT_TRUE(ReadWholeFile(CorpusFile(name), original));
        const Independent expected = ReadIndependently(original);
        ASSERT_TRUE(expected.complete);
        const std::string path = dir.write("COPY.GRP", original);

        GrpArchiveView view;
        LoadArchive(view, path, prompter);
        EXPECT_EQ(view.panels[1], "Signature: " + expected.signature);
        ASSERT_EQ(view.rows.size(), expected.live.size());
        for (std::size_t i = 0; i < expected.live.size(); ++i) {
            EXPECT_EQ(view.rows[i].name, expected.live[i].first);
            ExtractEntry(path, dir.file("out"), view.rows[i].name, prompter);
            EXPECT_EQ(dir.read("out"), expected.live[i].second) << view.rows[i].name;
            DeleteFile(dir.file("out"));
        }

        // Nothing deleted and no slots: a rebuild gives the same bytes.
        RebuildArchive(view, path, 0, prompter);
        EXPECT_EQ(dir.read("COPY.GRP"), original);

        // Without its second (or only) entry, the rest reads as before.
        const std::size_t victim = expected.live.size() > 1 ? 1 : 0;
        view.selectedRow = static_cast<int>(victim);
        DeleteEntry(view, path, prompter);
        RebuildArchive(view, path, 3, prompter);
        const std::string rebuilt = dir.read("COPY.GRP");
        EXPECT_EQ(rebuilt.size(), original.size() - expected.live[victim].second.size() + 2 * 16);
        auto remaining = expected.live;
        remaining.erase(remaining.begin() + static_cast<std::ptrdiff_t>(victim));
        EXPECT_EQ(ReadIndependently(rebuilt).live, remaining);
        const std::string slot = Res + test::Le32(0);
        EXPECT_EQ(rebuilt.substr(16 + 16 * remaining.size(), 48), slot + slot + slot);
        EXPECT_TRUE(prompter.texts().empty());
        EXPECT_FALSE(FileExists(dir.file("~tempCOPY.GRP")));
    }
}

TEST(GrpArchiveTest, DamagedCorpusArchivesAreReadOnlyAsFarAsTheyGo)
{
    if (!DirectoryExists(CorpusFile("")))
        GTEST_SKIP() << "no corpus";
    TempDir dir;
    ScriptedPrompter prompter;
    std::string damaged;
    ASSERT_TRUE(ReadWholeFile(CorpusFile("kenbuild-stuff-damaged.grp"), damaged));
    const std::string path = dir.write("DAMAGED.GRP", damaged);
    GrpArchiveView view;
    LoadArchive(view, path, prompter);
    ASSERT_EQ(view.rows.size(), 7u);
    EXPECT_EQ(view.rows[6].name + " " + std::to_string(view.rows[6].offset), "VOXEL001.KVX 818724");
    // The last entry runs 132 bytes past the end: no file for it, no rebuild.
    EXPECT_EQ(ErrorOf([&] { ExtractEntry(path, dir.file("v.kvx"), "VOXEL001.KVX", prompter); }),
              "Read beyond end of file");
    EXPECT_FALSE(FileExists(dir.file("v.kvx")));
    EXPECT_EQ(ErrorOf([&] { RebuildArchive(view, path, 5, prompter); }), "Read beyond end of file");
    EXPECT_EQ(dir.read("DAMAGED.GRP"), damaged);
    EXPECT_FALSE(FileExists(dir.file("~tempDAMAGED.GRP")));

    std::string shortHeader;
    ASSERT_TRUE(ReadWholeFile(CorpusFile("gamearchivejs-short.grp"), shortHeader));
    EXPECT_EQ(ErrorOf([&] { LoadArchive(view, dir.write("SHORT.GRP", shortHeader), prompter); }),
              "Read beyond end of file");
    EXPECT_TRUE(view.rows.empty());
}

} // namespace
} // namespace tessel

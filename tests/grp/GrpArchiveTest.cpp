#include "grp/GrpArchive.h"
#include "grp/GrpFormat.h"

#include <gtest/gtest.h>

#include "grp/GrpOperations.h"
#include "grp/GrpTestSupport.h"

namespace tessel {
namespace {

using namespace test;
using Rows = std::vector<std::string>;

TEST(GrpArchiveTest, CreateWritesSixteenBytesAndLoadsThem)
{
    TempDir dir;
    ScriptedPrompter prompter;
    GrpArchiveView view;
    CreateArchive(view, dir.file("NEW.GRP"), "abc", prompter);
    EXPECT_EQ(dir.read("NEW.GRP"), std::string("abc\0\0\0\0\0\0\0\0\0\0\0\0\0", 16));
    EXPECT_EQ(view.archivePath, dir.file("NEW.GRP"));
    EXPECT_EQ(view.caption, "Tessel Group File Explorer - " + dir.file("NEW.GRP"));
    EXPECT_EQ(view.panels[0] + "|" + view.panels[1] + "|" + view.panels[2], "Finished|Signature: abc|Filecount: 0");
    // Over a file only when the answer is Yes.
    for (const auto& [answer, signature] : {std::pair{MsgResult::No, "abc"}, {MsgResult::Yes, "xyz"}}) {
        prompter.answers = {answer};
        CreateArchive(view, dir.file("NEW.GRP"), "xyz", prompter);
        EXPECT_EQ(dir.read("NEW.GRP").substr(0, 3), signature);
    }
}

TEST(GrpArchiveTest, LoadListsLiveEntriesAtTheirOffsets)
{
    std::string slotFirst = Grp({{Res, 0}, {"HIDDEN.CON", 3}}), negative = Grp({}),
                nul = Grp({{"TILES000.ART", 1}, {"", 2}});
    slotFirst.replace(12, 4, Le32(5000));
    negative.replace(12, 4, Le32(-3));
    nul.replace(32, 12, std::string("ABCDEFGH\0XYZ", 12));
    const struct { const char* name; std::string bytes; Rows rows; } cases[] = {
        {"a deleted entry between", Grp({{"A", 10}, {Del, 5}, {"B", 7}}), {"A 10 64", "B 7 79"}},
        {"the first slot ends the list", Grp({{"A", 4}, {Res, 0}, {"B", 2}}), {"A 4 64"}},
        {"a slot first under a count past the end", slotFirst, {}},
        {"a negative count", negative, {}},
        {"a name ends at its first zero byte", nul, {"TILES000.ART 1 48", "ABCDEFGH 2 49"}},
    };
    for (const auto& [name, bytes, rows] : cases) {
        SCOPED_TRACE(name);
        Fixture f(bytes);
        EXPECT_EQ(Listing(f.view), rows);
        EXPECT_EQ(f.view.panels[2], "Filecount: " + std::to_string(rows.size()));
        EXPECT_EQ(f.view.panels[0] + "|" + f.view.panels[1], "Finished|Signature: KenSilverman");
        EXPECT_TRUE(f.prompter.texts().empty());
    }
    // Past the first block of directory entries that the walk reads.
    std::vector<Entry> many(299, {"F", 1});
    many.push_back({"LAST", 2});
    Fixture f(Grp(many));
    EXPECT_EQ(Listing(f.view).back(), "LAST 2 " + std::to_string(16 * 301 + 299));
}

TEST(GrpArchiveTest, ExtensionGroupsFollowTheFirstRowOfEachKey)
{
    Fixture f(
        Grp({{"GAME.CON", 1}, {"TILES000.ART", 1}, {"USER.CON", 1}, {"README", 1}, {"low.con", 1}, {"x.y.ART", 1}}));
    EXPECT_EQ(Groups(f.view),
              (Rows{"CON /GAME.CON /USER.CON", "ART /TILES000.ART /x.y.ART", " /README", "con /low.con"}));
    f.view.selectedRow = 2;
    LoadArchive(f.view, f.path, f.prompter);   // afresh: nothing selected, nothing counted twice
    EXPECT_EQ(f.view.selectedRow, -1);
    EXPECT_EQ(f.view.panels[2], "Filecount: 6");
    EXPECT_EQ(f.hooks.painted, (Rows{"Loading File...", "Loading Tree List..."}));
    f.hooks.painted.clear();
    f.view.treeListEnabled = false;
    LoadArchive(f.view, f.path, f.prompter);
    EXPECT_TRUE(f.view.groups.empty());
    EXPECT_EQ(f.hooks.painted, Rows{"Loading File..."});
}

TEST(GrpArchiveTest, RefusalsAndReadFailuresKeepWhatTheyMust)
{
    Fixture f(Grp({{"KEEP.CON", 1}}));
    LoadArchive(f.view, f.dir.file("missing.grp"), f.prompter);
    LoadArchive(f.view, f.dir.write("empty.grp", ""), f.prompter);
    EXPECT_EQ(f.prompter.texts(), (Rows{"The selected file does not exist.", "The file is empty."}));
    EXPECT_EQ(Listing(f.view), Rows{"KEEP.CON 1 32"});
    EXPECT_EQ(f.view.panels[0], "Loading File...");
    // A header cut short; a directory that runs past the end keeps the rows read.
    EXPECT_EQ(ErrorOf([&] { LoadArchive(f.view, f.dir.write("short.grp", "KenSilverman\x04"), f.prompter); }),
              "Read beyond end of file");
    std::string cut = Grp({{"ONE", 1}, {"TWO", 1}});
    cut.replace(12, 4, Le32(INT32_MAX));   // read up to the file's end, never counted out in advance
    EXPECT_EQ(ErrorOf([&] { LoadArchive(f.view, f.dir.write("cut.grp", cut), f.prompter); }),
              "Read beyond end of file");
    EXPECT_EQ(f.view.caption, "Tessel Group File Explorer - " + f.dir.file("cut.grp"));
    EXPECT_EQ(Listing(f.view), (Rows{"ONE 1 " + std::to_string(16 + 16 * std::int64_t(INT32_MAX)),
                                     "TWO 1 " + std::to_string(17 + 16 * std::int64_t(INT32_MAX))}));
    EXPECT_EQ(f.hooks.busy, 0);
}

TEST(GrpArchiveTest, RefreshedOffsetsFollowTheLiveEntriesUpToTheFirstSlot)
{
    Fixture f(Grp({{"A", 1}, {"B", 2}, {"C", 3}}));
    f.dir.write("T.GRP", Grp({{Del, 5}, {"A", 1}, {"B", 2}, {Res, 0}, {"C", 3}}));
    RefreshOffsets(f.view, f.path, f.prompter);
    EXPECT_EQ(Listing(f.view), (Rows{"A 1 101", "B 2 102", "C 3 67"}));
    std::string cut = Grp({{"A", 1}, {"B", 2}, {"C", 3}, {"D", 4}});
    cut.replace(12, 4, Le32(9));
    f.dir.write("T.GRP", cut);
    EXPECT_EQ(ErrorOf([&] { RefreshOffsets(f.view, f.path, f.prompter); }), "Read beyond end of file");
    EXPECT_EQ(Listing(f.view), (Rows{"A 1 160", "B 2 161", "C 3 163"}));
}

const std::string Corpus = std::string(TESSEL_CORPUS_DIR) + "/grp/";

TEST(GrpArchiveTest, CorpusArchivesListExtractAndRebuildAsAnIndependentReaderSees)
{
    if (!DirectoryExists(Corpus))
        GTEST_SKIP() << "no corpus";
    for (const char* name : {"kenbuild-stuff.grp", "duke3d-group-TEST2.GRP", "vgio-test.grp"}) {
        SCOPED_TRACE(name);
        std::string original;
        ASSERT_TRUE(ReadWholeFile(Corpus + name, original));
        Fixture f(original);
        auto expected = LiveEntriesOf(original);
        ASSERT_EQ(f.view.rows.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(f.view.rows[i].name, expected[i].first);
            ExtractEntry(f.path, f.dir.file(std::to_string(i)), f.view.rows[i].name, f.prompter);
            EXPECT_EQ(f.dir.read(std::to_string(i)), expected[i].second);
        }
        RebuildArchive(f.view, f.path, 0, f.prompter);   // nothing to drop: the same bytes
        EXPECT_EQ(f.bytes(), original);
        f.view.selectedRow = expected.size() > 1 ? 1 : 0;
        DeleteEntry(f.view, f.path, f.prompter);
        RebuildArchive(f.view, f.path, 1, f.prompter);
        expected.erase(expected.begin() + (expected.size() > 1 ? 1 : 0));
        EXPECT_EQ(LiveEntriesOf(f.bytes()), expected);
        EXPECT_EQ(f.bytes().substr(16 + 16 * expected.size(), 16), Res + Le32(0));
        EXPECT_TRUE(f.prompter.texts().empty());
    }
}

} // namespace
} // namespace tessel

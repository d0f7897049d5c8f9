#include "grp/GrpCommands.h"
#include "grp/GrpOperations.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>

#include <cerrno>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "grp/GrpTestSupport.h"

namespace tessel {
namespace {

using namespace test;
using Rows = std::vector<std::string>;
using Op = std::function<void(Fixture&)>;

Op Add(const std::string& name, const std::string& data = "new")
{
    return [=](Fixture& f) {
        ::mkdir(f.dir.file("src").c_str(), 0755);
        AddFile(f.view, f.path, name.empty() ? f.dir.file("src/none") : f.dir.write("src/" + name, data), f.prompter);
    };
}
enum From { List, Tree };
Op Delete(const std::string& name, From from = List, const std::string& selected = "")
{
    return [=](Fixture& f) {
        f.select(selected.empty() ? name : selected);
        from == Tree ? DeleteTreeEntry(f.view, f.path, name, f.prompter) : DeleteEntry(f.view, f.path, f.prompter);
    };
}
Op Rebuild(int extra)
{
    return [=](Fixture& f) {
        extra < 0 ? EraseReservedSpace(f.view, f.path, f.prompter) : RebuildArchive(f.view, f.path, extra, f.prompter);
    };
}

TEST(GrpOperationsTest, BytesRowsAndMessagesOfEachOperation)
{
    const Entry a{"A", 10}, b{"B", 20}, c{"C.CON", 5}, s{Res, 0}, d{Del, 5}, dup{"DUP.CON", 3}, gone{Del, 3, "DDD"};
    const Entry s3{Res, 3}, s4{Res, 4};   // slots with data, as other tools leave them
    const std::string rbe = "Read beyond end of file",
                      noSlot = "There is no reserved space in the group file, please add some.",
                      tooLong = "Warning: The file that you have chosen to insert is more than 12 characters long, "
                                "shorten the filename and try again, because duke3D GRP are limited to 12 characters "
                                "for filenames.";
    const std::string far = "A 10 " + std::to_string(16 * (std::int64_t(INT32_MAX) + 1)),
                      twelve = "ABCDEFGH.CON 2 53", notFound = "The file you selected cannot be found.";
    const Rows afterDup = {"A 10 83", "DUP.CON 3 93", "C.CON 5 96"};   // the offsets stay
    std::vector<Entry> plus25(27, s), plus27(29, s);
    plus25[0] = plus27[0] = a, plus25[1] = plus27[1] = b;
    std::string count = Grp({a}), negative = Grp({a, s}), pastEnd = Grp({a, b}), below = Grp({a, s});
    count.replace(12, 4, Le32(INT32_MAX));   // read up to the end, never counted out in advance
    negative.replace(28, 4, Le32(-4));
    pastEnd.pop_back();
    below.replace(12, 4, Le32(-1));
    // A slot first under a count the file cannot hold (found by fuzzing: Add
    // sent the data 25 GB past the end).
    const std::string slotFirst = std::string(12, '\0') + "N10_" + Res + "#########_si_class_type_i";
    struct Case {
        const char* name;
        std::string before;
        Op op;
        std::string after;   // empty: unchanged
        Rows rows, messages = {};
        int selected = -1;   // the list's selection afterwards
    } cases[] = {
        {"add fills the first slot", Grp({a, b, s, s}), Add("NEW.CON", std::string(100, 'N')),
         Grp({a, b, {"NEW.CON", 100}, s}), {"A 10 80", "B 20 90", "NEW.CON 100 110"}},
        {"add to an empty archive", Grp({}), Add("GAME.CON", "xyz"), Grp({{"GAME.CON", 3, "xyz"}}), {"GAME.CON 3 32"}},
        {"add: name too long", Grp({c, s}), Add("ABCDEFGHI.CON"), "", {"C.CON 5 48"}, {tooLong}},
        {"add: duplicate", Grp({c, s}), Add("C.CON"), "", {"C.CON 5 48"},
         {"There is already a file with the same name in the archive"}},
        {"add: no source", Grp({c, s}), Add(""), "", {"C.CON 5 48"}, {"The file to add does not exist."}},
        {"add: case differs", Grp({c, s, s}), Add("c.con", "lower"), Grp({c, {"c.con", 5, "lower"}, s}),
         {"C.CON 5 64", "c.con 5 69"}},
        {"add: twelve characters", Grp({c, s}), Add("ABCDEFGH.CON", "12"), Grp({c, {"ABCDEFGH.CON", 2, "12"}}),
         {"C.CON 5 48", twelve}},
        {"add: no slot", Grp({c}), Add("NEW"), "", {"C.CON 5 32"}, {noSlot}},
        // A slot that an entry with a name or data follows is no place for new data.
        {"add: slot before a live entry", Grp({a, s, b}), Add("NEW"), "", {"A 10 64"}, {noSlot}},
        {"add: slot before a slot with data", Grp({a, s, s4}), Add("NEW"), "", {"A 10 64"}, {noSlot}},
        {"add: a slot's own data is overwritten", Grp({a, s4}), Add("NEW.CON", "newnewnew"),
         Grp({a, {"NEW.CON", 9, "newnewnew"}}), {"A 10 48", "NEW.CON 9 58"}},
        // List delete marks every entry of the name, removes one row; tree delete marks the first.
        {"delete: every entry of the name", Grp({dup, a, dup, c}), Delete("DUP.CON"), Grp({gone, a, gone, c}),
         afterDup},
        {"tree delete: the first", Grp({dup, a, dup, c}), Delete("DUP.CON", Tree), Grp({gone, a, dup, c}), afterDup},
        {"tree delete: a row above the selection", Grp({dup, a, c}), Delete("DUP.CON", Tree, "C.CON"),
         Grp({gone, a, c}), {"A 10 67", "C.CON 5 77"}, {}, 1},
        {"delete: not behind a slot", Grp({dup, s, dup}), Delete("DUP.CON"), Grp({gone, s, dup}), {}},
        {"tree delete: a group node", Grp({dup, c}), Delete("CON", Tree), "", {"DUP.CON 3 48", "C.CON 5 51"},
         {notFound}},
        {"delete: nothing selected", Grp({a}), Delete(""), "", {"A 10 32"}, {"Nothing selected in the list."}},
        {"delete: selection past the rows", Grp({a}), [](Fixture& f) {
             f.view.selectedRow = 1;
             DeleteEntry(f.view, f.path, f.prompter);
         }, "", {"A 10 32"}, {"Nothing selected in the list."}, 1},
        // Rebuilds: live entries with their data first, then the slots there were, then new ones.
        {"defrag", Grp({a, d, b}), Rebuild(0), Grp({a, b}), {"A 10 48", "B 20 58"}},
        {"reserve 25", Grp({a, b}), Rebuild(25), Grp(plus25), {"A 10 448", "B 20 458"}},
        {"reserve keeps slots", Grp({a, d, b, s, s}), Rebuild(25), Grp(plus27), {"A 10 480", "B 20 490"}},
        {"reserve: only slots", Grp({s, s}), Rebuild(1), Grp({s, s, s}), {}},
        {"unreserve", Grp({a, b, s, s, s}), Rebuild(-1), Grp({a, b}), {"A 10 48", "B 20 58"}},
        // Slots with data, also first: each live entry keeps its own bytes and goes before them; their data goes.
        {"defrag: slots with data around entries", Grp({a, s4, b, s3}), Rebuild(0), Grp({a, b, s, s}), {"A 10 80"}},
        {"unreserve: slots with data around entries", Grp({a, s4, d, b, s3}), Rebuild(-1), Grp({a, b}), {"A 10 48"}},
        // Directories and sizes that do not fit the file change nothing.
        {"reserve: count too large", count, Rebuild(2), "", {far}, {rbe}},
        {"add: negative size", negative, Add("N"), "", {"A -4 48"}, {rbe}},
        {"defrag: data past the end", pastEnd, Rebuild(0), "", {"A 10 48", "B 20 58"}, {rbe}},
        {"delete: data past the end", pastEnd, Delete("A"), "", {"A 10 48", "B 20 58"}, {rbe}, 0},
        {"add: negative count", below, Add("N"), "", {}, {rbe}},
        {"add: slot first past the end", slotFirst, Add("N"), "", {}, {rbe}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f(c.before);
        const std::string error = ErrorOf([&] { c.op(f); });
        Rows messages = f.prompter.texts();
        if (!error.empty())
            messages.push_back(error);
        EXPECT_EQ(messages, c.messages);
        EXPECT_EQ(f.bytes(), c.after.empty() ? c.before : c.after);
        EXPECT_EQ(Listing(f.view), c.rows);
        EXPECT_EQ(f.view.selectedRow, c.selected);
        EXPECT_EQ(f.view.panels[2],
                  f.loadError.empty() ? "Filecount: " + std::to_string(c.rows.size()) : "Filecount: ");
        EXPECT_FALSE(f.tempLeft());
    }
}

TEST(GrpOperationsTest, AddRefusesTheArchiveUnderAnyNameAndAsksForSlots)
{
    Fixture f(Grp({{"A", 3}, {Res, 0}}));
    ASSERT_EQ(::symlink(f.path.c_str(), f.dir.file("link.grp").c_str()), 0);
    for (const char* same : {"T.GRP", "link.grp"})
        AddFile(f.view, f.path, f.dir.file(same), f.prompter);
    EXPECT_EQ(f.prompter.texts(),
              Rows(2, "You may not add the same file that you are using as the archive to the archive."));
    EXPECT_EQ(f.bytes(), Grp({{"A", 3}, {Res, 0}}));
    // The reserved-space dialog's slots are made, the file is not added.
    Fixture g(Grp({{"A", 3}}));
    g.hooks.slotsAnswer = 2;
    Add("NEW")(g);
    EXPECT_EQ(g.hooks.dialogSizes, std::vector<std::int64_t>{35});
    EXPECT_EQ(g.bytes(), Grp({{"A", 3}, {Res, 0}, {Res, 0}}));
    DeleteFile(g.path);
    Add("NEW")(g);
    EXPECT_EQ(g.prompter.texts().back(), "The Archive does not exist anymore, closing archive...");
    EXPECT_EQ(g.view.caption, "Veska' pl1 maker - (No File Loaded)");
}

TEST(GrpOperationsTest, TreeNodesComeAndGoWithTheirGroups)
{
    Fixture f(Grp({{"GAME.CON", 1}, {"T.ART", 1}, {Res, 0}, {Res, 0}}));
    Add("NEW.CON")(f);
    Delete("T.ART", Tree)(f);
    ASSERT_EQ(f.view.groups.size(), 1u);
    EXPECT_EQ(f.view.groups[0].children, (Rows{"GAME.CON", "NEW.CON"}));
    Delete("GAME.CON")(f);
    Delete("NEW.CON")(f);
    Add("LAST.CON")(f);   // an emptied tree gets no node but for the first entry
    EXPECT_TRUE(f.view.groups.empty());
    for (const bool tree : {false, true}) {   // the first entry starts a tree, where there is one
        Fixture g(Grp({{Res, 0}}), tree);
        Add("FIRST.CON")(g);
        EXPECT_EQ(g.view.groups.size(), tree ? 1u : 0u) << (tree ? "with a tree" : "without one");
    }
}

TEST(GrpOperationsTest, ExtractWritesTheFirstLiveEntryOnlyWhereItMaySafelyGo)
{
    Fixture f(Grp({{"A", 2}, {Del, 3}, {"EMPTY", 0}, {"B", 4, "bbbb"}, {"B", 1, "x"}, {"PAST", 9}}));
    ExtractEntry(f.path, f.dir.file("b"), "B", f.prompter);
    ExtractEntry(f.path, f.dir.file("e"), "EMPTY", f.prompter);
    ExtractEntry(f.path, f.dir.file("d"), Del, f.prompter);
    EXPECT_EQ(f.dir.read("b"), "bbbb");
    EXPECT_TRUE(FileExists(f.dir.file("e")) && f.dir.read("e").empty() && !FileExists(f.dir.file("d")));
    // Asked first; No keeps the file, and so does a name that is not there.
    f.prompter.answers = {MsgResult::No, MsgResult::Yes};
    ExtractEntry(f.path, f.dir.file("b"), "A", f.prompter);
    ExtractEntry(f.path, f.dir.file("b"), "MISSING", f.prompter);
    ExtractEntry(f.dir.write("E.GRP", ""), f.dir.file("x"), "A", f.prompter);
    ExtractEntry(f.dir.file("GONE.GRP"), f.dir.file("x"), "A", f.prompter);
    EXPECT_EQ(f.dir.read("b"), "bbbb");
    const std::string ask = "The destination file already exists, are you sure you want to overwrite it?",
                      none = "The file you selected cannot be found.";
    EXPECT_EQ(f.prompter.texts(),
              (Rows{none, ask, ask, none, "The file is empty.", "The selected file does not exist."}));
    const std::string folder = MakeNonRegular(f.dir, "folder", NonRegular::Folder);
    EXPECT_EQ(ErrorOf([&] { ExtractEntry(f.path, folder, "A", f.prompter); }), folder + " is a folder");
    // Never over the archive; never data past its end.
    ASSERT_EQ(::link(f.path.c_str(), f.dir.file("hard.grp").c_str()), 0);
    const std::string cut = f.bytes().substr(0, f.bytes().size() - 1);
    f.dir.write("T.GRP", cut);
    f.prompter.clear();
    ExtractEntry(f.path, f.dir.file("hard.grp"), "A", f.prompter);
    EXPECT_EQ(f.prompter.texts(), Rows{"Cannot create file " + f.dir.file("hard.grp")});
    EXPECT_EQ(f.bytes(), cut);
    // Data outside the file's data area, or a directory cut short: the file the
    // user let us overwrite keeps its bytes.
    std::string cutDir = Grp({{"A", 1}});
    cutDir.replace(12, 4, Le32(3));
    const std::string negative = Grp({{"NEG", -4}, {"B", 5}});   // B starts 4 bytes early
    const std::pair<std::string, std::string> outside[] = {
        {cut, "PAST"}, {cutDir, "MISSING"}, {negative, "NEG"}, {negative, "B"}};
    for (const auto& [bytes, name] : outside) {
        SCOPED_TRACE(name);
        f.prompter.answers = {MsgResult::Yes};
        EXPECT_EQ(ErrorOf([&, &name = name] {
                      ExtractEntry(f.dir.write("R.GRP", bytes), f.dir.write("p", "keep"), name, f.prompter);
                  }),
                  "Read beyond end of file");
        EXPECT_EQ(f.dir.read("p"), "keep");
    }
}

// A dangling link: GrpToolTest's unpack into a folder with a link in it.
TEST(GrpOperationsTest, ExtractNeverWritesThroughALinkAtTheDestination)
{
    Fixture f(Grp({{"A", 3, "aaa"}}));
    const std::string outside = f.dir.write("outside", "mine"), dest = f.dir.file("dest");
    ASSERT_EQ(::symlink(outside.c_str(), dest.c_str()), 0);
    f.prompter.answers = {MsgResult::Yes};
    EXPECT_EQ(ErrorOf([&] { ExtractEntry(f.path, dest, "A", f.prompter); }), "Cannot create file " + dest);
    EXPECT_EQ(f.dir.read("outside"), "mine");
}

TEST(GrpOperationsTest, AFailedExtractionTakesItsFileAwayButNeverAPipeTheUserNamed)
{
    Fixture f(Grp({{"L", 200000}}));   // more than a pipe holds
    EXPECT_EQ(InChild([&] { ExtractEntry(f.path, f.dir.file("part"), "L", f.prompter); }, {1000}), "Disk full");
    EXPECT_FALSE(FileExists(f.dir.file("part")));
    const std::string pipe = MakeNonRegular(f.dir, "pipe", NonRegular::Fifo);
    const pid_t reader = ::fork();
    if (reader == 0) {   // takes one byte, then leaves the writer without a reader
        char c;
        ::_exit(::read(::open(pipe.c_str(), O_RDONLY), &c, 1) == 1 ? 0 : 1);
    }
    f.prompter.answers = {MsgResult::Yes};
    EXPECT_EQ(InChild([&] {
                  ::signal(SIGPIPE, SIG_IGN);
                  ExtractEntry(f.path, pipe, "L", f.prompter);
              }),
              "I/O error " + std::to_string(EPIPE));
    ::waitpid(reader, nullptr, 0);
    EXPECT_TRUE(FileExists(pipe));
}

using ArchiveOp = std::function<void(Fixture&, const std::string& archive)>;

// Which kinds of file are refused is FilesTest's; here, that each operation
// opens its archive through that check first (a pipe would hold it). A tree
// delete opens as a list delete does, an unreserve as a reserve does.
TEST(GrpOperationsTest, OnlyRegularFilesAreArchives)
{
    const std::pair<const char*, ArchiveOp> operations[] = {
        {"load", [](Fixture& f, const std::string& a) { LoadArchive(f.view, a, f.prompter); }},
        {"add", [](Fixture& f, const std::string& a) { AddFile(f.view, a, f.dir.write("N", "n"), f.prompter); }},
        {"extract", [](Fixture& f, const std::string& a) { ExtractEntry(a, f.dir.file("x"), "A", f.prompter); }},
        {"delete", [](Fixture& f, const std::string& a) { f.select("A"), DeleteEntry(f.view, a, f.prompter); }},
        {"reserve", [](Fixture& f, const std::string& a) { RebuildArchive(f.view, a, 2, f.prompter); }},
    };
    for (const auto& [name, op] : operations) {
        SCOPED_TRACE(name);
        Fixture f(Grp({{"A", 3}, {Res, 0}}));
        const std::string pipe = MakeNonRegular(f.dir, "pipe", NonRegular::Fifo);
        EXPECT_EQ(ErrorOf([&] { op(f, pipe); }), pipe + " is not a regular file");
        EXPECT_TRUE(f.prompter.texts().empty());
    }
}

TEST(GrpOperationsTest, AddAndPackRefuseWhatCannotBeAnEntry)
{
    const bool pipe = true, file = false;
    const struct {
        const char* name;
        std::string file;
        bool pipe;
        std::string says;   // after the path (or the name) of the file
    } cases[] = {
        {"pipe", "PIPE", pipe, " is not a regular file"},
        {"slot marker", Res, file, " is a reserved name in group files"},
        {"deleted marker", Del, file, " is a reserved name in group files"},
        {"2 GiB", "HUGE", file, " is too large for a group file (an entry holds at most 2147483647 bytes)"},
    };
    const std::string original = Grp({{"A", 3}, {Res, 0}});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f(original);
        MakeNonRegular(f.dir, "src", NonRegular::Folder);
        const std::string source =
            c.pipe ? MakeNonRegular(f.dir, "src/PIPE", NonRegular::Fifo) : f.dir.write("src/" + c.file, "x");
        if (c.file == "HUGE") {
            ASSERT_EQ(::truncate(source.c_str(), std::int64_t(1) << 31), 0);
        }
        const std::string says = (c.pipe ? source : c.file) + c.says;
        const std::string error = ErrorOf([&] { AddFile(f.view, f.path, source, f.prompter); });
        EXPECT_EQ(f.prompter.texts(), c.pipe ? Rows{} : Rows{says});
        EXPECT_EQ(error, c.pipe ? says : "");
        EXPECT_EQ(ErrorOf([&] { PackArchive(f.dir.file("P.GRP"), "S", {{"OK", f.path}, {c.file, source}}, 0); }), says);
        EXPECT_EQ(f.bytes(), original);
        EXPECT_FALSE(FileExists(f.dir.file("P.GRP")));
    }
}

TEST(GrpOperationsTest, RebuildReplacesTheFileALinkNamesKeepingItsPermissions)
{
    Fixture f(Grp({{"A", 3}, {Del, 2}}));
    ASSERT_EQ(::chmod(f.path.c_str(), 0640), 0);
    ::mkdir(f.dir.file("links").c_str(), 0755);
    ASSERT_EQ(::symlink(f.path.c_str(), f.dir.file("links/L.GRP").c_str()), 0);
    // A leftover temporary name that points elsewhere is replaced, not written through.
    ASSERT_EQ(::symlink(f.dir.write("other", "untouched").c_str(), f.dir.file("~tempT.GRP").c_str()), 0);
    RebuildArchive(f.view, f.dir.file("links/L.GRP"), 1, f.prompter);
    EXPECT_EQ(f.bytes(), Grp({{"A", 3}, {Res, 0}}));
    struct stat st;
    EXPECT_TRUE(::lstat(f.dir.file("links/L.GRP").c_str(), &st) == 0 && S_ISLNK(st.st_mode));
    EXPECT_TRUE(::stat(f.path.c_str(), &st) == 0 && (st.st_mode & 07777) == 0640);
    EXPECT_EQ(f.dir.read("other"), "untouched");
    EXPECT_FALSE(f.tempLeft());
    DeleteFile(f.path);
    RebuildArchive(f.view, f.path, 1, f.prompter);
    EraseReservedSpace(f.view, f.path, f.prompter);
    EXPECT_EQ(f.prompter.texts(), Rows(2, "The archive does not exist."));
}

TEST(GrpOperationsTest, RebuildReportsTheLiveDataCopiedSoFar)
{
    struct Progressing : GrpWindowHooks {
        void Progress(std::int64_t done, std::int64_t total) override { steps.push_back({done, total}); }
        std::vector<std::pair<std::int64_t, std::int64_t>> steps;
    } hooks;
    const std::int32_t big = (8 << 20) + 1;   // over one part, its last byte apart
    const Entry large{"BIG", big, std::string(big - 1, 'B') + "E"}, empty{"EMPTY", 0};
    Fixture f(Grp({large, {Del, 5}, empty, {"B", 20}, {Res, 0}}));
    f.view.hooks = &hooks;
    RebuildArchive(f.view, f.path, 0, f.prompter);
    const std::int64_t total = big + 20;
    EXPECT_EQ(hooks.steps, (std::vector<std::pair<std::int64_t, std::int64_t>>{
                               {8 << 20, total}, {big, total}, {total, total}}));
    EXPECT_EQ(f.bytes(), Grp({large, empty, {"B", 20}, {Res, 0}}));
}

using Command = void (*)(GrpArchiveView&, Prompter&);

// 100 bytes: two live entries, a deleted one and a slot.
const std::string Original = Grp({{"A.CON", 10}, {Del, 6}, {"B.ART", 4}, {Res, 0}});

TEST(GrpCommandsTest, EveryCommandNeedsAnArchiveThatIsStillThere)
{
    const struct {
        const char* name;
        Command command;
        std::string vanished;
    } cases[] = {
        {"create reserved space", CreateReservedSpaceCommand, "The archive does not exist. Closing Archive..."},
        {"erase reserved space", EraseAllReservedSpaceCommand, "The archive does not exist. Closing Archive..."},
        {"defragment", DefragmentArchiveCommand, "The Archive does not exist closing the archive..."}};
    for (const auto& [name, command, vanished] : cases) {
        SCOPED_TRACE(name);
        Fixture f(Original);
        DeleteFile(f.path);
        f.view.selectedRow = 1;
        command(f.view, f.prompter);
        const GrpArchiveView& v = f.view;
        EXPECT_EQ(v.caption + "|" + v.panels[1] + "|" + v.panels[2],
                  "Veska' pl1 maker - (No File Loaded)|Signature:|Filecount: 0");
        EXPECT_TRUE(v.archivePath.empty() && v.rows.empty() && v.groups.empty());
        EXPECT_EQ(std::make_pair(v.selectedRow, v.listedCount), std::make_pair(-1, 0));
        command(f.view, f.prompter);
        EXPECT_EQ(f.prompter.texts(), (Rows{vanished, "There is no archive open."}));
    }
}

TEST(GrpCommandsTest, CreateReservedSpaceGivesTheDialogTheArchiveSize)
{
    Fixture f(Original);
    CreateReservedSpaceCommand(f.view, f.prompter);   // cancelled
    EXPECT_EQ(f.bytes(), Original);
    EXPECT_EQ(f.view.panels[0], "Finished");
    f.hooks.slotsAnswer = 25;
    CreateReservedSpaceCommand(f.view, f.prompter);
    EXPECT_EQ(f.bytes().size(), 100 - 16 - 6 + 25 * 16u);
    EXPECT_EQ(f.hooks.dialogSizes, (std::vector<std::int64_t>{100, 100}));
    EXPECT_EQ(f.hooks.painted, Rows{"Creating reserved space and defragmenting file..."});
    EXPECT_EQ(f.hooks.busyStarts - f.hooks.busy, 1);
    // Its own write is no other program's change: the next write goes ahead.
    CreateReservedSpaceCommand(f.view, f.prompter);
    EXPECT_EQ(f.bytes().size(), 100 - 16 - 6 + 50 * 16u);
    EXPECT_EQ(ReservedSpaceNotice(100),
              "This process will take 100 bytes of extra space on your hard drive, but your hardrive space will be "
              "returned to normal after the process has been completed. It also might take a few minutes, depending "
              "on the speed of your system...");
}

TEST(GrpCommandsTest, EraseAndDefragmentAskFirstQuotingTheArchiveSize)
{
    const std::string erase =
        "Deleting the reserved space will make adding files slower, and to delete them, Tessel needs to defragment "
        "the archive which will take approximatly: 100 bytes extra on your hard drive. Once the defragmentation is "
        "completed the space on your hard drive will be returned to normal.\r\rThis Process might take a minute on "
        "slower machines. Do you want to procede?";
    const std::string defrag =
        "Defragmentation of the archive will clean it up, and make it smaller after you have deleted any "
        "files.\r\rDefragmentation of the archive will take approximatly 100 bytes extra on your hard disk. The "
        "memory on your hard disk will be returned to normal after defragmentation finishes. Do you want to procede?";
    struct Case {
        const char* name;
        Command command;
        std::string question;
        MsgResult answer;
        std::string bytesAfter, panelAfter, painted, rebuilding;
        int busy;
    } cases[] = {
        {"erase declined", EraseAllReservedSpaceCommand, erase, MsgResult::No, Original, "Finished", "", "", 0},
        {"erase", EraseAllReservedSpaceCommand, erase, MsgResult::Yes, Grp({{"A.CON", 10}, {"B.ART", 4}}),
         "Finished", "Erasing reserved space and defragmenting file...",
         "Erasing reserved space and defragmenting file...", 1},
        {"defragment declined", DefragmentArchiveCommand, defrag, MsgResult::No, Original, "Ready", "", "", 0},
        {"defragment", DefragmentArchiveCommand, defrag, MsgResult::Yes,
         Grp({{"A.CON", 10}, {"B.ART", 4}, {Res, 0}}), "Finished", "", "Defragmenting proceding...", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f(Original);
        f.view.panels[0] = "Ready";
        f.prompter.answers = {c.answer};
        c.command(f.view, f.prompter);
        EXPECT_EQ(f.prompter.texts(), Rows{c.question});
        EXPECT_EQ(f.prompter.shown.at(0).buttons, MsgButtons::YesNo);
        EXPECT_EQ(f.bytes(), c.bytesAfter);
        EXPECT_EQ(f.view.panels[0], c.panelAfter);
        EXPECT_EQ(f.hooks.painted, c.painted.empty() ? Rows{} : Rows{c.painted});
        EXPECT_EQ(f.hooks.rebuilding, c.rebuilding);
        EXPECT_EQ(f.hooks.busyStarts, c.busy);
        EXPECT_EQ(f.hooks.busy, 0);
    }
}

TEST(GrpFaultTest, FileSizeLimitsLeaveTheArchiveAsItWas)
{
    std::vector<Entry> entries;
    for (int i = 0; i < 40; ++i)
        entries.push_back({"F" + std::to_string(i) + ".DAT", 5000});
    entries.push_back({Del, 3000});
    entries.push_back({Res, 0});
    const std::string big = Grp(entries), empty = Grp({}), slot = Grp({{Res, 0}}),
                      junk = Grp({{"A", 10}, {Res, 0}}) + "junk";   // bytes after the data stay too
    const long size = long(big.size());
    const std::int64_t largest = INT32_MAX;   // bytes an entry may hold
    enum class Op { Add, Rebuild, Pack };
    const struct {
        const char* name;
        const std::string& original;
        Op op;
        std::int64_t source;   // bytes of the file to add or pack
        long limit;
        int signal = 0;        // delivered at the limit instead of the error
    } cases[] = {
        {"rebuild one byte short", big, Op::Rebuild, 0, size - 3017},
        {"add of the largest entry stopped midway", big, Op::Add, largest, size + 5000},
        {"pack of the largest entry stopped midway", big, Op::Pack, largest, 5000},
        // An empty file's entry is the first thing written: a part of it must go too.
        {"add stopped in an entry past the end", empty, Op::Add, 0, 20},
        {"add stopped in the slot's entry", slot, Op::Add, 0, 24},
        {"add stopped in the slot's entry by a signal", slot, Op::Add, 0, 24, SIGTERM},
        {"add stopped at once by a signal", junk, Op::Add, 20000, long(junk.size()) - 4, SIGINT},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f(c.original);
        const std::string source = f.dir.write("BIG.DAT", "");
        ASSERT_EQ(::truncate(source.c_str(), c.source), 0);   // sparse: large ones take no room
        EXPECT_EQ(InChild([&] {
                      if (c.op == Op::Add)
                          AddFile(f.view, f.path, source, f.prompter);
                      else if (c.op == Op::Rebuild)
                          RebuildArchive(f.view, f.path, 0, f.prompter);
                      else
                          PackArchive(f.path, "S", {{"BIG.DAT", source}}, 0);
                  }, {c.limit, c.signal}),
                  c.signal ? "signal " + std::to_string(c.signal) : "Disk full");
        EXPECT_TRUE(f.bytes() == c.original);
        EXPECT_FALSE(f.tempLeft());
    }
}

// Every way of writing meets every fault: the archive stays as it was (or
// becomes what the operation makes of it, where the fault does not stop it)
// and no temporary file stays beside it. A tree delete marks as a list delete
// does, an unreserve rebuilds as a reserve does.
TEST(GrpFaultTest, EveryWritingOperationSurvivesEveryFault)
{
    std::vector<Entry> entries;
    for (int i = 0; i < 8; ++i)
        entries.push_back({"F" + std::to_string(i) + ".DAT", 5000});
    entries.push_back({Del, 3000});
    entries.push_back({Res, 0});
    const std::string original = Grp(entries);
    const long size = static_cast<long>(original.size()), data = 20000;
    struct Operation {
        const char* name;
        ArchiveOp run;
        long midway;     // a file-size limit met in the middle of its writing
        bool inPlace;    // writes into the archive, not a copy beside it
        bool makesNew;   // writes a whole new archive, whatever was there, also to a device
    } operations[] = {
        {"add", [](Fixture& f, const std::string& a) { AddFile(f.view, a, f.dir.file("BIG.DAT"), f.prompter); },
         size + data / 4, true, false},
        {"rm", [](Fixture& f, const std::string& a) { f.select("F1.DAT"), DeleteEntry(f.view, a, f.prompter); }, 10,
         true, false},
        {"reserve", [](Fixture& f, const std::string& a) { RebuildArchive(f.view, a, 3, f.prompter); }, size / 2,
         false, false},
        {"new", [](Fixture& f, const std::string& a) {
             f.prompter.answers = {MsgResult::Yes};
             CreateArchive(f.view, a, "NEW", f.prompter);
         }, 8, false, false},
        {"pack", [](Fixture& f, const std::string& a) { PackArchive(a, "P", {{"BIG.DAT", f.dir.file("BIG.DAT")}}, 2); },
         data / 2, false, true},
    };
    enum class Fault { FileSize, ReadOnlyArchive, ReadOnlyFolder, FullOutput, Interrupt };
    const std::pair<const char*, Fault> faults[] = {
        {"file-size limit", Fault::FileSize}, {"read-only archive", Fault::ReadOnlyArchive},
        {"read-only folder", Fault::ReadOnlyFolder}, {"full output", Fault::FullOutput},
        {"interrupt", Fault::Interrupt}};
    const int endingSignals[] = {SIGINT, SIGTERM, SIGHUP};
    for (std::size_t i = 0; i < std::size(operations); ++i) {
        const Operation& op = operations[i];
        std::string done;   // what the operation makes of the archive
        {
            Fixture f(original);
            f.dir.write("BIG.DAT", std::string(data, 'b'));
            op.run(f, f.path);
            done = f.bytes();
        }
        for (const auto& [faultName, fault] : faults) {
            SCOPED_TRACE(std::string(op.name) + " x " + faultName);
            Fixture f(original);
            f.dir.write("BIG.DAT", std::string(data, 'b'));
            std::string archive = f.path, expected, bytes = original;
            ChildFault child;
            child.unprivileged = fault == Fault::ReadOnlyArchive || fault == Fault::ReadOnlyFolder;
            if (child.unprivileged && ::geteuid() == 0) {   // root ignores permissions: the child gives up root
                for (const char* name : {"", "T.GRP", "BIG.DAT"})
                    ASSERT_EQ(::chown(f.dir.file(name).c_str(), 65534, 65534), 0);
            }
            switch (fault) {
            case Fault::FileSize:
                child.fileSizeLimit = op.midway;
                expected = "Disk full";
                break;
            case Fault::Interrupt:
                child.fileSizeLimit = op.midway;
                child.signalAtLimit = endingSignals[i % 3];
                expected = "signal " + std::to_string(child.signalAtLimit);
                break;
            case Fault::ReadOnlyArchive:
                ASSERT_EQ(::chmod(f.path.c_str(), 0444), 0);
                expected = "File access denied";
                break;
            case Fault::ReadOnlyFolder:
                ASSERT_EQ(::chmod(f.dir.path().c_str(), 0555), 0);
                expected = op.inPlace ? "" : "File access denied";
                bytes = op.inPlace ? done : original;
                break;
            case Fault::FullOutput:
                archive = MakeNonRegular(f.dir, "full", NonRegular::Full);
                expected = op.makesNew ? "Disk full" : archive + " is not a regular file";
                break;
            }
            EXPECT_EQ(InChild([&] { op.run(f, archive); }, child), expected);
            ::chmod(f.dir.path().c_str(), 0755);
            EXPECT_TRUE(f.bytes() == bytes) << "not the expected archive, but " << f.bytes().size() << " bytes";
            const Rows left = fault == Fault::FullOutput ? Rows{"BIG.DAT", "T.GRP", "full"} : Rows{"BIG.DAT", "T.GRP"};
            EXPECT_EQ(ListFiles(f.dir.path()), left);
        }
    }
    EXPECT_TRUE(DevicesIntact());
}

} // namespace
} // namespace tessel

#include "grp/GrpOperations.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "grp/GrpBytes.h"
#include "grp/RecordingHooks.h"
#include "platform/Errors.h"
#include "platform/Files.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace tessel {
namespace {

using test::Del;
using test::Entry;
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

// An archive in a fresh folder, loaded into a view as the window would hold it.
struct Fixture {
    TempDir dir;
    ScriptedPrompter prompter;
    GrpArchiveView view;
    test::RecordingHooks hooks{view};
    std::string path;

    explicit Fixture(const std::string& bytes, bool tree = true)
    {
        path = dir.write("T.GRP", bytes);
        view.treeListEnabled = tree;
        view.archivePath = path;
        LoadArchive(view, path, prompter);
    }
    std::string bytes() const { return dir.read("T.GRP"); }
    bool tempLeft() const { return FileExists(dir.file("~tempT.GRP")); }
    void select(const std::string& name)
    {
        for (std::size_t i = 0; i < view.rows.size(); ++i)
            if (view.rows[i].name == name)
                view.selectedRow = static_cast<int>(i);
    }
};

const std::string Hundred(100, 'N');

// --- adding -------------------------------------------------------------------

TEST(GrpAddTest, FillsTheFirstSlotAndAppendsTheData)
{
    Fixture f(Grp({{"A", 10, ""}, {"B", 20, ""}, {Res, 0, ""}, {Res, 0, ""}}));
    ASSERT_EQ(f.bytes().size(), 110u);
    AddFile(f.view, f.path, f.dir.write("NEW.CON", Hundred), f.prompter);
    EXPECT_EQ(f.bytes(), Grp({{"A", 10, ""}, {"B", 20, ""}, {"NEW.CON", 100, Hundred}, {Res, 0, ""}}));
    EXPECT_EQ(f.bytes().size(), 210u);
    EXPECT_EQ(Listing(f.view), (std::vector<std::string>{"A 10 80", "B 20 90", "NEW.CON 100 110"}));
    EXPECT_EQ(f.view.panels[2], "Filecount: 3");
    EXPECT_TRUE(f.prompter.texts().empty());
}

TEST(GrpAddTest, AnArchiveWithoutEntriesGetsItsFirstEntryAtSixteen)
{
    Fixture f(Grp({}, "abc"));
    AddFile(f.view, f.path, f.dir.write("GAME.CON", "xyz"), f.prompter);
    EXPECT_EQ(f.bytes(), std::string("abc\0\0\0\0\0\0\0\0\0\x01\0\0\0GAME.CON\0\0\0\0\x03\0\0\0xyz", 35));
    EXPECT_EQ(Listing(f.view), std::vector<std::string>{"GAME.CON 3 32"});
    EXPECT_EQ(f.view.groups.size(), 1u);   // the first entry starts the tree
}

TEST(GrpAddTest, NamesAreCheckedForLengthAndDuplicatesWithCaseKept)
{
    Fixture f(Grp({{"GAME.CON", 1, ""}, {Res, 0, ""}, {Res, 0, ""}, {Res, 0, ""}}));
    const std::string before = f.bytes();
    AddFile(f.view, f.path, f.dir.write("ABCDEFGHI.CON", "x"), f.prompter);
    AddFile(f.view, f.path, f.dir.write("GAME.CON", "x"), f.prompter);
    EXPECT_EQ(f.bytes(), before);
    EXPECT_EQ(f.prompter.texts(),
              (std::vector<std::string>{
                  "Warning: The file that you have chosen to insert is more than 12 characters long, shorten the "
                  "filename and try again, because duke3D GRP are limited to 12 characters for filenames.",
                  "There is already a file with the same name in the archive"}));

    f.prompter.clear();
    ::mkdir(f.dir.file("sub").c_str(), 0755);
    AddFile(f.view, f.path, f.dir.write("sub/game.con", "lower"), f.prompter);
    AddFile(f.view, f.path, f.dir.write("ABCDEFGH.CON", "12"), f.prompter);
    EXPECT_TRUE(f.prompter.texts().empty());
    EXPECT_EQ(f.bytes().substr(48, 16), std::string("ABCDEFGH.CON\x02\0\0\0", 16));   // no NUL in the name
    EXPECT_EQ(Listing(f.view), (std::vector<std::string>{"GAME.CON 1 80", "game.con 5 81", "ABCDEFGH.CON 2 86"}));
}

TEST(GrpAddTest, RefusesTheArchiveItselfUnderAnyName)
{
    Fixture f(Grp({{"A", 3, ""}, {Res, 0, ""}}));
    const std::string before = f.bytes();
    ASSERT_EQ(::link(f.path.c_str(), f.dir.file("other.grp").c_str()), 0);
    ASSERT_EQ(::symlink(f.path.c_str(), f.dir.file("link.grp").c_str()), 0);
    ::mkdir(f.dir.file("sub").c_str(), 0755);
    for (const std::string& same : {f.path, f.dir.file("other.grp"), f.dir.file("link.grp"), f.dir.file("sub/../T.GRP")})
        AddFile(f.view, f.path, same, f.prompter);
    EXPECT_EQ(f.prompter.texts(),
              std::vector<std::string>(
                  4, "You may not add the same file that you are using as the archive to the archive."));
    EXPECT_EQ(f.bytes(), before);
}

TEST(GrpAddTest, WithoutAFreeSlotTheReservedSpaceDialogComesInstead)
{
    for (const int answer : {0, 2}) {
        Fixture f(Grp({{"A", 3, ""}}));
        f.hooks.slotsAnswer = answer;
        const std::string before = f.bytes();
        AddFile(f.view, f.path, f.dir.write("NEW.CON", "new"), f.prompter);
        EXPECT_EQ(f.prompter.texts(),
                  std::vector<std::string>{"There is no reserved space in the group file, please add some."});
        EXPECT_EQ(f.hooks.dialogSizes, std::vector<std::int64_t>{35});
        // The file is not added either way; the dialog's slots are made.
        const std::string slots = answer ? Res + test::Le32(0) + Res + test::Le32(0) : "";
        std::string expected = before;
        expected.replace(12, 4, test::Le32(1 + answer));
        expected.insert(32, slots);
        EXPECT_EQ(f.bytes(), expected);
        EXPECT_EQ(f.view.panels[0], "Finished");
        EXPECT_EQ(f.view.rows.size(), 1u);
    }
}

TEST(GrpAddTest, VanishedArchiveAndMissingSourceAreReported)
{
    Fixture f(Grp({{"A", 3, ""}, {Res, 0, ""}}));
    AddFile(f.view, f.path, f.dir.file("nothing.con"), f.prompter);
    DeleteFile(f.path);
    AddFile(f.view, f.path, f.dir.write("X.CON", "x"), f.prompter);
    EXPECT_EQ(f.prompter.texts(), (std::vector<std::string>{"The file to add does not exist.",
                                                            "The Archive does not exist anymore, closing archive..."}));
    EXPECT_TRUE(f.view.archivePath.empty() && f.view.rows.empty());
    EXPECT_EQ(f.view.caption, "Veska' pl1 maker - (No File Loaded)");
}

TEST(GrpAddTest, TreeNodesFollowTheGroups)
{
    struct Case {
        bool treeEnabled;
        std::vector<Entry> entries;
        std::vector<std::string> tree;   // key: children
    } cases[] = {
        {true, {{"GAME.CON", 1, ""}, {"TILES.ART", 1, ""}, {Res, 0, ""}}, {"CON:GAME.CON,NEW.CON", "ART:TILES.ART"}},
        {true, {{"TILES.ART", 1, ""}, {Res, 0, ""}}, {"ART:TILES.ART", "CON:NEW.CON"}},
        {false, {{"GAME.CON", 1, ""}, {Res, 0, ""}}, {}},
        {true, {{Res, 0, ""}}, {"CON:NEW.CON"}},
    };
    for (const auto& c : cases) {
        Fixture f(Grp(c.entries), c.treeEnabled);
        AddFile(f.view, f.path, f.dir.write("NEW.CON", "n"), f.prompter);
        std::vector<std::string> tree;
        for (const auto& g : f.view.groups) {
            std::string line = g.key + ":";
            for (const auto& child : g.children)
                line += (line.back() == ':' ? "" : ",") + child;
            tree.push_back(line);
        }
        EXPECT_EQ(tree, c.tree);
    }
    // A tree emptied by deletes gets no node for an entry that is not the first.
    Fixture f(Grp({{"GAME.CON", 1, ""}, {Res, 0, ""}, {Res, 0, ""}}));
    f.select("GAME.CON");
    DeleteEntry(f.view, f.path, f.prompter);
    ASSERT_TRUE(f.view.groups.empty());
    AddFile(f.view, f.path, f.dir.write("NEW.CON", "n"), f.prompter);
    EXPECT_TRUE(f.view.groups.empty());
    EXPECT_EQ(f.view.rows.size(), 1u);
}

// --- deleting -------------------------------------------------------------------

TEST(GrpDeleteTest, OnlyTheNameBytesChangeAndOffsetsStay)
{
    Fixture f(Grp({{"A", 10, ""}, {"B", 20, ""}, {"C.CON", 5, ""}}));
    const std::string before = f.bytes();
    f.select("B");
    DeleteEntry(f.view, f.path, f.prompter);
    std::string expected = before;
    expected.replace(32, 12, Del);
    EXPECT_EQ(f.bytes(), expected);
    EXPECT_EQ(Listing(f.view), (std::vector<std::string>{"A 10 64", "C.CON 5 94"}));
    EXPECT_EQ(f.view.panels[2], "Filecount: 2");
    EXPECT_EQ(f.view.selectedRow, -1);
    f.view.hooks = nullptr;
    LoadArchive(f.view, f.path, f.prompter);
    EXPECT_EQ(Listing(f.view), (std::vector<std::string>{"A 10 64", "C.CON 5 94"}));
}

TEST(GrpDeleteTest, DuplicateNamesListDeleteMarksAllTreeDeleteTheFirst)
{
    const std::vector<Entry> entries = {{"DUP.CON", 1, ""}, {"A.CON", 2, ""}, {"DUP.CON", 3, ""}, {Res, 0, ""}};
    {
        Fixture f(Grp(entries));
        f.select("A.CON");
        f.view.selectedRow = 0;
        DeleteEntry(f.view, f.path, f.prompter);
        const std::string b = f.bytes();
        EXPECT_EQ(b.substr(16, 12), Del);
        EXPECT_EQ(b.substr(48, 12), Del);
        EXPECT_EQ(Listing(f.view), (std::vector<std::string>{"A.CON 2 81", "DUP.CON 3 83"}));   // one row went
        EXPECT_EQ(f.view.panels[2], "Filecount: 2");
        ASSERT_EQ(f.view.groups.size(), 1u);
        EXPECT_EQ(f.view.groups[0].children, (std::vector<std::string>{"A.CON", "DUP.CON"}));
    }
    {
        Fixture f(Grp(entries));
        DeleteTreeEntry(f.view, f.path, "DUP.CON", f.prompter);
        const std::string b = f.bytes();
        EXPECT_EQ(b.substr(16, 12), Del);
        EXPECT_EQ(b.substr(48, 12), test::Field("DUP.CON"));
        EXPECT_EQ(Listing(f.view), (std::vector<std::string>{"A.CON 2 81", "DUP.CON 3 83"}));
        // A group node names no entry; after the last child the group goes.
        DeleteTreeEntry(f.view, f.path, "CON", f.prompter);
        DeleteTreeEntry(f.view, f.path, "A.CON", f.prompter);
        DeleteTreeEntry(f.view, f.path, "DUP.CON", f.prompter);
        EXPECT_TRUE(f.view.groups.empty());
        EXPECT_EQ(f.view.panels[2], "Filecount: 0");
        EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{"The file you selected cannot be found."});
    }
}

TEST(GrpDeleteTest, RefusalsLeaveTheArchiveAlone)
{
    Fixture f(Grp({{"A", 1, ""}}));
    DeleteEntry(f.view, f.path, f.prompter);
    f.view.selectedRow = 0;
    f.dir.write("T.GRP", "");
    DeleteEntry(f.view, f.path, f.prompter);
    DeleteTreeEntry(f.view, f.path, "A", f.prompter);
    DeleteFile(f.path);
    DeleteEntry(f.view, f.path, f.prompter);
    DeleteTreeEntry(f.view, "", "A", f.prompter);
    EXPECT_EQ(f.prompter.texts(),
              (std::vector<std::string>{"Nothing selected in the list.", "The file is incompatible, or is empty.",
                                        "The file is incompatible, or is empty.", "The selected file does not exist.",
                                        "The selected file does not exist."}));
    EXPECT_EQ(f.view.rows.size(), 1u);

    // A directory that runs past the file's end is not written to at all.
    std::string cut = Grp({{"A", 1, ""}, {"B", 1, ""}});
    cut.replace(12, 4, test::Le32(9));
    Fixture g(Grp({{"A", 1, ""}, {"B", 1, ""}}));
    g.dir.write("T.GRP", cut);
    g.select("A");
    EXPECT_EQ(ErrorOf([&] { DeleteEntry(g.view, g.path, g.prompter); }), "Read beyond end of file");
    EXPECT_EQ(g.bytes(), cut);
}

// --- extracting -----------------------------------------------------------------

TEST(GrpExtractTest, WritesTheFirstLiveEntryOfThatName)
{
    Fixture f(Grp({{"A", 2, "aa"}, {Del, 3, "ddd"}, {"EMPTY", 0, ""}, {"B", 4, "bbbb"}, {"B", 1, "x"}}));
    ExtractEntry(f.path, f.dir.file("b"), "B", f.prompter);
    ExtractEntry(f.path, f.dir.file("e"), "EMPTY", f.prompter);
    ExtractEntry(f.path, f.dir.file("d"), Del, f.prompter);
    EXPECT_EQ(f.dir.read("b"), "bbbb");
    EXPECT_TRUE(FileExists(f.dir.file("e")) && f.dir.read("e").empty());
    EXPECT_FALSE(FileExists(f.dir.file("d")));
    EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{"The file you selected cannot be found."});
}

TEST(GrpExtractTest, AnExistingDestinationIsAskedForFirstAndKeptWhenNothingComes)
{
    Fixture f(Grp({{"A", 2, "aa"}}));
    const std::string dest = f.dir.write("keep.txt", "mine");
    f.prompter.answers = {MsgResult::No, MsgResult::Yes};
    ExtractEntry(f.path, dest, "A", f.prompter);
    ExtractEntry(f.path, dest, "MISSING", f.prompter);
    EXPECT_EQ(f.dir.read("keep.txt"), "mine");
    const std::string ask = "The destination file already exists, are you sure you want to overwrite it?";
    EXPECT_EQ(f.prompter.texts(), (std::vector<std::string>{ask, ask, "The file you selected cannot be found."}));
}

TEST(GrpExtractTest, NeverWritesOverTheArchiveOrPastItsEnd)
{
    Fixture f(Grp({{"A", 2, "aa"}, {"B", 40, ""}}));
    ASSERT_EQ(::link(f.path.c_str(), f.dir.file("hard.grp").c_str()), 0);
    std::string cut = f.bytes();
    cut.resize(cut.size() - 1);
    f.dir.write("T.GRP", cut);
    ExtractEntry(f.path, f.dir.file("hard.grp"), "A", f.prompter);
    EXPECT_EQ(f.prompter.shown.at(0).kind, ScriptedPrompter::Kind::Error);
    EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{"Cannot create file " + f.dir.file("hard.grp")});
    EXPECT_EQ(ErrorOf([&] { ExtractEntry(f.path, f.dir.file("b"), "B", f.prompter); }), "Read beyond end of file");
    EXPECT_FALSE(FileExists(f.dir.file("b")));
    EXPECT_EQ(f.bytes(), cut);
}

// --- rebuilding -----------------------------------------------------------------

TEST(GrpRebuildTest, ResultingLayouts)
{
    const Entry a{"A", 10, ""}, b{"B", 7, ""}, slot{Res, 0, ""};
    std::vector<Entry> slots25(25, slot), slots27(27, slot);
    auto with = [](std::vector<Entry> e, const std::vector<Entry>& more) {
        e.insert(e.end(), more.begin(), more.end());
        return e;
    };
    struct Case {
        const char* what;
        std::vector<Entry> before;
        int extra;
        bool erase;
        std::vector<Entry> after;
        std::size_t dataLeftBehind = 0;
    } cases[] = {
        {"deleted data goes", {a, {Del, 5, ""}, b}, 0, false, {a, b}},
        {"slots are appended", {a, b}, 25, false, with({a, b}, slots25)},
        {"existing slots stay first", {a, {Del, 1, ""}, b, slot, slot}, 25, false, with({a, b}, slots27)},
        {"only slots", {slot, slot}, 1, false, {slot, slot, slot}},
        {"erasing drops slots", {a, b, slot, slot, slot}, 0, true, {a, b}},
        {"erasing reaches entries after a slot", {a, slot, {Del, 2, ""}, b}, 0, true, {a, b}},
        {"data behind a kept slot is not copied", {a, slot, b}, 0, false, {a, slot, b}, 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<Entry> before = c.before;
        // Data follows the name, so that moved data is recognisable.
        for (auto& e : before)
            if (e.data.empty() && e.size > 0)
                e.data = std::string(static_cast<std::size_t>(e.size), e.name[0]);
        Fixture f(Grp(before));
        if (c.erase)
            EraseReservedSpace(f.view, f.path, f.prompter);
        else
            RebuildArchive(f.view, f.path, c.extra, f.prompter);
        std::vector<Entry> after = c.after;
        std::string expected;
        for (auto& e : after)
            if (e.data.empty() && e.size > 0)
                e.data = std::string(static_cast<std::size_t>(e.size), e.name[0]);
        expected = Grp(after);
        expected.resize(expected.size() - c.dataLeftBehind);
        EXPECT_EQ(f.bytes(), expected);
        EXPECT_FALSE(f.tempLeft());
        EXPECT_TRUE(f.prompter.texts().empty());
    }
}

TEST(GrpRebuildTest, OffsetsInTheListMoveWithTheData)
{
    Fixture f(Grp({{"A", 10, ""}, {Del, 5, ""}, {"B", 7, ""}}));
    ASSERT_EQ(f.bytes().size(), 86u);
    RebuildArchive(f.view, f.path, 0, f.prompter);
    EXPECT_EQ(f.bytes().size(), 65u);
    EXPECT_EQ(test::Int32At(f.bytes(), 12), 2);
    EXPECT_EQ(Listing(f.view), (std::vector<std::string>{"A 10 48", "B 7 58"}));
    RebuildArchive(f.view, f.path, 25, f.prompter);
    EXPECT_EQ(Listing(f.view), (std::vector<std::string>{"A 10 448", "B 7 458"}));
    Fixture g(Grp({{"A", 10, ""}, {"B", 7, ""}, {Res, 0, ""}, {Res, 0, ""}, {Res, 0, ""}}));
    EraseReservedSpace(g.view, g.path, g.prompter);
    EXPECT_EQ(Listing(g.view), (std::vector<std::string>{"A 10 48", "B 7 58"}));   // 96 and 106 before
}

TEST(GrpRebuildTest, ReplacesTheFileALinkNamesAndKeepsItsPermissions)
{
    Fixture f(Grp({{"A", 3, ""}, {Del, 2, ""}}));
    ASSERT_EQ(::chmod(f.path.c_str(), 0640), 0);
    ::mkdir(f.dir.file("links").c_str(), 0755);
    ASSERT_EQ(::symlink(f.path.c_str(), f.dir.file("links/L.GRP").c_str()), 0);
    // A leftover temporary name that points elsewhere is replaced, not written through.
    const std::string bystander = f.dir.write("bystander", "untouched");
    ASSERT_EQ(::symlink(bystander.c_str(), f.dir.file("~tempT.GRP").c_str()), 0);
    RebuildArchive(f.view, f.dir.file("links/L.GRP"), 1, f.prompter);
    EXPECT_EQ(f.bytes(), Grp({{"A", 3, ""}, {Res, 0, ""}}));
    struct stat st;
    ASSERT_EQ(::lstat(f.dir.file("links/L.GRP").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(::stat(f.path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(f.dir.read("bystander"), "untouched");
    EXPECT_FALSE(f.tempLeft());
}

TEST(GrpRebuildTest, DirectoriesAndSizesThatDoNotFitTheFileChangeNothing)
{
    std::string countTooBig = Grp({{"A", 1, ""}});
    countTooBig.replace(12, 4, test::Le32(3));
    std::string negative = Grp({{"A", 4, ""}, {"B", 4, ""}});
    negative.replace(28, 4, test::Le32(-4));
    std::string pastEnd = Grp({{"A", 4, ""}, {"B", 4, ""}});
    pastEnd.resize(pastEnd.size() - 1);
    for (const std::string& bytes : {countTooBig, negative, pastEnd}) {
        Fixture f(Grp({}));
        f.dir.write("T.GRP", bytes);
        EXPECT_EQ(ErrorOf([&] { RebuildArchive(f.view, f.path, 2, f.prompter); }), "Read beyond end of file");
        EXPECT_EQ(ErrorOf([&] { EraseReservedSpace(f.view, f.path, f.prompter); }), "Read beyond end of file");
        EXPECT_EQ(f.bytes(), bytes);
        EXPECT_FALSE(f.tempLeft());
    }
    Fixture f(Grp({{"A", 4, ""}, {Res, 0, ""}}));
    f.dir.write("NEW", "n");
    // A negative size before the slot; a slot first under a count the file
    // cannot hold (found by fuzzing: the data went 25 GB past the end).
    std::string slotFirst = std::string(12, '\0') + "N10_" + Res + "#########_si_class_type_i";
    for (const std::string& bytes : {negative.substr(0, 32) + Res + test::Le32(0) + "dat", slotFirst}) {
        f.dir.write("T.GRP", bytes);
        EXPECT_EQ(ErrorOf([&] { AddFile(f.view, f.path, f.dir.file("NEW"), f.prompter); }), "Read beyond end of file");
        EXPECT_EQ(f.bytes(), bytes);
    }
    DeleteFile(f.path);
    RebuildArchive(f.view, f.path, 1, f.prompter);
    EraseReservedSpace(f.view, f.path, f.prompter);
    EXPECT_EQ(f.prompter.texts(), std::vector<std::string>(2, "The archive does not exist."));
}

// --- faults while writing ---------------------------------------------------------

// Runs body in a child process under a file-size limit (0: none), as an
// unprivileged user when asked; returns the error text it ended with.
std::string InChild(const std::function<void()>& body, long fileSizeLimit, bool unprivileged = false)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return "(no pipe)";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        std::string result = "(no error)";
        ::signal(SIGXFSZ, SIG_IGN);
        if (fileSizeLimit > 0) {
            const rlimit limit{static_cast<rlim_t>(fileSizeLimit), static_cast<rlim_t>(fileSizeLimit)};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (unprivileged && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            result = "(cannot drop privileges)";
        else
            result = ErrorOf(body);
        if (::write(fds[1], result.data(), result.size()) < 0)
            ::_exit(2);
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string out;
    char buf[256];
    ssize_t n;
    while ((n = ::read(fds[0], buf, sizeof buf)) > 0)
        out.append(buf, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFSIGNALED(status))
        return "(killed by signal " + std::to_string(WTERMSIG(status)) + ")";
    return out;
}

// A folder that only the unprivileged user of InChild may change.
void HandOver(const std::string& path)
{
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    }
}

TEST(GrpFaultTest, RebuildHittingAFileSizeLimitLeavesTheArchiveAsItWas)
{
    std::vector<Entry> entries;
    for (int i = 0; i < 40; ++i)
        entries.push_back({"F" + std::to_string(i) + ".DAT", 5000, ""});
    entries.push_back({Del, 3000, ""});
    const std::string original = Grp(entries);
    // Short of the directory, mid-data, and one byte short of the end.
    for (const long limit : {100L, 90000L, static_cast<long>(original.size() - 3000 - 16 - 1)}) {
        Fixture f(original);
        const std::string error = InChild([&] { RebuildArchive(f.view, f.path, 0, f.prompter); }, limit);
        EXPECT_EQ(error, "Disk full") << limit;
        EXPECT_EQ(f.bytes(), original) << limit;
        EXPECT_FALSE(f.tempLeft()) << limit;
    }
}

TEST(GrpFaultTest, AddHittingAFileSizeLimitLeavesTheArchiveAsItWas)
{
    const std::string original = Grp({{"A.CON", 3000, ""}, {Res, 0, ""}, {Res, 0, ""}});
    for (const long limit : {static_cast<long>(original.size()), static_cast<long>(original.size() + 5000)}) {
        Fixture f(original);
        const std::string source = f.dir.write("BIG.DAT", std::string(20000, 'b'));
        const std::string error = InChild([&] { AddFile(f.view, f.path, source, f.prompter); }, limit);
        EXPECT_EQ(error, "Disk full") << limit;
        EXPECT_EQ(f.bytes(), original) << limit;
    }
}

TEST(GrpFaultTest, ReadOnlyFolderOrArchiveChangesNothing)
{
    const std::string original = Grp({{"A.CON", 300, ""}, {Del, 20, ""}, {Res, 0, ""}});
    Fixture f(original);
    const std::string source = f.dir.write("NEW.CON", "new");
    HandOver(f.dir.path());
    HandOver(f.path);
    ASSERT_EQ(::chmod(f.dir.path().c_str(), 0555), 0);
    EXPECT_EQ(InChild([&] { RebuildArchive(f.view, f.path, 4, f.prompter); }, 0, true), "File access denied");
    EXPECT_EQ(f.bytes(), original);
    EXPECT_FALSE(f.tempLeft());
    ASSERT_EQ(::chmod(f.dir.path().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(f.path.c_str(), 0444), 0);
    EXPECT_EQ(InChild([&] { AddFile(f.view, f.path, source, f.prompter); }, 0, true), "File access denied");
    EXPECT_EQ(InChild([&] { RebuildArchive(f.view, f.path, 4, f.prompter); }, 0, true), "(no error)");
    // A read-only archive may still be replaced by its rebuilt copy, read-only again.
    EXPECT_EQ(f.bytes(), Grp({{"A.CON", 300, ""}, {Res, 0, ""}, {Res, 0, ""}, {Res, 0, ""}, {Res, 0, ""}, {Res, 0, ""}}));
    struct stat st;
    ASSERT_EQ(::stat(f.path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0444u);
}

} // namespace
} // namespace tessel

// tessel-grp end to end: the built tool on archives made byte by byte here.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "grp/GrpTestSupport.h"
#include "support/NonRegular.h"
#include "tools/ToolRun.h"

namespace tessel {
namespace {

using namespace test;
using Rows = std::vector<std::string>;

struct Step {
    const char* name;
    std::vector<std::string> args;
    int code;
    std::string err;          // for bad usage (2): its first line, the usage follows
    std::string bytes = {};   // the archive afterwards, when given
};

// Runs each step; out is the standard output of the last.
void RunSteps(const std::vector<Step>& steps, const std::string& archive, std::string* out = nullptr)
{
    for (const auto& s : steps) {
        SCOPED_TRACE(s.name);
        const ToolRun r = RunTool("tessel-grp", s.args);
        EXPECT_EQ(r.code, s.code);
        if (s.code == 2) {
            EXPECT_EQ(r.err.substr(0, r.err.find('\n')), s.err);
            EXPECT_EQ(r.err.substr(r.err.find('\n') + 1, 17), "usage: tessel-grp");
        } else {
            EXPECT_EQ(r.err, s.err);
        }
        std::string bytes;
        if (!s.bytes.empty()) {
            EXPECT_TRUE(ReadWholeFile(archive, bytes));   // an archive that cannot be read fails the step
            EXPECT_EQ(bytes, s.bytes);
        }
        if (out)
            *out = r.out;
    }
}

TEST(GrpToolTest, ASessionFromNewArchiveToDefragmentGivesTheExpectedBytes)
{
    TempDir dir;
    const std::string grp = dir.file("MOD.GRP"), con = dir.write("GAME.CON", "define X 1\n"),
                      art = dir.write("TILES.ART", "ART!"), dest = dir.write("out.art", "mine");
    const Entry g{"GAME.CON", 11, "define X 1\n"}, t{"TILES.ART", 4, "ART!"}, s{Res, 0};
    const std::string ask = "The destination file already exists, are you sure you want to overwrite it?\n",
                      unanswered = "tessel-grp: not answered; give --yes or --no\n",
                      dup = "There is already a file with the same name in the archive\n",
                      noSlot = "There is no reserved space in the group file, please add some.\n";
    // Each command's bytes and refusals are the operations' tables; here, the
    // commands, their exit codes, the messages on standard error and the answers.
    RunSteps({{"new", {"new", grp, "abc"}, 0, "", std::string("abc\0\0\0\0\0\0\0\0\0\0\0\0\0", 16)},
              {"first add", {"add", grp, con}, 0, "", Grp({g}, "abc")},
              {"add without slot: no window to ask for slots", {"add", grp, art}, 1, noSlot, Grp({g}, "abc")},
              {"reserve", {"reserve", grp, "2"}, 0, "", Grp({g, s, s}, "abc")},
              {"add then duplicate", {"add", grp, art, con}, 1, dup, Grp({g, t, s}, "abc")},
              {"rm", {"rm", grp, "GAME.CON"}, 0, "", Grp({{Del, 11, "define X 1\n"}, t, s}, "abc")},
              {"defrag", {"defrag", grp}, 0, "", Grp({t, s}, "abc")},
              {"unreserve", {"unreserve", grp}, 0, "", Grp({t}, "abc")},
              {"extract unanswered", {"extract", grp, "TILES.ART", dest}, 1, ask + unanswered},
              {"extract declined", {"--no", "extract", grp, "TILES.ART", dest}, 1, ""}},
             grp);
    EXPECT_EQ(dir.read("out.art"), "mine");
    RunSteps({{"extract over a file", {"--yes", "extract", grp, "TILES.ART", dest}, 0, ""},
              {"new over an archive", {"--yes", "new", grp, "KenSilverman"}, 0, "", Grp({})}},
             grp);
    EXPECT_EQ(dir.read("out.art"), "ART!");
}

TEST(GrpToolTest, ListPrintsOneLinePerEntryAndUsageErrorsSayWhatIsWrong)
{
    TempDir dir;
    std::string out;
    const std::string grp = dir.write("L.GRP", Grp({{"A", 10}, {Del, 5}, {"TWELVE.CHARS", 7}, {"NEW\nLINE", 1},
                                                    {Res, 0}}, "a\rbc"));
    RunSteps({{"list", {"list", grp}, 0, ""}}, grp, &out);
    EXPECT_EQ(out, "A 10 96\nTWELVE.CHARS 7 111\nNEW\\x0aLINE 1 118\nSignature: a\\x0dbc\nFilecount: 3\n");
    const std::string folder = MakeNonRegular(dir, "folder", NonRegular::Folder);
    RunSteps({{"missing", {"list", dir.file("none.grp")}, 1, "The selected file does not exist.\n"},
              {"a folder", {"list", folder}, 1, folder + " is a folder\n"},
              {"nothing", {}, 2, "no command given"},
              {"help", {"--help"}, 0, ""},
              {"unknown command", {"frobnicate", grp}, 2, "unknown command frobnicate"},
              {"arguments", {"extract", grp, "A"}, 2, "extract takes ARCHIVE NAME DEST"},
              {"no slots", {"reserve", grp, "0"}, 2, "reserve: N must be 1 to 1000000"},
              {"negative slots", {"pack", grp, folder, "--reserve", "-1"}, 2, "--reserve: N must be 0 to 1000000"},
              {"pack options elsewhere", {"list", grp, "--signature", "S"}, 2,
               "--signature and --reserve are for pack only"},
              {"both answers", {"--yes", "--no", "list", grp}, 2, "--yes and --no cannot both be given"}},
             grp);
}

TEST(GrpToolTest, PackAndUnpackStayInsideTheirFolders)
{
    TempDir dir;
    ::mkdir(dir.file("in").c_str(), 0755);
    ::mkdir(dir.file("in/sub").c_str(), 0755);   // folders are not packed, nor the archive itself
    dir.write("in/b.con", "bee"), dir.write("in/A.ART", "ay"), dir.write("in/EMPTY", "");
    const std::string grp = dir.file("in/OUT.GRP");
    const std::vector<Entry> files = {{"A.ART", 2, "ay"}, {"EMPTY", 0}, {"b.con", 3, "bee"}};
    std::vector<Entry> withSlots = files;
    withSlots.resize(5, {Res, 0});
    const std::string in = dir.file("in"), unanswered = "tessel-grp: not answered; give --yes or --no\n";
    RunSteps({{"pack", {"pack", grp, in, "--signature", "Tessel", "--reserve", "2"}, 0, "", Grp(withSlots, "Tessel")},
              {"pack unanswered", {"pack", grp, in}, 1,
               "The file already exists, are you sure you want to overwrite it?\n" + unanswered},
              {"pack over it", {"--yes", "pack", grp, dir.file("in")}, 0, "", Grp(files)},
              {"unpack", {"unpack", grp, dir.file("out")}, 0, ""}},
             grp);
    for (const char* name : {"A.ART", "EMPTY", "b.con"})
        EXPECT_EQ(dir.read(std::string("out/") + name), dir.read(std::string("in/") + name)) << name;
    dir.write("in/LONGERNAME.CON", "x");
    RunSteps({{"long name", {"--yes", "pack", dir.file("long.grp"), dir.file("in")}, 1,
               "Warning: The file that you have chosen to insert is more than 12 characters long, shorten the filename "
               "and try again, because duke3D GRP are limited to 12 characters for filenames.\nLONGERNAME.CON\n"}},
             grp);
    EXPECT_FALSE(FileExists(dir.file("long.grp")));

    const std::pair<std::string, std::string> evilNames[] = {
        {"../ESCAPE", "../ESCAPE"}, {"..", ".."}, {"x\x1f", "x\\x1f"}, {"x\x7f", "x\\x7f"}, {"DOS\\PATH", "DOS\\PATH"}};
    for (const auto& [evil, shown] : evilNames) {
        SCOPED_TRACE(evil);
        const std::string bad = dir.write("E.GRP", Grp({{"GOOD", 1, "g"}, {evil, 3, "bad"}}));
        RunSteps({{"unpack", {"unpack", bad, dir.file("x")}, 1,
                   "The entry name \"" + shown + "\" is not a plain file name; nothing was unpacked.\n"}},
                 bad);
        EXPECT_FALSE(FileExists(dir.file("ESCAPE")) || DirectoryExists(dir.file("x")));
    }
    // A link standing in the folder is not written through; data before the
    // data area (after a deleted entry of negative size) is not unpacked.
    MakeNonRegular(dir, "u", NonRegular::Folder);
    ASSERT_EQ(::symlink(dir.file("outside").c_str(), dir.file("u/GOOD").c_str()), 0);
    const std::string behind = dir.write("N.GRP", Grp({{Del, -16}, {"B", 4, "bbbb"}}));
    RunSteps({{"link in the folder", {"unpack", dir.write("G.GRP", Grp({{"GOOD", 1, "g"}})), dir.file("u")}, 1,
               "Cannot create file " + dir.file("u/GOOD") + "\n"},
              {"negative size before", {"unpack", behind, dir.file("n")}, 1, "Read beyond end of file\n"}},
             behind);
    EXPECT_FALSE(FileExists(dir.file("outside")) || FileExists(dir.file("n/B")));
}

TEST(GrpToolTest, WhatThePackGathersIsRegularAndOutputsArriveWhole)
{
    TempDir dir;
    const std::string grp = dir.write("T.GRP", Grp({{"A", 1}, {Res, 0}})),
                      full = MakeNonRegular(dir, "full", NonRegular::Full),
                      folder = MakeNonRegular(dir, "folder", NonRegular::Folder);
    MakeNonRegular(dir, "folder/PIPE", NonRegular::Fifo);
    // Pipes and devices as archives and sources: GrpOperationsTest; here, what
    // the tool gathers itself.
    RunSteps({{"add of a folder", {"add", grp, folder}, 1, folder + " is a folder\n"},
              {"pack of a pipe", {"pack", dir.file("P.GRP"), folder}, 1, folder + "/PIPE is not a regular file\n"}},
             grp);
    EXPECT_FALSE(FileExists(dir.file("P.GRP")));
    // Written to a pipe (standard output, as /dev/stdout names it) as a whole archive; a full output fails.
    const std::string out = dir.file("stdout");
    ASSERT_EQ(::symlink("/proc/self/fd/1", out.c_str()), 0);
    MakeNonRegular(dir, "in", NonRegular::Folder);
    dir.write("in/X", "xyz");
    EXPECT_EQ(RunTool("tessel-grp", {"--yes", "pack", out, dir.file("in")}).out, Grp({{"X", 3, "xyz"}}));
    ToolFault toFull;
    toFull.standardOutput = full;
    const ToolRun listed = RunTool("tessel-grp", {"list", grp}, toFull);
    EXPECT_EQ(listed.code, 1);
    EXPECT_EQ(listed.err, "Disk full\n");
    EXPECT_TRUE(DevicesIntact());
}

// A file-size limit and the three signals that end a run midway: the archive
// is the old one or the finished one, and no temporary file is left.
TEST(GrpToolTest, LimitsAndSignalsMidwayLeaveAWholeArchive)
{
    const std::string big(16 << 20, 'b');
    const std::string original = Grp({{"BIG.DAT", static_cast<std::int32_t>(big.size()), big}, {Del, 5}, {Res, 0}});
    const std::string rebuilt = Grp({{"BIG.DAT", 1 << 24, big}, {Res, 0}});
    const struct {
        const char* name;
        std::vector<std::string> args;   // the archive goes after the first
        std::string finished;
        long limit;
        int signal;
        const char* written;   // the name whose writing the signal waits for
    } cases[] = {
        {"defrag at a file-size limit", {"defrag"}, rebuilt, 1 << 20, 0, ""},
        {"defrag, terminated", {"defrag"}, rebuilt, 0, SIGTERM, "~temp"},
        {"add, hung up", {"add"}, Grp({{"BIG.DAT", 1 << 24, big}, {Del, 5}, {"NEW.DAT", 1 << 24, big}}), 0, SIGHUP,
         "T.GRP"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string grp = dir.write("T.GRP", original);
        std::vector<std::string> args = c.args;
        args.insert(args.begin() + 1, grp);
        if (args[0] == "add")
            args.push_back(dir.write("NEW.DAT", big));
        const ToolFault fault = c.signal ? SignalWhenWritten(c.signal, dir.path(), c.written) : Limits(c.limit);
        const ToolRun r = RunTool("tessel-grp", args, fault);
        const std::string now = dir.read("T.GRP");
        if (c.signal == 0) {
            EXPECT_EQ(r.code, 1);
            EXPECT_EQ(r.err, "Disk full\n");
        }
        EXPECT_TRUE(now == original || (r.code == 0 && now == c.finished)) << r.code << " " << now.size();
        const Rows left = args[0] == "add" ? Rows{"NEW.DAT", "T.GRP"} : Rows{"T.GRP"};
        EXPECT_EQ(ListFiles(dir.path()), left);
    }
}

} // namespace
} // namespace tessel

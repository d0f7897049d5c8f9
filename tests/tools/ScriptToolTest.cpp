// tessel-script run as a user runs it: arguments in, text and exit code out.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/Files.h"
#include "support/NonRegular.h"
#include "tools/ToolRun.h"

namespace tessel {
namespace {

using namespace test;
using Rows = std::vector<std::string>;

ToolRun Script(const std::vector<std::string>& args, const ToolFault& fault = {})
{
    return RunTool("tessel-script", args, fault);
}

TEST(ScriptToolTest, CheckPrintsTheListThenTheOutcome)
{
    TempDir dir;
    const ToolRun bad = Script({"check", dir.write("a.con", "}\n{x\r\n")});
    EXPECT_EQ(bad.code, 1);
    EXPECT_EQ(bad.out, "ERROR #1: Extra Left Brace \"}\", offset: 0\n"
                       "ERROR #2: Extra right brace \"{\", offset:2\n"
                       "There were some errors found in the Con File.\n");
    const ToolRun good = Script({"check", dir.write("b.con", "{}")});
    EXPECT_EQ(good.code, 0);
    EXPECT_EQ(good.out, "No errors were found in the Con File.\n");
}

TEST(ScriptToolTest, ColorsPrintsMaximalRunsOverTheWholeFile)
{
    TempDir dir;
    const std::string table = dir.write("t.qcf", "{move,1}\r\n{ai,3}\r\n{oops}\r\n");
    const std::string file = dir.write("a.con", "move ai // x\nmove");
    ToolRun r = Script({"colours", file, "--table", table});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "0 4 $0000FF\n4 1 $000000\n5 2 $FF0000\n7 1 $000000\n8 4 $008000\n12 1 $000000\n13 4 $0000FF\n");
    EXPECT_EQ(r.err, "Error in t.qcf(3): Function not entered correctly.  Skipping current function.\n");

    // A selection: black first, keywords inside it only, block comments to the end.
    const std::string sel = dir.write("s.con", "move move /* x\nmove");
    r = Script({"colours", sel, "--table", table, "--selection", "5", "4"});
    EXPECT_EQ(r.out, "0 5 $000000\n5 4 $0000FF\n9 1 $000000\n10 9 $008000\n");

    // A line: keywords in any case.
    r = Script({"colours", file, "--table", table, "--line", "13", "17"});
    EXPECT_EQ(r.out, "0 13 $000000\n13 4 $0000FF\n");

    // A table named without a folder is looked for in the current one.
    ToolFault inFolder;
    inFolder.workingDir = dir.path();
    r = Script({"colours", "a.con", "--table", "t.qcf"}, inFolder);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "0 4 $0000FF\n4 1 $000000\n5 2 $FF0000\n7 1 $000000\n8 4 $008000\n12 1 $000000\n13 4 $0000FF\n");

    // The shipped table of a mode.
    r = Script({"colours", dir.write("q.qc", "float"), "--mode", "quake"});
    EXPECT_EQ(r.out, "0 5 $FF0000\n");
    EXPECT_EQ(Script({"colours", dir.write("e.con", "")}).out, "");
}

TEST(ScriptToolTest, ProjectFileAndBackGiveTheOriginalBytes)
{
    TempDir dir;
    std::string bytes;
    for (int c = 0; c < 256; ++c)
        bytes += static_cast<char>(c);
    bytes += "\nfloat x; // \xE9t\xE9\n/* a */\r\n";
    const std::string file = dir.write("eight.qc", bytes);
    ASSERT_EQ(Script({"qzt", file}).code, 0);
    const std::string qzt = dir.read("eight.qzt");
    EXPECT_EQ(qzt.rfind("{\\rtf1", 0), 0u);
    EXPECT_NE(qzt.find("\\cf"), std::string::npos);   // coloured
    const ToolRun back = Script({"plain", dir.file("eight.qzt")});
    EXPECT_EQ(back.code, 0);
    EXPECT_EQ(back.out, bytes);

    // Never over the file it was made from.
    const std::string project = dir.file("eight.qzt");
    const ToolRun same = Script({"plain", project, "-o", project});
    EXPECT_EQ(same.code, 1);
    EXPECT_EQ(same.err, "Cannot create file " + project + "\n");
    EXPECT_EQ(dir.read("eight.qzt"), qzt);
    EXPECT_EQ(Script({"plain", file}).err, "The file is not in Rich Text Format\n");
}

TEST(ScriptToolTest, BadUseNamesWhatIsWrongAndScriptsAreRegularFilesOfEditableSize)
{
    const std::pair<Rows, std::string> usage[] = {
        {{}, "no command given"},
        {{"check"}, "check takes FILE"},
        {{"colours", "x.con", "--mode", "doom"}, "--mode must be duke, quake or verge"},
        {{"colours", "x.con", "--line", "1"}, "--line needs START and END"},
        {{"colours", "x.con", "--selection", "a", "1"}, "--selection: a is not a whole number"},
        {{"colours", "x.con", "--mode", "duke", "--table", "t.qcf"},
         "colours: --table conflicts with an option given before it"},
        {{"plain", "x.qzt", "--mode", "duke"}, "plain: unknown option --mode"},
    };
    for (const auto& [args, what] : usage) {
        SCOPED_TRACE(what);
        const ToolRun r = Script(args);
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.err.substr(0, r.err.find('\n') + 21), what + "\nusage: tessel-script");
    }
    TempDir dir;
    const std::string big = dir.write("big.con", "");
    ASSERT_EQ(::truncate(big.c_str(), 1000000000), 0);
    const std::pair<std::string, std::string> refused[] = {
        {"/nonexistent/x.con", "File not found: /nonexistent/x.con"},
        {MakeNonRegular(dir, "folder", NonRegular::Folder), " is a folder"},
        {big, " is larger than the 999999999 characters a script may hold"},
    };
    for (const auto& [path, says] : refused) {
        SCOPED_TRACE(path);
        const ToolRun r = Script({"check", path});
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.err, (says[0] == ' ' ? path + says : says) + "\n");
    }
    const ToolRun table = Script({"colours", dir.write("a.con", "x"), "--table", dir.file("none.qcf")});
    EXPECT_EQ(table.code, 1);
    EXPECT_EQ(table.err.substr(0, 16), "Cannot find file");
#if !defined(__SANITIZE_ADDRESS__)   // the sanitizer reserves more address space than the limit
    const std::string large = dir.write("large.con", "");
    ASSERT_EQ(::truncate(large.c_str(), 64 << 20), 0);
    const ToolRun memory = Script({"colours", large}, Limits(0, 200 << 20));
    EXPECT_EQ(memory.code, 1);
    EXPECT_EQ(memory.err, "Out of memory\n");
#endif
}

// A file-size limit and a signal while an output is written (qzt and plain
// write it alike): the old output stays (or the finished one is there) and no
// temporary file is left beside it. Read-only and full outputs are the file
// replacement's own, the same for every writer (FilesTest, GrpFaultTest).
TEST(ScriptToolTest, WritingAnOutputSurvivesALimitAndASignal)
{
    std::string script;
    while (script.size() < (4 << 20))
        script += "move ai // a comment\r\n";
    TempDir made;
    ASSERT_EQ(Script({"qzt", made.write("s.con", script)}).code, 0);
    const std::string project = made.read("s.qzt");
    for (const bool signal : {false, true}) {
        SCOPED_TRACE(signal ? "terminated" : "file-size limit");
        TempDir dir;
        dir.write("s.con", script);
        const std::string out = dir.write("out", "old");
        const ToolFault fault = signal ? SignalWhenWritten(SIGTERM, dir.path(), ".out") : Limits(4096);
        const ToolRun r = Script({"qzt", dir.file("s.con"), "-o", out}, fault);
        if (!signal) {
            EXPECT_EQ(r.code, 1);
            EXPECT_EQ(r.err, "Disk full\n");
        }
        EXPECT_TRUE(dir.read("out") == "old" || (r.code == 0 && dir.read("out") == project)) << r.code;
        EXPECT_EQ(ListFiles(dir.path()), (Rows{"out", "s.con"}));
    }
}

// Both tools run where Qt is not installed: they load no Qt library.
TEST(ScriptToolTest, TheToolsLinkNoQt)
{
    for (const char* tool : {"tessel-script", "tessel-grp"}) {
        SCOPED_TRACE(tool);
        const std::string listed = test::RunProcess("ldd", {std::string(TESSEL_BIN_DIR "/") + tool}).out;
        EXPECT_NE(listed.find("libc.so"), std::string::npos);
        EXPECT_EQ(listed.find("Qt"), std::string::npos) << listed;
    }
}

} // namespace
} // namespace tessel

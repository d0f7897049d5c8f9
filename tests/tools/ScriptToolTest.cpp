// tessel-script run as a user runs it: arguments in, text and exit code out.
#include <gtest/gtest.h>

#include <QProcess>

#include "support/TempDir.h"

namespace tessel {
namespace {

struct ToolRun {
    int exitCode;
    std::string out, err;
};

ToolRun Script(const QStringList& args, const std::string& workingDir = std::string())
{
    QProcess p;
    if (!workingDir.empty())
        p.setWorkingDirectory(QString::fromStdString(workingDir));
    p.start(TESSEL_BIN_DIR "/tessel-script", args);
    p.waitForFinished(30000);
    return {p.exitCode(), p.readAllStandardOutput().toStdString(), p.readAllStandardError().toStdString()};
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

TEST(ScriptTool, CheckPrintsTheListThenTheOutcome)
{
    TempDir dir;
    const ToolRun bad = Script({"check", Q(dir.write("a.con", "}\n{x\r\n"))});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.out, "ERROR #1: Extra Left Brace \"}\", offset: 0\n"
                       "ERROR #2: Extra right brace \"{\", offset:2\n"
                       "There were some errors found in the Con File.\n");
    const ToolRun good = Script({"check", Q(dir.write("b.con", "{}"))});
    EXPECT_EQ(good.exitCode, 0);
    EXPECT_EQ(good.out, "No errors were found in the Con File.\n");
}

TEST(ScriptTool, ColoursPrintsMaximalRunsOverTheWholeFile)
{
    TempDir dir;
    const std::string table = dir.write("t.qcf", "{move,1}\r\n{ai,3}\r\n{oops}\r\n");
    const std::string file = dir.write("a.con", "move ai // x\nmove");
    ToolRun r = Script({"colours", Q(file), "--table", Q(table)});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "0 4 $0000FF\n4 1 $000000\n5 2 $FF0000\n7 1 $000000\n8 4 $008000\n12 1 $000000\n13 4 $0000FF\n");
    EXPECT_EQ(r.err, "Error in t.qcf(3): Function not entered correctly.  Skipping current function.\n");

    // A selection: black first, keywords inside it only, block comments to the end.
    const std::string sel = dir.write("s.con", "move move /* x\nmove");
    r = Script({"colours", Q(sel), "--table", Q(table), "--selection", "5", "4"});
    EXPECT_EQ(r.out, "0 5 $000000\n5 4 $0000FF\n9 1 $000000\n10 9 $008000\n");

    // A line: keywords in any case.
    r = Script({"colours", Q(file), "--table", Q(table), "--line", "13", "17"});
    EXPECT_EQ(r.out, "0 13 $000000\n13 4 $0000FF\n");

    // A table named without a folder is looked for in the current one.
    r = Script({"colours", "a.con", "--table", "t.qcf"}, dir.path());
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "0 4 $0000FF\n4 1 $000000\n5 2 $FF0000\n7 1 $000000\n8 4 $008000\n12 1 $000000\n13 4 $0000FF\n");

    // The shipped table of a mode.
    r = Script({"colours", Q(dir.write("q.qc", "float")), "--mode", "quake"});
    EXPECT_EQ(r.out, "0 5 $FF0000\n");
    EXPECT_EQ(Script({"colours", Q(dir.write("e.con", ""))}).out, "");
}

TEST(ScriptTool, ProjectFileAndBackGiveTheOriginalBytes)
{
    TempDir dir;
    std::string bytes;
    for (int c = 0; c < 256; ++c)
        bytes += static_cast<char>(c);
    bytes += "\nfloat x; // \xE9t\xE9\n/* a */\r\n";
    const std::string file = dir.write("eight.qc", bytes);
    ASSERT_EQ(Script({"qzt", Q(file)}).exitCode, 0);
    const std::string qzt = dir.read("eight.qzt");
    EXPECT_EQ(qzt.rfind("{\\rtf1", 0), 0u);
    EXPECT_NE(qzt.find("\\cf"), std::string::npos);   // coloured
    const ToolRun back = Script({"plain", Q(dir.file("eight.qzt"))});
    EXPECT_EQ(back.exitCode, 0);
    EXPECT_EQ(back.out, bytes);

    // Never over the file it was made from.
    const std::string project = dir.file("eight.qzt");
    const ToolRun same = Script({"plain", Q(project), "-o", Q(project)});
    EXPECT_EQ(same.exitCode, 1);
    EXPECT_EQ(same.err, "Cannot create file " + project + "\n");
    EXPECT_EQ(dir.read("eight.qzt"), qzt);
    EXPECT_EQ(Script({"plain", Q(file)}).err, "The file is not in Rich Text Format\n");
}

TEST(ScriptTool, BadUseAndMissingFiles)
{
    EXPECT_EQ(Script({}).exitCode, 2);
    EXPECT_EQ(Script({"colours", "x.con", "--mode", "doom"}).exitCode, 2);
    EXPECT_EQ(Script({"colours", "x.con", "--line", "1"}).exitCode, 2);
    EXPECT_EQ(Script({"colours", "x.con", "--mode", "duke", "--table", "t.qcf"}).exitCode, 2);
    EXPECT_EQ(Script({"plain", "x.qzt", "--mode", "duke"}).exitCode, 2);
    const ToolRun missing = Script({"check", "/nonexistent/x.con"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "File not found: /nonexistent/x.con\n");
}

} // namespace
} // namespace tessel

// tessel-grp end to end: the built tool on archives made byte by byte here.
#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "grp/GrpBytes.h"
#include "platform/Files.h"
#include "support/TempDir.h"

namespace tessel {
namespace {

using test::Grp;
using test::Res;

struct Result {
    int code;
    std::string out, err;
};

Result Tool(const std::vector<std::string>& args)
{
    QProcess p;
    QStringList list;
    for (const auto& a : args)
        list << QString::fromStdString(a);
    p.start(TESSEL_GRP_TOOL, list);
    p.waitForFinished(-1);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput().toStdString(),
            p.readAllStandardError().toStdString()};
}

TEST(GrpToolTest, ASessionFromNewArchiveToDefragmentGivesTheExpectedBytes)
{
    TempDir dir;
    const std::string grp = dir.file("MOD.GRP");
    const std::string game = dir.write("GAME.CON", "define X 1\n"), art = dir.write("TILES.ART", "ART!");
    struct Step {
        std::vector<std::string> args;
        int code;
        std::string err;
        std::string bytes;   // the archive afterwards; empty: not checked
    } steps[] = {
        {{"new", grp, "abc"}, 0, "", std::string("abc\0\0\0\0\0\0\0\0\0\0\0\0\0", 16)},
        {{"add", grp, game}, 0, "", Grp({{"GAME.CON", 11, "define X 1\n"}}, "abc")},
        {{"add", grp, art}, 1, "There is no reserved space in the group file, please add some.\n", ""},
        {{"reserve", grp, "2"}, 0, "", Grp({{"GAME.CON", 11, "define X 1\n"}, {Res, 0, ""}, {Res, 0, ""}}, "abc")},
        {{"add", grp, art}, 0, "",
         Grp({{"GAME.CON", 11, "define X 1\n"}, {"TILES.ART", 4, "ART!"}, {Res, 0, ""}}, "abc")},
        {{"add", grp, game}, 1, "There is already a file with the same name in the archive\n", ""},
        {{"rm", grp, "GAME.CON"}, 0, "",
         Grp({{test::Del, 11, "define X 1\n"}, {"TILES.ART", 4, "ART!"}, {Res, 0, ""}}, "abc")},
        {{"rm", grp, "GAME.CON"}, 1, "The file you selected cannot be found.\n", ""},
        {{"defrag", grp}, 0, "", Grp({{"TILES.ART", 4, "ART!"}, {Res, 0, ""}}, "abc")},
        {{"unreserve", grp}, 0, "", Grp({{"TILES.ART", 4, "ART!"}}, "abc")},
        {{"extract", grp, "TILES.ART", dir.file("out.art")}, 0, "", ""},
        {{"extract", grp, "NONE", dir.file("none")}, 1, "The file you selected cannot be found.\n", ""},
        {{"list", dir.file("missing.grp")}, 1, "The selected file does not exist.\n", ""},
        {{"defrag", dir.file("missing.grp")}, 1, "The archive does not exist.\n", ""},
    };
    for (const auto& s : steps) {
        const Result r = Tool(s.args);
        SCOPED_TRACE(s.args[0] + " " + s.args.back());
        EXPECT_EQ(r.code, s.code);
        EXPECT_EQ(r.err, s.err);
        if (!s.bytes.empty()) {
            EXPECT_EQ(dir.read("MOD.GRP"), s.bytes);
        }
    }
    EXPECT_EQ(dir.read("out.art"), "ART!");
    EXPECT_FALSE(FileExists(dir.file("none")));
}

TEST(GrpToolTest, ListPrintsRowsSignatureAndCount)
{
    TempDir dir;
    const std::string grp =
        dir.write("L.GRP", Grp({{"A", 10, ""}, {test::Del, 5, ""}, {"TWELVE.CHARS", 7, ""}, {Res, 0, ""}}, "abc"));
    const Result r = Tool({"list", grp});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "A 10 80\nTWELVE.CHARS 7 95\nSignature: abc\nFilecount: 2\n");
    std::string cut = Grp({{"A", 1, ""}});
    cut.replace(12, 4, test::Le32(4));
    const Result bad = Tool({"list", dir.write("CUT.GRP", cut)});
    EXPECT_EQ(bad.code, 1);
    EXPECT_EQ(bad.err, "Read beyond end of file\n");
}

TEST(GrpToolTest, OverwritingNeedsYesAndNoneMeansNo)
{
    TempDir dir;
    const std::string grp = dir.write("A.GRP", Grp({{"X", 2, "xx"}}));
    const std::string dest = dir.write("dest", "mine");
    const std::string ask = "The destination file already exists, are you sure you want to overwrite it?\n";
    const std::string askNew = "The file already exists, are you sure you want to overwrite it?\n";
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string err;
    } cases[] = {
        {{"extract", grp, "X", dest}, 1, ask + "tessel-grp: not answered; give --yes or --no\n"},
        {{"--no", "extract", grp, "X", dest}, 1, ""},
        {{"new", grp, "sig"}, 1, askNew + "tessel-grp: not answered; give --yes or --no\n"},
        {{"new", "--no", grp, "sig"}, 1, ""},
    };
    for (const auto& c : cases) {
        const Result r = Tool(c.args);
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(r.err, c.err);
    }
    EXPECT_EQ(dir.read("dest"), "mine");
    EXPECT_EQ(dir.read("A.GRP"), Grp({{"X", 2, "xx"}}));
    EXPECT_EQ(Tool({"--yes", "extract", grp, "X", dest}).code, 0);
    EXPECT_EQ(dir.read("dest"), "xx");
    // The archive itself is never the destination, answer or not.
    const Result self = Tool({"--yes", "extract", grp, "X", dir.file("./A.GRP")});
    EXPECT_EQ(self.code, 1);
    EXPECT_EQ(self.err, "Cannot create file " + dir.file("./A.GRP") + "\n");
    EXPECT_EQ(dir.read("A.GRP"), Grp({{"X", 2, "xx"}}));
}

TEST(GrpToolTest, PackAndUnpackRoundTrip)
{
    TempDir dir;
    ::mkdir(dir.file("in").c_str(), 0755);
    dir.write("in/b.con", "bee");
    dir.write("in/A.ART", "ay");
    dir.write("in/EMPTY", "");
    ::mkdir(dir.file("in/sub").c_str(), 0755);   // folders are not packed
    const std::string grp = dir.file("in/OUT.GRP");   // nor the archive itself
    ASSERT_EQ(Tool({"pack", grp, dir.file("in"), "--signature", "Tessel", "--reserve", "2"}).code, 0);
    EXPECT_EQ(dir.read("in/OUT.GRP"),
              Grp({{"A.ART", 2, "ay"}, {"EMPTY", 0, ""}, {"b.con", 3, "bee"}, {Res, 0, ""}, {Res, 0, ""}}, "Tessel"));
    const Result again = Tool({"pack", grp, dir.file("in")});
    EXPECT_EQ(again.code, 1);
    EXPECT_EQ(Tool({"--yes", "pack", grp, dir.file("in")}).code, 0);
    EXPECT_EQ(dir.read("in/OUT.GRP"), Grp({{"A.ART", 2, "ay"}, {"EMPTY", 0, ""}, {"b.con", 3, "bee"}}));

    ASSERT_EQ(Tool({"unpack", grp, dir.file("out")}).code, 0);
    for (const char* name : {"A.ART", "EMPTY", "b.con"})
        EXPECT_EQ(dir.read(std::string("out/") + name), dir.read(std::string("in/") + name)) << name;

    dir.write("in/LONGERNAME.CON", "x");
    const Result longName = Tool({"--yes", "pack", dir.file("long.grp"), dir.file("in")});
    EXPECT_EQ(longName.code, 1);
    EXPECT_EQ(longName.err,
              "Warning: The file that you have chosen to insert is more than 12 characters long, shorten the filename "
              "and try again, because duke3D GRP are limited to 12 characters for filenames.\nLONGERNAME.CON\n");
    EXPECT_FALSE(FileExists(dir.file("long.grp")));
}

TEST(GrpToolTest, UnpackNeverWritesOutsideItsFolder)
{
    for (const std::string evil : {"../ESCAPE", "..", "a/b", "new\nline"}) {
        TempDir dir;
        const std::string grp = dir.write("E.GRP", Grp({{"GOOD", 1, "g"}, {evil, 3, "bad"}}));
        const Result r = Tool({"unpack", grp, dir.file("out")});
        EXPECT_EQ(r.code, 1) << evil;
        EXPECT_NE(r.err.find("is not a plain file name; nothing was unpacked."), std::string::npos) << r.err;
        EXPECT_FALSE(FileExists(dir.file("ESCAPE")));
        EXPECT_FALSE(DirectoryExists(dir.file("out")));
    }
}

TEST(GrpToolTest, BadUsageExitsWithTwo)
{
    const std::vector<std::string> cases[] = {{},
                                              {"list"},
                                              {"frobnicate", "a.grp"},
                                              {"reserve", "a.grp", "many"},
                                              {"reserve", "a.grp", "0"},
                                              {"--yes", "--no", "list", "a.grp"},
                                              {"new", "a.grp", "thirteen char"},
                                              {"extract", "a.grp", "X"},
                                              {"list", "a.grp", "--bogus"}};
    for (const auto& args : cases) {
        const Result r = Tool(args);
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.err.rfind("usage: tessel-grp", 0), 0u);
    }
}

} // namespace
} // namespace tessel

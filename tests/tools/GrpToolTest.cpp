// tessel-grp end to end: the built tool on archives made byte by byte here.
#include <QProcess>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "grp/GrpTestSupport.h"

namespace tessel {
namespace {

using namespace test;

struct Step {
    std::vector<std::string> args;
    int code;
    std::string err;
    std::string bytes = {};   // the archive afterwards, when given
};

// Runs each step; out is the standard output of the last.
void RunSteps(const std::vector<Step>& steps, const std::string& archive, std::string* out = nullptr)
{
    for (const auto& s : steps) {
        QProcess p;
        QStringList args;
        for (const auto& a : s.args)
            args << QString::fromStdString(a);
        p.start(TESSEL_BIN_DIR "/tessel-grp", args);
        p.waitForFinished(-1);
        SCOPED_TRACE(s.args.empty() ? "" : s.args[0]);
        EXPECT_EQ(p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, s.code);
        const std::string err = p.readAllStandardError().toStdString();
        EXPECT_EQ(s.code == 2 ? err.substr(0, 17) : err, s.err);
        std::string bytes;
        if (!s.bytes.empty() && ReadWholeFile(archive, bytes)) {
            EXPECT_EQ(bytes, s.bytes);
        }
        if (out)
            *out = p.readAllStandardOutput().toStdString();
    }
}

TEST(GrpToolTest, ASessionFromNewArchiveToDefragmentGivesTheExpectedBytes)
{
    TempDir dir;
    const std::string grp = dir.file("MOD.GRP"), con = dir.write("GAME.CON", "define X 1\n"),
                      art = dir.write("TILES.ART", "ART!"), dest = dir.write("out.art", "mine");
    const Entry g{"GAME.CON", 11, "define X 1\n"}, t{"TILES.ART", 4, "ART!"}, s{Res, 0};
    const std::string noSlot = "There is no reserved space in the group file, please add some.\n",
                      ask = "The destination file already exists, are you sure you want to overwrite it?\n",
                      unanswered = "tessel-grp: not answered; give --yes or --no\n";
    const std::string dup = "There is already a file with the same name in the archive\n",
                      none = "The file you selected cannot be found.\n", self = dir.file("./MOD.GRP"),
                      replace = "The file already exists, are you sure you want to overwrite it?\n";
    RunSteps({{{"new", grp, "abc"}, 0, "", std::string("abc\0\0\0\0\0\0\0\0\0\0\0\0\0", 16)},
              {{"add", grp, con}, 0, "", Grp({g}, "abc")},
              {{"add", grp, art}, 1, noSlot, Grp({g}, "abc")},
              {{"reserve", grp, "2"}, 0, "", Grp({g, s, s}, "abc")},
              {{"add", grp, art, con}, 1, dup, Grp({g, t, s}, "abc")},
              {{"rm", grp, "GAME.CON"}, 0, "", Grp({{Del, 11, "define X 1\n"}, t, s}, "abc")},
              {{"rm", grp, "GAME.CON"}, 1, none},
              {{"defrag", grp}, 0, "", Grp({t, s}, "abc")},
              {{"unreserve", grp}, 0, "", Grp({t}, "abc")},
              {{"extract", grp, "TILES.ART", dest}, 1, ask + unanswered},
              {{"--no", "extract", grp, "TILES.ART", dest}, 1, ""},
              {{"--yes", "extract", grp, "TILES.ART", self}, 1, "Cannot create file " + self + "\n"},
              {{"new", grp, "x"}, 1, replace + unanswered, Grp({t}, "abc")}},
             grp);
    EXPECT_EQ(dir.read("out.art"), "mine");
    RunSteps({{{"--yes", "extract", grp, "TILES.ART", dest}, 0, ""},
              {{"--yes", "new", grp, "KenSilverman"}, 0, "", Grp({})}},
             grp);
    EXPECT_EQ(dir.read("out.art"), "ART!");
}

TEST(GrpToolTest, ListPrintsRowsSignatureAndCount)
{
    TempDir dir;
    std::string out, cut = Grp({{"A", 1}});
    const std::string grp = dir.write("L.GRP", Grp({{"A", 10}, {Del, 5}, {"TWELVE.CHARS", 7}, {Res, 0}}, "abc"));
    RunSteps({{{"list", grp}, 0, ""}}, grp, &out);
    EXPECT_EQ(out, "A 10 80\nTWELVE.CHARS 7 95\nSignature: abc\nFilecount: 2\n");
    cut.replace(12, 4, Le32(4));
    const std::string usage = "usage: tessel-grp";
    RunSteps({{{"list", dir.write("CUT.GRP", cut)}, 1, "Read beyond end of file\n"},
              {{"list", dir.file("none.grp")}, 1, "The selected file does not exist.\n"},
              {{}, 2, usage}, {{"frobnicate", grp}, 2, usage}, {{"reserve", grp, "0"}, 2, usage},
              {{"--yes", "--no", "list", grp}, 2, usage}},
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
    RunSteps({{{"pack", grp, in, "--signature", "Tessel", "--reserve", "2"}, 0, "", Grp(withSlots, "Tessel")},
              {{"pack", grp, in}, 1, "The file already exists, are you sure you want to overwrite it?\n" + unanswered},
              {{"--yes", "pack", grp, dir.file("in")}, 0, "", Grp(files)},
              {{"unpack", grp, dir.file("out")}, 0, ""}},
             grp);
    for (const char* name : {"A.ART", "EMPTY", "b.con"})
        EXPECT_EQ(dir.read(std::string("out/") + name), dir.read(std::string("in/") + name)) << name;
    dir.write("in/LONGERNAME.CON", "x");
    RunSteps({{{"--yes", "pack", dir.file("long.grp"), dir.file("in")}, 1,
               "Warning: The file that you have chosen to insert is more than 12 characters long, shorten the filename "
               "and try again, because duke3D GRP are limited to 12 characters for filenames.\nLONGERNAME.CON\n"}},
             grp);
    EXPECT_FALSE(FileExists(dir.file("long.grp")));

    for (const std::string evil : {"../ESCAPE", "..", "new\nline"}) {
        const std::string bad = dir.write("E.GRP", Grp({{"GOOD", 1, "g"}, {evil, 3, "bad"}}));
        const std::string shown = evil == "new\nline" ? "new\\x0aline" : evil;
        RunSteps({{{"unpack", bad, dir.file("x")}, 1,
                   "The entry name \"" + shown + "\" is not a plain file name; nothing was unpacked.\n"}},
                 bad);
        EXPECT_FALSE(FileExists(dir.file("ESCAPE")) || DirectoryExists(dir.file("x")));
    }
}

} // namespace
} // namespace tessel

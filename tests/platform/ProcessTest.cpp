#include "platform/Process.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include "launch/LaunchTestSupport.h"

namespace tessel {
namespace {

using Args = std::vector<std::string>;
using namespace std::string_literals;

// PATH holds only a folder of the test's own, so that wine and xdg-open are what the test puts there.
class ProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
        ASSERT_EQ(::mkdir(dir.file("bin").c_str(), 0755), 0);
        setenv("PATH", dir.file("bin").c_str(), 1);
    }
    void TearDown() override { setenv("PATH", savedPath.c_str(), 1); }

    std::string tool(const std::string& name, const std::string& body = "#!/bin/sh\n")
    {
        const std::string path = dir.write(name, body);
        ::chmod(path.c_str(), 0755);
        return path;
    }

    TempDir dir;
    std::string savedPath;
};

TEST_F(ProcessTest, ParametersSplitAsTheWindowsRuntimeSplitsThem)
{
    const std::pair<const char*, Args> cases[] = {
        {"", {}},
        {"-map test.map /m /v2 ", {"-map", "test.map", "/m", "/v2"}},
        {"\"C:\\Games\\My Duke\\x.map\" /s3", {"C:\\Games\\My Duke\\x.map", "/s3"}},
        {"a\"b c\"d", {"ab cd"}},
        {"\"\"", {""}},
        {"a\\\\b", {"a\\\\b"}},                // backslashes not before a quote are literal
        {"a\\\"b", {"a\"b"}},                  // \" is a quote
        {"a\\\\\"b c\"", {"a\\b c"}},          // \\" is a backslash, then a quote opens
        {"\"a\"\"b c\"", {"a\"b c"}},          // "" inside quotes is a quote, and they go on
        {"a\\\" b", {"a\"", "b"}},               // an escaped quote opens nothing
        {"a\\\\\\\"b", {"a\\\"b"}},            // \\\" is a backslash and a quote
        {"a\\\\\\\\\"b c\"", {"a\\\\b c"}},    // \\\\" is two backslashes, then a quote opens
        {"\\\\\\\\\\\"", {"\\\\\""}},          // \\\\\" is two backslashes and a quote
        {"a\\", {"a\\"}},                      // a backslash at the end is literal
        {"\ta\t \tb\t", {"a", "b"}},           // tabs separate like blanks
        {"\"a\tb\"", {"a\tb"}},                // but not inside quotes
    };
    for (const auto& [params, expected] : cases)
        EXPECT_EQ(SplitCommandLine(params), expected) << params;
    // A quoted argument splits back whole, whatever it holds, also beside others.
    const Args words = {"", "plain", "two words", "/my games/duke/", "q\"uote", "back\\", "b\\\"q", "t\tab", "\\\\"};
    std::string line;
    for (const std::string& word : words) {
        EXPECT_EQ(SplitCommandLine(QuotedArgument(word)), Args{word}) << word;
        line += QuotedArgument(word) + " ";
    }
    EXPECT_EQ(SplitCommandLine(line), words);
    EXPECT_EQ(QuotedArgument("/g/duke/"), "/g/duke/");
}

TEST_F(ProcessTest, TheRunnerFollowsTheHeaderAndWhereItTellsNothingTheName)
{
    using test::MzExecutable;
    const std::string code = "\xB4\x4C\xCD\x21";   // mov ah,4Ch; int 21h
    const struct { const char* what; std::string name, bytes; bool executable, beside; Runner runner; } cases[] = {
        {"ELF as .exe", "eduke32.exe", "\x7f" "ELF\x02\x01\x01" + std::string(57, '\0'), true, false, Runner::Direct},
        {"#! script named like a batch file", "RUN.BAT", "#!/bin/sh\n", true, true, Runner::Direct},
        {"plain DOS", "DUKE3D.EXE", MzExecutable(code), true, false, Runner::DosBox},
        {"DOS, too short for a new header", "GAME.EXE", "MZ" + std::string(30, '\0'), false, false, Runner::DosBox},
        {"MZ+PE, even with +x", "GAME.EXE", MzExecutable(code, 0x44, "PE\0\0\x4c\x01"s), true, false, Runner::Wine},
        {"MZ+NE", "GAME.EXE", MzExecutable(code, 0x100, std::string(0x100 - 0x44, '\0') + "NE\x05\x0a"), false,
         false, Runner::Wine},
        {"MZ+LE (DOS/4GW)", "DUKE3D.EXE", MzExecutable(code, 0x44, "LE\0\0"s), false, false, Runner::DosBox},
        {"new header past the end", "GAME.EXE", MzExecutable(code, 0x10000, "PE\0\0"s), false, false, Runner::DosBox},
        {"PE signature cut short", "GAME.EXE", MzExecutable(code, 0x44, "PE\0"s), false, false, Runner::DosBox},
        {"DOS header cut short", "GAME.EXE", "MZ" + std::string(25, '\0'), true, false, Runner::None},
        {"empty .exe", "duke3d.exe", "", false, false, Runner::None},
        {".com", "TOOL.com", code, false, false, Runner::DosBox},
        {".bat beside DOS programs", "Q95.BAT", "@echo off\r\nquake %1\r\n", false, true, Runner::DosBox},
        {".bat elsewhere", "go.bat", "@echo off\r\n", true, false, Runner::Wine},
        {"too short to tell, executable", "run", "M", true, false, Runner::Direct},
        {"a document", "readme.txt", "MZ is a header", false, false, Runner::Opener},
    };
    for (const auto& c : cases) {
        const ReadBytes read = [&](std::uint32_t offset, std::size_t count) {
            return offset < c.bytes.size() ? c.bytes.substr(offset, count) : std::string();
        };
        EXPECT_EQ(RunnerFor(c.name, ProgramKindOf(read), c.executable, c.beside), c.runner) << c.what;
    }
}

TEST_F(ProcessTest, DosGetsTheParametersExactlyOrARefusal)
{
    const std::string noName = "its name is no DOS name (up to 8 characters, then .exe, .com or .bat)";
    const std::string redirects =
        "its parameters hold <, > or | outside double quotes, which DOS takes as redirections";
    const std::string tooLong = "its parameters are longer than the 126 characters DOS takes";
    const std::string control = "its parameters hold control characters, which DOS cannot take";
    const std::string noMount = "DOSBox cannot mount its folder (a double quote or a control character in the name)";
    const std::string most(125, 'x');
    // run: the command that starts the program
    const struct { const char* what; std::string folder, name, params, refusal, run; } cases[] = {
        {"Duke's defaults", "/g/duke", "Duke3D.exe", "/v1 /l1 /s3 ", "", "DUKE3D.EXE /v1 /l1 /s3 "},
        {"no parameters", "/g/q", "quake.exe", "", "", "QUAKE.EXE"},
        {"a batch file, a percent sign", "/g/q", "Q95.bat", "50% +map", "", "Q95.BAT 50%% +map"},
        {"redirections inside quotes", "/g", "A.COM", "\"a|b\" \"<c>", "", "A.COM \"a|b\" \"<c>"},
        {"a tab", "/g", "A.COM", "a\tb", "", "A.COM a\tb"},
        {"the most DOS takes", "/g", "A.COM", most + "  ", "", "A.COM " + most + "  "},
        {"one more", "/g", "A.COM", most + "x", tooLong, ""},
        {"a pipe", "/g", "A.COM", "-map a|b.map", redirects, ""},
        {"after a closed quote", "/g", "A.COM", "\"a\" >x", redirects, ""},
        {"a line break", "/g", "A.COM", "a\nb", control, ""},
        {"nine characters", "/g", "Duke3D-hr.exe", "", noName, ""},
        {"no name before the full stop", "/g", ".exe", "", noName, ""},
        {"a blank in the name", "/g", "MY GAME.EXE", "", noName, ""},
        {"two full stops", "/g", "A.B.EXE", "", noName, ""},
        {"not a program's extension", "/g", "DUKE3D.DAT", "", noName, ""},
        {"a quote in the folder", "/g/\"a", "A.COM", "", noMount, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(DosRefusal(c.folder, c.name, c.params), c.refusal);
        if (c.refusal.empty()) {
            EXPECT_EQ(DosBoxCommands(c.folder, c.name, c.params),
                      (Args{"MOUNT C \"" + c.folder + "\"", "C:", c.run, "exit"}));
        }
    }
    EXPECT_EQ(DosBoxCommands("/g/100%", "A.COM", "").front(), "MOUNT C \"/g/100%%\"");
}

TEST_F(ProcessTest, EachKindRunsThroughItsRunnerOrSaysWhichIsMissing)
{
    const std::string script = tool("run.sh");
    ASSERT_EQ(::mkdir(dir.file("game").c_str(), 0755), 0);
    const std::string dos = dir.write("game/DUKE3D.EXE", test::MzExecutable("\xC3"));
    const std::string batch = dir.write("game/Q95.bat", "quake\r\n"), alone = dir.write("go.bat", "");
    const std::string windows = dir.write("WIN.EXE", test::MzExecutable("", 0x40, "PE\0\0"s));
    tool("bin/xdg-open");

    LaunchPlan plan = PlanLaunch(script, "/v1 /l2", "");
    EXPECT_EQ(plan.program, script);
    EXPECT_EQ(plan.arguments, (Args{"/v1", "/l2"}));

    for (const auto& [file, problem] : {std::pair{dos, "DOSBox is not installed"}, {windows, "wine is not installed"},
                                        {alone, "wine is not installed"},
                                        {dir.write("EMPTY.EXE", ""), "it is no DOS or Windows program"}}) {
        plan = PlanLaunch(file, "/v1", dir.path());
        EXPECT_EQ(plan.program, "") << file;
        EXPECT_EQ(plan.problem, problem) << file;
    }

    const std::string wine = tool("bin/wine"), dosbox = tool("bin/dosbox");
    plan = PlanLaunch(windows, "/v1 \"a b\"", "");
    EXPECT_EQ(plan.program, wine);
    EXPECT_EQ(plan.arguments, (Args{windows, "/v1", "a b"}));

    const std::string mount = "MOUNT C \"" + dir.file("game") + "\"";
    plan = PlanLaunch(dos, "/v1 \"a b\" ", dir.path());
    EXPECT_EQ(plan.program, dosbox);
    EXPECT_EQ(plan.arguments,
              (Args{"-noautoexec", "-c", mount, "-c", "C:", "-c", "DUKE3D.EXE /v1 \"a b\" ", "-c", "exit"}));
    EXPECT_EQ(plan.workingDir, dir.path());
    // A batch file beside a DOS program; DOSBox named with arguments of its own.
    const std::string other = tool("bin/dosbox-x");
    plan = PlanLaunch(batch, "", "", other + " -conf \"my dosbox.conf\"");
    EXPECT_EQ(plan.program, other);
    EXPECT_EQ(plan.arguments,
              (Args{"-conf", "my dosbox.conf", "-noautoexec", "-c", mount, "-c", "C:", "-c", "Q95.BAT", "-c", "exit"}));
    EXPECT_EQ(PlanLaunch(batch, "", "", "dosbox-staging").problem, "DOSBox is not installed");
    EXPECT_EQ(PlanLaunch(dos, "a|b", "").problem, DosRefusal(dir.file("game"), "DUKE3D.EXE", "a|b"));

    EXPECT_FALSE(StartProgram(dir.file("missing.exe"), "", ""));
    EXPECT_EQ(PlanLaunch(dir.write("notes.txt", ""), "/v1", "").arguments, (Args{dir.file("notes.txt")}));

    // wine is the first executable one on the PATH; an empty entry there is the current folder,
    // from which relative names count too.
    test::CurrentFolderGuard back;
    EnterFolder(dir.path());
    ::chmod(wine.c_str(), 0644);
    ASSERT_EQ(::mkdir(dir.file("bin2").c_str(), 0755), 0);
    const std::string wine2 = tool("bin2/wine");
    tool("wine");
    for (const auto& [path, expected] : {std::pair{dir.file("bin:") + dir.file("bin2"), wine2},
                                         {dir.file("bin:"), std::string("./wine")}}) {
        setenv("PATH", path.c_str(), 1);
        EXPECT_EQ(PlanLaunch(windows, "", "").program, expected) << path;
    }
    EXPECT_EQ(PlanLaunch("run.sh", "", "").program, CurrentDirectory() + "/run.sh");
}

TEST_F(ProcessTest, StartsDetachedWithArgumentsAndFolderNeverThroughAShell)
{
    const std::string script = test::FakeProgram(dir.file("record.sh"));
    ASSERT_EQ(::mkdir(dir.file("work").c_str(), 0755), 0);
    const std::string injected = dir.file("injected");
    ASSERT_TRUE(StartProgram(script, "\"two words\" ;touch " + injected + " $(touch " + injected + ")",
                             dir.file("work")));
    const test::StartRecord run = test::WaitForStart(script);
    EXPECT_TRUE(SameFile(run.folder, dir.file("work")));
    EXPECT_EQ(run.arguments, (Args{"two words", ";touch", injected, "$(touch", injected + ")"}));
    EXPECT_FALSE(FileExists(injected));
    // Without a folder it runs in ours; a program that does not start, or a missing folder, is a failure.
    test::CurrentFolderGuard back;
    EnterFolder(dir.file("work"));
    const std::string here = test::FakeProgram(dir.file("here.sh"));
    ASSERT_TRUE(StartProgram(here, "", ""));
    EXPECT_TRUE(SameFile(test::WaitForStart(here).folder, dir.file("work")));
    EXPECT_FALSE(StartProgram(tool("garbage", "no program at all"), "", ""));
    EXPECT_FALSE(StartProgram(script, "", dir.file("missing")));
}

} // namespace
} // namespace tessel

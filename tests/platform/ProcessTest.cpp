#include "platform/Process.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdlib>
#include <fstream>

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
        {"a\\", {"a\\"}},                      // a backslash at the end is literal
        {"\ta\t \tb\t", {"a", "b"}},           // tabs separate like blanks
        {"\"a\tb\"", {"a\tb"}},                // but not inside quotes
    };
    for (const auto& [params, expected] : cases)
        EXPECT_EQ(SplitCommandLine(params), expected) << params;
    // A quoted argument splits back whole, whatever it holds, also beside others.
    const Args words = {"", "plain", "two words", "/my games/duke/", "q\"uote", "a back\\", "b\\\"q", "t\tab", "\\\\"};
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
    const std::string tooDeep = "DOSBox cannot mount its folder (a name of more than 238 bytes)";
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
        // DOSBox 0.74 ran a folder of 238 bytes and aborted on one of 239: it
        // keeps the mounted folder, with its final separator, in 256 bytes after
        // "local directory " and the closing NUL.
        {"the longest folder DOSBox mounts", "/" + std::string(237, 'd'), "A.COM", "", "", "A.COM"},
        {"one byte more", "/" + std::string(238, 'd'), "A.COM", "", tooDeep, ""},
        {"a separator at its end counts once", "/" + std::string(237, 'd') + "/", "A.COM", "", "", "A.COM"},
        {"a percent sign is one byte there", "/" + std::string(236, 'd') + "%", "A.COM", "", "", "A.COM"},
        {"bytes, not characters", "/" + std::string(230, 'd') + "\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9", "A.COM", "",
         tooDeep, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(DosRefusal(c.folder, c.name, c.params), c.refusal);
        if (c.refusal.empty() && c.folder.find('%') == std::string::npos) {
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
    EXPECT_TRUE(plan.dosRunner);
    EXPECT_FALSE(PlanLaunch(windows, "", "").dosRunner);
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

    // The DOS runner key runs only a program it names by an absolute path or on the PATH.
    setenv("PATH", dir.file("elsewhere").c_str(), 1);
    const std::string noExec = dir.write("bin/noexec", ""), noProgram = "[Tessel] DosProgram names no program";
    const std::pair<std::string, std::string> runners[] = {
        {"", noProgram},
        {"\"\" -conf my.conf", noProgram},
        {"dosbox-staging -conf my.conf", "[Tessel] DosProgram names dosbox-staging, which is not installed"},
        {noExec, "[Tessel] DosProgram names " + noExec + ", which is not installed"},
        {dir.file("bin"), "[Tessel] DosProgram names " + dir.file("bin") + ", which is not installed"},
        {"bin/dosbox", "[Tessel] DosProgram names bin/dosbox, which is not an absolute path"},
    };
    for (const auto& [dosProgram, problem] : runners) {
        plan = PlanLaunch(dos, "", "", dosProgram);
        EXPECT_EQ(plan.problem, problem) << dosProgram;
        EXPECT_EQ(plan.program, "") << dosProgram;
    }
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
    // Without a folder it runs in ours; a missing folder is a failure.
    test::CurrentFolderGuard back;
    EnterFolder(dir.file("work"));
    const std::string here = test::FakeProgram(dir.file("here.sh"));
    ASSERT_TRUE(StartProgram(here, "", ""));
    EXPECT_TRUE(SameFile(test::WaitForStart(here).folder, dir.file("work")));
    EXPECT_FALSE(StartProgram(script, "", dir.file("missing")));
}

// A started program gets the default dispositions of SIGPIPE and SIGXFSZ,
// which Tessel ignores, and no signal blocked.
TEST_F(ProcessTest, AProgramStartsWithTheDefaultSignals)
{
    const std::string report = dir.file("signals");
    // The shell reads its own masks: the children it forks start with none blocked.
    const std::string script = tool("signals.sh", "#!/bin/sh\nwhile read k v; do case $k in SigIgn:|SigBlk:) "
                                                  "echo $k $v;; esac; done < /proc/self/status > " + report + ".tmp\n"
                                                  "/bin/mv " + report + ".tmp " + report + "\n");
    struct sigaction ignore {}, oldPipe{}, oldSize{};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGPIPE, &ignore, &oldPipe);
    ::sigaction(SIGXFSZ, &ignore, &oldSize);
    sigset_t held, before;
    ::sigemptyset(&held);
    ::sigaddset(&held, SIGTERM);
    ::sigaddset(&held, SIGPIPE);
    ::sigprocmask(SIG_BLOCK, &held, &before);
    const bool started = StartProgram(script, "", "");
    ::sigprocmask(SIG_SETMASK, &before, nullptr);
    ::sigaction(SIGPIPE, &oldPipe, nullptr);
    ::sigaction(SIGXFSZ, &oldSize, nullptr);
    ASSERT_TRUE(started);
    EXPECT_EQ(test::WaitForFile(report), "SigBlk: 0000000000000000\nSigIgn: 0000000000000000\n");
}

// A watched start tells how the program ended when it ended at once; nothing
// here waits for a program that runs on.
TEST_F(ProcessTest, AWatchedStartTellsAnEarlyFailure)
{
    const struct { const char* body; std::string failure; } cases[] = {
        {"exit 3", "exit status 3"},
        {"kill -ABRT $$", "signal 6 (Aborted)"},
        {"exit 0", ""},
    };
    for (const auto& c : cases) {
        ProgramWatch watch;
        ASSERT_TRUE(StartPlan(PlanLaunch(tool("end.sh", std::string("#!/bin/sh\n") + c.body + "\n"), "", ""), &watch));
        EXPECT_EQ(watch.WaitForFailure(), c.failure) << c.body;
        EXPECT_TRUE(watch.Done());
        EXPECT_EQ(watch.Failure(), c.failure);
    }
    // Running on: no answer yet, and none asked for by waiting.
    const std::string fifo = dir.file("go");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ProgramWatch watch;
    ASSERT_TRUE(StartPlan(PlanLaunch(tool("wait.sh", "#!/bin/sh\nread x < " + fifo + "\n"), "", ""), &watch));
    EXPECT_EQ(watch.Failure(), "");
    EXPECT_FALSE(watch.Done());
    std::ofstream(fifo) << "go\n";
    EXPECT_EQ(watch.WaitForFailure(), "");
    EXPECT_TRUE(watch.Done());
    // A program that does not start has nothing to watch.
    ProgramWatch none;
    EXPECT_FALSE(StartPlan(PlanLaunch(tool("garbage", "no program at all"), "", ""), &none));
    EXPECT_TRUE(none.Done());
}

} // namespace
} // namespace tessel

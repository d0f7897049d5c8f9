#include "platform/Process.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include "launch/LaunchTestSupport.h"

namespace tessel {
namespace {

using Args = std::vector<std::string>;

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
    for (const auto& [params, expected] : cases) {
        SCOPED_TRACE(params);
        EXPECT_EQ(SplitCommandLine(params), expected);
    }
}

TEST_F(ProcessTest, ChoosesHowToRunByPermissionAndKind)
{
    const std::string script = tool("run.sh");
    const std::string game = dir.write("DUKE3D.EXE", "MZ");
    tool("bin/xdg-open");

    LaunchPlan plan = PlanLaunch(script, "/v1 /l2", "");
    EXPECT_EQ(plan.program, script);
    EXPECT_EQ(plan.arguments, (Args{"/v1", "/l2"}));

    // Without wine, a Windows program is handed to the desktop like any file.
    plan = PlanLaunch(game, "/v1", dir.path());
    EXPECT_EQ(plan.program, dir.file("bin/xdg-open"));
    EXPECT_EQ(plan.arguments, (Args{game}));
    EXPECT_EQ(plan.workingDir, dir.path());

    const std::string wine = tool("bin/wine");
    plan = PlanLaunch(game, "/v1 \"a b\"", "");
    EXPECT_EQ(plan.program, wine);
    EXPECT_EQ(plan.arguments, (Args{game, "/v1", "a b"}));

    EXPECT_TRUE(PlanLaunch(dir.file("missing.exe"), "", "").program.empty());
    EXPECT_FALSE(StartProgram(dir.file("missing.exe"), "", ""));

    // wine is the first executable one on the PATH; an empty entry there is the current folder,
    // from which relative names count too.
    test::CurrentFolderGuard back;
    SetCurrentDirectory(dir.path());
    ::chmod(wine.c_str(), 0644);
    ASSERT_EQ(::mkdir(dir.file("bin2").c_str(), 0755), 0);
    const std::string wine2 = tool("bin2/wine"), dos = dir.write("GAME.COM", "MZ");
    tool("wine");
    for (const auto& [path, expected] : {std::pair{dir.file("bin:") + dir.file("bin2"), wine2},
                                         {dir.file("bin:"), std::string("./wine")}}) {
        setenv("PATH", path.c_str(), 1);
        EXPECT_EQ(PlanLaunch(dos, "", "").program, expected) << path;
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
    SetCurrentDirectory(dir.file("work"));
    const std::string here = test::FakeProgram(dir.file("here.sh"));
    ASSERT_TRUE(StartProgram(here, "", ""));
    EXPECT_TRUE(SameFile(test::WaitForStart(here).folder, dir.file("work")));
    EXPECT_FALSE(StartProgram(tool("garbage", "no program at all"), "", ""));
    EXPECT_FALSE(StartProgram(script, "", dir.file("missing")));
}

} // namespace
} // namespace tessel

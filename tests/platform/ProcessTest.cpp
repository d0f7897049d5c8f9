#include "platform/Process.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QThread>
#include <chrono>
#include <cstdlib>

#include "platform/Files.h"
#include "support/TempDir.h"

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
        {"a\\\\b", {"a\\\\b"}},          // backslashes not before a quote are literal
        {"a\\\"b", {"a\"b"}},            // \" is a quote
        {"a\\\\\"b c\"", {"a\\b c"}},    // \\" is a backslash, then a quote opens
        {"\"a\"\"b\"", {"a\"b"}},        // "" inside quotes is a quote
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
}

TEST_F(ProcessTest, StartsDetachedWithArgumentsAndFolderNeverThroughAShell)
{
    const std::string out = dir.file("out.txt");
    const std::string script = tool("record.sh", "#!/bin/sh\nPATH=/usr/bin:/bin\npwd > \"" + out + ".tmp\"\n"
                                                 "for a in \"$@\"; do echo \"[$a]\" >> \"" + out + ".tmp\"; done\n"
                                                 "mv \"" + out + ".tmp\" \"" + out + "\"\n");
    ASSERT_EQ(::mkdir(dir.file("work").c_str(), 0755), 0);
    const std::string injected = dir.file("injected");
    ASSERT_TRUE(StartProgram(script, "\"two words\" ;touch " + injected + " $(touch " + injected + ")",
                             dir.file("work")));

    // The program runs on its own; wait for its output (not a timing check).
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!FileExists(out) && std::chrono::steady_clock::now() < deadline)
        QThread::msleep(20);
    ASSERT_TRUE(FileExists(out));
    EXPECT_EQ(dir.read("out.txt"), dir.file("work") + "\n[two words]\n[;touch]\n[" + injected + "]\n[$(touch]\n[" +
                                       injected + ")]\n");
    EXPECT_FALSE(FileExists(injected));
}

} // namespace
} // namespace tessel

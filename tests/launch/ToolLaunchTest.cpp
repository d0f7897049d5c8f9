#include "launch/ToolLaunch.h"

#include <cstdlib>

#include "launch/LaunchTestSupport.h"

namespace tessel {
namespace {

using namespace test;

class ToolLaunchTest : public LaunchFixture {
protected:
    ToolLaunchTest() { MakeFolders(dir.path(), {"build", "qc", "empty", "editor"}); }
};

TEST_F(ToolLaunchTest, BuildIsLookedForInItsDirectoryOrTheCurrentFolder)
{
    const std::string build = FakeProgram(dir.file("build/BUILD.EXE"));
    FakeProgram(dir.file("qc/build.exe"));
    const std::string incorrect = "Information: Incorrect build directory: ";
    const std::string notNamed = " , or the build.exe is not named build.exe.";
    const struct { const char* name; std::string buildDir, current, program; Strings messages; } cases[] = {
        {"in the Build directory, any case", dir.file("build/"), dir.file("empty"), build, {}},
        {"not there", dir.file("empty/"), dir.file("build"), "", {incorrect + dir.file("empty/") + notNamed}},
        {"no Build directory: the current folder", "", dir.file("qc"), dir.file("qc/build.exe"), {}},
        {"no Build directory, none in the current folder", "", dir.file("empty"), "", {incorrect + notNamed}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        prompter.clear();
        EnterFolder(c.current);
        const GameLaunch launch = PlanLaunchBuild(c.buildDir, prompter);
        EXPECT_EQ(launch.start, !c.program.empty());
        EXPECT_FALSE(launch.folder);
        if (launch.start) {
            EXPECT_TRUE(SameFile(launch.program, c.program));
            EXPECT_TRUE(SameFile(launch.workingDir, FolderPrefix(c.program)));
            EXPECT_EQ(launch.parameters, "");
        }
        EXPECT_EQ(Messages(prompter), c.messages);
    }
}

TEST_F(ToolLaunchTest, CompileAsksAboutUnsavedChangesOnlyWhenTheToolExists)
{
    const std::string tool = FakeProgram(dir.file("qc/fastqcc.exe"));
    // On the PATH: a tool of the same name, which the QC directory's wins over, and one of its own.
    MakeFolders(dir.path(), {"bin"});
    FakeProgram(dir.file("bin/fastqcc.exe"));
    const std::string onPath = FakeProgram(dir.file("bin/fteqcc"));
    const std::string path = std::getenv("PATH");
    ::setenv("PATH", dir.file("bin").c_str(), 1);
    const std::string unsaved = "Confirm (Yes/No): Some files have not been saved yet, continue?";
    const std::string qc = dir.file("qc");   // written by hand, without its separator
    auto notFound = [&qc](const std::string& name) {
        return "Tessel: Could not find the file: '" + name + "' in the main QC Directory: '" + qc +
               "' Please verify if this is the right compiling tool.";
    };
    EnterFolder(qc);
    const struct { const char* name; std::string qcDir, toolName; bool modified; std::deque<MsgResult> answers;
                   std::string program; Strings messages; } cases[] = {
        {"nothing unsaved", qc, "fastqcc.exe", false, {}, tool, {}},
        {"unsaved, go on", qc, "fastqcc.exe", true, {MsgResult::Yes}, tool, {unsaved}},
        {"unsaved, stop", qc, "fastqcc.exe", true, {MsgResult::No}, "", {unsaved}},
        {"no such tool", qc, "qcc.exe", true, {}, "", {notFound("qcc.exe")}},
        // Found in the current folder; the empty folder is left for the launch to report.
        {"no QC directory", "", "fastqcc.exe", false, {}, tool, {}},
        {"an absolute name", qc, onPath, false, {}, onPath, {}},
        {"a name on the PATH", qc, "fteqcc", false, {}, onPath, {}},
        {"a relative name with a folder is not looked for on the PATH", qc, "bin/fteqcc", false, {}, "",
         {notFound("bin/fteqcc")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        prompter.clear();
        prompter.answers = c.answers;
        const GameLaunch launch = PlanCompileQuakeC(c.qcDir, c.toolName, c.modified, prompter);
        EXPECT_EQ(launch.start, !c.program.empty());
        EXPECT_EQ(launch.folder.has_value(), launch.start);
        if (launch.start) {
            EXPECT_TRUE(SameFile(launch.program, c.program));
            EXPECT_EQ(launch.folder, c.qcDir);
            EXPECT_EQ(launch.workingDir, c.qcDir);
            EXPECT_EQ(launch.parameters, "");
        }
        EXPECT_EQ(Messages(prompter), c.messages);
    }
    ::setenv("PATH", path.c_str(), 1);
}

// Without a program there is nothing to start; a relative one counts from the current folder.
TEST_F(ToolLaunchTest, TheMapEditorStartsInItsOwnFolder)
{
    EXPECT_FALSE(PlanMapEditorLaunch("").start);
    const std::string editor = FakeProgram(dir.file("editor/Worldcraft.exe"));
    EnterFolder(dir.path());
    const GameLaunch launch = PlanMapEditorLaunch("editor/Worldcraft.exe");
    EXPECT_TRUE(launch.start);
    EXPECT_EQ(launch.program.front(), '/');
    EXPECT_TRUE(SameFile(launch.program, editor));
    EXPECT_TRUE(SameFile(launch.workingDir, dir.file("editor")));
}

} // namespace
} // namespace tessel

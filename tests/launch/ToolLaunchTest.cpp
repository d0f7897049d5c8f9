#include "launch/ToolLaunch.h"

#include <cstdlib>

#include "launch/LaunchTestSupport.h"
#include "support/Rows.h"

namespace tessel {
namespace {

using namespace test;

class ToolLaunchTest : public LaunchFixture {
protected:
    ToolLaunchTest() { MakeFolders(dir.path(), {"build", "qc", "empty", "editor"}); }
};

// "~/" is the test's folder; program "" starts nothing.
struct BuildRow { const char* name, *buildDir, *current, *program, *said; };
const BuildRow BuildRows[] = {
    {"in the Build directory, any case", "~/build/", "~/empty", "~/build/BUILD.EXE", ""},
    {"not there", "~/empty/", "~/build", "",
     "Information: Incorrect build directory: ~/empty/ , or the build.exe is not named build.exe."},
    {"no Build directory: the current folder", "", "~/qc", "~/qc/build.exe", ""},
};
using ToolLaunchBuild = RowsOf<ToolLaunchTest, BuildRow>;

TEST_P(ToolLaunchBuild, LooksInItsDirectoryOrTheCurrentFolder)
{
    FakeProgram(dir.file("build/BUILD.EXE"));
    FakeProgram(dir.file("qc/build.exe"));
    EnterFolder(local(row.current));
    const GameLaunch launch = PlanLaunchBuild(local(row.buildDir), prompter);
    const std::string program = local(row.program);
    EXPECT_EQ(launch.start, !program.empty());
    EXPECT_FALSE(launch.folder);
    if (launch.start) {
        EXPECT_TRUE(SameFile(launch.program, program));
        EXPECT_TRUE(SameFile(launch.workingDir, FolderPrefix(program)));
        EXPECT_EQ(launch.parameters, "");
    }
    EXPECT_EQ(Messages(prompter), *row.said ? Strings{local(row.said)} : Strings{});
}
TESSEL_ROWS(ToolLaunchBuild, BuildRows);

// The QC directory "~/qc" written without its separator; program "" stops. On
// the PATH: a tool the QC directory's wins over, and one of its own.
enum Unsaved { Saved, Modified };
const std::string Asked = "Confirm (Yes/No): Some files have not been saved yet, continue?";
std::string NotFound(const std::string& name)
{
    return "Tessel: Could not find the file: '" + name +
           "' in the main QC Directory: '~/qc' Please verify if this is the right compiling tool.";
}
struct CompileRow {
    const char* name, *qcDir, *tool;
    Unsaved scripts;
    std::deque<MsgResult> answers;
    const char* program;
    std::string said;
};
const CompileRow CompileRows[] = {
    {"nothing unsaved", "~/qc", "fastqcc.exe", Saved, {}, "~/qc/fastqcc.exe", ""},
    {"unsaved, go on", "~/qc", "fastqcc.exe", Modified, {MsgResult::Yes}, "~/qc/fastqcc.exe", Asked},
    {"unsaved, stop", "~/qc", "fastqcc.exe", Modified, {MsgResult::No}, "", Asked},
    {"no such tool", "~/qc", "qcc.exe", Modified, {}, "", NotFound("qcc.exe")},
    // Found in the current folder; the empty folder is left for the launch to report.
    {"no QC directory", "", "fastqcc.exe", Saved, {}, "~/qc/fastqcc.exe", ""},
    {"an absolute name", "~/qc", "~/bin/fteqcc", Saved, {}, "~/bin/fteqcc", ""},
    {"a name on the PATH", "~/qc", "fteqcc", Saved, {}, "~/bin/fteqcc", ""},
    {"a relative name with a folder is not looked for on the PATH", "~/qc", "bin/fteqcc", Saved, {}, "",
     NotFound("bin/fteqcc")},
};
using ToolLaunchCompile = RowsOf<ToolLaunchTest, CompileRow>;

TEST_P(ToolLaunchCompile, AsksAboutUnsavedChangesOnlyWhenTheToolExists)
{
    FakeProgram(dir.file("qc/fastqcc.exe"));
    MakeFolders(dir.path(), {"bin"});
    FakeProgram(dir.file("bin/fastqcc.exe"));
    FakeProgram(dir.file("bin/fteqcc"));
    const std::string path = std::getenv("PATH"), qcDir = local(row.qcDir), program = local(row.program);
    ::setenv("PATH", dir.file("bin").c_str(), 1);
    EnterFolder(dir.file("qc"));
    prompter.answers = row.answers;
    const GameLaunch launch = PlanCompileQuakeC(qcDir, local(row.tool), row.scripts == Modified, prompter);
    ::setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(launch.start, !program.empty());
    EXPECT_EQ(launch.folder.has_value(), launch.start);
    if (launch.start) {
        EXPECT_TRUE(SameFile(launch.program, program));
        EXPECT_EQ(launch.folder, qcDir);
        EXPECT_EQ(launch.workingDir, qcDir);
        EXPECT_EQ(launch.parameters, "");
    }
    EXPECT_EQ(Messages(prompter), row.said.empty() ? Strings{} : Strings{local(row.said)});
}
TESSEL_ROWS(ToolLaunchCompile, CompileRows);

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

#include "launch/ToolLaunch.h"

#include "launch/LaunchTestSupport.h"
#include "support/Rows.h"

namespace tessel {
namespace {

using namespace test;

class ToolLaunchTest : public LaunchFixture {
protected:
    ToolLaunchTest() { MakeFolders(dir.path(), {"build", "qc", "empty", "editor"}); }
};

// "~/" is the test's folder; program empty: nothing starts.
struct BuildRow {
    const char* name;
    const char* buildDir, *current, *program;
    Strings messages;
};
const std::string Incorrect = "Information: Incorrect build directory: ",
                  NotNamed = " , or the build.exe is not named build.exe.";
const BuildRow BuildRows[] = {
    {"in the Build directory, any case", "~/build/", "~/empty", "~/build/BUILD.EXE", {}},
    {"not there", "~/empty/", "~/build", "", {Incorrect + "~/empty/" + NotNamed}},
    {"no Build directory: the current folder", "", "~/qc", "~/qc/build.exe", {}},
    {"no Build directory, none in the current folder", "", "~/empty", "", {Incorrect + NotNamed}},
};
using ToolLaunchBuild = RowsOf<ToolLaunchTest, BuildRow>;

TEST_P(ToolLaunchBuild, LookForItInItsDirectoryOrTheCurrentFolder)
{
    const BuildRow& r = GetParam();
    FakeProgram(dir.file("build/BUILD.EXE"));
    FakeProgram(dir.file("qc/build.exe"));
    EnterFolder(local(r.current));
    const GameLaunch launch = PlanLaunchBuild(local(r.buildDir), prompter);
    const std::string program = local(r.program);
    EXPECT_EQ(launch.start, !program.empty());
    EXPECT_FALSE(launch.folder);
    if (launch.start) {
        EXPECT_TRUE(SameFile(launch.program, program));
        EXPECT_TRUE(SameFile(launch.workingDir, FolderPrefix(program)));
        EXPECT_EQ(launch.parameters, "");
    }
    EXPECT_EQ(Messages(prompter), local(r.messages));
}
TESSEL_ROWS(ToolLaunchBuild, BuildRows);

// The QC directory "~/qc" is written by hand, without its separator.
struct CompileRow {
    const char* name;
    const char* qcDir, *toolName;
    bool modified;
    std::deque<MsgResult> answers;
    bool start;
    Strings messages;
};
const std::string Unsaved = "Confirm (Yes/No): Some files have not been saved yet, continue?";
const CompileRow CompileRows[] = {
    {"nothing unsaved", "~/qc", "fastqcc.exe", /*modified=*/false, {}, /*start=*/true, {}},
    {"unsaved, go on", "~/qc", "fastqcc.exe", /*modified=*/true, {MsgResult::Yes}, /*start=*/true, {Unsaved}},
    {"unsaved, stop", "~/qc", "fastqcc.exe", /*modified=*/true, {MsgResult::No}, /*start=*/false, {Unsaved}},
    {"no such tool", "~/qc", "qcc.exe", /*modified=*/true, {}, /*start=*/false,
     {"Tessel: Could not find the file: 'qcc.exe' in the main QC Directory: '~/qc' Please verify if this is the "
      "right compiling tool."}},
    // Found in the current folder; the empty folder is left for the launch to report.
    {"no QC directory", "", "fastqcc.exe", /*modified=*/false, {}, /*start=*/true, {}},
};
using ToolLaunchCompile = RowsOf<ToolLaunchTest, CompileRow>;

TEST_P(ToolLaunchCompile, AskAboutUnsavedChangesOnlyWhenTheToolExists)
{
    const CompileRow& r = GetParam();
    const std::string tool = FakeProgram(dir.file("qc/fastqcc.exe")), qcDir = local(r.qcDir);
    EnterFolder(dir.file("qc"));
    prompter.answers = r.answers;
    const GameLaunch launch = PlanCompileQuakeC(qcDir, r.toolName, r.modified, prompter);
    EXPECT_EQ(launch.start, r.start);
    EXPECT_EQ(launch.folder.has_value(), r.start);
    if (r.start) {
        EXPECT_TRUE(SameFile(launch.program, tool));
        EXPECT_EQ(launch.folder, qcDir);
        EXPECT_EQ(launch.workingDir, qcDir);
        EXPECT_EQ(launch.parameters, "");
    }
    EXPECT_EQ(Messages(prompter), local(r.messages));
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

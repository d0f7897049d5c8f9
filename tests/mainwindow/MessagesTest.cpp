// The Messages pane: F9 runs the compile tool with its output in the pane,
// never blocking the window; its messages lead to their lines.
#include <QLabel>
#include <QListWidget>
#include <csignal>
#include <cstring>
#include <string>

#include "launch/LaunchTestSupport.h"
#include "mainwindow/MessagesPane.h"
#include "mainwindow/ProgramRuns.h"
#include "support/NonRegular.h"
#include "support/ProcessRun.h"
#include "support/ProgramFixture.h"
#include "windows/editor/Childwin.h"
#include "windows/editor/ScriptEdit.h"

namespace tessel {
namespace {

using namespace test;

class MessagesTest : public ProgramFixture {
protected:
    MessagesTest()
    {
        WriteLanguageFiles();
        MakeFolders(dir.path(), {"qc"});
    }
    // Starts in Quake mode with this compile tool (a bare name: in qc/ or on the PATH).
    void StartWithTool(const std::string& tool)
    {
        Start("[ProgStartup]\r\nGameUp=2\r\n[QuakeDirectorys]\r\nQCDir=" + dir.file("qc/") +
              "\r\nMainQCToolDir=" + tool + "\r\n");
    }
    void WriteTool(const std::string& name, const std::string& body)
    {
        dir.write("qc/" + name, "#!/bin/sh\n" + body);
        ::chmod(dir.file("qc/" + name).c_str(), 0755);
    }
    // F9, then the compile's end (a bound against hanging, not a timing).
    void CompileAndWait()
    {
        Press("F9");
        QTRY_VERIFY_WITH_TIMEOUT(!form->Runs().Compiling(), 30000);
    }
    QListWidget* Pane() { return Control<QListWidget>("lstMessages"); }
    Lines PaneLines()
    {
        Lines out;
        for (int i = 0; i < Pane()->count(); ++i)
            out.push_back(FromQString(Pane()->item(i)->text()));
        return out;
    }
    TfrmConEdit* Editor() { return Active<TfrmConEdit>(); }
};

// The loop with the real compiler: a fault in the project's second file, F9,
// Enter on the error, the fix typed and saved, F9 again.
TEST_F(MessagesTest, TheRealCompilersErrorLeadsToItsLineAndTheFixedProjectCompilesClean)
{
    if (FindProgram("fteqcc").empty())
        GTEST_SKIP() << "fteqcc is not installed";
    dir.write("qc/progs.src", "progs.dat\ndefs.qc\nmain.qc\n");
    dir.write("qc/defs.qc", "void() main;\nfloat x;\n");
    dir.write("qc/main.qc", "void() main =\n{\n\tlocal float y;\n\ty = 1;\n\ty = undefinedthing;\n};\n");
    StartWithTool("fteqcc");
    CompileAndWait();
    const Lines lines = PaneLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "Running: " + FindProgram("fteqcc") + " (in " + dir.file("qc/") + ")");
    EXPECT_EQ(lines.back().rfind("fteqcc failed (exit status 1): 2 errors, 0 warnings (", 0), 0u) << lines.back();
    EXPECT_EQ(FromQString(form->StatusText(0)), lines.back());

    const QList<QListWidgetItem*> error =
        Pane()->findItems("main.qc:5: error: Unknown value \"undefinedthing\".", Qt::MatchExactly);
    ASSERT_EQ(error.size(), 1);
    Pane()->setCurrentItem(error.front());
    Pane()->setFocus();
    QTest::keyClick(Pane(), Qt::Key_Return);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->FileName(), dir.file("qc/main.qc"));
    ScriptEdit* edit = Editor()->MainRichEdit();
    EXPECT_EQ(edit->LineFromOffset(edit->SelStart()), 4);
    EXPECT_EQ(edit->MarkedLines(true), std::vector<int>{4});

    // The short "Colorizing" window of the loaded script took the activation; the window system gives it back.
    QApplication::setActiveWindow(form.get());
    edit->SetSelection(edit->OffsetOfLine(4) + 1, edit->LineLength(4) - 1);   // after the tab
    QTest::keyClicks(edit, "y = 2;");
    Press("Ctrl+S");
    EXPECT_EQ(dir.read("qc/main.qc"), "void() main =\n{\n\tlocal float y;\n\ty = 1;\n\ty = 2;\n};\n");
    CompileAndWait();
    EXPECT_EQ(PaneLines().back().rfind("fteqcc: 0 errors, ", 0), 0u) << PaneLines().back();
    EXPECT_TRUE(edit->MarkedLines(true).empty());
    EXPECT_EQ(prompter.texts(), Lines{});
}

// A compile tool that would take half a minute: it starts with the default
// dispositions of SIGPIPE and SIGXFSZ, which Tessel ignores, and no signal
// blocked; the pane shows its output as it comes, the editor takes keys
// meanwhile, F9 asks before it starts anew, and Stop ends it.
TEST_F(MessagesTest, ACompileNeverBlocksTheWindowAndStopEndsIt)
{
    WriteTool("slowqcc", "while read k v; do case $k in SigBlk:|SigIgn:) echo $k $v;; esac; done < /proc/self/status\n"
                         "exec sleep 30\n");
    StartWithTool("slowqcc");
    Trigger("FileNewItem");
    struct sigaction ignore {}, oldPipe{}, oldSize{};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGPIPE, &ignore, &oldPipe);
    ::sigaction(SIGXFSZ, &ignore, &oldSize);
    Press("F9");
    ::sigaction(SIGPIPE, &oldPipe, nullptr);
    ::sigaction(SIGXFSZ, &oldSize, nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(PaneLines().size() >= 3, 20000);
    EXPECT_EQ(PaneLines()[1], "SigBlk: 0000000000000000");
    const unsigned long long ignored = std::stoull(PaneLines()[2].substr(std::strlen("SigIgn: ")), nullptr, 16);
    EXPECT_EQ(ignored & (1ull << (SIGPIPE - 1) | 1ull << (SIGXFSZ - 1)), 0u) << PaneLines()[2];
    ASSERT_TRUE(form->Runs().Compiling());
    QTest::keyClicks(Editor()->MainRichEdit(), "typed");
    EXPECT_EQ(Editor()->MainRichEdit()->Text(), "typed");

    prompter.answers = {MsgResult::No};
    Press("F9");
    EXPECT_EQ(prompter.texts(), Lines{"The compile tool is still running. Stop it and compile again?"});
    EXPECT_TRUE(form->Runs().Compiling());

    // The pane showed itself; View > Messages hides and shows it.
    EXPECT_TRUE(Action("mnuViewMessages")->isChecked());
    Trigger("mnuViewMessages");
    EXPECT_FALSE(Control<TMessagesPane>("MessagesPane")->isVisible());
    Trigger("mnuViewMessages");
    EXPECT_TRUE(Control<TMessagesPane>("MessagesPane")->isVisible());
    // Closing the program asks first.
    prompter.clear();
    prompter.answers = {MsgResult::No};
    EXPECT_FALSE(form->close());
    EXPECT_EQ(prompter.texts(), Lines{"slowqcc is still running. Stop it and exit?"});

    ASSERT_TRUE(Action("mnuQuakeStopCompile")->isEnabled());
    Trigger("mnuQuakeStopCompile");
    EXPECT_FALSE(form->Runs().Compiling());
    EXPECT_FALSE(Action("mnuQuakeStopCompile")->isEnabled());
    EXPECT_EQ(PaneLines().back().rfind("slowqcc stopped: 0 errors, 0 warnings (", 0), 0u) << PaneLines().back();
}

// What a program prints is text, never structure (its control bytes, lines
// and floods are the output log's): names of a device, a pipe and a folder
// are never opened, a file outside the folder is; a name is never markup.
TEST_F(MessagesTest, OutsideTextStaysTextAndOnlyRegularFilesOpen)
{
    MakeNonRegular(dir, "qc/zero.qc", NonRegular::Zero);
    MakeNonRegular(dir, "qc/pipe.qc", NonRegular::Fifo);
    MakeNonRegular(dir, "qc/folder.qc", NonRegular::Folder);
    dir.write("outside.qc", "a\nb\nc\n");
    WriteTool("noisyqcc", "printf 'bell\\007 \\033[31mred\\033[0m \\351t\\351\\n'\n"
                          "echo 'zero.qc:1: error: a device'\necho 'pipe.qc:2: error: a pipe'\n"
                          "echo 'folder.qc:3: warning: a folder'\necho '../outside.qc:2:2: note: outside'\nexit 3\n");
    StartWithTool("noisyqcc");
    CompileAndWait();
    ASSERT_GE(PaneLines().size(), 2u);
    EXPECT_EQ(PaneLines()[1], "bell\\x07 red \\xE9t\\xE9");
    for (const char* name : {"zero.qc", "pipe.qc", "folder.qc"}) {
        Press("F6");
        const std::string why = name == std::string("folder.qc") ? " is a folder" : " is not a regular file";
        EXPECT_EQ(FromQString(form->StatusText(0)), dir.file("qc/") + name + why);
    }
    EXPECT_EQ(Control<QLabel>("StatusPanel0")->textFormat(), Qt::PlainText);
    EXPECT_EQ(WindowCount(), 0);
    Press("F6");
    ASSERT_NE(Editor(), nullptr);
    EXPECT_TRUE(SameFile(Editor()->FileName(), dir.file("outside.qc")));
    EXPECT_EQ(Editor()->MainRichEdit()->SelStart(), 3);   // line 2, column 2
    QApplication::setActiveWindow(form.get());   // as after Enter on a line
    Press("F6");
    EXPECT_EQ(form->StatusText(0), "No further messages");
    EXPECT_TRUE(DevicesIntact());
}

} // namespace
} // namespace tessel

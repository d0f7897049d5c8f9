// Every command of the main window in every state a user can leave it in (no
// document, an editor, an explorer): nothing may crash or throw past the
// event loop, whatever the answers to the questions.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include "app/ProgramWindows.h"
#include "shell/Commands.h"
#include "shell/Main.h"
#include "shell/Workspace.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace tessel {
namespace {

TEST(EveryCommandTest, EveryCommandInEveryStateKeepsTheProgramRunning)
{
    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes ? "every answer yes" : "every answer no");
        TempDir program;
        for (const char* name : {"CNFcs.qcf", "QCFcs.qcf", "VGFcs.qcf"})
            program.write(name, "{define,3}\r\n");
        program.write("cnfcs.ccf", "/define;<name>\\\r\n");
        ScriptedPrompter prompter;
        prompter.answerEverything = yes;
        prompter.answerFile = program.file("chosen.con");
        {
            Workspace state(program.path());
            TMainForm form(state, prompter);
            // The windows of the whole run, as the program makes them (the splash aside).
            ProgramWindowOptions options;
            options.splash = false;
            BuildProgramWindows(form, options);
            form.show();
            // Blocking dialogs that a command opens are closed as soon as they show.
            QTimer closer;
            QObject::connect(&closer, &QTimer::timeout, [] {
                if (QWidget* modal = QApplication::activeModalWidget())
                    modal->close();
            });
            closer.start(5);
            const std::string script = program.write("a.con", "define X 1\r\n{ } }\r\n");
            const std::string archive =
                program.write("a.grp", std::string("KenSilverman\x01\0\0\0", 16) +
                                           std::string("A.TXT\0\0\0\0\0\0\0\x02\0\0\0", 16) + "hi");
            for (int state = 0; state < 3; ++state) {
                SCOPED_TRACE(state == 0 ? "no document" : state == 1 ? "an editor" : "an explorer");
                if (state > 0)
                    OpenDocument(form, state == 1 ? script : archive);
                for (int id = 0; id < static_cast<int>(Cmd::Count); ++id) {
                    QAction* action = form.Action(static_cast<Cmd>(id));
                    if (id == static_cast<int>(Cmd::FileExit) || !action->isEnabled())
                        continue;
                    action->trigger();
                    QCoreApplication::processEvents();
                }
            }
            EXPECT_FALSE(prompter.shown.empty());
        }
    }
}

}   // namespace
}   // namespace tessel

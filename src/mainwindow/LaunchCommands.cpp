// The Duke, Quake and Verge menus' commands and the launch tool buttons: the
// games through their launchers, Build, the QuakeC compile tool and the map
// editor as plans carried out here (the compile tool with its output in the
// Messages pane), the QuakeC brace test as an editor request, and the two
// buttons that show the launcher dialogs.
#include <QAction>
#include <QWidget>

#include "launch/GameDirectories.h"
#include "launch/GameLaunch.h"
#include "launch/ToolLaunch.h"
#include "mainwindow/Commands.h"
#include "mainwindow/Main.h"
#include "mainwindow/ProgramRuns.h"
#include "platform/Files.h"
#include "ui/DocumentWindow.h"
#include "ui/QtPaths.h"
#include "windows/launch/LauncherDialog.h"

namespace tessel {

namespace {

// tldukeDlg and tlQuakeDlg: the first press shows the dialog without blocking;
// while it is open a press brings it back to the front, restored.
void ShowLauncher(GameLauncher* launcher)
{
    if (!launcher)
        return;
    QWidget& window = launcher->LauncherWindow();
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

void Run(GameLauncher* launcher)
{
    if (launcher)
        launcher->btnRunClick();
}

// F9: the compile tool planned as it always was, then run with its output in
// the Messages pane. One that still runs is stopped first, when the user says so.
void Compile(TMainForm& main, const LaunchSettings& launch)
{
    ProgramRuns& runs = main.Runs();
    if (runs.Compiling()) {
        if (main.Prompts().MessageDlg("The compile tool is still running. Stop it and compile again?",
                                      MsgType::Confirm, MsgButtons::YesNo) != MsgResult::Yes)
            return;
        runs.StopCompile();
    }
    const DocumentWindow* active = main.ActiveDocument();
    const bool modified = active && active->Modified();
    const GameLaunch plan = PlanCompileQuakeC(launch.QCDir, launch.MainQCToolDir, modified, main.Prompts());
    if (!plan.start)
        return;
    if (plan.folder)
        CheckFolder(*plan.folder);
    const LaunchPlan started = PlanLaunch(plan.program, plan.parameters, plan.workingDir, launch.DosProgram);
    if (!runs.Start(started, ExtractFileName(plan.program), ProgramRuns::Kind::Compile))
        main.SetStatusText(0, ToQString(CouldNotStartText(plan.program, started.problem)));
}

} // namespace

void RegisterLaunchCommands(TMainForm& main)
{
    const LaunchSettings& launch = main.Program().launch;
    ToolWindows& tools = main.Tools();
    // tlLaunchDuke and tlLaunchQuake stand for the menu entries.
    main.OnCommand(Cmd::DukeLaunch, [&tools] { Run(tools.duke); });
    main.OnCommand(Cmd::QuakeLaunch, [&tools] { Run(tools.quake); });
    main.OnCommand(Cmd::ToolDukeDialog, [&tools] { ShowLauncher(tools.duke); });
    main.OnCommand(Cmd::ToolQuakeDialog, [&tools] { ShowLauncher(tools.quake); });

    main.OnCommand(Cmd::DukeBuild,
                   [&main, &launch] { CarryOutLaunch(main, launch, PlanLaunchBuild(launch.BuildDir, main.Prompts())); });
    main.OnCommand(Cmd::QuakeMapEditor,
                   [&main, &launch] { CarryOutLaunch(main, launch, PlanMapEditorLaunch(launch.MainQMapEdProg)); });
    main.OnCommand(Cmd::QuakeCompile, [&main, &launch] { Compile(main, launch); });
}

} // namespace tessel

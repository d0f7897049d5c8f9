// The Duke, Quake and Verge menus' commands and the launch tool buttons: the
// games through their launchers, Build, the QuakeC compile tool and the map
// editor as plans carried out here, the QuakeC brace test as an editor request,
// and the two buttons that show the launcher dialogs.
#include <QAction>
#include <QWidget>

#include "launch/GameLaunch.h"
#include "launch/ToolLaunch.h"
#include "mainwindow/Commands.h"
#include "ui/DocumentWindow.h"
#include "windows/launch/LauncherDialog.h"
#include "mainwindow/Main.h"
#include "session/Workspace.h"

namespace tessel {

namespace {

// tldukeDlg and tlQuakeDlg: the first press shows the dialog without blocking;
// while it is open a press brings it back to the front, restored.
void ShowLauncher(GameLauncher* launcher, bool& open)
{
    if (!launcher)
        return;
    QWidget& window = launcher->LauncherWindow();
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
    open = true;
}

void Run(GameLauncher* launcher)
{
    if (launcher)
        launcher->btnRunClick();
}

} // namespace

void RegisterLaunchCommands(TMainForm& main)
{
    Workspace& state = main.State();
    ToolWindows& tools = main.Tools();
    // tlLaunchDuke and tlLaunchQuake stand for the menu entries.
    main.OnCommand(Cmd::DukeLaunch, [&tools] { Run(tools.duke); });
    main.OnCommand(Cmd::QuakeLaunch, [&tools] { Run(tools.quake); });
    main.OnCommand(Cmd::ToolDukeDialog, [&tools, &state] { ShowLauncher(tools.duke, state.DukeLauncherOpen); });
    main.OnCommand(Cmd::ToolQuakeDialog, [&tools, &state] { ShowLauncher(tools.quake, state.QuakeLauncherOpen); });

    main.OnCommand(Cmd::DukeBuild,
                   [&main, &state] { CarryOutLaunch(main, PlanLaunchBuild(state.BuildDir, main.Prompts())); });
    main.OnCommand(Cmd::QuakeMapEditor,
                   [&main, &state] { CarryOutLaunch(main, PlanMapEditorLaunch(state.MainQMapEdProg)); });
    main.OnCommand(Cmd::QuakeCompile, [&main, &state] {
        const DocumentWindow* active = main.ActiveDocument();
        const bool modified = active && active->Modified();
        CarryOutLaunch(main, PlanCompileQuakeC(state.QCDir, state.MainQCToolDir, modified, main.Prompts()));
    });
}

} // namespace tessel

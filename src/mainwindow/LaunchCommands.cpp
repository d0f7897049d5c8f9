// The Duke, Quake and Verge menus' commands and the launch tool buttons: the
// games through their launchers, Build, the QuakeC compile tool and the map
// editor as plans carried out here, the QuakeC brace test as an editor request,
// and the two buttons that show the launcher dialogs.
#include <QAction>
#include <QWidget>

#include "launch/GameDirectories.h"
#include "launch/GameLaunch.h"
#include "launch/ToolLaunch.h"
#include "mainwindow/Commands.h"
#include "mainwindow/Main.h"
#include "ui/DocumentWindow.h"
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
    main.OnCommand(Cmd::QuakeCompile, [&main, &launch] {
        const DocumentWindow* active = main.ActiveDocument();
        const bool modified = active && active->Modified();
        CarryOutLaunch(main, launch, PlanCompileQuakeC(launch.QCDir, launch.MainQCToolDir, modified, main.Prompts()));
    });
}

} // namespace tessel

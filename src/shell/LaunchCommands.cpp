// The Duke, Quake and Verge menus' commands and the launch tool buttons: the
// games through their launchers, Build, the QuakeC compile tool and the map
// editor as plans carried out here, the QuakeC brace test as an editor request,
// and the two buttons that show the launcher dialogs.
#include <QAction>
#include <QWidget>

#include "launch/GameLaunch.h"
#include "launch/ToolLaunch.h"
#include "shell/Commands.h"
#include "shell/Globals.h"
#include "shell/Launchers.h"
#include "shell/Main.h"
#include "shell/QtPaths.h"

namespace tessel {

namespace {

// tldukeDlg and tlQuakeDlg: the first press shows the dialog without blocking;
// while it is open a press brings it back to the front, restored.
void ShowLauncher(GameLauncher* launcher, bool& open)
{
    if (!launcher)
        return;
    QWidget& window = launcher->launcherWindow();
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

void CarryOutLaunch(TMainForm& main, const GameLaunch& plan)
{
    const std::string status = CarryOut(plan).statusText();
    if (!status.empty())
        main.SetStatusText(0, ToQString(status));
}

void RegisterLaunchCommands(TMainForm& main)
{
    // tlLaunchDuke and tlLaunchQuake stand for the menu entries.
    main.onCommand(Cmd::DukeLaunch, [&main] { Run(main.launchers.duke); });
    main.onCommand(Cmd::QuakeLaunch, [&main] { Run(main.launchers.quake); });
    main.onCommand(Cmd::ToolDukeDialog, [&main] { ShowLauncher(main.launchers.duke, DukeLauncherOpen); });
    main.onCommand(Cmd::ToolQuakeDialog, [&main] { ShowLauncher(main.launchers.quake, QuakeLauncherOpen); });

    main.onCommand(Cmd::DukeBuild, [&main] { CarryOutLaunch(main, PlanLaunchBuild(BuildDir, main.prompter())); });
    main.onCommand(Cmd::QuakeMapEditor, [&main] { CarryOutLaunch(main, PlanMapEditorLaunch(MainQMapEdProg)); });
    main.onCommand(Cmd::QuakeCompile, [&main] {
        const bool modified = main.StatusText(1) == "Modified";
        CarryOutLaunch(main, PlanCompileQuakeC(QCDir, MainQCToolDir, modified, main.prompter()));
    });
}

} // namespace tessel

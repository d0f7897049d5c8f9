// The File menu's commands.
#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "shell/Commands.h"
#include "shell/Main.h"

namespace tessel {

void RegisterFileCommands(TMainForm& main)
{
    main.onCommand(Cmd::FileClose, [&main] {
        if (QMdiSubWindow* w = main.MdiArea()->activeSubWindow())
            w->close();
    });
    main.onCommand(Cmd::FileExit, [&main] { main.close(); });
}

} // namespace tessel

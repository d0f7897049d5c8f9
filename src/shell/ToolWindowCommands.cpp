// The commands that show the windows living for the whole run.
#include "shell/Commands.h"
#include "shell/Globals.h"
#include "shell/Main.h"

namespace tessel {

void RegisterToolWindowCommands(TMainForm& main)
{
    // Shown once; asked again while it shows, it comes to the front.
    main.onCommand(Cmd::ViewEditOptions, [] {
        if (!GeneralOptions)
            return;
        if (GeneralOptionsOpen) {
            GeneralOptions->BringToFront();
            return;
        }
        GeneralOptions->ShowWindow();
        GeneralOptionsOpen = true;
    });
}

} // namespace tessel

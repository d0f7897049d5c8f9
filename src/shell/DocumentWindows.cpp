// How the main window makes its document windows: the editor window for
// scripts (explorer windows come with the group file explorer).
#include "editor/Childwin.h"
#include "shell/Commands.h"
#include "shell/Main.h"

namespace tessel {

void RegisterDocumentWindows(TMainForm& main)
{
    main.setEditorFactory([](TMainForm& form) -> QWidget* { return new TfrmConEdit(form); });
}

} // namespace tessel

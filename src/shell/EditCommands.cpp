// The Edit menu's commands: the clipboard and the game modes.
#include <QAction>
#include <QApplication>
#include <QWidget>

#include "shell/Commands.h"
#include "shell/Main.h"

namespace tessel {

void RegisterEditCommands(TMainForm& main)
{
    // The clipboard commands act on whichever control has the keyboard focus.
    const std::pair<Cmd, const char*> clipboard[] = {
        {Cmd::EditCut, "cut"}, {Cmd::EditCopy, "copy"}, {Cmd::EditPaste, "paste"}};
    for (const auto& [id, slot] : clipboard)
        main.onCommand(id, [slot = slot] {
            if (QWidget* w = QApplication::focusWidget())
                QMetaObject::invokeMethod(w, slot);
        });
    const Cmd modes[3] = {Cmd::EditDukeMode, Cmd::EditQuakeMode, Cmd::EditVergeMode};
    for (int mode = 1; mode <= 3; ++mode)
        main.onCommand(modes[mode - 1], [&main, mode] { main.SwitchGameMode(mode); });
}

} // namespace tessel

// The Edit menu's search commands and the Find and Replace tool buttons: the
// dialogs show without blocking from the menu and modally from the buttons;
// the repeat commands post the last request again without a dialog.
#include <QAction>

#include <QDialog>

#include "mainwindow/Commands.h"
#include "mainwindow/Main.h"
#include "mainwindow/Search.h"
#include "session/SearchRequests.h"

namespace tessel {

namespace {

void ShowModeless(QDialog* dialog)
{
    if (!dialog)
        return;
    dialog->setWindowState(dialog->windowState() & ~Qt::WindowMinimized);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void ShowModal(QDialog* dialog)
{
    if (!dialog)
        return;
    // Shown modelessly from the menu a moment ago: it must show anew to block.
    dialog->hide();
    dialog->exec();
}

} // namespace

void RegisterSearchCommands(TMainForm& main)
{
    ToolWindows& tools = main.Tools();
    main.OnCommand(Cmd::EditSearch, [&tools] { ShowModeless(tools.search); });
    main.OnCommand(Cmd::ToolFind, [&tools] { ShowModal(tools.search); });
    main.OnCommand(Cmd::EditReplace, [&tools] { ShowModeless(tools.replace); });
    main.OnCommand(Cmd::ToolReplace, [&tools] { ShowModal(tools.replace); });
    main.OnCommand(Cmd::EditGotoLine, [&tools] { ShowModeless(tools.gotoLine); });

    SearchMemory& memory = main.Search();
    main.OnCommand(Cmd::EditRepeatSearch, [&main, &memory] {
        if (!RepeatSearchRequest(memory)) {
            main.Prompts().ShowMessage("No search string was entered before.");
            return;
        }
        PostSearchRequests(main, memory);
    });
    main.OnCommand(Cmd::EditRepeatReplace, [&main, &memory] {
        if (!RepeatReplaceRequest(memory)) {
            main.Prompts().ShowMessage("Not enough input to replace words.");
            return;
        }
        PostSearchRequests(main, memory);
    });
}

} // namespace tessel

// The Edit menu's search commands and the Find and Replace tool buttons: the
// dialogs show without blocking from the menu and modally from the buttons;
// the repeat commands post the last request again without a dialog.
#include <QAction>

#include "shell/Commands.h"
#include "shell/Globals.h"
#include "shell/Main.h"
#include "shell/Replace.h"
#include "shell/Search.h"
#include "shell/SearchRequests.h"
#include "shell/gotoline.h"

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

void CreateSearchDialogs(TMainForm& main)
{
    main.AddToolWindow(new TfrmGotoLine(main));
    main.AddToolWindow(new TfrmSearch(main));
    main.AddToolWindow(new TfrmReplace(main));
}

void RegisterSearchCommands(TMainForm& main)
{
    main.onCommand(Cmd::EditSearch, [&main] { ShowModeless(main.toolWindow<TfrmSearch>()); });
    main.onCommand(Cmd::ToolFind, [&main] { ShowModal(main.toolWindow<TfrmSearch>()); });
    main.onCommand(Cmd::EditReplace, [&main] { ShowModeless(main.toolWindow<TfrmReplace>()); });
    main.onCommand(Cmd::ToolReplace, [&main] { ShowModal(main.toolWindow<TfrmReplace>()); });
    main.onCommand(Cmd::EditGotoLine, [&main] { ShowModeless(main.toolWindow<TfrmGotoLine>()); });

    main.onCommand(Cmd::EditRepeatSearch, [&main] {
        if (!RepeatSearchRequest(EditorRequests)) {
            main.prompter().ShowMessage("No search string was entered before.");
            return;
        }
        main.PostEditorRequest();
    });
    main.onCommand(Cmd::EditRepeatReplace, [&main] {
        if (!RepeatReplaceRequest(EditorRequests)) {
            main.prompter().ShowMessage("Not enough input to replace words.");
            return;
        }
        main.PostEditorRequest();
    });
}

} // namespace tessel

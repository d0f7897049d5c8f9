// The Messages pane's commands: View > Messages shows and hides it, Next
// Message (F6) and Previous Message (Shift+F6) follow its entries as Enter or
// a double-click on one does, and Quake > Stop Compiling ends the compile.
// Following an entry opens its file as File > Open does (or brings its window
// to the front) and puts the caret on its line and column; only a regular
// file is opened.
#include <QAction>
#include <algorithm>

#include "editor/EditorRequests.h"
#include "mainwindow/Commands.h"
#include "mainwindow/Main.h"
#include "mainwindow/MessagesPane.h"
#include "mainwindow/ProgramRuns.h"
#include "platform/Files.h"
#include "ui/DocumentWindow.h"
#include "ui/Guarded.h"
#include "ui/QtPaths.h"

namespace tessel {

namespace {

void Follow(TMainForm& main, const MessageEntry entry)   // a copy: output arriving meanwhile may move the pane's entries
{
    // A device, a pipe or a folder named by a message is never read.
    const FileStamp stamp = StampOf(entry.path);
    if (!stamp.exists || !stamp.regular) {
        const char* why = !stamp.exists ? ": File not found" : DirectoryExists(entry.path) ? " is a folder"
                                                                                           : " is not a regular file";
        main.SetStatusText(0, ToQString(entry.path + why));
        return;
    }
    main.OpenFiles({entry.path});
    DocumentWindow* doc = main.DocumentOf(entry.path);
    if (!doc || doc != main.ActiveDocument() || !doc->TakesEditorRequests())
        return;
    main.Runs().MarkDocuments();
    EditorRequests requests;
    requests.GotoLineRequest = std::max(0, entry.line - 1);
    requests.GotoColumnRequest = std::max(0, entry.column - 1);
    main.PostRequests(requests);
}

void Step(TMainForm& main, TMessagesPane* pane, int step)
{
    if (const MessageEntry* entry = pane->Step(step))
        Follow(main, *entry);
    else
        main.SetStatusText(0, step > 0 ? "No further messages" : "No earlier messages");
}

} // namespace

void RegisterMessageCommands(TMainForm& main, const MainParts& parts)
{
    TMessagesPane* pane = parts.messages;
    QAction* toggle = main.Action(Cmd::ViewMessages);
    main.OnCommand(Cmd::ViewMessages, [toggle, pane] { pane->setVisible(toggle->isChecked()); });
    QObject::connect(pane, &QDockWidget::visibilityChanged, toggle, [toggle, pane] {
        toggle->setChecked(pane->isVisible());
    });
    main.OnCommand(Cmd::ViewNextMessage, [&main, pane] { Step(main, pane, 1); });
    main.OnCommand(Cmd::ViewPreviousMessage, [&main, pane] { Step(main, pane, -1); });
    main.OnCommand(Cmd::QuakeStopCompile, [&main] { main.Runs().StopCompile(); });
    OnSignal(main.Prompts(), pane, &TMessagesPane::entryChosen, &main, [&main, pane](int entry) {
        if (entry >= 0 && static_cast<std::size_t>(entry) < pane->Entries().size())
            Follow(main, pane->Entries()[static_cast<std::size_t>(entry)]);
    });
}

} // namespace tessel

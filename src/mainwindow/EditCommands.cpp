// The Edit menu's commands (the game modes, the editing requests) and the
// other editing requests: recolour and the brace tests. The clipboard's are
// in ClipboardCommands.cpp.
#include <QAction>

#include "mainwindow/Commands.h"
#include "mainwindow/Main.h"

namespace tessel {

void RegisterEditCommands(TMainForm& main)
{
    // These act on the active editor window as requests it carries out.
    const std::pair<Cmd, bool EditorRequests::*> requests[] = {
        {Cmd::EditUndo, &EditorRequests::UndoRequest},
        {Cmd::EditSelectAll, &EditorRequests::SelectAllRequest},
        {Cmd::EditBlockIndent, &EditorRequests::BlockIndentRequest},
        {Cmd::EditBlockDeIndent, &EditorRequests::BlockDeIndentRequest},
        {Cmd::ViewRecolor, &EditorRequests::RecolorRequest},
        {Cmd::DukeTestCon, &EditorRequests::TestErrorsRequest},
        {Cmd::QuakeTestQC, &EditorRequests::TestErrorsRequest}};
    for (const auto& [id, request] : requests)
        main.OnCommand(id, [&main, request = request] {
            EditorRequests requests;
            requests.*request = true;
            main.PostRequests(requests);
        });
    const Cmd modes[3] = {Cmd::EditDukeMode, Cmd::EditQuakeMode, Cmd::EditVergeMode};
    for (int mode = 1; mode <= 3; ++mode)
        main.OnCommand(modes[mode - 1], [&main, mode] { main.SwitchGameMode(mode); });
}

} // namespace tessel

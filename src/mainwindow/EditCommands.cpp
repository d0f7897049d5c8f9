// The Edit menu's commands (the game modes, the editing requests) and the
// other editing requests: recolour and the brace tests. The clipboard's are
// in ClipboardCommands.cpp.
#include <QAction>

#include "mainwindow/Commands.h"
#include "mainwindow/Main.h"
#include "session/Workspace.h"

namespace tessel {

void RegisterEditCommands(TMainForm& main)
{
    // These act on the active editor window as requests it carries out.
    const std::pair<Cmd, bool EditorRequestsType::*> requests[] = {
        {Cmd::EditUndo, &EditorRequestsType::UndoRequest},
        {Cmd::EditSelectAll, &EditorRequestsType::SelectAllRequest},
        {Cmd::EditBlockIndent, &EditorRequestsType::BlockIndentRequest},
        {Cmd::EditBlockDeIndent, &EditorRequestsType::BlockDeIndentRequest},
        {Cmd::ViewRecolor, &EditorRequestsType::RecolorRequest},
        {Cmd::DukeTestCon, &EditorRequestsType::TestErrorsRequest},
        {Cmd::QuakeTestQC, &EditorRequestsType::TestErrorsRequest}};
    for (const auto& [id, request] : requests)
        main.OnCommand(id, [&main, request = request] {
            main.State().EditorRequests.*request = true;
            main.PostEditorRequest();
        });
    const Cmd modes[3] = {Cmd::EditDukeMode, Cmd::EditQuakeMode, Cmd::EditVergeMode};
    for (int mode = 1; mode <= 3; ++mode)
        main.OnCommand(modes[mode - 1], [&main, mode] { main.SwitchGameMode(mode); });
}

} // namespace tessel

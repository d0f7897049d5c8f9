#pragma once
// The program's state, split by its owners and made once by main() (and by
// each window test): every window is handed the parts it uses, and nothing
// else reaches them.
#include <string>
#include <utility>

#include "calc/CalcState.h"
#include "editor/EditorOptions.h"
#include "editor/Recovery.h"
#include "grp/ExplorerOptions.h"
#include "language/LanguageTables.h"
#include "launch/GameDirectories.h"
#include "mainwindow/MainState.h"
#include "platform/Locations.h"
#include "session/Session.h"

namespace tessel {

struct ProgramState {
    // The recovery copies go to RecoveryDir as the environment names it now.
    explicit ProgramState(FileLocations locations)
        : session(std::move(locations)), recovery(RecoveryDir())
    {
    }
    // Settings and data files all in programDir.
    explicit ProgramState(const std::string& programDir) : ProgramState(PortableLocations(programDir)) {}

    SessionState session;        // file locations, the game mode, the recent files
    EditorOptions editor;        // how editor windows save, colour and indent
    LanguageTables language;     // the mode's keyword table and the wizard's functions
    ExplorerOptions explorer;    // the explorer windows' tree list
    LaunchSettings launch;       // the launchers' folders and programs, and DOSBox
    CalcState calculator;        // the calculator's numbers; they outlive its windows
    RecoveryStore recovery;      // copies of the unsaved documents

    // The parts the main window works on.
    MainState ForMainWindow() { return {session, language, editor, launch, explorer, recovery}; }
};

} // namespace tessel

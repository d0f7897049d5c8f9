#pragma once
// The program's windows made in the order of the entry sequence, and handed to
// the main window (ToolWindows), with what the program does at its ends (a
// file-size limit, the signals and the session's end; the copies an earlier
// run left): main() and the tests build the program with this one function.
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace tessel {

class TMainForm;
struct ProgramState;

struct ProgramWindowOptions {
    // The splash shows while the windows after it are made (the program);
    // tests go without it.
    bool splash = true;
    // How editor windows are made; null: the real editor window. Set before
    // the Duke launcher is made, which may open the first editor windows.
    std::function<QWidget*()> newEditor;
    // The files named on the command line: they open as File > Open opens
    // them, once the windows are made (after the Duke launcher's Game.con);
    // more than OpenWithoutAsking once the event loop runs, so that the main
    // window shows before the question.
    std::vector<std::string> files;
    // Why later starts cannot reach this program ("" when they can): said
    // once in the status bar.
    std::string instanceProblem;
};

// The main window's state is state's; each window made gets the parts of it
// that it uses.
void BuildProgramWindows(TMainForm& main, ProgramState& state, const ProgramWindowOptions& options = {});


} // namespace tessel

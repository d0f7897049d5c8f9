#pragma once
// The editor windows' options: how they save, whether they colour, whether
// Enter indents. The general options window sets the first two; every editor
// window reads them at the moment it acts.
namespace tessel {

// How editor windows save a game or project file.
enum class SavingOption { Both = 1, ProjectFile = 2, GameFile = 3 };

struct EditorOptions {
    bool AutoIndent = true;
    SavingOption Saving = SavingOption::Both;
    bool NoColoring = false;   // while set, nothing is coloured
};

} // namespace tessel

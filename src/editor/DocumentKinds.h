#pragma once
// What an editor window does with a file by its name: how a loaded file is
// coloured, and which files a save writes.
#include <string>
#include <vector>

#include "editor/EditorOptions.h"

namespace tessel {

// How a loaded document gets its colours: a game file is coloured whole, a
// project file (a name ending in "qzt", case as written) shows its stored
// colours, or is painted black while nothing is to be coloured.
enum class LoadColoring { ColorWhole, AsStored, Black };
LoadColoring LoadColoringOf(const std::string& name, bool noColoring);

// A file a save writes: its path, and whether it is the project file (RTF
// with colours) or plain text.
struct SaveTarget {
    std::string path;
    bool projectFile;
    bool operator==(const SaveTarget& o) const { return path == o.path && projectFile == o.projectFile; }
};
// By the extension of the name part (after its first ".", case as written):
// "con", "qc", "vc" and "qzt" give the project file base + ".qzt" and the game
// file base + the mode's extension, as the option says; any other name is
// written as plain text under itself.
std::vector<SaveTarget> SaveTargets(const std::string& name, int gameMode, SavingOption option);

// The game mode whose scripts have the name's extension ("con" 1, "qc" 2,
// "vc" 3, case as written); 0 for any other name.
int ScriptMode(const std::string& name);
// A script of another game than the mode's, whose text the save would send
// to another game file than the script itself (the mode chooses the game
// file's extension): the user is asked first. Saving into the script itself
// instead is SaveTargets with its own mode.
bool SavesElsewhere(const std::string& name, int gameMode, SavingOption option);

} // namespace tessel

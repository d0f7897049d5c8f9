#pragma once
// The File commands' rules about names that are not a window's: the captions
// that carry a document window's file name, which kind of window a name opens
// in, the name a save chooses, and the folder the file dialogs start in.
#include <string>

namespace tessel {

// The prefix the shell gives every editor window it names; loading a file in
// Quake or Verge mode swaps it for that mode's own.
extern const char* const EditorCaptionPrefix;          // "VurAvozid - "
extern const char* const NewExplorerCaption;           // "Tessel Group File Explorer - No File Loaded"
// What a window never saved is called, before its number.
extern const char* const UnnamedName;                  // "Unnamed"

// "VurAvozid - Unnamed" followed by documentCount + 1.
std::string UnnamedCaption(int documentCount);
// "VurAvozid - " followed by the name.
std::string EditorCaption(const std::string& name);
// The file name a caption carries: from two characters after its first "-"
// to the end (empty when the "-" is the last character or one before); a
// caption without "-" loses its first character.
std::string CaptionFileName(const std::string& caption);
// Whether the name a caption carries is that of a window never saved: it
// begins with "Unnamed", in this letter case.
bool IsUnnamed(const std::string& name);

// Whether a name opens in a group file explorer: the extension of its name
// part (after the first full stop of the part after the last separator) is
// "grp" in any letter case; a name part without a full stop has none. The folders before the name play no part, so
// ~/games/duke3d.v1.5/DUKE3D.GRP is a group file and C:\my.maps\city.con is not.
bool OpensInExplorer(const std::string& name);

// The name a save writes: the chosen name, with the game mode's extension
// (".con", ".qc", ".vc"; nothing in no mode) appended as platform/Paths'
// SaveFileName appends one.
std::string SaveFileName(const std::string& chosen, int gameMode);

// The folder the Open and Save dialogs start in: the main con directory in
// Duke mode and the main QC directory in Quake mode, when set; otherwise
// empty, and the dialog keeps the folder it had.
std::string ModeDialogFolder(int gameMode, const std::string& conDir, const std::string& qcDir);

} // namespace tessel

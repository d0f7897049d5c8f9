#pragma once
// The three game modes and what each chooses: the wizard's caption, the file
// dialogs' filters, the extension a save adds and writes, and the caption
// prefix of editor windows.
namespace tessel {

struct GameModeInfo {
    const char* wizardCaption;   // "Con Wizard"
    const char* openFilter;      // "Description|pattern|..." for the Open dialog
    const char* saveFilter;
    const char* gameExtension;   // ".con": added on saving, written by an editor window
    const char* captionPrefix;   // "VurAvozid - ": an editor window's caption before its file name
};

// The mode's entry for 1 Duke Nukem 3D, 2 Quake, 3 Verge; nullptr for any other value (no mode).
const GameModeInfo* GameModeOf(int mode);
// The filters before any mode is selected.
extern const char* const StartupOpenFilter;
extern const char* const StartupSaveFilter;

} // namespace tessel

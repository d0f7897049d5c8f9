#pragma once
// The editor windows' options: how they save, whether they colour, whether
// Enter indents. The general options window sets the first two; every editor
// window reads them at the moment it acts. And the section the general
// options keep in the settings file, which the main window also reads at
// start-up for the CON language.
#include "language/ColorDefinitions.h"
#include "platform/ProfileFile.h"

namespace tessel {

// How editor windows save a game or project file.
enum class SavingOption { Both = 1, ProjectFile = 2, GameFile = 3 };

struct EditorOptions {
    bool AutoIndent = true;
    SavingOption Saving = SavingOption::Both;
    bool NoColoring = false;   // while set, nothing is coloured
};

// [GeneralSetup] as stored: a value outside its range reads as the default.
struct GeneralSetup {
    int QztCon = 1;           // 1 both files, 2 the project file, 3 the game file
    int ColorGameFiles = 1;   // 1 colour game files, 2 colour nothing
    int ConLanguage = 1;      // 1 Duke Nukem 3D 1.5, 2 EDuke32 (ConLanguage's values)

    tessel::ConLanguage Con() const { return static_cast<tessel::ConLanguage>(ConLanguage); }
};
GeneralSetup ReadGeneralSetup(const ProfileFile& ini);
// QztCon, ColorGameFiles, ConLanguage, in this order.
void WriteGeneralSetup(ProfileEdit& edit, const GeneralSetup& setup);

} // namespace tessel

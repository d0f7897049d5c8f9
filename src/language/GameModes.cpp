#include "language/GameModes.h"

namespace tessel {

const char* const StartupOpenFilter =
    "Qzt Files (*.qzt)|*.qzt|Con Files (*.con)|*.con|Function File (*.qcf)|*.qcf|GRP File (*.grp)|*.grp";
const char* const StartupSaveFilter = "Con Files (*.con)|*.con|Function File (*.qcf)|*.qcf";

namespace {
const GameModeInfo Modes[3] = {
    {"Con Wizard",
     "Qzt Files (*.qzt)|*.qzt|Con Files (*.con)|*.con|GRP File (*.grp)|*.grp|Function File (*.qcf)|*.qcf",
     "Con Files (*.con)|*.con", ".con", "VurAvozid - "},
    {"QC Wizard", "Qzt Files (*.qzt)|*.qzt|QuakeC Files (*.qc)|*.qc|Function File (*.qcf)|*.qcf",
     "QuakeC Files (*.qc)|*.qc", ".qc", "VUVurevo - "},
    {"VC Wizard", "Qzt Files (*.qzt)|*.qzt|VC Files (*.vc)|*.vc|Function File (*.qcf)|*.qcf", "VC Files (*.vc)|*.vc",
     ".vc", "VODododa - "},
};
} // namespace

const GameModeInfo* GameModeOf(int mode)
{
    return mode >= 1 && mode <= 3 ? &Modes[mode - 1] : nullptr;
}

} // namespace tessel

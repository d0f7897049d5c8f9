#pragma once
// The folders and programs the launchers keep and the file commands and the
// explorer read: empty when unset, folders ending in a separator; and how DOS
// programs start.
#include <string>

#include "platform/Process.h"

namespace tessel {

struct GameDirectories {
    std::string Duke3DDir, ConDir, BuildDir;                      // section Directorys
    std::string QuakeDir, QCDir, MainQMapEdProg, MainQCToolDir;  // section QuakeDirectorys
};

struct LaunchSettings : GameDirectories {
    std::string DosProgram = DefaultDosProgram;   // DOSBox and its arguments ([Tessel] DosProgram)
};

} // namespace tessel

#pragma once
// The folders and programs the launchers keep and the file commands and the
// explorer read: empty when unset, folders ending in a separator.
#include <string>

namespace tessel {

struct GameDirectories {
    std::string Duke3DDir, ConDir, BuildDir;                      // section Directorys
    std::string QuakeDir, QCDir, MainQMapEdProg, MainQCToolDir;  // section QuakeDirectorys
};

} // namespace tessel

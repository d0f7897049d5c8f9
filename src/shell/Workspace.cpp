#include "shell/Workspace.h"

#include <utility>

#include "platform/Paths.h"

namespace tessel {

Workspace::Workspace(FileLocations locations)
    : Locations(std::move(locations)), SettingsFileName(Locations.SettingsFileName()),
      Recovery(RecoveryDir())
{
}

} // namespace tessel

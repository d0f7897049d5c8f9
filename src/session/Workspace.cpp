#include "session/Workspace.h"

#include <utility>

namespace tessel {

Workspace::Workspace(FileLocations locations)
    : Locations(std::move(locations)), SettingsFileName(Locations.SettingsFileName()),
      Recovery(RecoveryDir())
{
}

} // namespace tessel

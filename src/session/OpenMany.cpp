#include "session/OpenMany.h"

namespace tessel {

std::string OpenManyQuestion(std::size_t count)
{
    return count > OpenWithoutAsking ? "Open " + std::to_string(count) + " files?" : std::string();
}

} // namespace tessel

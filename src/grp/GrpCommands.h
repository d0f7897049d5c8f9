#pragma once
// The explorer's Items commands that end in a rebuild: the checks and questions
// before it, and the status texts around it.
#include <cstdint>
#include <string>

#include "grp/GrpArchive.h"

namespace tessel {

// The reserved-space dialog's notice of the disk space a rebuild needs.
std::string ReservedSpaceNotice(std::int64_t archiveSize);

void CreateReservedSpaceCommand(GrpArchiveView& view, Prompter& prompter);
void EraseAllReservedSpaceCommand(GrpArchiveView& view, Prompter& prompter);
void DefragmentArchiveCommand(GrpArchiveView& view, Prompter& prompter);

} // namespace tessel

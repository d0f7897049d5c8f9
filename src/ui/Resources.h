#pragma once
// The program's own pictures (the splash, the program icon) are compiled into
// the windows library; a static library's resources are registered only when
// asked, so each user asks first.
namespace tessel {

void UseResources();

} // namespace tessel

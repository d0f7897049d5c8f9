#pragma once
// Copying a whole file, as the launchers copy scripts into a game's folder.
// (Starting programs is platform/Process's.)
#include <string>

#include "platform/Process.h"
#include "platform/Prompter.h"

namespace tessel {

// Copies source to destination (a folder gets the source's file name appended),
// 8192 bytes at a time, replacing an existing file. Throws AppError
// "Cannot open file %s" / "Cannot create file %s", or IoError while copying.
// A copy of a file onto itself is refused before anything is truncated.
void CopyWholeFile(const std::string& source, const std::string& destination);

// Opens a web address in the desktop's browser; when no browser can be
// started, says so in an error box that names the address.
void OpenWebLink(const std::string& address, Prompter& prompter);

} // namespace tessel

#pragma once
// File copy and program start as the shell's commands use them.
#include <string>

#include "platform/Process.h"

namespace tessel {

// Copies source to destination (a folder gets the source's file name appended),
// 8192 bytes at a time, replacing an existing file. Throws AppError
// "Cannot open file %s" / "Cannot create file %s", or IoError while copying.
// A copy of a file onto itself is refused before anything is truncated.
void CopyWholeFile(const std::string& source, const std::string& destination);

} // namespace tessel

#pragma once
// The tools' standard output, checked to the end: a script that reads it must
// be able to trust that exit status 0 means every byte arrived. A full disk, a
// full device or a closed output ends the tool with the runtime's text
// ("Disk full") and exit status 1.
#include <string_view>

namespace tessel {

// Throws IoError when the bytes cannot be written.
void WriteStandardOutput(std::string_view bytes);
// Flushes and closes standard output (the last bytes are only sent here);
// throws IoError as above. Nothing may be written afterwards.
void CloseStandardOutput();

} // namespace tessel

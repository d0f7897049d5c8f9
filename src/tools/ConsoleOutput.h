#pragma once
// The tools' standard output, checked to the end: a script that reads it must
// be able to trust that exit status 0 means every byte arrived. A full disk, a
// full device or a closed output ends the tool with the runtime's text
// ("Disk full") and exit status 1.
#include <string>
#include <string_view>
#include <vector>

namespace tessel {

// Throws IoError when the bytes cannot be written.
void WriteStandardOutput(std::string_view bytes);
// Flushes and closes standard output (the last bytes are only sent here);
// throws IoError as above. Nothing may be written afterwards.
void CloseStandardOutput();
// "--help" or "--version" as the only argument: the usage or the name and
// version on standard output, and true.
bool AnswerHelpOrVersion(const std::vector<std::string>& args, std::string_view nameAndVersion,
                         std::string_view usage);

} // namespace tessel

#pragma once
// The colour definition and wizard files share one line format: an entry is
// <open>first<separator>second<close>, each delimiter found by its last
// occurrence on the line; empty lines and lines starting with '#' are skipped.
#include <functional>
#include <string>

namespace tessel {

class Prompter;

struct DefinitionFormat {
    char open, separator, close;
    const char* missingConsequence;   // "the con wizard will not work." ...
};

// Called for each well-formed entry; returns the tail of a message when the
// entry is refused after all, or nullptr.
using AcceptEntry = std::function<const char*(std::string first, std::string second)>;

// Reads dir + name, reporting every faulty line as an information box
// "Error in <name>(<line>...". Returns false, after its message, when the
// file is missing. Exceptions of accept end the reading.
bool ReadDefinitionFile(const std::string& dir, const std::string& name, const DefinitionFormat& format,
                        Prompter& prompter, const AcceptEntry& accept);

} // namespace tessel

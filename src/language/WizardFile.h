#pragma once
// The wizard function file "cnfcs.ccf": the script functions the wizard pane
// lists, each with its parameter text.
#include <string>
#include <vector>

namespace tessel {

class Prompter;

struct WizardTable {
    std::vector<std::string> Names;    // file order
    std::vector<std::string> Params;   // Params[k-1] belongs to entry k
    std::string IndexText = ";";       // ";1/name1;2/name2;" for the typed-word match
    int WizardCount() const { return static_cast<int>(Names.size()); }
};

extern const char* const WizardFileName;   // "cnfcs.ccf"

// Clears the table and reads programDir + "cnfcs.ccf" (programDir ends in a
// separator), reporting faulty lines and a missing file through the prompter.
// Returns false when the file is missing.
bool LoadWizardFile(const std::string& programDir, WizardTable& table, Prompter& prompter);

} // namespace tessel

#pragma once
// The wizard function file "cnfcs.ccf": the script functions the wizard pane
// lists, each with its parameter text.
#include <string>
#include <vector>

#include "language/ColorDefinitions.h"

namespace tessel {

class Prompter;

struct WizardTable {
    std::vector<std::string> Names;    // file order
    std::vector<std::string> Params;   // Params[k-1] belongs to entry k
    std::string IndexText = ";";       // ";1/name1;2/name2;" for the typed-word match
    int WizardCount() const { return static_cast<int>(Names.size()); }
};

extern const char* const WizardFileName;   // "cnfcs.ccf"
// The wizard's file of a CON language: "cnfcs.ccf", EDuke32's "edfcs.ccf".
const char* WizardFileNameFor(ConLanguage con);

// Clears the table and reads programDir + the language's file (programDir
// ends in a separator), reporting faulty lines and a missing file through the
// prompter. Returns false when the file is missing.
bool LoadWizardFile(const std::string& programDir, WizardTable& table, Prompter& prompter,
                    ConLanguage con = ConLanguage::Duke15);

} // namespace tessel

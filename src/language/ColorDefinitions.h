#pragma once
// The colour definition files: the words of a game's script language that the
// editor paints, each with its colour.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Color.h"

namespace tessel {

class Prompter;

struct ConType {
    std::string Keyword;            // exactly as written (case kept, no trimming)
    std::int32_t KeywordLength = 0;
    TColor Color = clBlack;
};

// File order, duplicates included. It grows as far as the file goes; an empty
// keyword may stand in it but never colours anything.
using KeywordTableType = std::vector<ConType>;

// The CON language of Duke mode: the 1.5 game's, or today's port's (EDuke32),
// with hundreds more commands and its events. It chooses Duke mode's colour
// file and the wizard's file (WizardFile.h).
enum class ConLanguage { Duke15 = 1, EDuke32 = 2 };

// "CNFcs.qcf" (with EDuke32's language "EDFcs.qcf"), "QCFcs.qcf", "VGFcs.qcf"
// for modes 1, 2, 3; empty for any other.
std::string ColorDefinitionFileName(int gameMode, ConLanguage con = ConLanguage::Duke15);

// Empties the table, then reads the mode's file from programDir (which ends in
// a separator), reporting every faulty line through the prompter. Returns false
// when the file is missing. A colour that is no whole number ends the load with
// ConvertError; the entries read before it stay in the table.
bool LoadColorDefinitions(int gameMode, const std::string& programDir, KeywordTableType& table, Prompter& prompter,
                          ConLanguage con = ConLanguage::Duke15);
// The same for any colour definition file: dir (ending in a separator) + name.
bool LoadColorDefinitionFile(const std::string& dir, const std::string& name, KeywordTableType& table,
                             Prompter& prompter);

} // namespace tessel

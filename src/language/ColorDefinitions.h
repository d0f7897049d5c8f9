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

// "CNFcs.qcf", "QCFcs.qcf", "VGFcs.qcf" for modes 1, 2, 3; empty for any other.
std::string ColorDefinitionFileName(int gameMode);

// Empties the table, then reads the mode's file from programDir (which ends in
// a separator), reporting every faulty line through the prompter. Returns false
// when the file is missing. A colour that is no whole number ends the load with
// ConvertError; the entries read before it stay in the table.
bool LoadColorDefinitions(int gameMode, const std::string& programDir,
                          KeywordTableType& table, Prompter& prompter);
// The same for any colour definition file: dir (ending in a separator) + name.
bool LoadColorDefinitionFile(const std::string& dir, const std::string& name, KeywordTableType& table,
                             Prompter& prompter);

} // namespace tessel

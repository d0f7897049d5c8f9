#pragma once
// The current game mode's language: the keyword table the colouring and the
// replace read, and the wizard's functions; and which CON language Duke mode
// and the wizard follow.
#include "language/ColorDefinitions.h"
#include "language/WizardFile.h"

namespace tessel {

struct LanguageTables {
    KeywordTableType KeywordTable;
    WizardTable Wizard;
    ConLanguage Con = ConLanguage::Duke15;
};

} // namespace tessel

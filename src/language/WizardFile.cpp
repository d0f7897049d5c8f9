#include "language/WizardFile.h"

#include "language/DefinitionFile.h"

namespace tessel {

const char* const WizardFileName = "cnfcs.ccf";

const char* WizardFileNameFor(ConLanguage con)
{
    return con == ConLanguage::EDuke32 ? "edfcs.ccf" : WizardFileName;
}

bool LoadWizardFile(const std::string& programDir, WizardTable& table, Prompter& prompter, ConLanguage con)
{
    table = WizardTable();
    static const DefinitionFormat format{'/', ';', '\\', "the con wizard will not work."};
    return ReadDefinitionFile(programDir, WizardFileNameFor(con), format, prompter,
                              [&](std::string name, std::string params) -> const char* {
        table.IndexText += std::to_string(table.Names.size() + 1) + "/" + name + ";";
        table.Names.push_back(std::move(name));
        table.Params.push_back(std::move(params));
        return nullptr;
    });
}

} // namespace tessel

#include "editor/EditorOptions.h"

#include "platform/SettingsTable.h"

namespace tessel {

namespace {

const char* const Section = "GeneralSetup";

const SettingRow<GeneralSetup> SetupRows[] = {
    Setting("QztCon", &GeneralSetup::QztCon, DefaultOutside(1, 3)),
    Setting("ColorGameFiles", &GeneralSetup::ColorGameFiles, DefaultOutside(1, 2)),
    Setting("ConLanguage", &GeneralSetup::ConLanguage, DefaultOutside(1, 2)),
};

} // namespace

GeneralSetup ReadGeneralSetup(const ProfileFile& ini)
{
    GeneralSetup setup;
    ReadSettings(ini, Section, SetupRows, setup);
    return setup;
}

void WriteGeneralSetup(ProfileEdit& edit, const GeneralSetup& setup)
{
    WriteSettings(edit, Section, SetupRows, setup);
}

} // namespace tessel

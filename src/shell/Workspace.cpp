#include "shell/Workspace.h"

#include "platform/Paths.h"

namespace tessel {

Workspace::Workspace(const std::string& programDir)
    : ProgramDir(programDir.empty() ? std::string("./") : IncludeTrailingPathDelimiter(programDir)),
      SettingsFileName(ProgramDir + "QztMain.ini")
{
}

} // namespace tessel

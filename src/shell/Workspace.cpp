#include "shell/Workspace.h"

#include "platform/Files.h"
#include "platform/Paths.h"

namespace tessel {

Workspace::Workspace(const std::string& programDir)
    : ProgramDir(IncludeTrailingPathDelimiter(AbsolutePath(programDir))),
      SettingsFileName(ProgramDir + "QztMain.ini"),
      Recovery(RecoveryDir())
{
}

} // namespace tessel

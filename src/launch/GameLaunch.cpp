#include "launch/GameLaunch.h"

#include "platform/Files.h"
#include "platform/Process.h"
#include "platform/ProfileFile.h"
#include "shell/FmxUtils.h"

namespace tessel {

int ReadSkill(const ProfileFile& ini, const char* section)
{
    const int skill = ini.ReadInteger(section, "Skill", 3);
    return skill >= 1 && skill <= 4 ? skill : 3;
}

void WriteSkill(ProfileFile& ini, const char* section, int skill)
{
    if (skill >= 1 && skill <= 4)
        ini.WriteInteger(section, "Skill", skill);
}

const char* const LauncherOpenTitle = "Select File";
const char* const ProgramFilter = "Executables (*.exe)|*.exe|Batch Files (*.bat)|*.bat";

std::string LaunchOutcome::statusText() const
{
    return result == LaunchResult::CouldNotStart ? "Could not start " + program : std::string();
}

LaunchOutcome CarryOut(const GameLaunch& launch)
{
    if (launch.changeDirectory)
        SetCurrentDirectory(launch.directory);
    for (const FileCopy& copy : launch.copies)
        CopyWholeFile(copy.source, copy.destination);
    if (!launch.start)
        return {};
    const bool started = StartProgram(launch.program, launch.parameters, launch.workingDir);
    return {started ? LaunchResult::Started : LaunchResult::CouldNotStart, launch.program};
}

std::string FileIn(const std::string& folder, const std::string& name)
{
    return ResolveFileCase(folder + name);
}

std::string TakenFrom(const std::string& base, const std::string& name)
{
    if (name.empty() || name.front() == PathDelim)
        return name;
    return base + name;
}

} // namespace tessel

#include "launch/GameLaunch.h"

#include "platform/Files.h"
#include "platform/Process.h"

namespace tessel {

const char* const LauncherOpenTitle = "Select File";
const char* const ProgramFilter = "Executables (*.exe)|*.exe|Batch Files (*.bat)|*.bat";

std::string LaunchOutcome::StatusText() const
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

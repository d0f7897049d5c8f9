#include "launch/GameLaunch.h"

#include "platform/Files.h"

namespace tessel {

const char* const LauncherOpenTitle = "Select File";
const char* const ProgramFilter = "Executables (*.exe)|*.exe|Batch Files (*.bat)|*.bat";

std::string LaunchOutcome::StatusText() const
{
    if (result != LaunchResult::CouldNotStart)
        return std::string();
    return "Could not start " + program + (problem.empty() ? std::string() : ": " + problem);
}

LaunchOutcome CarryOut(const GameLaunch& launch, const std::string& dosProgram)
{
    if (launch.folder)
        CheckFolder(*launch.folder);
    for (const FileCopy& copy : launch.copies)
        CopyWholeFile(copy.source, copy.destination);
    if (!launch.start)
        return {};
    const LaunchPlan plan = PlanLaunch(launch.program, launch.parameters, launch.workingDir, dosProgram);
    if (StartPlan(plan))
        return {LaunchResult::Started, launch.program, std::string()};
    return {LaunchResult::CouldNotStart, launch.program, plan.problem};
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

#include "launch/GameLaunch.h"

#include "platform/Files.h"

namespace tessel {

const char* const LauncherOpenTitle = "Select File";
const char* const ProgramFilter = "Executables (*.exe)|*.exe|Batch Files (*.bat)|*.bat";
const char* const EngineFilter = "All Files (*)|*|Executables (*.exe)|*.exe";

std::string LaunchOutcome::StatusText() const
{
    if (result == LaunchResult::Started && dosRunner)
        return "Started " + program + " in " + runner;
    if (result != LaunchResult::CouldNotStart)
        return std::string();
    return "Could not start " + program + (problem.empty() ? std::string() : ": " + problem);
}

std::string LaunchOutcome::EarlyEndText() const
{
    const std::string failure = watch ? watch->Failure() : std::string();
    if (failure.empty())
        return std::string();
    if (runner.empty())
        return program + " ended at once with " + failure;
    return program + " ended at once: " + runner + " ended with " + failure;
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
    LaunchOutcome outcome;
    outcome.program = launch.program;
    auto watch = std::make_shared<ProgramWatch>();
    if (!StartPlan(plan, watch.get())) {
        outcome.result = LaunchResult::CouldNotStart;
        outcome.problem = plan.problem;
        return outcome;
    }
    outcome.result = LaunchResult::Started;
    outcome.watch = std::move(watch);
    outcome.dosRunner = plan.dosRunner;
    if (plan.program != AbsolutePath(launch.program))
        outcome.runner = plan.program;
    return outcome;
}

std::string CouldNotStartText(const std::string& program, const std::string& why)
{
    LaunchOutcome failed;
    failed.result = LaunchResult::CouldNotStart;
    failed.program = program;
    failed.problem = why;
    return failed.StatusText();
}

std::string SettingName(const char* what, const char* section, const char* key)
{
    return std::string(what) + " ([" + section + "] " + key + ")";
}

bool StorableChoice(const std::string& name, const std::string& setting, Prompter& prompter)
{
    if (StorableInProfile(name))
        return true;
    prompter.MessageDlg("The " + setting +
                            " was not changed: the name chosen holds a line break or another control character, "
                            "which the settings file cannot store.",
                        MsgType::Warning, MsgButtons::Ok);
    return false;
}

bool BrowseFile(FileDialog& dialog, const char* filter, const std::string& startDir, Prompter& prompter,
                const std::string& setting, std::string& into)
{
    dialog.filter = filter;
    if (!startDir.empty())
        dialog.initialDir = startDir;
    if (!prompter.ExecuteOpen(dialog) || !StorableChoice(dialog.fileName, setting, prompter))
        return false;
    into = dialog.fileName;
    return true;
}

bool BrowseEngine(std::string& engine, FileDialog& dialog, const std::string& gameDir, const char* section,
                  Prompter& prompter)
{
    return BrowseFile(dialog, EngineFilter, gameDir, prompter, SettingName("engine", section, "Engine"), engine);
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

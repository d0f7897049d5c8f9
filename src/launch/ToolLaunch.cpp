#include "launch/ToolLaunch.h"

#include "platform/Files.h"

namespace tessel {

GameLaunch PlanLaunchBuild(const std::string& buildDir, Prompter& prompter)
{
    GameLaunch launch;
    const std::string build = FileIn(IncludeTrailingPathDelimiter(AbsolutePath(buildDir)), "build.exe");
    if (!FileExists(build)) {
        prompter.MessageDlg("Incorrect build directory: " + buildDir + " , or the build.exe is not named build.exe.",
                            MsgType::Information, MsgButtons::Ok);
        return launch;
    }
    launch.start = true;
    launch.program = build;
    launch.workingDir = FolderPrefix(build);
    return launch;
}

GameLaunch PlanCompileQuakeC(const std::string& qcDir, const std::string& toolName, bool activeEditorModified,
                             Prompter& prompter)
{
    GameLaunch launch;
    std::string tool = FileIn(IncludeTrailingPathDelimiter(AbsolutePath(qcDir)), toolName);
    if (!FileExists(tool) && !toolName.empty()) {
        if (toolName.front() == PathDelim)
            tool = toolName;
        else if (toolName.find(PathDelim) == std::string::npos && !ProgramOnPath(toolName).empty())
            tool = ProgramOnPath(toolName);
    }
    if (!FileExists(tool)) {
        prompter.ShowMessage("Could not find the file: '" + toolName + "' in the main QC Directory: '" + qcDir +
                             "' Please verify if this is the right compiling tool.");
        return launch;
    }
    if (activeEditorModified && prompter.MessageDlg("Some files have not been saved yet, continue?",
                                                    MsgType::Confirm, MsgButtons::YesNo) == MsgResult::No)
        return launch;
    launch.folder = qcDir.empty() ? qcDir : AbsolutePath(qcDir);
    launch.start = true;
    launch.program = tool;
    launch.workingDir = *launch.folder;
    return launch;
}

GameLaunch PlanMapEditorLaunch(const std::string& program)
{
    GameLaunch launch;
    if (program.empty())
        return launch;
    launch.start = true;
    launch.program = AbsolutePath(program);
    launch.workingDir = FolderPrefix(launch.program);
    return launch;
}

} // namespace tessel

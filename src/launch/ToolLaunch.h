#pragma once
// The main window's commands that start a tool rather than a game: Launch
// Build, Compile QuakeC and Launch Map Editing Program, each as a plan for
// CarryOut (GameLaunch.h), its messages through the Prompter.
#include <string>

#include "launch/GameLaunch.h"
#include "platform/Prompter.h"

namespace tessel {

// Launch Build: "build.exe" (in any letter case) in buildDir, started there
// with no parameters; an empty buildDir means the current folder. When there is
// none, the information box "Incorrect build directory: " + buildDir +
// " , or the build.exe is not named build.exe." and nothing starts.
GameLaunch PlanLaunchBuild(const std::string& buildDir, Prompter& prompter);

// Compile QuakeC: the tool qcDir + toolName; when there is none there, the
// tool named by an absolute toolName, or a bare name found on the PATH
// ("fteqcc"). A missing tool gives the message
// "Could not find the file: '" + toolName + "' in the main QC Directory: '" +
// qcDir + "' Please verify if this is the right compiling tool."; while the
// active editor window is modified (status panel 1 reads "Modified") the
// question "Some files have not been saved yet, continue?", No stopping. Then
// the tool starts in qcDir (which CarryOut checks) with no parameters.
GameLaunch PlanCompileQuakeC(const std::string& qcDir, const std::string& toolName, bool activeEditorModified,
                             Prompter& prompter);

// Launch Map Editing Program: program (MainQMapEdProg), started in its own
// folder with no parameters; nothing when no program is set.
GameLaunch PlanMapEditorLaunch(const std::string& program);

} // namespace tessel

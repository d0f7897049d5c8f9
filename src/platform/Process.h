#pragma once
// Starting programs: detached, never waited for, never through a shell.
#include <string>
#include <vector>

#include "platform/Prompter.h"

namespace tessel {

// Splits a parameter text as the Windows C runtime splits a command line.
std::vector<std::string> SplitCommandLine(const std::string& params);

// What StartProgram will run: the program, its arguments and working directory.
struct LaunchPlan {
    std::string program;
    std::vector<std::string> arguments;
    std::string workingDir;
};
// A file with execute permission runs directly; a Windows program (.exe, .bat,
// .com) without it runs through wine when wine is on the PATH; any other file is
// opened by xdg-open. A relative file name counts from the current directory.
LaunchPlan PlanLaunch(const std::string& file, const std::string& params, const std::string& workingDir);
// Starts the plan; false when the program could not be started.
bool StartProgram(const std::string& file, const std::string& params, const std::string& workingDir);

// Opens a web address in the desktop's browser; when no browser can be
// started, says so in an error box that names the address.
void OpenWebLink(const std::string& address, Prompter& prompter);

} // namespace tessel

#pragma once
// The program's command line, and the message by which a later start hands
// its files to the program already running for the same settings file.
#include <string>
#include <vector>

namespace tessel {

struct CommandLine {
    enum class Action { Run, Help, Version, BadUsage };
    Action action = Action::Run;
    bool newInstance = false;          // --new-instance: no hand-over, a program of its own
    std::vector<std::string> files;    // in the order given
    std::string error;                 // BadUsage: what was wrong
};

// "--" ends the options; every other argument that starts with '-' and is not
// "-" itself must be one of ours.
CommandLine ParseCommandLine(const std::vector<std::string>& args);
extern const char* const CommandLineUsage;
// Why a name of the command line is not opened, "" when it is: it names
// nothing ("NAME: no such file"), a folder ("NAME is a folder") or no
// regular file ("NAME is not a regular file": a pipe, a device, a socket).
std::string StartFileProblem(const std::string& name);

// The files, NUL-terminated each (a name holds any byte but NUL), after a
// header that no stray writer to the socket sends by chance, and an empty name
// at the end, so that the reader knows when it has the whole message.
std::string EncodeOpenRequest(const std::vector<std::string>& files);
enum class RequestState { Incomplete, Invalid, Complete };
// What the bytes received so far amount to; files when Complete.
RequestState DecodeOpenRequest(const std::string& bytes, std::vector<std::string>& files);

} // namespace tessel

#pragma once
// Runs a built tool as a user runs it, with the faults the tool tests need.
#include <string>
#include <vector>

#include "support/ProcessRun.h"

namespace tessel::test {

using ToolRun = ProcessResult;
using ToolFault = ProcessFault;

inline ToolFault Limits(long fileSize, long memory = 0)
{
    ToolFault f;
    f.fileSizeLimit = fileSize, f.memoryLimit = memory;
    return f;
}
inline ToolFault SignalWhenWritten(int signal, const std::string& folder, const std::string& prefix)
{
    ToolFault f;
    f.signal = signal, f.watchFolder = folder, f.watchPrefix = prefix;
    return f;
}

inline ToolRun RunTool(const char* tool, const std::vector<std::string>& args, const ToolFault& fault = {})
{
    return RunProcess(std::string(TESSEL_BIN_DIR "/") + tool, args, fault);
}

} // namespace tessel::test

#include "platform/Prompter.h"

#include <cstdio>
#include <cstdlib>

namespace tessel {

const char* const OutOfMemoryText = "Out of memory";
const char* const UnexpectedFailureText = "An unexpected failure stopped the operation.";

namespace {
Prompter* current = nullptr;
}

Prompter& AppPrompter()
{
    if (!current) {
        std::fputs("tessel: no prompter installed\n", stderr);
        std::abort();
    }
    return *current;
}

Prompter* SetAppPrompter(Prompter* prompter)
{
    Prompter* previous = current;
    current = prompter;
    return previous;
}

const char* MsgTypeCaption(MsgType type)
{
    switch (type) {
    case MsgType::Warning: return "Warning";
    case MsgType::Error: return "Error";
    case MsgType::Information: return "Information";
    case MsgType::Confirm: return "Confirm";
    }
    return "";
}

} // namespace tessel

#include "platform/Prompter.h"

namespace tessel {

const char* const OutOfMemoryText = "Out of memory";
const char* const UnexpectedFailureText = "An unexpected failure stopped the operation.";

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

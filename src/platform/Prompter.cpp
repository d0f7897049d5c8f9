#include "platform/Prompter.h"

#include "platform/QtPrompter.h"

namespace tessel {

namespace {
Prompter* current = nullptr;
}

Prompter& AppPrompter()
{
    if (!current) {
        static QtPrompter qtPrompter;
        current = &qtPrompter;
    }
    return *current;
}

void SetAppPrompter(Prompter* prompter)
{
    current = prompter;
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

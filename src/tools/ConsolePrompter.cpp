#include "tools/ConsolePrompter.h"

#include <iostream>

namespace tessel {

void ConsolePrompter::ShowMessage(const std::string& text)
{
    ++messages_;
    std::cerr << text << '\n';
}

MsgResult ConsolePrompter::MessageDlg(const std::string& text, MsgType, MsgButtons buttons)
{
    ShowMessage(text);
    if (buttons == MsgButtons::Ok)
        return MsgResult::Ok;
    if (answer_ == MsgResult::Cancel && buttons == MsgButtons::YesNo)
        return MsgResult::No;
    return answer_;
}

void ConsolePrompter::ShowError(const std::string& text)
{
    ShowMessage(text);
}

} // namespace tessel

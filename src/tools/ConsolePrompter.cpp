#include "tools/ConsolePrompter.h"

#include <cstdio>

namespace tessel {

void ConsolePrompter::ShowMessage(const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
    refused = true;
}

MsgResult ConsolePrompter::MessageDlg(const std::string& text, MsgType, MsgButtons buttons)
{
    if (buttons == MsgButtons::Ok) {
        ShowMessage(text);
        return MsgResult::Ok;
    }
    if (answer == MsgResult::Yes)
        return MsgResult::Yes;
    if (answer == MsgResult::Cancel) {
        ShowMessage(text);
        std::fprintf(stderr, "%s: not answered; give --yes or --no\n", tool_.c_str());
    }
    refused = true;
    return MsgResult::No;
}

} // namespace tessel

#pragma once
// The companion tools talk to the user on the terminal: every message goes to
// stderr, and a question gets the answer given on the command line.
#include <string>

#include "platform/Prompter.h"

namespace tessel {

class ConsolePrompter : public Prompter {
public:
    explicit ConsolePrompter(std::string tool) : tool_(std::move(tool)) {}

    MsgResult answer = MsgResult::Cancel;   // Yes or No from --yes/--no; Cancel: none given
    bool refused = false;                   // a message was shown or a question answered no

    void ShowMessage(const std::string& text) override;
    void ShowError(const std::string& text) override { ShowMessage(text); }
    // Without an answer on the command line the question is shown and answered no.
    MsgResult MessageDlg(const std::string& text, MsgType type, MsgButtons buttons) override;
    bool ExecuteOpen(FileDialog&) override { return false; }
    bool ExecuteSave(FileDialog&) override { return false; }

private:
    std::string tool_;
};

} // namespace tessel

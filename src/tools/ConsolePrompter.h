#pragma once
// The companion tools talk to the user on the terminal: every message goes to
// stderr, and a question gets the answer fixed on the command line.
#include "platform/Prompter.h"

namespace tessel {

class ConsolePrompter : public Prompter {
public:
    // answer: what every Yes/No question gets (Cancel when there is none).
    explicit ConsolePrompter(MsgResult answer = MsgResult::Cancel) : answer_(answer) {}
    void ShowMessage(const std::string& text) override;
    MsgResult MessageDlg(const std::string& text, MsgType type, MsgButtons buttons) override;
    void ShowError(const std::string& text) override;
    bool ExecuteOpen(FileDialog&) override { return false; }
    bool ExecuteSave(FileDialog&) override { return false; }
    int messages() const { return messages_; }

private:
    MsgResult answer_;
    int messages_ = 0;
};

} // namespace tessel

#pragma once
// A Prompter for tests: records every message and dialog in order and answers
// from queues. An unexpected question or dialog fails the running test,
// unless it is told to answer everything alike.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/Prompter.h"

namespace tessel {

class ScriptedPrompter : public Prompter {
public:
    enum class Kind { Plain, Typed, Error, Open, Save, OpenPicture };
    struct Shown {
        Kind kind;
        std::string caption;   // "Tessel", "Warning", ... or the dialog's title
        std::string text;      // the message, or the dialog's filter
        MsgButtons buttons;
    };

    void ShowMessage(const std::string& text) override;
    MsgResult MessageDlg(const std::string& text, MsgType type, MsgButtons buttons) override;
    void ShowError(const std::string& text) override;
    bool ExecuteOpen(FileDialog& dialog) override { return execute(Kind::Open, dialog); }
    bool ExecuteSave(FileDialog& dialog) override { return execute(Kind::Save, dialog); }
    bool ExecuteOpenPicture(FileDialog& dialog) override { return execute(Kind::OpenPicture, dialog); }

    std::vector<std::string> texts() const;
    void clear() { shown.clear(); }

    std::vector<Shown> shown;
    std::deque<MsgResult> answers;                 // for questions beyond a lone OK
    std::deque<std::optional<std::string>> files;  // for dialogs: a path, or nullopt for Cancel
    // Set: what the queues leave open is answered instead of failing the test,
    // true: every question Yes and every dialog with answerFile; false: No (or
    // Cancel where there is no No) and every dialog cancelled.
    std::optional<bool> answerEverything;
    std::string answerFile;

private:
    bool execute(Kind kind, FileDialog& dialog);
};

} // namespace tessel

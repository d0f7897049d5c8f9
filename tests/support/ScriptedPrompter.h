#pragma once
// A Prompter for tests: records every message and dialog in order and answers
// from queues. An unexpected question fails the running test.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/Prompter.h"

namespace tessel {

class ScriptedPrompter : public Prompter {
public:
    enum class Kind { Plain, Typed, Error, Open, Save };
    struct Shown {
        Kind kind;
        std::string caption;   // "Tessel", "Warning", ... or the dialog title
        std::string text;      // message text, or the dialog's filter
        MsgType type = MsgType::Information;
        MsgButtons buttons = MsgButtons::Ok;
        std::string initialDir;   // dialogs: the folder they opened in
    };

    ScriptedPrompter();              // installs itself as the application's prompter
    ~ScriptedPrompter() override;    // and uninstalls itself

    void ShowMessage(const std::string& text) override;
    MsgResult MessageDlg(const std::string& text, MsgType type, MsgButtons buttons) override;
    void ShowError(const std::string& text) override;
    bool ExecuteOpen(FileDialog& dialog) override;
    bool ExecuteSave(FileDialog& dialog) override;

    // Answers for questions with more than an OK button, in order.
    void answer(MsgResult result) { answers.push_back(result); }
    // Answers for file dialogs: a path, or nullopt for Cancel.
    void chooseFile(std::optional<std::string> path) { files.push_back(std::move(path)); }

    // The texts of everything shown, in order.
    std::vector<std::string> texts() const;
    void clear() { shown.clear(); }

    std::vector<Shown> shown;
    std::deque<MsgResult> answers;
    std::deque<std::optional<std::string>> files;

private:
    bool executeDialog(Kind kind, FileDialog& dialog);
    Prompter* previous_;
};

} // namespace tessel

#pragma once
// A Prompter for tests: records every message and dialog in order and answers
// from queues. An unexpected question or dialog fails the running test,
// unless it is told to answer everything alike.
#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/Prompter.h"

namespace tessel {

class ScriptedPrompter : public Prompter {
public:
    enum class Kind { Plain, Typed, Error, Open, Save, OpenPicture };
    struct Shown {
        Kind kind;
        std::string caption;   // "Tessel", "Warning", ... or the dialog's title
        std::string text;      // the message, or the dialog's filter
        MsgButtons buttons = MsgButtons::Ok;   // a box's; Ok for a dialog
    };

    void ShowMessage(const std::string& text) override { shown.push_back({Kind::Plain, "Tessel", text}); }
    void ShowError(const std::string& text) override { shown.push_back({Kind::Error, "Tessel", text}); }
    MsgResult MessageDlg(const std::string& text, MsgType type, MsgButtons buttons) override
    {
        shown.push_back({Kind::Typed, MsgTypeCaption(type), text, buttons});
        if (buttons == MsgButtons::Ok)
            return MsgResult::Ok;
        if (answers.empty() && answerEverything)
            return *answerEverything ? MsgResult::Yes
                                     : buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Cancel;
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text;
            return MsgResult::Cancel;
        }
        const MsgResult r = answers.front();
        answers.pop_front();
        return r;
    }
    bool ExecuteOpen(FileDialog& dialog) override { return execute(Kind::Open, dialog); }
    bool ExecuteSave(FileDialog& dialog) override { return execute(Kind::Save, dialog); }
    bool ExecuteOpenPicture(FileDialog& dialog) override { return execute(Kind::OpenPicture, dialog); }

    std::vector<std::string> texts() const
    {
        std::vector<std::string> out;
        for (const auto& s : shown)
            out.push_back(s.text);
        return out;
    }
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
    bool execute(Kind kind, FileDialog& dialog)
    {
        shown.push_back({kind, dialog.title, dialog.filter});
        if (files.empty() && answerEverything)
            files.push_back(*answerEverything ? std::optional<std::string>(answerFile) : std::nullopt);
        if (files.empty()) {
            ADD_FAILURE() << "unexpected file dialog: " << dialog.title;
            return false;
        }
        const auto choice = files.front();
        files.pop_front();
        if (choice) {
            dialog.fileName = *choice;
            dialog.initialDir = IncludeTrailingPathDelimiter(ExtractFileDir(*choice));
        }
        return choice.has_value();
    }
};

} // namespace tessel

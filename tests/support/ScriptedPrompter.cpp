#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include "platform/Files.h"

namespace tessel {

void ScriptedPrompter::ShowMessage(const std::string& text)
{
    shown.push_back({Kind::Plain, "Tessel", text, MsgButtons::Ok});
}

MsgResult ScriptedPrompter::MessageDlg(const std::string& text, MsgType type, MsgButtons buttons)
{
    shown.push_back({Kind::Typed, MsgTypeCaption(type), text, buttons});
    if (buttons == MsgButtons::Ok)
        return MsgResult::Ok;
    if (answers.empty() && answerEverything)
        return *answerEverything ? MsgResult::Yes : buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Cancel;
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected question: " << text;
        return MsgResult::Cancel;
    }
    const MsgResult r = answers.front();
    answers.pop_front();
    return r;
}

void ScriptedPrompter::ShowError(const std::string& text)
{
    shown.push_back({Kind::Error, "Tessel", text, MsgButtons::Ok});
}

bool ScriptedPrompter::execute(Kind kind, FileDialog& dialog)
{
    shown.push_back({kind, dialog.title, dialog.filter, MsgButtons::Ok});
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

std::vector<std::string> ScriptedPrompter::texts() const
{
    std::vector<std::string> out;
    for (const auto& s : shown)
        out.push_back(s.text);
    return out;
}

} // namespace tessel

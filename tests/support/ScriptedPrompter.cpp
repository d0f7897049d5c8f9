#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include "platform/Files.h"

namespace tessel {

ScriptedPrompter::ScriptedPrompter() : previous_(&AppPrompter())
{
    SetAppPrompter(this);
}

ScriptedPrompter::~ScriptedPrompter()
{
    SetAppPrompter(previous_);
}

void ScriptedPrompter::ShowMessage(const std::string& text)
{
    shown.push_back({Kind::Plain, "Tessel", text, MsgType::Information, MsgButtons::Ok, {}});
}

MsgResult ScriptedPrompter::MessageDlg(const std::string& text, MsgType type, MsgButtons buttons)
{
    shown.push_back({Kind::Typed, MsgTypeCaption(type), text, type, buttons, {}});
    if (buttons == MsgButtons::Ok)
        return MsgResult::Ok;
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
    shown.push_back({Kind::Error, "Tessel", text, MsgType::Error, MsgButtons::Ok, {}});
}

bool ScriptedPrompter::executeDialog(Kind kind, FileDialog& dialog)
{
    shown.push_back({kind, dialog.title, dialog.filter, MsgType::Information, MsgButtons::Ok,
                     dialog.initialDir});
    if (files.empty()) {
        ADD_FAILURE() << "unexpected file dialog: " << dialog.title;
        return false;
    }
    const auto choice = files.front();
    files.pop_front();
    if (!choice)
        return false;
    dialog.fileName = *choice;
    dialog.initialDir = IncludeTrailingPathDelimiter(ExtractFileDir(*choice));
    return true;
}

bool ScriptedPrompter::ExecuteOpen(FileDialog& dialog)
{
    return executeDialog(Kind::Open, dialog);
}

bool ScriptedPrompter::ExecuteSave(FileDialog& dialog)
{
    return executeDialog(Kind::Save, dialog);
}

std::vector<std::string> ScriptedPrompter::texts() const
{
    std::vector<std::string> out;
    for (const auto& s : shown)
        out.push_back(s.text);
    return out;
}

} // namespace tessel

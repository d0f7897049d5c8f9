#pragma once
// The Prompter of the running program: Qt message boxes and file dialogs.
#include <QStringList>

#include "platform/Prompter.h"

namespace tessel {

class QtPrompter : public Prompter {
public:
    void ShowMessage(const std::string& text) override;
    MsgResult MessageDlg(const std::string& text, MsgType type, MsgButtons buttons) override;
    void ShowError(const std::string& text) override;
    bool ExecuteOpen(FileDialog& dialog) override;
    bool ExecuteSave(FileDialog& dialog) override;
    bool ExecuteOpenPicture(FileDialog& dialog) override;
};

// "Con Files (*.con)|*.con|..." as Qt name filters. Patterns also match the
// other letter case: on Windows "*.con" found GAME.CON too.
QStringList QtNameFilters(const std::string& filter);

} // namespace tessel

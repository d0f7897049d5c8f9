#pragma once
// The one door to the user for message boxes and file dialogs. The program uses
// the Qt one; tests install a scripted one that records every message.
#include <string>

namespace tessel {

enum class MsgType { Warning, Error, Information, Confirm };
enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgResult { Ok, Yes, No, Cancel };

// A file dialog that keeps its state between uses, as a dialog component does:
// filter in the form "Description|pattern|Description|pattern".
struct FileDialog {
    std::string title;
    std::string filter;
    std::string initialDir;
    std::string fileName;   // proposed name before, chosen full path after
};

class Prompter {
public:
    virtual ~Prompter() = default;
    // Plain message: OK button, caption "Tessel".
    virtual void ShowMessage(const std::string& text) = 0;
    // Typed box: icon and caption of its kind, the given buttons.
    virtual MsgResult MessageDlg(const std::string& text, MsgType type, MsgButtons buttons) = 0;
    // The application's error box for failures (runtime texts).
    virtual void ShowError(const std::string& text) = 0;
    // On OK: dialog.fileName is the chosen path and initialDir its folder.
    virtual bool ExecuteOpen(FileDialog& dialog) = 0;
    virtual bool ExecuteSave(FileDialog& dialog) = 0;
};

// The process-wide prompter (the Qt one unless a test installed another).
Prompter& AppPrompter();
void SetAppPrompter(Prompter* prompter);

const char* MsgTypeCaption(MsgType type);

} // namespace tessel

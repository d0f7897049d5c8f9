#pragma once
// The one door to the user for message boxes and file dialogs. The program
// makes the Qt one at start and hands it to its windows; tests make a
// scripted one that records every message. Stock message boxes and file dialogs go through a Prompter; a
// window's own dialogs (reserved space, search, go to line, the launchers) go
// through that window's hook interface (as GrpWindowHooks), so that the logic
// behind them is tested without widgets either way.
#include <new>
#include <string>

#include "platform/Errors.h"

namespace tessel {

enum class MsgType { Warning, Error, Information, Confirm };
// RestoreDiscard: the buttons "Restore" (answered Yes) and "Discard" (No).
enum class MsgButtons { Ok, YesNo, YesNoCancel, RestoreDiscard };
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
    // Typed box: icon and caption of its kind, the given buttons. A Yes/No box
    // answers Yes or No (closing it is No); Yes/No/Cancel and Restore/Discard
    // answer Cancel when closed.
    virtual MsgResult MessageDlg(const std::string& text, MsgType type, MsgButtons buttons) = 0;
    // The application's error box for failures (runtime texts).
    virtual void ShowError(const std::string& text) = 0;
    // On OK: dialog.fileName is the chosen path (absolute, the file system's
    // bytes) and initialDir its folder.
    virtual bool ExecuteOpen(FileDialog& dialog) = 0;
    virtual bool ExecuteSave(FileDialog& dialog) = 0;
    // An open dialog for a picture, which it shows beside the list (as a
    // preview) while it is the current file; the plain open dialog where
    // nothing can be shown.
    virtual bool ExecuteOpenPicture(FileDialog& dialog) { return ExecuteOpen(dialog); }
};

const char* MsgTypeCaption(MsgType type);

extern const char* const OutOfMemoryText;        // "Out of memory"
extern const char* const UnexpectedFailureText;  // anything that is no AppError

// The one boundary where exceptions stop: every command that an event (a
// menu, a key, a button, a timer) or a tool's main runs goes through here, so
// nothing ever crosses the event loop. An AppError shows its text in the
// error box, running out of memory "Out of memory", anything else a fixed
// text. Returns false when the command ended by an exception.
template <typename Command>
bool RunGuarded(Prompter& prompter, Command&& command)
{
    try {
        command();
        return true;
    } catch (const AppError& e) {
        prompter.ShowError(e.what());
    } catch (const std::bad_alloc&) {
        prompter.ShowError(OutOfMemoryText);
    } catch (...) {
        prompter.ShowError(UnexpectedFailureText);
    }
    return false;
}

} // namespace tessel

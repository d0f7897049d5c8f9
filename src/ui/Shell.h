#pragma once
// What the windows need of the main window: the prompter, the status bar,
// the command states, the document windows and the wizard pane. Windows
// depend on this, never on the main window itself; the program's state they
// use is handed to each of them when it is made.
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "platform/Process.h"
#include "platform/Prompter.h"
#include "ui/CommandTable.h"

class QWidget;

namespace tessel {

class DirectoryChooser;
class DocumentStore;
class DocumentWindow;
struct EditorRequests;

class Shell {
public:
    virtual ~Shell() = default;

    virtual Prompter& Prompts() = 0;
    // The program's main window, as the owner of dialogs.
    virtual QWidget* Window() = 0;

    // Panel 0 messages, panel 1 "Modified", panel 2 the caret position.
    virtual void SetStatusText(int panel, const QString& text) = 0;
    virtual void SetCommandEnabled(Cmd id, bool enabled) = 0;
    // The editor command group: an editor's activation enables it, its
    // closing disables it; a launcher's activation disables all of it but
    // go-to-line and the block indents.
    virtual void SetEditorCommandsEnabled(bool enabled) = 0;
    virtual void DisableEditorCommandsForLauncher() = 0;

    // The current document window, also while a dialog has the focus; null when there is none.
    virtual DocumentWindow* ActiveDocument() const = 0;
    // A new document window with the caption, now the active one; null when
    // no window of that kind can be made. An explorer opens archive (when not
    // empty) at its first activation.
    virtual DocumentWindow* NewEditorWindow(const QString& caption) = 0;
    virtual DocumentWindow* NewExplorerWindow(const QString& caption, const std::string& archive = std::string()) = 0;
    // Opens the store's document in an editor window, as a file is opened
    // (a load request naming it); a window that holds it already only comes
    // to the front. Its Save writes to the store. Null when no editor window
    // could take it.
    virtual DocumentWindow* OpenStoredDocument(std::shared_ptr<DocumentStore> store) = 0;
    // Hands the requests to the active document window, whose activation
    // handler carries out what it takes (an explorer takes none); what is
    // left of them is the caller's. Without a document nothing happens.
    virtual void PostRequests(EditorRequests& requests) = 0;
    // Opens each file as File > Open does (an explorer for a group file, an
    // editor for any other), but one open already only comes to the front;
    // each is noted in the recent files. An error is shown and the next opens.
    virtual void OpenFiles(const std::vector<std::string>& names) = 0;

    // The wizard pane's list: entry k counted from 1 (0: none selected).
    virtual void SelectWizardEntry(int k) = 0;
    virtual int SelectedWizardEntry() const = 0;
    // Whether the list's selection was made from the word before an editor's
    // caret (TypedWordMatch): Ctrl+Alt+C then replaces that word.
    virtual bool& WizardTypedWordMatch() = 0;

    // The document window that shows the file name names, under that name or
    // any other (a link, another path to it); null when none does.
    virtual DocumentWindow* DocumentOf(const std::string& name) const = 0;
    // Asks where to save the active document, as Save As does: the save
    // dialog in the mode's folder proposing proposed (when not empty), the
    // mode's extension added to a name without one, and for every existing
    // file the save would write a refusal (not a regular file) or the
    // question whether to replace it. "" when the user cancelled or refused.
    virtual std::string AskSaveName(const std::string& proposed = std::string()) = 0;
    // The directory chooser of the launchers' Browse buttons; null until it is made.
    virtual DirectoryChooser* Chooser() const = 0;
    // Starts plan with its output in the Messages pane (name, the program's
    // file name, heads the pane's last line for it); false, the pane saying
    // why, when it could not start. It never waits for the program.
    virtual bool RunInMessages(const LaunchPlan& plan, const std::string& name) = 0;
};

} // namespace tessel

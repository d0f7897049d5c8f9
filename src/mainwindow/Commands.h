#pragma once
// The main window's command files: each connects the handlers of one group of
// commands to the main window's actions and parts. The main window calls them
// once, at creation.
#include <string>
#include <vector>

class QWidget;

namespace tessel {

class TMainForm;
struct MainParts;

void RegisterFileCommands(TMainForm& main, const MainParts& parts);        // FileCommands.cpp
void RegisterEditCommands(TMainForm& main);                                // EditCommands.cpp
void RegisterViewCommands(TMainForm& main, const MainParts& parts);        // ViewCommands.cpp: bars and document windows
void RegisterSearchCommands(TMainForm& main);                              // SearchCommands.cpp: search, replace, go to line
void RegisterWizardCommands(TMainForm& main, const MainParts& parts);      // WizardCommands.cpp: the wizard pane's list and buttons
void RegisterClipboardCommands(TMainForm& main);                           // ClipboardCommands.cpp: when cut, copy and paste are enabled
void RegisterToolWindowCommands(TMainForm& main);                          // ToolWindowCommands.cpp: calculator, viewers, help windows
void RegisterLaunchCommands(TMainForm& main);                              // LaunchCommands.cpp: games, tools and the launcher dialogs
void RegisterMessageCommands(TMainForm& main, const MainParts& parts);     // MessageCommands.cpp: the Messages pane

// ToolWindowCommands.cpp: gives the window the focus, restoring it from minimised.
void BringToFront(QWidget& window);

// FileCommands.cpp: opens name in the document window that shows it (asking
// whether to save it first) or in a new editor or explorer window, and puts
// it at the front of the recent files.
void OpenDocument(TMainForm& main, std::string name);
// Each name as OpenDocument opens it, but one open already only comes to the
// front; an error is shown and the next one opens. More names than
// OpenWithoutAsking open only after a Yes, with a progress dialog
// ("dlgOpenProgress") whose Cancel stops after the current file.
void OpenDocuments(TMainForm& main, const std::vector<std::string>& names);
// The names given on the command line or handed over by a later start: as
// OpenDocuments opens them, but a name of no regular file (a folder, a pipe,
// a device, a socket, or nothing) is named in the status bar instead, as the
// command line names it.
void OpenNamedFiles(TMainForm& main, const std::vector<std::string>& names);
// FileCommands.cpp: Shell::AskSaveName, the save dialog's part of Save As.
std::string AskDocumentName(TMainForm& main, const std::string& proposed);

} // namespace tessel

#pragma once
// The main window's command files: each connects the handlers of one group of
// commands to the main window's actions. The main window calls them once, at
// creation.
namespace tessel {

class TMainForm;

void RegisterFileCommands(TMainForm& main);   // FileCommands.cpp
void RegisterEditCommands(TMainForm& main);   // EditCommands.cpp
void RegisterViewCommands(TMainForm& main);   // ViewCommands.cpp: bars and document windows
void RegisterToolWindowCommands(TMainForm& main);   // ToolWindowCommands.cpp: the windows of the whole run
void RegisterDocumentWindows(TMainForm& main);      // DocumentWindows.cpp: the editor window's factory

} // namespace tessel

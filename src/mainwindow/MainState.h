#pragma once
// The parts of the program's state the main window works on: app/ owns them
// and lends them to it.
namespace tessel {

class RecoveryStore;
struct EditorOptions;
struct ExplorerOptions;
struct LanguageTables;
struct LaunchSettings;
struct SessionState;

// What the main window and its commands use of the program's state.
struct MainState {
    SessionState& session;       // the game mode, the recent files, the settings file
    LanguageTables& language;    // loaded by the mode switch and at creation
    EditorOptions& editor;       // the save option asked of the save dialog; colouring without a colour file
    LaunchSettings& launch;      // the folders of the file dialogs, the tools started, DOSBox
    ExplorerOptions& explorer;   // read from the settings at creation
    RecoveryStore& recovery;     // the copies an earlier run left, and this run's
};

} // namespace tessel

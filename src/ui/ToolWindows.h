#pragma once
// The windows the main window's commands show but do not make: those that
// live for the whole run, and how those made on demand (the document windows,
// the calculator, the FAQ viewer) are made. The program's builder
// (app/ProgramWindows) fills it once, in the order of the entry sequence.
#include <functional>
#include <string>
#include <vector>

class QDialog;
class QWidget;

namespace tessel {

class DirectoryChooser;
class ProfileEdit;

// What the main window asks of a launcher (TfrmDukeStart, TfrmQuakeStart).
class GameLauncher {
public:
    virtual ~GameLauncher() = default;
    // The launch with whatever the dialog's controls hold, shown or not.
    virtual void btnRunClick() = 0;
    // The dialog itself, for tldukeDlg and tlQuakeDlg.
    virtual QWidget& LauncherWindow() = 0;
    // Empties the field of the main script directory (txtConFileDir,
    // txtQCFileDir) after Open found that directory gone.
    virtual void ClearScriptDirectoryField() = 0;
};

// The general options window: shown centred, or, asked while it shows,
// brought to the front.
class GeneralOptionsWindow {
public:
    virtual ~GeneralOptionsWindow() = default;
    virtual void ShowWindow() = 0;
};

struct ToolWindows {
    GameLauncher* duke = nullptr;
    GameLauncher* quake = nullptr;
    DirectoryChooser* chooser = nullptr;
    GeneralOptionsWindow* generalOptions = nullptr;
    QDialog* search = nullptr;
    QDialog* replace = nullptr;
    QDialog* gotoLine = nullptr;
    QWidget* picture = nullptr;
    QWidget* keyStrokes = nullptr;
    QWidget* about = nullptr;
    // Made on demand; each returns the new window (null: none can be made).
    std::function<QWidget*()> newEditor;
    std::function<QWidget*(const std::string& archive)> newExplorer;
    std::function<QWidget*()> newCalculator;
    std::function<QWidget*()> newFaq;
    // What the windows write when the program ends, in this order, before the
    // main window's own keys: all of it in one replacement of the settings file.
    std::vector<std::function<void(ProfileEdit&)>> exitSettings;
};

} // namespace tessel

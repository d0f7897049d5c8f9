#pragma once
// How the main window's launch commands reach the launcher windows and the
// directory chooser. Those are made after the main window (and its commands),
// so each enters itself in the main window's LauncherWindows when it is
// created and leaves when it is destroyed; a command whose window is missing
// does nothing.
class QWidget;

namespace tessel {

class DirectoryChooser;
class TMainForm;
struct GameLaunch;

// What the main window asks of a launcher (TfrmDukeStart, TfrmQuakeStart).
class GameLauncher {
public:
    virtual ~GameLauncher() = default;
    // The launch with whatever the dialog's controls hold, shown or not.
    virtual void btnRunClick() = 0;
    // The dialog itself, for tldukeDlg and tlQuakeDlg.
    virtual QWidget& launcherWindow() = 0;
    // Empties the field of the main script directory (txtConFileDir,
    // txtQCFileDir) after Open found that directory gone.
    virtual void clearScriptDirectoryField() = 0;
};

struct LauncherWindows {
    GameLauncher* duke = nullptr;
    GameLauncher* quake = nullptr;
    DirectoryChooser* chooser = nullptr;
};

// Carries a launch plan out (GameLaunch.h) and, when its program could not be
// started at all, says so in panel 0 of the main status bar. Throws AppError
// as CarryOut does.
void CarryOutLaunch(TMainForm& main, const GameLaunch& plan);

} // namespace tessel

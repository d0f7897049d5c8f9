#pragma once
// The Duke Nukem 3D launcher, "Duke Launcher / Options": the controls of its
// options and of the three Duke directories, their change rules, and the
// launch. Made once at start-up after the main window, whose Duke items it
// enables by its directories, and whose first editor window it opens (Game.con
// when asked for). The options are read at creation and written at
// destruction; the logic is DukeLaunch's.
#include "launch/DukeLaunch.h"
#include "windows/launch/LauncherDialog.h"

class QSpinBox;

namespace tessel {

class TfrmDukeStart : public LauncherDialog {
    Q_OBJECT
public:
    TfrmDukeStart(Shell& shell, LaunchSettings& launch, ProfileFile settings);

private:
    // The launcher page: the launch, the map with its change rules, and the
    // test options.
    void CreateLauncherPage() override;
    void chkLaunchRegClick() override;
    void btnRunClick() override;
    void SpinEpisodeChange();
    void SpinMapChange();
    void btnUserBrowseClick() override;
    QSpinBox* SpinEpisode = nullptr;
    QSpinBox* SpinMap = nullptr;
    QCheckBox* chkFakeMulti = nullptr;
    QSpinBox* spnNumFakePlayers = nullptr;
    QCheckBox* chkNoMon = nullptr;
    QCheckBox* chkAutoCopy = nullptr;

    // The options page: the three Duke directories, the alternate program,
    // Game.con at the start, and the engine (a folder with the game's data
    // alone is a Duke folder while one is chosen).
    void CreateOptionsPage() override;
    void btnDukeDirClick();
    void btnConDirClick();
    void btnBuildBrowseClick();
    void btnTCBrowseClick() override;
    void btnTCClearClick() override;
    QLineEdit* txtDuke3dDir = nullptr;
    QLineEdit* txtConFileDir = nullptr;
    QLineEdit* txtBuildDir = nullptr;
    QCheckBox* chkLoadGameCon = nullptr;

    // The options the controls hold, read at creation and written when the
    // program ends, and the controls set from options.
    void FormCreate() override;
    void WriteExitSettings(ProfileEdit& edit) const override;
    DukeOptions Options() const;
    void ShowOptions(const DukeOptions& options);
    void ShowMap(const DukeOptions& options);
};

} // namespace tessel

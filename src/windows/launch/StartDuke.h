#pragma once
// The Duke Nukem 3D launcher, "Duke Launcher / Options": the controls of its
// options and of the three Duke directories, their change rules, and the
// launch. Made once at start-up after the main window, whose Duke items it
// enables by its directories, and whose first editor window it opens (Game.con
// when asked for). The options are read at creation and written at
// destruction; the logic is DukeLaunch's.
#include <utility>

#include "launch/DukeLaunch.h"
#include "windows/launch/LauncherDialog.h"

class QSpinBox;

namespace tessel {

class TfrmDukeStart : public LauncherDialog {
    Q_OBJECT
public:
    TfrmDukeStart(Shell& shell, LaunchSettings& launch, ProfileFile settings);

    void btnRunClick() override;
    // Its options, written when the program ends.
    void WriteExitSettings(ProfileEdit& edit) const override;
    void ClearScriptDirectoryField() override;

private:
    // Each returns its page's two groups.
    std::pair<QGroupBox*, QGroupBox*> CreateLauncherPage();
    std::pair<QGroupBox*, QGroupBox*> CreateOptionsPage();
    void FormCreate();

    // The options the controls hold, and the controls set from options.
    DukeOptions Options() const;
    void ShowOptions(const DukeOptions& options);
    void ShowMap(const DukeOptions& options);

    void chkLaunchRegClick();
    void SpinEpisodeChange();
    void SpinMapChange();
    void btnUserBrowseClick();
    void btnTCBrowseClick();
    void btnTCClearClick();
    void btnDukeDirClick();
    void btnConDirClick();
    void btnBuildBrowseClick();

    QCheckBox* chkLaunchReg = nullptr;
    QPushButton* btnRun = nullptr;
    QRadioButton* rdiCake = nullptr;
    QRadioButton* rdiRock = nullptr;
    QRadioButton* rdiGetSome = nullptr;
    QRadioButton* rdiDGood = nullptr;
    QSpinBox* SpinEpisode = nullptr;
    QSpinBox* SpinMap = nullptr;
    QLineEdit* txtUserMap = nullptr;
    QPushButton* btnUserBrowse = nullptr;
    QPushButton* btnUserClear = nullptr;
    QCheckBox* chkFakeMulti = nullptr;
    QSpinBox* spnNumFakePlayers = nullptr;
    QCheckBox* chkNoMon = nullptr;
    QCheckBox* chkRecord = nullptr;
    QCheckBox* chkAutoCopy = nullptr;
    QCheckBox* chkUseTC = nullptr;
    QLineEdit* txtDuke3dDir = nullptr;
    QLineEdit* txtConFileDir = nullptr;
    QCheckBox* chkCopy = nullptr;
    QLabel* Label10 = nullptr;
    QLineEdit* txtBuildDir = nullptr;
    QLineEdit* txtTCApp = nullptr;
    QCheckBox* chkLoadGameCon = nullptr;
    std::string engine_;   // the engine picked ("": Duke3D.exe)
};

} // namespace tessel

#pragma once
// The Quake launcher, "Quake Launcher / Options": the controls of its options
// and of the Quake directories and programs, their change rules, and the
// launch of Quake or an alternate executable. Made once at start-up, before
// the Duke launcher; it enables the main window's Quake items by its
// settings. The options are read at creation and written at destruction; the
// logic is QuakeLaunch's.
#include <utility>

#include "launch/QuakeLaunch.h"
#include "windows/launch/LauncherDialog.h"

class QComboBox;

namespace tessel {

class TfrmQuakeStart : public LauncherDialog {
    Q_OBJECT
public:
    TfrmQuakeStart(Shell& shell, LaunchSettings& launch, ProfileFile settings);

    void btnRunClick() override;
    // Its options, written when the program ends.
    void WriteExitSettings(ProfileEdit& edit) const override;
    void ClearScriptDirectoryField() override;

private:
    // Each returns its page's two groups.
    std::pair<QGroupBox*, QGroupBox*> CreateLauncherPage();
    std::pair<QGroupBox*, QGroupBox*> CreateOptionsPage();
    void FormCreate();

    // The options the controls hold (with whether chkUseTC and chkCopy are
    // enabled), and the controls set from options.
    QuakeOptions Options() const;
    void ShowOptions(const QuakeOptions& options);
    void ShowCopy(const QuakeOptions& options);

    void chkLaunchRegClick();
    void btnQuakeDirClick();
    void btnQCDirClick();
    void btnTCBrowseClick();
    void btnTCClearClick();
    void btnProgsBrowseClick();
    void btnSpefTCClick();
    void btnMapEdBrowseClick();
    void btnCompileTlsClick();
    void btnUserBrowseClick();

    QCheckBox* chkLaunchReg = nullptr;
    QPushButton* btnRun = nullptr;
    QRadioButton* rdiEasy = nullptr;
    QRadioButton* rdiMedium = nullptr;
    QRadioButton* rdiHard = nullptr;
    QRadioButton* rdiNightMare = nullptr;
    QComboBox* cmbLevel = nullptr;
    QLineEdit* txtUserMap = nullptr;
    QPushButton* btnUserBrowse = nullptr;
    QPushButton* btnUserClear = nullptr;
    QCheckBox* chkRecord = nullptr;
    QCheckBox* chkUseTC = nullptr;
    QCheckBox* chkUseAltExe = nullptr;
    QComboBox* cmbAltExe = nullptr;
    QLineEdit* txtQuakeDir = nullptr;
    QLineEdit* txtQCFileDir = nullptr;
    QCheckBox* chkCopy = nullptr;
    QLabel* Label10 = nullptr;
    QLineEdit* txtMapEdProg = nullptr;
    QLineEdit* txtQCComp = nullptr;
    QLineEdit* txtTCApp = nullptr;
    QLineEdit* txtProgsDir = nullptr;
    QLineEdit* txtSpefTC = nullptr;
    std::string engine_;   // the engine picked ("": Quake.exe or the alternate)
};

} // namespace tessel

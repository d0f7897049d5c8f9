#pragma once
// The Quake launcher, "Quake Launcher / Options": the controls of its options
// and of the Quake directories and programs, their change rules, and the
// launch of Quake or an alternate executable. Made once at start-up, before
// the Duke launcher; it enables the main window's Quake items by its
// settings. The options are read at creation and written at destruction; the
// logic is QuakeLaunch's.
#include "launch/QuakeLaunch.h"
#include "windows/launch/LauncherDialog.h"

class QComboBox;

namespace tessel {

class TfrmQuakeStart : public LauncherDialog {
    Q_OBJECT
public:
    TfrmQuakeStart(Shell& shell, LaunchSettings& launch, ProfileFile settings);

private:
    // The options page's two kinds of Browse button. A program of a Quake
    // menu item: browse chooses and keeps it; field shows program then, and
    // the item is enabled. Either folder of the progs.dat copy: browse
    // chooses it into folder of the options; field shows it, and chkCopy
    // follows.
    void ChooseProgram(QLineEdit* field, const std::string& program, Cmd item,
                       bool (*browse)(GameDirectories&, ProfileFile&, FileDialog&, Prompter&));
    void ChooseCopyFolder(QLineEdit* field, std::string QuakeOptions::*folder,
                          bool (*browse)(QuakeOptions&, DirectoryChooser&, Prompter&));

    // The launcher page: the launch, the level, and the alternate executable.
    void CreateLauncherPage() override;
    void chkLaunchRegClick() override;
    void btnRunClick() override;
    void btnUserBrowseClick() override;
    QComboBox* cmbLevel = nullptr;
    QCheckBox* chkUseAltExe = nullptr;
    QComboBox* cmbAltExe = nullptr;

    // The options page: the Quake folders, the programs of the Quake menu,
    // the TC folder, the folders of the progs.dat copy, and the engine (with
    // the engines found on the PATH among its items).
    void CreateOptionsPage() override;
    QLineEdit* txtQuakeDir = nullptr;
    QLineEdit* txtQCFileDir = nullptr;
    void btnQuakeDirClick();
    void btnQCDirClick();
    QLineEdit* txtMapEdProg = nullptr;
    QLineEdit* txtQCComp = nullptr;
    void btnMapEdBrowseClick();
    void btnCompileTlsClick();
    QLineEdit* txtProgsDir = nullptr;
    QLineEdit* txtSpefTC = nullptr;
    void btnTCBrowseClick() override;
    void btnTCClearClick() override;
    void btnProgsBrowseClick();
    void btnSpefTCClick();

    // The options the controls hold (with whether chkUseTC and chkCopy are
    // enabled) and the controls set from options; creation reads them, the
    // end of the program writes them.
    QuakeOptions Options() const;
    void ShowOptions(const QuakeOptions& options);
    void ShowCopy(const QuakeOptions& options);
    void FormCreate() override;
    void WriteExitSettings(ProfileEdit& edit) const override;
};

} // namespace tessel

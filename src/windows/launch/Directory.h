#pragma once
// The directory chooser, "Select Directory": a small modal dialog with the
// file system's root and mounted volumes in DriveComboBox1 and the folders of
// the chosen one as a tree in DirList1. Made once at start-up, after the Duke
// launcher; it starts in the process's current folder of that moment and
// keeps the folder it showed last between uses. The launchers reach it as
// their DirectoryChooser.
#include <QDialog>
#include <optional>
#include <string>

#include "launch/DirectoryChoice.h"
#include "platform/Prompter.h"

class QComboBox;
class QFileSystemModel;
class QLabel;
class QPushButton;
class QTreeView;

namespace tessel {


class TfrmDirectory : public QDialog, public DirectoryChooser {
    Q_OBJECT
public:
    explicit TfrmDirectory(Prompter& prompter, QWidget* parent = nullptr);

    std::optional<std::string> ChooseDirectory(const std::optional<std::string>& start) override;

    // The folder DirList1 shows as its current one.
    const std::string& Directory() const { return directory_; }
    // Sets DirList1 to dir (on the volume that holds it), opened to show its subfolders.
    void SetDirectory(const std::string& dir);

private:
    void DriveComboBox1Change();
    void btnOkClick();
    void btnCancelClick();
    // The volume of DriveComboBox1 that holds path: the longest root it starts with.
    int VolumeOf(const std::string& path) const;

    Prompter& prompter_;
    QLabel* Label1 = nullptr;
    QComboBox* DriveComboBox1 = nullptr;
    QTreeView* DirList1 = nullptr;
    QFileSystemModel* folders_ = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;
    std::string directory_;
    bool chosen_ = false;
};

} // namespace tessel

#pragma once
// The explorer options dialog: switches the tree list of the explorer windows
// off. Created once at start-up; whenever it closes it stores its choice in
// the explorer options and in the settings file.
#include <QDialog>

#include "grp/ExplorerOptions.h"
#include "platform/ProfileFile.h"
#include "platform/Prompter.h"

class QCheckBox;

namespace tessel {

class TfrmGRPOptions : public QDialog {
    Q_OBJECT
public:
    TfrmGRPOptions(ExplorerOptions& options, ProfileFile settings, Prompter& prompter, QWidget* parent = nullptr);
    void done(int result) override;

private:
    ExplorerOptions& options_;
    ProfileFile settings_;
    Prompter& prompter_;
    QCheckBox* chkDisableTreeList_ = nullptr;
};

} // namespace tessel

#pragma once
// The explorer options dialog: switches the tree list of the explorer windows
// off. Created once at start-up; whenever it closes it stores its choice in
// the application state and in the settings file.
#include <QDialog>

#include "platform/Prompter.h"

class QCheckBox;

namespace tessel {

struct Workspace;

class TfrmGRPOptions : public QDialog {
    Q_OBJECT
public:
    TfrmGRPOptions(Workspace& state, Prompter& prompter, QWidget* parent = nullptr);
    void done(int result) override;

private:
    Workspace& state_;
    Prompter& prompter_;
    QCheckBox* chkDisableTreeList_ = nullptr;
};

} // namespace tessel

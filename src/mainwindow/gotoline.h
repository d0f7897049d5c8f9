#pragma once
// The go-to-line dialog: a line number, counted from 1, handed to the active
// editor window. Created once at start-up; closing it only hides it. It is
// not centred: it first shows near the main window's top left, then where
// it was left.
#include <QDialog>

class QLineEdit;

namespace tessel {

class Shell;

class TfrmGotoLine : public QDialog {
    Q_OBJECT
public:
    explicit TfrmGotoLine(Shell& shell);

    // btnGoto (also Enter in Edit1): a text that is no whole number is
    // reported by the runtime's conversion error and the dialog stays as it is.
    void btnGotoClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Shell& shell_;
    bool placed_ = false;
    QLineEdit* edit1_;
};

} // namespace tessel

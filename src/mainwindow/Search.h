#pragma once
// The search dialog: the text to find and its options, handed to the active
// editor window as a search request. Created once at start-up and only shown
// and hidden, so its fields keep what was typed.
#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace tessel {

class Shell;
struct SearchMemory;

// Hands what memory holds ready to the active editor, and keeps where the
// last match was for the repeat commands.
void PostSearchRequests(Shell& shell, SearchMemory& memory);

class TfrmSearch : public QDialog {
    Q_OBJECT
public:
    // memory: what the search commands asked last, which the dialog fills.
    TfrmSearch(Shell& shell, SearchMemory& memory);

    // btnSearch: an empty text only says so in the status bar; otherwise the
    // request is posted once the dialog has closed.
    void btnSearchClick();

private:
    Shell& shell_;
    SearchMemory& memory_;
    QLineEdit* txtSearch_;
    QCheckBox* chkCase_;
    QCheckBox* chkWord_;
    QCheckBox* chkStartTop_;
};

} // namespace tessel

#pragma once
// The replace dialog: the text to find, its replacement, the options and where
// to start, handed to the active editor window as a replace request. Created
// once at start-up and only shown and hidden, so its fields keep their contents.
#include <QDialog>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace tessel {

class Shell;
struct SearchMemory;

class TfrmReplace : public QDialog {
    Q_OBJECT
public:
    // memory: what the search commands asked last, which the dialog fills.
    TfrmReplace(Shell& shell, SearchMemory& memory);

    // btnReplace closes the dialog before the replacement runs; btnReplaceAll
    // closes it after, so that the editor's messages show over it. Either
    // texts empty: only a word in the status bar.
    void btnReplaceClick() { Replace(false); }
    void btnReplaceAllClick() { Replace(true); }

private:
    void Replace(bool all);

    Shell& shell_;
    SearchMemory& memory_;
    QLineEdit* txtFind_;
    QLineEdit* txtReplace_;
    QCheckBox* chkCase_;
    QCheckBox* chkWord_;
    QRadioButton* chkStartTop_;
    QRadioButton* rdiSelectedTxt_;
    QRadioButton* rdiCursor_;
};

} // namespace tessel

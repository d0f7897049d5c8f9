#pragma once
// The new group file dialog: asks for the signature of a new archive. Created
// once at start-up; its field keeps the text of the previous use.
#include <QDialog>
#include <string>

class QLineEdit;

namespace tessel {

// A dialog of fixed size with a title and a close box only.
constexpr Qt::WindowFlags FixedDialogFlags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                             Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

class TfrmNewGRP : public QDialog {
    Q_OBJECT
public:
    explicit TfrmNewGRP(QWidget* parent = nullptr);
    // Shows the dialog modally: the signature typed when closed by "&OK", empty otherwise.
    std::string Execute();

protected:
    void showEvent(QShowEvent* event) override;   // centred on the screen

private:
    QLineEdit* edit1_ = nullptr;
};

} // namespace tessel

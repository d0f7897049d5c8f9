#pragma once
// The key strokes help window: three tips on the editor's less obvious keys,
// each beside a small framed key picture. Made once at start and shown
// modally by Help > Common Key Strokes.
#include <QDialog>

#include "platform/Prompter.h"

namespace tessel {

class TfrmKeyStrokes : public QDialog {
    Q_OBJECT
public:
    explicit TfrmKeyStrokes(Prompter& prompter, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace tessel

#pragma once
// The about box: the program's icon, name, version and a few words on what it
// does, with link labels that open their addresses in the desktop's browser.
// Made once at start and shown modally by Help > About; OK closes it.
#include <QDialog>

#include "platform/Prompter.h"

namespace tessel {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(Prompter& prompter, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Prompter& prompter_;
};

} // namespace tessel

#pragma once
// The "General Options" window: how editor windows save (project file, game
// file or both) and whether anything is coloured. Created hidden at start-up,
// shown and hidden any number of times; it writes its settings each time it
// closes. Editor windows read the saving option from its buttons at the
// moment they save (GeneralOptions in shell/Globals).
#include <QWidget>

#include "platform/Prompter.h"
#include "shell/Globals.h"

class QPushButton;
class QRadioButton;

namespace tessel {

class TfrmGeneralOpts : public QWidget, public GeneralOptionsWindow {
    Q_OBJECT
public:
    // Reads "GeneralSetup" from the settings file and sets NoColoring by it.
    explicit TfrmGeneralOpts(Prompter& prompter, QWidget* parent = nullptr);
    ~TfrmGeneralOpts() override;

    SavingOption CurrentSavingOption() const override;
    void ShowWindow() override;
    void BringToFront() override;

protected:
    // Writes the settings, hides the window and clears GeneralOptionsOpen.
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();

    Prompter& prompter_;
    QRadioButton* rdiQztCon_ = nullptr;
    QRadioButton* rdiQzt_ = nullptr;
    QRadioButton* rdiCon_ = nullptr;
    QRadioButton* rdiColorGameFls_ = nullptr;
    QRadioButton* rdiNoColorFls_ = nullptr;
};

} // namespace tessel

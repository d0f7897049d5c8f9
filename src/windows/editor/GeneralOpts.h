#pragma once
// The "General Options" window: how editor windows save (project file, game
// file or both) and whether anything is coloured. Created hidden at start-up,
// shown and hidden any number of times; it writes its settings each time it
// closes. Its choices take effect at once: they are the editor options'
// Saving and NoColoring.
#include <QWidget>

#include "editor/EditorOptions.h"
#include "platform/ProfileFile.h"
#include "platform/Prompter.h"
#include "ui/ToolWindows.h"

class QPushButton;
class QRadioButton;

namespace tessel {

class TfrmGeneralOpts : public QWidget, public GeneralOptionsWindow {
    Q_OBJECT
public:
    // Reads "GeneralSetup" from the settings file and sets Saving and NoColoring by it.
    TfrmGeneralOpts(EditorOptions& options, ProfileFile settings, Prompter& prompter, QWidget* parent = nullptr);

    SavingOption CurrentSavingOption() const;
    void ShowWindow() override;

protected:
    // Writes the settings and hides the window.
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void BringToFront();

    EditorOptions& options_;
    ProfileFile settings_;
    Prompter& prompter_;
    QRadioButton* rdiQztCon_ = nullptr;
    QRadioButton* rdiQzt_ = nullptr;
    QRadioButton* rdiCon_ = nullptr;
    QRadioButton* rdiColorGameFls_ = nullptr;
    QRadioButton* rdiNoColorFls_ = nullptr;
};

} // namespace tessel

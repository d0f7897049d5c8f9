#pragma once
// The "General Options" window: how editor windows save (project file, game
// file or both), whether anything is coloured, and which CON language Duke
// mode colours and the wizard lists (the 1.5 game's or EDuke32's). Created
// hidden at start-up, shown and hidden any number of times; it writes its
// settings each time it closes. Its choices take effect at once: they are the
// editor options' Saving and NoColoring, and a language choice is handed on.
#include <QWidget>
#include <functional>

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
    // Reads "GeneralSetup" from the settings file and sets Saving and NoColoring
    // by it. chooseLanguage is called when the user picks another CON language.
    TfrmGeneralOpts(EditorOptions& options, ProfileFile settings, Prompter& prompter, QWidget* parent = nullptr,
                    std::function<void(ConLanguage)> chooseLanguage = {});

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
    QRadioButton* rdiConDuke15_ = nullptr;
    QRadioButton* rdiConEDuke32_ = nullptr;
    std::function<void(ConLanguage)> chooseLanguage_;
};

} // namespace tessel

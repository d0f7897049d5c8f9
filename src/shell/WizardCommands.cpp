// The wizard pane's own commands: inserting the selected function into the
// active editor and showing its parameters. The typed-word match and
// Ctrl+Alt+C belong to the editor window, which selects entries through
// TMainForm::selectWizardEntry.
#include <QListWidget>
#include <QPushButton>

#include "shell/Commands.h"
#include "shell/Globals.h"
#include "shell/Main.h"

namespace tessel {

namespace {

void InsertSelected(TMainForm& main)
{
    const int k = main.selectedWizardEntry();
    if (k < 1 || k > Wizard.WizardCount())
        return;   // nothing selected, or an empty list: nothing to insert
    EditorRequests.WizardInsertText = Wizard.Names[k - 1];
    main.PostEditorRequest();
}

void ShowParameters(TMainForm& main)
{
    const int k = main.selectedWizardEntry();
    if (k < 1 || k > static_cast<int>(Wizard.Params.size()))
        return;
    const std::string& params = Wizard.Params[k - 1];
    main.SetStatusText(0, params.empty() ? QString("NO PARAMETERS") : QString::fromStdString(params));
}

} // namespace

void RegisterWizardCommands(TMainForm& main)
{
    QListWidget* list = main.wizardList();
    auto guarded = [&main](void (*command)(TMainForm&)) {
        return [&main, command] { RunGuarded(main.prompter(), [&] { command(main); }); };
    };
    QObject::connect(list, &QListWidget::itemDoubleClicked, &main, guarded(InsertSelected));
    QObject::connect(main.wizardInsertButton(), &QPushButton::clicked, &main, guarded(InsertSelected));
    QObject::connect(main.wizardParametersButton(), &QPushButton::clicked, &main, guarded(ShowParameters));
}

} // namespace tessel

// The wizard pane's own commands: inserting the selected function into the
// active editor and showing its parameters. The typed-word match and
// Ctrl+Alt+C belong to the editor window, which selects entries through
// Shell::SelectWizardEntry.
#include <QListWidget>
#include <QPushButton>

#include "language/LanguageTables.h"
#include "mainwindow/Commands.h"
#include "mainwindow/Main.h"
#include "ui/Guarded.h"

namespace tessel {

namespace {

void InsertSelected(TMainForm& main)
{
    const WizardTable& wizard = main.Program().language.Wizard;
    const int k = main.SelectedWizardEntry();
    if (k < 1 || k > wizard.WizardCount())
        return;   // nothing selected, or an empty list: nothing to insert
    EditorRequests requests;
    requests.WizardInsertText = wizard.Names[static_cast<std::size_t>(k - 1)];
    main.PostRequests(requests);
}

void ShowParameters(TMainForm& main)
{
    const WizardTable& wizard = main.Program().language.Wizard;
    const int k = main.SelectedWizardEntry();
    if (k < 1 || k > static_cast<int>(wizard.Params.size()))
        return;
    const std::string& params = wizard.Params[static_cast<std::size_t>(k - 1)];
    main.SetStatusText(0, params.empty() ? QString("NO PARAMETERS") : QString::fromStdString(params));
}

} // namespace

void RegisterWizardCommands(TMainForm& main, const MainParts& parts)
{
    Prompter& prompter = main.Prompts();
    auto insert = [&main] { InsertSelected(main); };
    OnSignal(prompter, parts.wizardList, &QListWidget::itemDoubleClicked, &main, insert);
    OnSignal(prompter, parts.wizardInsert, &QPushButton::clicked, &main, insert);
    OnSignal(prompter, parts.wizardParameters, &QPushButton::clicked, &main, [&main] { ShowParameters(main); });
}

} // namespace tessel

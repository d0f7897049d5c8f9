#include "app/ProgramWindows.h"

#include <QGuiApplication>
#include <QPointer>
#include <QSessionManager>
#include <QSocketNotifier>
#include <memory>

#include "calc/Calculator.h"
#include "editor/Childwin.h"
#include "editor/GeneralOpts.h"
#include "grp/GRPExp.h"
#include "grp/GrpOpts.h"
#include "grp/NewGRP.h"
#include "grp/ResSpace.h"
#include "launch/Directory.h"
#include "launch/StartDuke.h"
#include "launch/StartQuake.h"
#include "platform/Files.h"
#include "platform/QtPaths.h"
#include "platform/SignalCleanup.h"
#include "shell/About.h"
#include "shell/Commands.h"
#include "shell/ConFaq.h"
#include "shell/Keystroke.h"
#include "shell/Main.h"
#include "shell/Picture.h"
#include "shell/Replace.h"
#include "shell/Search.h"
#include "shell/Splash.h"
#include "shell/Workspace.h"
#include "shell/gotoline.h"

namespace tessel {

void BuildProgramWindows(TMainForm& main, const ProgramWindowOptions& options)
{
    // A file-size limit fails the write it stops ("Disk full"), and does not
    // end the program with every window's text.
    ReportFileSizeLimitAsError();
    // A log-out, a shutdown or a closed terminal ends the program only after
    // it kept copies of the unsaved texts and wrote the settings.
    const int notices = InstallSignalNotice();
    if (notices >= 0) {
        auto* notifier = new QSocketNotifier(notices, QSocketNotifier::Read, &main);
        QObject::connect(notifier, &QSocketNotifier::activated, &main, [&main] { main.EndSession(TakeSignalNotice()); });
    }
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &main, [&main](QSessionManager&) { main.EndSession(0); });

    Workspace& state = main.State();
    Prompter& prompter = main.Prompts();
    ToolWindows& tools = main.Tools();

    // Windows made on demand.
    tools.newEditor = options.newEditor ? options.newEditor : [&main]() -> QWidget* { return new TfrmConEdit(main); };
    auto dialogs = std::make_shared<ExplorerDialogs>();
    tools.newExplorer = [&main, dialogs](const std::string& archive) -> QWidget* {
        return new TfrmGRPExp(main, *dialogs, archive);
    };
    tools.newCalculator = [&main, &state, &prompter]() -> QWidget* {
        return new TfrmCalculator(prompter, state.CalculatorState, state.CalculatorOpen, &main);
    };
    tools.newFaq = [&main, &state, &prompter]() -> QWidget* {
        return new TfrmConFaq(prompter, state.Locations.DataFile(FaqFileName), state.FaqOpen, &main);
    };

    // Made hidden before the splash shows: the splash, the key strokes window,
    // the picture viewer and the explorer's three dialogs.
    TfrmSplash* splash = options.splash ? main.Keep(new TfrmSplash(main, prompter)) : nullptr;
    tools.keyStrokes = main.Keep(new TfrmKeyStrokes(prompter, &main));
    tools.picture = main.Keep(new TfrmPicture(prompter, &main));
    dialogs->options = main.Keep(new TfrmGRPOptions(state, prompter, &main));
    dialogs->resSpace = main.Keep(new TfrmResSpace(&main));
    dialogs->newGrp = main.Keep(new TfrmNewGRP(&main));
    // The main window takes no input while the splash shows.
    if (splash)
        splash->show();
    // Made hidden after it: the general options, the Quake launcher, the about
    // box, the Duke launcher (which may open the first editor windows), the
    // directory chooser, the go-to-line, search and replace dialogs.
    auto* generalOptions = main.Keep(new TfrmGeneralOpts(state, prompter, &main));
    tools.generalOptions = generalOptions;
    auto* quake = main.Keep(new TfrmQuakeStart(main));
    tools.quake = quake;
    tools.about = main.Keep(new TAboutBox(prompter, &main));
    // What an earlier run left unsaved comes first, so that the files the
    // Duke launcher opens find their windows open already.
    std::string notes = main.OfferRecovery();
    auto* duke = main.Keep(new TfrmDukeStart(main));
    tools.duke = duke;
    for (QPointer<LauncherDialog> launcher : {QPointer<LauncherDialog>(quake), QPointer<LauncherDialog>(duke)})
        tools.exitSettings.push_back([launcher](ProfileEdit& edit) {
            if (launcher)
                launcher->WriteExitSettings(edit);
        });
    tools.chooser = main.Keep(new TfrmDirectory(prompter, &main));
    tools.gotoLine = main.Keep(new TfrmGotoLine(main));
    tools.search = main.Keep(new TfrmSearch(main));
    tools.replace = main.Keep(new TfrmReplace(main));
    OpenDocuments(main, options.files);
    // Told once, after what the start-up files said.
    if (!options.instanceProblem.empty())
        notes += (notes.empty() ? "" : "; ") + options.instanceProblem;
    if (!notes.empty())
        main.SetStatusText(0, ToQString(notes));
}

} // namespace tessel

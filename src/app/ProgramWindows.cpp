#include "app/ProgramWindows.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QTimer>
#include <memory>

#include "app/ProgramState.h"
#include "mainwindow/About.h"
#include "mainwindow/Commands.h"
#include "mainwindow/ConFaq.h"
#include "mainwindow/Keystroke.h"
#include "mainwindow/Main.h"
#include "mainwindow/Picture.h"
#include "mainwindow/Replace.h"
#include "mainwindow/Search.h"
#include "mainwindow/Splash.h"
#include "mainwindow/gotoline.h"
#include "platform/Files.h"
#include "platform/SignalCleanup.h"
#include "session/OpenMany.h"
#include "ui/QtPaths.h"
#include "windows/calc/Calculator.h"
#include "windows/editor/Childwin.h"
#include "windows/editor/GeneralOpts.h"
#include "windows/grp/GRPExp.h"
#include "windows/grp/GrpOpts.h"
#include "windows/grp/NewGRP.h"
#include "windows/grp/ResSpace.h"
#include "windows/launch/Directory.h"
#include "windows/launch/StartDuke.h"
#include "windows/launch/StartQuake.h"

namespace tessel {

void BuildProgramWindows(TMainForm& main, ProgramState& state, const ProgramWindowOptions& options)
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

    Prompter& prompter = main.Prompts();
    ToolWindows& tools = main.Tools();

    // Windows made on demand.
    const EditorState editorState{state.session, state.editor, state.language, state.recovery};
    tools.newEditor = options.newEditor ? options.newEditor
                                        : [&main, editorState]() -> QWidget* { return new TfrmConEdit(main, editorState); };
    auto dialogs = std::make_shared<ExplorerDialogs>();
    tools.newExplorer = [&main, &state, dialogs](const std::string& archive) -> QWidget* {
        return new TfrmGRPExp(main, *dialogs, {state.explorer, state.launch, state.session}, archive);
    };
    tools.newCalculator = [&main, &state, &prompter]() -> QWidget* {
        return new TfrmCalculator(prompter, state.calculator, &main);
    };
    tools.newFaq = [&main, &state, &prompter]() -> QWidget* {
        return new TfrmConFaq(prompter, state.session.Locations.DataFile(FaqFileName), &main);
    };

    // Made hidden before the splash shows: the splash, the key strokes window,
    // the picture viewer and the explorer's three dialogs.
    TfrmSplash* splash = options.splash ? main.Keep(new TfrmSplash(main, prompter)) : nullptr;
    tools.keyStrokes = main.Keep(new TfrmKeyStrokes(prompter, &main));
    tools.picture = main.Keep(new TfrmPicture(prompter, &main));
    dialogs->options = main.Keep(new TfrmGRPOptions(state.explorer, state.session.Settings(), prompter, &main));
    dialogs->resSpace = main.Keep(new TfrmResSpace(&main));
    dialogs->newGrp = main.Keep(new TfrmNewGRP(&main));
    // The main window takes no input while the splash shows.
    if (splash)
        splash->show();
    // Made hidden after it: the general options, the Quake launcher, the about
    // box, the Duke launcher (which may open the first editor windows), the
    // directory chooser, the go-to-line, search and replace dialogs.
    auto* generalOptions = main.Keep(new TfrmGeneralOpts(state.editor, state.session.Settings(), prompter, &main,
                                                         [&main](ConLanguage con) { main.ChooseConLanguage(con); }));
    tools.generalOptions = generalOptions;
    auto* quake = main.Keep(new TfrmQuakeStart(main, state.launch, state.session.Settings()));
    tools.quake = quake;
    tools.about = main.Keep(new TAboutBox(prompter, &main));
    // What an earlier run left unsaved comes first, so that the files the
    // Duke launcher opens find their windows open already.
    std::string notes = main.OfferRecovery();
    auto* duke = main.Keep(new TfrmDukeStart(main, state.launch, state.session.Settings()));
    tools.duke = duke;
    for (QPointer<LauncherDialog> launcher : {QPointer<LauncherDialog>(quake), QPointer<LauncherDialog>(duke)})
        tools.exitSettings.push_back([launcher](ProfileEdit& edit) {
            if (launcher)
                launcher->WriteExitSettings(edit);
        });
    tools.chooser = main.Keep(new TfrmDirectory(prompter, &main));
    tools.gotoLine = main.Keep(new TfrmGotoLine(main));
    tools.search = main.Keep(new TfrmSearch(main, main.Search()));
    tools.replace = main.Keep(new TfrmReplace(main, main.Search()));
    if (!options.instanceProblem.empty())
        notes += (notes.empty() ? "" : "; ") + options.instanceProblem;
    // Many files open once the main window is up: they take long and are
    // asked for first, which a start without a window could not show. A few
    // open into the main window before it shows, as before.
    const auto openFiles = [&main, files = options.files, notes] {
        OpenNamedFiles(main, files);
        // Told once, after what the start-up files said.
        if (!notes.empty())
            main.SetStatusText(0, ToQString(notes));
    };
    if (OpenManyQuestion(options.files.size()).empty()) {
        openFiles();
        return;
    }
    QTimer::singleShot(0, &main, [&main, openFiles] {
        openFiles();
        // A wait window shown before the window system activated the main
        // window leaves no window active when it goes.
        if (!QApplication::activeWindow() && main.isVisible())
            main.activateWindow();
    });
}

} // namespace tessel

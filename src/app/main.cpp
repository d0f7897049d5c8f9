// The entry sequence: the application title, the prompter of the running
// program, the main window (whose creation reads the settings and loads the
// language files), the windows that live for the whole run in their order
// with the splash shown among them, then the event loop.
#include <QApplication>
#include <QIcon>

#include "editor/GeneralOpts.h"
#include "grp/GRPExp.h"
#include "shell/About.h"
#include "shell/Commands.h"
#include "launch/Directory.h"
#include "launch/StartDuke.h"
#include "launch/StartQuake.h"
#include "shell/Globals.h"
#include "shell/Keystroke.h"
#include "shell/Main.h"
#include "shell/Picture.h"
#include "shell/QtPrompter.h"
#include "shell/Resources.h"
#include "shell/Splash.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tessel");
    tessel::UseResources();
    QApplication::setWindowIcon(QIcon(":/tessel.svg"));
    // Without a desktop session Qt knows no icon theme; use a common one if present.
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == "hicolor")
        QIcon::setThemeName("Adwaita");
    if (argc > 1)
        tessel::CommandLineFile = argv[1];

    tessel::QtPrompter prompter;
    tessel::SetAppPrompter(&prompter);
    tessel::TMainForm mainForm(prompter);

    // Made hidden before the splash shows: the splash, the key strokes window,
    // the picture viewer and the explorer's three dialogs.
    auto* splash = new tessel::TfrmSplash(mainForm);
    mainForm.AddToolWindow(splash);
    mainForm.AddToolWindow(new tessel::TfrmKeyStrokes(prompter, &mainForm));
    mainForm.AddToolWindow(new tessel::TfrmPicture(prompter, &mainForm));
    tessel::CreateExplorerDialogs(mainForm);   // TfrmGRPOptions, TfrmResSpace, TfrmNewGRP
    // The main window takes no input while the splash shows.
    splash->show();
    // Made hidden after it: the general options, the Quake launcher, the about box, the Duke
    // launcher (which may open the first editor windows), the directory
    // chooser, the search, replace and go-to-line dialogs.
    mainForm.AddToolWindow(new tessel::TfrmGeneralOpts(prompter, &mainForm));
    mainForm.AddToolWindow(new tessel::TfrmQuakeStart(mainForm, prompter));
    mainForm.AddToolWindow(new tessel::TAboutBox(prompter, &mainForm));
    mainForm.AddToolWindow(new tessel::TfrmDukeStart(mainForm, prompter));
    mainForm.AddToolWindow(new tessel::TfrmDirectory(mainForm));
    tessel::CreateSearchDialogs(mainForm);

    mainForm.show();
    return app.exec();
}

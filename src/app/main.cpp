// The entry sequence: the application title, the prompter of the running
// program, the main window (whose creation reads the settings and loads the
// language files), the windows that live for the whole run, then the event loop.
#include <QApplication>
#include <QIcon>

#include "editor/GeneralOpts.h"
#include "shell/Globals.h"
#include "shell/Main.h"
#include "shell/QtPrompter.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tessel");
    // Without a desktop session Qt knows no icon theme; use a common one if present.
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == "hicolor")
        QIcon::setThemeName("Adwaita");
    if (argc > 1)
        tessel::CommandLineFile = argv[1];

    tessel::QtPrompter prompter;
    tessel::SetAppPrompter(&prompter);
    tessel::TMainForm mainForm(prompter);
    // The windows of the whole run, created hidden after the main window.
    mainForm.AddToolWindow(new tessel::TfrmGeneralOpts(prompter, &mainForm));
    mainForm.show();
    return app.exec();
}
